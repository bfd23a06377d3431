// Things to take, push or avoid: beamer pads, gems and bombs, keys, sweets, fire, mines,
// crates, explosions, debris, the three carried items and the status bar icons.
#include <cmath>
#include <numbers>

#include "art.h"
#include "palette.h"

namespace mediagen {

namespace {

Image Pad(const SpriteSpec& s) {
  Family f = Colours(s.Param("colour"));
  Image img = FloorTile();
  FillEllipse(img, 16, 17, 14, 13, P("floor_grout"));
  FillEllipse(img, 16, 16, 13.5, 12.5, P("ink"));
  FillEllipse(img, 16, 16, 12.5, 11.5, P("steel_base"));
  FillEllipse(img, 15.5, 15.5, 11.5, 10.5, P("steel_light"));
  FillEllipse(img, 16, 16, 10.5, 9.5, P("steel_dark"));
  FillEllipse(img, 16, 16, 9, 8, f.dark);
  // A pulse runs outward through the three frames.
  double r = 2.5 + s.phase * 2.5;
  FillEllipse(img, 16, 16, 5.5, 5, f.base);
  FillRing(img, 16, 16, r, r + 1.3, f.light);
  FillEllipse(img, 16, 16, 2.2, 2, P("white"));
  for (int i = 0; i < 4; ++i) {
    double a = i * std::numbers::pi / 2 + s.phase * std::numbers::pi / 6;
    img.Set(static_cast<int>(16 + 11.5 * std::cos(a)), static_cast<int>(16 + 10.5 * std::sin(a)),
            f.light);
  }
  return img;
}

// A rolling gem: an octagonal cut whose lit facets turn with the frames.
Image Gem(const SpriteSpec& s) {
  Family f = Colours(s.Param("colour"));
  Image img = EmptyTile();
  const double cx = 16, cy = 16.5;
  std::vector<std::pair<double, double>> outer, table;
  for (int i = 0; i < 8; ++i) {
    double a = (i + 0.5) * std::numbers::pi / 4;
    outer.push_back({cx + 13 * std::cos(a), cy + 12.5 * std::sin(a)});
    table.push_back({cx + 6 * std::cos(a), cy + 5.5 * std::sin(a)});
  }
  FillPolygon(img, outer, f.base);
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      if (img.IsKey(x, y)) continue;
      double a = std::atan2(y + 0.5 - cy, x + 0.5 - cx) + std::numbers::pi;
      int sector = static_cast<int>(a / (std::numbers::pi / 4) + s.phase * 0.67) % 8;
      img.Set(x, y, sector % 3 == 0 ? f.light : sector % 3 == 1 ? f.base : f.dark);
    }
  }
  FillPolygon(img, table, Mix(f.base, f.light, 0.5));
  for (size_t i = 0; i < 8; ++i) {
    auto [ax, ay] = outer[i];
    auto [bx, by] = table[i];
    Line(img, static_cast<int>(ax), static_cast<int>(ay), static_cast<int>(bx),
         static_cast<int>(by), f.dark);
  }
  Outline(img, P("ink"));
  // A sparkle that wanders over the stone.
  int sx = 11 + s.phase * 4, sy = 11 + (s.phase % 2) * 3;
  img.Set(sx, sy, P("white"));
  img.Set(sx - 1, sy, f.light);
  img.Set(sx + 1, sy, f.light);
  img.Set(sx, sy - 1, f.light);
  img.Set(sx, sy + 1, f.light);
  return img;
}

Image Bomb(const SpriteSpec& s) {
  Image img = EmptyTile();
  FillEllipse(img, 15, 19, 11, 11, P("ink_soft"));
  FillEllipse(img, 14, 18, 10, 10, Mix(P("ink_soft"), P("steel_dark"), 0.5));
  FillEllipse(img, 11, 14, 3.5, 3, P("steel_base"));
  FillEllipse(img, 10, 13, 1.5, 1.2, P("white"));
  FillRect(img, 20, 6, 6, 5, P("steel_dark"));
  FillRect(img, 20, 6, 6, 1, P("steel_light"));
  Outline(img, P("ink"));
  // Fuse and spark.
  Line(img, 24, 5, 26, 2, P("cream"));
  img.Set(27, 2, P("brown_light"));
  int size = 1 + s.phase;
  Rgb spark = s.phase == 1 ? P("white") : P("fire_yellow");
  for (int i = -size; i <= size; ++i) {
    img.Set(28 + i, 2, spark);
    img.Set(28, 2 + i, spark);
  }
  img.Set(28, 2, P("white"));
  if (s.phase == 2) {
    img.Set(26, 0, P("fire_orange"));
    img.Set(30, 4, P("fire_orange"));
  }
  return img;
}

Image KeyPicture(const Family& f, const std::string& emblem, int glint) {
  Image img = EmptyTile();
  Emblem(img, emblem, 9, 15, 6, f.base);
  FillRect(img, 13, 14, 15, 4, f.base);
  FillRect(img, 22, 18, 3, 5, f.base);
  FillRect(img, 26, 18, 3, 4, f.base);
  Bevel(img, f.light, f.dark);
  FillEllipse(img, 9.5, 15.5, 2.2, 2.2, kKey);
  Outline(img, P("ink"));
  if (glint >= 0) {
    int gx = 14 + glint * 5;
    img.Set(gx, 15, P("white"));
    img.Set(gx + 1, 15, P("white"));
  }
  return img;
}

Image Key(const SpriteSpec& s) {
  Image img = FloorTile();
  DropShadow(img, 17, 24, 12, 3.5);
  Blit(img, KeyPicture(Colours(s.Param("colour")), s.Param("emblem"), s.phase), 0,
       s.phase == 1 ? -1 : 0);
  return img;
}

Image KeyIcon(const SpriteSpec& s) {
  return KeyPicture(Colours(s.Param("colour")), s.Param("emblem"), -1);
}

// The four sweets: a wrapped bonbon, a lollipop, a cupcake and a ring doughnut.
Image SweetPicture(int kind, int phase) {
  Image img = EmptyTile();
  switch (kind) {
    case 0: {
      FillPolygon(img, {{3, 10}, {10, 14}, {10, 20}, {3, 24}}, P("pink_light"));
      FillPolygon(img, {{29, 10}, {22, 14}, {22, 20}, {29, 24}}, P("pink_light"));
      FillEllipse(img, 16, 17, 8, 7, P("pink"));
      for (int i = 0; i < 3; ++i) Line(img, 11 + i * 4, 22, 15 + i * 4, 11, P("cream"));
      FillEllipse(img, 13, 14, 2, 1.5, P("white"));
      break;
    }
    case 1: {
      FillRect(img, 15, 17, 2, 13, P("cream"));
      FillEllipse(img, 16, 12, 9, 9, P("cyan"));
      for (int t = 0; t < 60; ++t) {
        double a = t * 0.32 + phase * 0.8, r = t * 0.14;
        img.Set(static_cast<int>(16 + r * std::cos(a)), static_cast<int>(12 + r * std::sin(a)),
                P("white"));
      }
      break;
    }
    case 2: {
      FillPolygon(img, {{7, 17}, {25, 17}, {22, 29}, {10, 29}}, P("gold"));
      for (int x = 9; x < 24; x += 3) Line(img, x, 18, x + (x < 16 ? 1 : -1), 28, P("gold_dark"));
      FillEllipse(img, 16, 14, 10, 6, P("pink_light"));
      FillEllipse(img, 16, 10, 6, 4, P("pink_light"));
      FillEllipse(img, 16, 6, 2.5, 2.5, P("red"));
      img.Set(15, 5, P("white"));
      for (int i = 0; i < 4; ++i) img.Set(10 + i * 4, 13 + (i % 2), i % 2 ? P("cyan") : P("lime"));
      break;
    }
    default: {
      FillEllipse(img, 16, 17, 12, 10, P("wood_light"));
      FillEllipse(img, 16, 16, 11, 8.5, P("purple_light"));
      FillEllipse(img, 16, 16.5, 4, 3, kKey);
      for (int i = 0; i < 8; ++i) {
        double a = i * std::numbers::pi / 4 + 0.3;
        img.Set(static_cast<int>(16 + 8 * std::cos(a)), static_cast<int>(16 + 6 * std::sin(a)),
                i % 2 ? P("gold_light") : P("cyan_light"));
      }
      break;
    }
  }
  Bevel(img, P("white"), P("ink_soft"));
  Outline(img, P("ink"));
  // A twinkle that moves round the sweet.
  const int tw[3][2] = {{6, 6}, {26, 8}, {24, 26}};
  int tx = tw[phase][0], ty = tw[phase][1];
  if (img.IsKey(tx, ty)) {
    img.Set(tx, ty, P("white"));
    img.Set(tx - 1, ty, P("gold_light"));
    img.Set(tx + 1, ty, P("gold_light"));
    img.Set(tx, ty - 1, P("gold_light"));
    img.Set(tx, ty + 1, P("gold_light"));
  }
  return img;
}

Image Sweet(const SpriteSpec& s) {
  Image img = FloorTile();
  DropShadow(img, 16, 28, 9, 2.5);
  Blit(img, SweetPicture(s.index, s.phase), 0, s.phase == 1 ? -2 : -1);
  return img;
}

Image Fire(const SpriteSpec& s) {
  Image img = FloorTile();
  FillEllipse(img, 16, 24, 14, 7, P("scorch"));
  FillEllipse(img, 16, 25, 10, 4, P("ember_glow"));
  const double sway[3] = {-1.5, 0, 1.5};
  double w = sway[s.phase];
  auto flame = [&](double x, double base, double h, double r, Rgb c) {
    FillPolygon(img,
                {{x - r, base},
                 {x + w - r * 0.3, base - h * 0.6},
                 {x + w * 1.5, base - h},
                 {x + w + r * 0.3, base - h * 0.6},
                 {x + r, base}},
                c);
    FillEllipse(img, x, base - r * 0.4, r, r * 0.8, c);
  };
  double hs[3][3] = {{20, 14, 12}, {18, 16, 13}, {21, 12, 15}};
  const double* h = hs[s.phase];
  flame(16, 27, h[0] + 4, 8, P("fire_red"));
  flame(9, 27, h[1], 5, P("fire_red"));
  flame(23, 27, h[2], 5, P("fire_red"));
  flame(16, 27, h[0], 6, P("fire_orange"));
  flame(9, 27, h[1] - 3, 3.5, P("fire_orange"));
  flame(23, 27, h[2] - 3, 3.5, P("fire_orange"));
  flame(16, 27, h[0] - 7, 4, P("fire_yellow"));
  FillEllipse(img, 16, 24, 2.5, 2, P("fire_core"));
  return img;
}

Image Mine(const SpriteSpec& s) {
  Image img = FloorTile();
  FillEllipse(img, 16, 22, 13, 6, P("floor_grout"));
  Image m(kTile, kTile);
  for (int i = 0; i < 5; ++i) {
    double a = std::numbers::pi + i * std::numbers::pi / 4;
    int x = static_cast<int>(16 + 12 * std::cos(a)), y = static_cast<int>(20 + 12 * std::sin(a));
    Line(m, 16, 20, x, y, P("steel_dark"));
    FillRect(m, x - 1, y - 1, 2, 2, P("steel_base"));
  }
  FillEllipse(m, 16, 21, 10, 8, P("steel_dark"));
  FillEllipse(m, 14, 18, 6, 4, Mix(P("steel_dark"), P("steel_base"), 0.5));
  FillRect(m, 5, 21, 23, 10, kKey);
  FillRect(m, 6, 21, 21, 2, P("ink_soft"));
  Outline(m, P("ink"));
  Blit(img, m, 0, 0);
  Rgb light = s.phase == 0 ? P("red_dark") : s.phase == 1 ? P("red") : P("red_light");
  FillEllipse(img, 16, 14.5, 2.5, 2.2, light);
  if (s.phase == 2) {
    img.Set(16, 10, P("red_light"));
    img.Set(12, 14, P("red_light"));
    img.Set(20, 14, P("red_light"));
  }
  img.Set(15, 13, P("white"));
  return img;
}

// A crate fills its whole tile, so it looks right on any floor and as a map cell.
Image Crate(const SpriteSpec&) {
  Image img(kTile, kTile, P("wood_base"));
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x)
      if (y % 6 == 0) img.Set(x, y, P("wood_dark"));
  FillRect(img, 0, 0, 32, 5, P("wood_light"));
  FillRect(img, 0, 27, 32, 5, P("wood_light"));
  FillRect(img, 0, 0, 5, 32, P("wood_light"));
  FillRect(img, 27, 0, 5, 32, P("wood_light"));
  for (int i = 0; i < 22; ++i) {
    img.Set(5 + i, 26 - i, P("wood_light"));
    img.Set(6 + i, 26 - i, P("wood_light"));
    img.Set(7 + i, 26 - i, P("wood_dark"));
  }
  FrameRect(img, 0, 0, 32, 32, P("ink"));
  FrameRect(img, 5, 5, 22, 22, P("wood_dark"));
  for (auto [x, y] : {std::pair{2, 2}, {29, 2}, {2, 29}, {29, 29}}) img.Set(x, y, P("steel_light"));
  return img;
}

// Splinters and stone chips of a destroyed box; drawn zoomed and fading.
Image Debris(const SpriteSpec&) {
  Image img = EmptyTile();
  const double chips[][4] = {{8, 9, 3, 1},   {22, 7, 2.5, 0}, {12, 22, 3.5, 0},
                             {24, 20, 3, 1}, {17, 14, 2, 1},  {5, 18, 1.5, 0}};
  for (const auto& c : chips)
    FillEllipse(img, c[0], c[1], c[2], c[2] * 0.7, c[3] ? P("wood_light") : P("steel_base"));
  Line(img, 15, 26, 20, 28, P("wood_base"));
  Line(img, 26, 11, 28, 15, P("wood_base"));
  Outline(img, P("ink_soft"));
  for (auto [x, y] : {std::pair{16, 5}, {4, 12}, {28, 26}, {10, 29}})
    img.Set(x, y, P("fire_yellow"));
  return img;
}

// Explosion stages: 96 the fireball, 95 the fire dying down, 94 glowing embers on scorched
// ground. Stretched over the whole screen, 94 is the red glow of the death fade, so its
// ground stays near black and its glow sits in the middle.
Image Boom(const SpriteSpec& s) {
  int stage = s.IntParam("stage");
  Image img = stage == 0 ? Image(kTile, kTile, P("ember_dark")) : FloorTile();
  if (stage == 0) {
    for (int y = 0; y < kTile; ++y)
      for (int x = 0; x < kTile; ++x) {
        double d = std::hypot(x + 0.5 - 16, y + 0.5 - 16) / 16.0;
        Rgb c = Mix(P("ember_glow"), P("ember_dark"), std::min(1.0, d * d * 1.4));
        if (Noise(x, y, 94) < 0.05 && d < 0.8) c = P("fire_orange");
        img.Set(x, y, c);
      }
    return img;
  }
  FillEllipse(img, 16, 17, 15, 13, P("scorch"));
  auto blob = [&](double r, Rgb c, int seed) {
    for (int y = 0; y < kTile; ++y)
      for (int x = 0; x < kTile; ++x) {
        double d = std::hypot(x + 0.5 - 16, y + 0.5 - 16);
        if (d < r + 2.5 * (Noise(x / 2, y / 2, seed) - 0.5)) img.Set(x, y, c);
      }
  };
  if (stage == 2) {
    blob(15, P("fire_red"), 961);
    blob(12, P("fire_orange"), 962);
    blob(8, P("fire_yellow"), 963);
    blob(4, P("fire_core"), 964);
  } else {
    blob(11, P("fire_red"), 951);
    blob(7, P("fire_orange"), 952);
    blob(3, P("fire_yellow"), 953);
    FillEllipse(img, 10, 7, 4, 3, P("steel_dark"));
    FillEllipse(img, 21, 5, 3.5, 2.5, P("steel_base"));
  }
  return img;
}

Image SaltPicture() {
  Image img = EmptyTile();
  FillPolygon(img, {{9, 11}, {23, 11}, {27, 28}, {5, 28}}, P("cream"));
  FillEllipse(img, 16, 27, 11, 3, P("cream"));
  FillPolygon(img, {{11, 5}, {21, 5}, {19, 10}, {13, 10}}, P("cream"));
  Bevel(img, P("white"), P("wood_light"));
  FillRect(img, 11, 9, 10, 2, P("red"));
  FillEllipse(img, 16, 20, 4.5, 4, P("blue_light"));
  FillRect(img, 14, 18, 4, 4, P("white"));
  Outline(img, P("ink"));
  for (auto [x, y] : {std::pair{14, 3}, {17, 2}, {19, 4}}) img.Set(x, y, P("white"));
  return img;
}

Image SuitPicture() {
  Image img = EmptyTile();
  FillPolygon(img,
              {{10, 4},
               {22, 4},
               {30, 12},
               {27, 17},
               {24, 14},
               {24, 29},
               {8, 29},
               {8, 14},
               {5, 17},
               {2, 12}},
              P("orange"));
  FillRect(img, 8, 19, 16, 3, P("gold_light"));
  FillRect(img, 8, 25, 16, 2, P("gold_light"));
  Line(img, 16, 6, 16, 29, P("orange_dark"));
  FillPolygon(img, {{12, 4}, {20, 4}, {16, 9}}, P("orange_dark"));
  Bevel(img, P("orange_light"), P("orange_dark"));
  Outline(img, P("ink"));
  img.Set(14, 13, P("ink_soft"));
  img.Set(18, 13, P("ink_soft"));
  return img;
}

Image BootsPicture() {
  Image img = EmptyTile();
  auto boot = [&](int x, Rgb c) {
    FillRect(img, x, 6, 8, 18, c);
    FillPolygon(img, {{x + 0.0, 20}, {x + 8.0, 20}, {x + 14.0, 23}, {x + 14.0, 28}, {x + 0.0, 28}},
                c);
  };
  boot(3, P("lime"));
  boot(15, P("lime"));
  Bevel(img, P("lime_light"), P("lime_dark"));
  FillRect(img, 3, 26, 14, 2, P("lime_dark"));
  FillRect(img, 15, 26, 14, 2, P("lime_dark"));
  FillRect(img, 3, 6, 8, 2, P("gold"));
  FillRect(img, 15, 6, 8, 2, P("gold"));
  Outline(img, P("ink"));
  return img;
}

Image CarriedPicture(const std::string& what) {
  if (what == "salt") return SaltPicture();
  if (what == "suit") return SuitPicture();
  return BootsPicture();
}

Image Item(const SpriteSpec& s) {
  Image img = FloorTile();
  DropShadow(img, 16, 28, 12, 3);
  Blit(img, CarriedPicture(s.Param("what")), 0, 0);
  return img;
}

Image Icon(const SpriteSpec& s) {
  return CarriedPicture(s.Param("what"));
}

// The plate behind the sweets counter of the status bar: a wooden dish with a bonbon.
Image SweetsPlate(const SpriteSpec&) {
  Image img = EmptyTile();
  FillEllipse(img, 16, 16, 15, 15, P("wood_base"));
  FillEllipse(img, 16, 16, 12.5, 12.5, P("cream"));
  Bevel(img, P("wood_light"), P("wood_dark"));
  FillPolygon(img, {{5, 11}, {10, 14}, {10, 18}, {5, 21}}, P("pink_light"));
  FillPolygon(img, {{27, 11}, {22, 14}, {22, 18}, {27, 21}}, P("pink_light"));
  FillEllipse(img, 16, 16, 6.5, 5.5, P("pink"));
  Line(img, 13, 20, 16, 12, P("cream"));
  Line(img, 17, 20, 20, 12, P("cream"));
  FillEllipse(img, 14, 14, 1.5, 1, P("white"));
  Outline(img, P("ink"));
  return img;
}

}  // namespace

Image ItemIcon(const std::string& what) {
  if (what.rfind("key:", 0) == 0) {
    std::string colour = what.substr(4);
    const char* emblem = colour == "red"     ? "circle"
                         : colour == "green" ? "square"
                         : colour == "blue"  ? "diamond"
                         : colour == "gold"  ? "triangle"
                                             : "star";
    return KeyPicture(Colours(colour), emblem, -1);
  }
  if (what.rfind("sweet:", 0) == 0) return SweetPicture(std::stoi(what.substr(6)), 0);
  return CarriedPicture(what);
}

void RegisterItemArt(std::map<std::string, Drawer>& d) {
  d["pad"] = Pad;
  d["gem"] = Gem;
  d["bomb"] = Bomb;
  d["key"] = Key;
  d["keyicon"] = KeyIcon;
  d["sweet"] = Sweet;
  d["fire"] = Fire;
  d["mine"] = Mine;
  d["crate"] = Crate;
  d["debris"] = Debris;
  d["boom"] = Boom;
  d["item"] = Item;
  d["icon"] = Icon;
  d["plate260"] = SweetsPlate;
}

}  // namespace mediagen

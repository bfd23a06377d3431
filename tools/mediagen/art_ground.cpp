// Floors and everything flat that lies on them: the plain floor and its spare variants, fragile
// planks, dirt, slush, water, ice and its curves, the abyss behind the map, conveyors and the
// marked floor tiles (crate target, checkpoint, hint, plates).
#include <cmath>
#include <numbers>

#include "art.h"
#include "palette.h"

namespace mediagen {

Image EmptyTile() {
  return Image(kTile, kTile, kKey);
}

Image FloorTile() {
  Image img(kTile, kTile, P("floor_base"));
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      double n = Noise(x, y, 60);
      if (n < 0.03)
        img.Set(x, y, P("floor_light"));
      else if (n < 0.10)
        img.Set(x, y, P("floor_speck"));
      if (x == 0 || y == 0)
        img.Set(x, y, P("floor_grout"));
      else if (x == 1 || y == 1)
        img.Set(x, y, P("floor_light"));
      else if (x == kTile - 1 || y == kTile - 1)
        img.Set(x, y, P("floor_dark"));
    }
  }
  return img;
}

Image OnFloor(const Image& thing) {
  Image img = FloorTile();
  Blit(img, thing, 0, 0);
  return img;
}

void DropShadow(Image& img, double cx, double cy, double rx, double ry) {
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
      if (u * u + v * v <= 1.0 && !img.IsKey(x, y))
        img.Set(x, y, Mix(img.At(x, y), P("shadow"), 0.45));
    }
  }
}

namespace {

// Rotates a square picture a quarter turn clockwise, `turns` times.
Image Rotate(const Image& img, int turns) {
  Image out = img;
  for (int t = 0; t < ((turns % 4) + 4) % 4; ++t) {
    Image r(out.width(), out.height());
    for (int y = 0; y < out.height(); ++y)
      for (int x = 0; x < out.width(); ++x) r.Set(out.height() - 1 - y, x, out.At(x, y));
    out = r;
  }
  return out;
}

// Spare floor pictures for numbers the game never asks for: passable floor, decorated.
Image Deco(const SpriteSpec& s) {
  Image img = FloorTile();
  int variant = s.IntParam("variant", s.index % 6);
  int seed = s.number;
  switch (variant) {
    case 0:  // pebbles
      for (int i = 0; i < 5; ++i) {
        double x = 5 + Noise(i, 1, seed) * 22, y = 5 + Noise(i, 2, seed) * 22;
        FillEllipse(img, x + 0.5, y + 1, 2.2, 1.6, P("floor_dark"));
        FillEllipse(img, x, y, 2, 1.5, P("dirt_pebble"));
      }
      break;
    case 1:  // a crack
      Line(img, 6, 8, 12, 14, P("floor_grout"));
      Line(img, 12, 14, 11, 21, P("floor_grout"));
      Line(img, 12, 14, 20, 17, P("floor_grout"));
      Line(img, 20, 17, 25, 24, P("floor_grout"));
      break;
    case 2:  // moss in the corners
      for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
          double d = std::min(std::hypot(x - 1, y - 1), std::hypot(x - 30, y - 30));
          if (d < 9 && Noise(x, y, seed) < 0.75 - d / 12)
            img.Set(x, y, Noise(x, y, seed + 1) < 0.5 ? P("green_dark") : P("green"));
        }
      break;
    case 3:  // small flowers
      for (int i = 0; i < 3; ++i) {
        int x = 7 + static_cast<int>(Noise(i, 3, seed) * 18),
            y = 7 + static_cast<int>(Noise(i, 4, seed) * 18);
        Rgb petal = i % 2 ? P("pink_light") : P("cream");
        img.Set(x - 1, y, petal);
        img.Set(x + 1, y, petal);
        img.Set(x, y - 1, petal);
        img.Set(x, y + 1, petal);
        img.Set(x, y, P("gold"));
      }
      break;
    case 4:  // an inlaid diamond
      FillPolygon(img, {{16, 6}, {26, 16}, {16, 26}, {6, 16}}, P("floor_dark"));
      FillPolygon(img, {{16, 8}, {24, 16}, {16, 24}, {8, 16}}, P("wall_light"));
      FillPolygon(img, {{16, 11}, {21, 16}, {16, 21}, {11, 16}}, P("floor_light"));
      break;
    default:  // worn slab
      for (int y = 4; y < 28; ++y)
        for (int x = 4; x < 28; ++x)
          if (Noise(x, y, seed) < 0.18) img.Set(x, y, P("floor_dark"));
      break;
  }
  return img;
}

// Wooden planks that give way: whole, cracked, broken through.
Image Fragile(const SpriteSpec& s) {
  int stage = s.IntParam("stage");
  Image img(kTile, kTile, P("plank_base"));
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      int row = y % 8;
      if (row == 0)
        img.Set(x, y, P("plank_gap"));
      else if (row == 1)
        img.Set(x, y, P("plank_light"));
      else if (row == 7)
        img.Set(x, y, P("plank_dark"));
      else if (Noise(x / 3, y, 9) < 0.25)
        img.Set(x, y, Mix(P("plank_base"), P("plank_dark"), 0.35));
    }
  }
  // Board ends and nails.
  for (int r = 0; r < 4; ++r) {
    int seam = (r % 2) ? 10 : 22;
    for (int y = r * 8 + 1; y < r * 8 + 8; ++y) img.Set(seam, y, P("plank_gap"));
    img.Set(seam - 2, r * 8 + 4, P("ink_soft"));
    img.Set(seam + 2, r * 8 + 4, P("ink_soft"));
  }
  if (stage >= 1) {
    Rgb crack = P("plank_gap");
    Line(img, 4, 3, 11, 12, crack);
    Line(img, 11, 12, 9, 19, crack);
    Line(img, 11, 12, 19, 15, crack);
    Line(img, 19, 15, 27, 26, crack);
    Line(img, 19, 15, 24, 9, crack);
  }
  if (stage >= 2) {
    // Holes: the abyss shows through.
    FillEllipse(img, 12, 13, 6, 4, P("ink"));
    FillEllipse(img, 12, 13.5, 5, 3, P("abyss_deep"));
    FillEllipse(img, 22, 23, 5, 3.5, P("ink"));
    FillEllipse(img, 22, 23.5, 4, 2.5, P("abyss_deep"));
    Line(img, 7, 10, 17, 10, P("plank_light"));
    Line(img, 18, 20, 26, 20, P("plank_light"));
  }
  return img;
}

Image Dirt(const SpriteSpec&) {
  Image img(kTile, kTile, P("dirt_base"));
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x)
      if (Noise(x, y, 63) < 0.2) img.Set(x, y, P("dirt_dark"));
  const double clumps[][3] = {{8, 9, 6}, {22, 7, 5}, {15, 20, 7}, {27, 24, 4.5}, {5, 26, 4}};
  for (const auto& c : clumps) {
    FillEllipse(img, c[0] + 1, c[1] + 1, c[2], c[2] * 0.8, P("dirt_dark"));
    FillEllipse(img, c[0], c[1], c[2], c[2] * 0.8, P("dirt_light"));
    FillEllipse(img, c[0] - c[2] * 0.3, c[1] - c[2] * 0.3, c[2] * 0.45, c[2] * 0.35,
                Mix(P("dirt_light"), P("cream"), 0.3));
  }
  for (int i = 0; i < 6; ++i)
    img.Set(static_cast<int>(Noise(i, 0, 64) * 31), static_cast<int>(Noise(i, 1, 64) * 31),
            P("dirt_pebble"));
  return img;
}

Image Slush(const SpriteSpec&) {
  Image img(kTile, kTile, P("slush_base"));
  const double puddles[][4] = {{10, 10, 8, 5}, {23, 20, 7, 6}, {9, 25, 5, 3}};
  for (const auto& p : puddles) FillEllipse(img, p[0], p[1], p[2], p[3], P("slush_dark"));
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x)
      if (Noise(x, y, 62) < 0.08) img.Set(x, y, P("slush_light"));
  FillEllipse(img, 20, 8, 3, 2, P("slush_light"));
  FillEllipse(img, 6, 18, 2, 1.5, P("slush_light"));
  FillEllipse(img, 27, 29, 2.5, 1.5, P("white"));
  return img;
}

// Water is drawn adding its light to the abyss beneath; over the whole screen it is the
// blue flash of a beam. Dark blues with brighter wave crests, no key.
Image Water(const SpriteSpec& s) {
  Image img(kTile, kTile, P("water_base"));
  double shift = s.phase / 3.0;
  for (int x = 0; x < kTile; ++x) {
    for (int band = 0; band < 4; ++band) {
      double off = (band % 2) * 0.5;
      double y = band * 8 + 3 + 1.6 * std::sin(2 * std::numbers::pi * (x / 32.0 + shift + off));
      int yi = static_cast<int>(std::lround(y));
      img.Set(x, yi, P("water_wave"));
      img.Set(x, yi + 1, Mix(P("water_base"), P("water_wave"), 0.4));
    }
  }
  for (int i = 0; i < 3; ++i) {
    int x = static_cast<int>(Noise(i, s.phase, 4) * 30), y = static_cast<int>(Noise(i, 7, 4) * 30);
    img.Set(x, y, P("water_glint"));
    img.Set(x + 1, y, P("water_glint"));
  }
  return img;
}

Image IceBase(int variant) {
  Image img(kTile, kTile, P("ice_base"));
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      if (x == 0 || y == 0)
        img.Set(x, y, P("ice_light"));
      else if (x == kTile - 1 || y == kTile - 1)
        img.Set(x, y, P("ice_dark"));
      else if (Noise(x, y, 66) < 0.04)
        img.Set(x, y, P("ice_light"));
    }
  }
  // Glints along the diagonal make the ice look slippery.
  Line(img, 5, 14, 14, 5, P("ice_light"));
  Line(img, 6, 16, 16, 6, P("ice_light"));
  Line(img, 18, 26, 26, 18, P("ice_light"));
  if (variant == 1) {
    for (int y = 2; y < 30; ++y)
      for (int x = 2; x < 30; ++x)
        if (Noise(x, y, 67) < 0.05) img.Set(x, y, P("white"));
  } else if (variant == 2) {
    Line(img, 8, 27, 15, 19, P("ice_crack"));
    Line(img, 15, 19, 24, 21, P("ice_crack"));
    Line(img, 15, 19, 17, 11, P("ice_crack"));
  }
  return img;
}

Image Ice(const SpriteSpec& s) {
  return IceBase(s.IntParam("variant", s.index));
}

// An ice curve: the open sides are the way in and out; a snow bank fills the outer corner.
// `inner` names the corner the curve bends around: "br", "bl", "tl", "tr".
Image IceCurve(const SpriteSpec& s) {
  Image img = IceBase(0);
  std::string inner = s.Param("inner");
  double cx = inner[1] == 'r' ? 32 : 0, cy = inner[0] == 'b' ? 32 : 0;
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (d > 29.5)
        img.Set(x, y, d > 31.5 ? P("snow_base") : P("snow_shade"));
      else if (std::abs(d - 16) < 0.6)
        img.Set(x, y, P("ice_dark"));
    }
  }
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x)
      if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) > 33 && Noise(x, y, 69) < 0.15)
        img.Set(x, y, P("ice_light"));
  return img;
}

// The abyss behind the map: a deep, slowly twinkling sky, tiled over the screen.
Image Background(const SpriteSpec& s) {
  Image img(kTile, kTile, P("abyss_base"));
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      double n = 0.5 + 0.5 * std::sin(2 * std::numbers::pi * (x + y) / 32.0) *
                           std::cos(2 * std::numbers::pi * (x - y) / 32.0);
      // Soft swirls, a little lighter or darker than the base, never a hard grid.
      if (n > 0.85)
        img.Set(x, y, Mix(P("abyss_base"), P("abyss_cloud"), 0.7));
      else if (n < 0.06)
        img.Set(x, y, Mix(P("abyss_base"), P("abyss_deep"), 0.6));
    }
  }
  const int stars[][2] = {{6, 7}, {21, 4}, {26, 19}, {11, 24}, {17, 14}};
  for (int i = 0; i < 5; ++i) {
    int x = stars[i][0], y = stars[i][1];
    int level = (i + s.phase) % 3;  // each star peaks in a different frame
    if (level == 0) {
      img.Set(x, y, P("star_dim"));
    } else {
      img.Set(x, y, P("star_bright"));
      if (level == 2) {
        Rgb arm = Mix(P("star_bright"), P("abyss_base"), 0.45);
        img.Set(x - 1, y, arm);
        img.Set(x + 1, y, arm);
        img.Set(x, y - 1, arm);
        img.Set(x, y + 1, arm);
      }
    }
  }
  return img;
}

// The void as the editor shows it (the game never draws it): dark, with a faint dot grid.
Image Void(const SpriteSpec&) {
  Image img(kTile, kTile, P("void_base"));
  for (int i = 0; i < kTile; i += 4) {
    img.Set(i, 0, P("void_dot"));
    img.Set(0, i, P("void_dot"));
  }
  return img;
}

Image Conveyor(const SpriteSpec& s) {
  // Drawn moving right, then turned.
  Image img(kTile, kTile, P("belt_base"));
  for (int x = 0; x < kTile; ++x) {
    for (int y : {0, 1, 30, 31}) img.Set(x, y, P("belt_rail"));
    img.Set(x, 2, P("ink_soft"));
    img.Set(x, 29, P("ink_soft"));
  }
  for (int x = 2; x < kTile; x += 4)
    for (int y = 3; y < 29; ++y) img.Set(x, y, P("belt_ridge"));
  for (int x = 3; x < kTile; x += 8) {
    img.Set(x, 0, P("steel_light"));
    img.Set(x, 31, P("steel_light"));
  }
  for (int c = 0; c < 2; ++c) {
    int x0 = 6 + c * 12;
    FillPolygon(img,
                {{x0 + 0.0, 8},
                 {x0 + 5.0, 8},
                 {x0 + 11.0, 16},
                 {x0 + 5.0, 24},
                 {x0 + 0.0, 24},
                 {x0 + 6.0, 16}},
                P("arrow_dark"));
    FillPolygon(img,
                {{x0 - 1.0, 7},
                 {x0 + 4.0, 7},
                 {x0 + 10.0, 15},
                 {x0 + 4.0, 23},
                 {x0 - 1.0, 23},
                 {x0 + 5.0, 15}},
                P("arrow_base"));
  }
  std::string dir = s.Param("dir");
  int turns = dir == "down" ? 1 : dir == "left" ? 2 : dir == "up" ? 3 : 0;
  return Rotate(img, turns);
}

Image CrateTarget(const SpriteSpec&) {
  Image img = FloorTile();
  Rgb mark = P("red"), dark = P("red_dark");
  for (int i = 0; i < 8; ++i) {
    for (auto [x, y] : {std::pair{4 + i, 4},
                        {4, 4 + i},
                        {27 - i, 4},
                        {27, 4 + i},
                        {4 + i, 27},
                        {4, 27 - i},
                        {27 - i, 27},
                        {27, 27 - i}}) {
      img.Set(x, y, mark);
      img.Set(x + 1, y + 1, dark);
    }
  }
  Line(img, 12, 12, 19, 19, mark);
  Line(img, 19, 12, 12, 19, mark);
  Line(img, 13, 12, 20, 19, dark);
  Line(img, 20, 12, 13, 19, dark);
  return img;
}

Image Checkpoint(const SpriteSpec&) {
  Image img = FloorTile();
  FillEllipse(img, 16, 26, 9, 3.5, P("floor_dark"));
  FillEllipse(img, 16, 25.5, 7, 2.5, P("steel_dark"));
  FillRect(img, 11, 5, 2, 21, P("brown_dark"));
  FillRect(img, 12, 5, 1, 21, P("brown_light"));
  FillPolygon(img, {{13, 5}, {26, 9}, {13, 14}}, P("green"));
  FillPolygon(img, {{13, 5}, {26, 9}, {13, 8}}, P("green_light"));
  Line(img, 13, 14, 26, 9, P("green_dark"));
  FillEllipse(img, 12, 4.5, 1.8, 1.8, P("gold"));
  return img;
}

// The hint tile; stretched, the same picture is the panel behind a level's hint text, so the
// mark stays faint and the panel dark.
Image Hint(const SpriteSpec&) {
  Image img(kTile, kTile, P("hint_panel"));
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x)
      if (y > 16) img.Set(x, y, Mix(P("hint_panel"), P("hint_panel_dark"), (y - 16) / 16.0));
  FrameRect(img, 0, 0, 32, 32, P("ink"));
  FrameRect(img, 1, 1, 30, 30, P("gold"));
  FrameRect(img, 2, 2, 28, 28, P("gold_dark"));
  for (auto [x, y] : {std::pair{1, 1}, {30, 1}, {1, 30}, {30, 30}}) img.Set(x, y, P("gold_light"));
  // A question mark.
  Rgb m = P("hint_mark");
  FillRect(img, 12, 8, 8, 2, m);
  FillRect(img, 10, 10, 3, 3, m);
  FillRect(img, 19, 10, 3, 5, m);
  FillRect(img, 16, 15, 4, 2, m);
  FillRect(img, 15, 17, 3, 3, m);
  FillRect(img, 15, 22, 3, 3, m);
  return img;
}

// The plate that switches the magnets off while something stands on it.
Image MagnetPlate(const SpriteSpec&) {
  Image img = FloorTile();
  FillRect(img, 4, 5, 25, 25, P("floor_grout"));
  FillRect(img, 5, 4, 23, 23, P("steel_base"));
  Image plate(kTile, kTile);
  FillRect(plate, 5, 4, 23, 23, P("steel_base"));
  Bevel(plate, P("steel_light"), P("steel_dark"));
  Blit(img, plate, 0, 0);
  // A small magnet, struck through.
  FillRing(img, 16, 14, 3, 6, P("red"));
  FillRect(img, 10, 14, 12, 7, P("steel_base"));
  FillRect(img, 10, 14, 3, 5, P("red"));
  FillRect(img, 19, 14, 3, 5, P("red"));
  FillRect(img, 10, 19, 3, 2, P("silver_light"));
  FillRect(img, 19, 19, 3, 2, P("silver_light"));
  for (int i = 0; i < 16; ++i) {
    img.Set(8 + i, 23 - i, P("ink"));
    img.Set(9 + i, 23 - i, P("ink"));
  }
  return img;
}

// The item remover: a swirling hole that takes salt bag, fire suit and boots.
Image Remover(const SpriteSpec&) {
  Image img = FloorTile();
  FillEllipse(img, 16, 16.5, 12.5, 12.5, P("floor_grout"));
  FillEllipse(img, 16, 16, 11.5, 11.5, P("purple_dark"));
  for (int arm = 0; arm < 3; ++arm) {
    for (int t = 0; t < 40; ++t) {
      double a = arm * 2 * std::numbers::pi / 3 + t * 0.13, r = 1.5 + t * 0.24;
      img.Set(static_cast<int>(16 + r * std::cos(a)), static_cast<int>(16 + r * std::sin(a)),
              t < 20 ? P("purple_light") : P("purple"));
    }
  }
  FillEllipse(img, 16, 16, 2, 2, P("ink"));
  return img;
}

}  // namespace

void RegisterGroundArt(std::map<std::string, Drawer>& d) {
  d["floor"] = [](const SpriteSpec&) { return FloorTile(); };
  d["deco"] = Deco;
  d["fragile"] = Fragile;
  d["dirt"] = Dirt;
  d["slush"] = Slush;
  d["water"] = Water;
  d["ice"] = Ice;
  d["icecurve"] = IceCurve;
  d["background"] = Background;
  d["void"] = Void;
  d["conveyor"] = Conveyor;
  d["target"] = CrateTarget;
  d["checkpoint"] = Checkpoint;
  d["hint"] = Hint;
  d["plate"] = MagnetPlate;
  d["remover"] = Remover;
}

}  // namespace mediagen

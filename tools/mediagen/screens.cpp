#include "screens.h"

#include <cmath>
#include <numbers>

#include "art.h"
#include "font.h"
#include "palette.h"

namespace mediagen {

namespace {

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

TextStyle HugeStyle(Rgb top, Rgb bottom) {
  TextStyle s;
  s.scale = 7;
  s.bubble = 0.4;
  s.top = top;
  s.bottom = bottom;
  s.outline = P("ink");
  s.outlineWidth = 3;
  s.shadow = 4;
  s.shadowColour = Mix(P("ink"), P("purple_dark"), 0.4);
  s.advance = 40;
  s.gloss = true;
  return s;
}

TextStyle LargeStyle(Rgb top, Rgb bottom) {
  TextStyle s = HugeStyle(top, bottom);
  s.scale = 4;
  s.bubble = 0;
  s.outlineWidth = 2;
  s.shadow = 2;
  s.advance = 22;
  return s;
}

void Stars(Image& img, int count, int maxY, int seed) {
  for (int i = 0; i < count; ++i) {
    int x = static_cast<int>(Noise(i, 0, seed) * img.width());
    int y = static_cast<int>(Noise(i, 1, seed) * maxY);
    double fade = 1.0 - static_cast<double>(y) / maxY;
    Rgb c = Mix(img.At(x, y), P("star_bright"), 0.35 + 0.65 * fade);
    img.Set(x, y, c);
    if (Noise(i, 2, seed) < 0.15) {
      Rgb arm = Mix(img.At(x, y), c, 0.5);
      for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        img.Set(x + dx, y + dy, Mix(img.At(x + dx, y + dy), arm, 0.6));
    }
  }
}

void Hills(Image& img, int base, double amplitude, double period, Rgb c, int seed) {
  for (int x = 0; x < img.width(); ++x) {
    double phase = Noise(0, 0, seed) * 6.28;
    double h = amplitude * (0.6 * std::sin(x / period + phase) +
                            0.4 * std::sin(x / (period * 0.43) + phase * 2));
    for (int y = static_cast<int>(base - amplitude - h); y < img.height(); ++y) img.Set(x, y, c);
  }
}

// One row of map tiles; figures are drawn 8 pixels up as the game does.
void TileRow(Image& img, const std::vector<Image>& sprites, int y, const std::vector<int>& codes) {
  for (size_t i = 0; i < codes.size(); ++i)
    if (codes[i] >= 0) Blit(img, OnFloor(sprites[codes[i]]), static_cast<int>(i) * 32, y, false);
}

// The warm evening sky and the hills that several screens share.
Image Landscape(int seed) {
  Image img(kScreenW, kScreenH, P("abyss_base"));
  PaintGradient(img, 0, 400,
                {P("abyss_deep"), P("abyss_base"), P("purple_dark"), P("pink_dark"), P("orange"),
                 P("amber_light")});
  Stars(img, 140, 260, seed);
  Hills(img, 392, 26, 70, Mix(P("purple_dark"), P("abyss_base"), 0.5), seed + 1);
  Hills(img, 412, 18, 45, Mix(P("abyss_base"), P("ink"), 0.3), seed + 2);
  return img;
}

// Ground at the foot of a screen: a row of floor with things on it over a bank of dirt.
void Ground(Image& img, const std::vector<Image>& sprites, const std::vector<int>& top) {
  std::vector<int> row = top;
  row.resize(20, 60);
  TileRow(img, sprites, 416, row);
  TileRow(img, sprites, 448, std::vector<int>(20, 63));
  for (int x = 0; x < kScreenW; ++x) img.Set(x, 447, Mix(P("dirt_dark"), P("ink"), 0.5));
}

Image Heading1() {
  TextStyle s = HugeStyle(P("gold_light"), P("orange"));
  Image img(216, 88, kKey);
  DrawText(img, 3, 3, "TOBLI", s);
  return img;
}

Image Heading2() {
  TextStyle s = HugeStyle(P("pink_light"), P("red"));
  s.advance = 28;
  Image img(100, 88, kKey);
  // The numeral stands a little apart from the name before it.
  DrawText(img, 14, 3, "II", s);
  // A twinkle on the numeral.
  int cx = 84, cy = 10;
  for (int d = -5; d <= 5; ++d) {
    img.Set(cx + d, cy, P("white"));
    img.Set(cx, cy + d, P("white"));
  }
  for (int d = -2; d <= 2; ++d) {
    img.Set(cx + d, cy + d, P("gold_light"));
    img.Set(cx + d, cy - d, P("gold_light"));
  }
  return img;
}

// The sun that rises behind the name and stays beside the numeral while the story scrolls.
Image Heading3() {
  const int w = 320, h = 150;
  const double cx = 236, cy = 74, r = 40;
  Image img(w, h, kKey);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = std::hypot(dx, dy);
      double ray = std::cos(std::atan2(dy, dx) * 12);
      if (d < r) {
        img.Set(x, y, Mix(P("gold_light"), P("amber"), d / r * 0.8 + 0.2 * (dy > 0)));
      } else if (d < r + 3) {
        img.Set(x, y, P("orange"));
      } else if (ray > 0.55 && d > r + 7 && d < r + 14 + 14 * (ray - 0.55) / 0.45) {
        img.Set(x, y, d < r + 17 ? P("gold") : P("amber"));
      }
    }
  }
  for (int i = 0; i < 8; ++i) {
    double a = i * std::numbers::pi / 4 + 0.26, rr = r + 34 + 4 * (i % 3);
    int x = static_cast<int>(cx + rr * std::cos(a)), y = static_cast<int>(cy + rr * std::sin(a));
    img.Set(x, y, P("white"));
    for (auto [ddx, ddy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
      img.Set(x + ddx, y + ddy, P("gold_light"));
  }
  // A smiling face: the sun is glad to see the sweets come home.
  FillEllipse(img, cx - 13, cy - 4, 3, 4, P("orange_dark"));
  FillEllipse(img, cx + 13, cy - 4, 3, 4, P("orange_dark"));
  for (int x = -10; x <= 10; ++x)
    img.Set(static_cast<int>(cx + x), static_cast<int>(cy + 7 + 0.05 * (100 - x * x)),
            P("orange_dark"));
  Outline(img, P("orange_dark"));
  return img;
}

Image Title(const std::vector<Image>& sprites) {
  Image img = Landscape(1);
  Ground(img, sprites,
         {60, 14, 60, 61, 60, 5, 6, 7, 60, 60, 15, 60, 60, 16, 60, 60, 60, 17, 60, 60});
  // The cast: enemies on the left, the hero on the right.
  Blit(img, Enlarge(sprites[144], 1), 40, 354);
  Blit(img, Enlarge(sprites[188], 1), 120, 354);
  Blit(img, Enlarge(sprites[140], 2), 468, 294);
  return img;
}

void Medallion(Image& img, int cx, int cy, Rgb colour, Rgb light, Rgb dark) {
  FillEllipse(img, cx + 1.5, cy + 2.5, 21, 21, P("ink_soft"));
  FillEllipse(img, cx + 0.5, cy + 0.5, 21, 21, P("ink"));
  FillEllipse(img, cx + 0.5, cy + 0.5, 19.5, 19.5, P("gold"));
  FillEllipse(img, cx, cy, 18.5, 18.5, P("gold_light"));
  FillEllipse(img, cx + 0.5, cy + 0.5, 17, 17, P("gold_dark"));
  FillEllipse(img, cx + 0.5, cy + 0.5, 15.5, 15.5, dark);
  FillEllipse(img, cx + 0.5, cy + 0.5, 14.5, 14.5, colour);
  FillEllipse(img, cx - 4.5, cy - 5.5, 6, 4, light);
}

Image Select(const std::vector<Image>& sprites) {
  Image img = Landscape(2);
  Ground(img, sprites,
         {60, 60, 61, 60, 14, 60, 60, 60, 60, 60, 60, 60, 10, 60, 60, 15, 60, 60, 60, 60});
  // The board that holds "Game:" and the three slot medallions.
  const int bx = 270, by = 140, bw = 270, bh = 200;
  FillRect(img, bx + 4, by + 6, bw, bh, P("ink_soft"));
  FillRect(img, bx - 2, by - 2, bw + 4, bh + 4, P("ink"));
  for (int y = by; y < by + bh; ++y)
    for (int x = bx; x < bx + bw; ++x) {
      Rgb c = (y - by) % 20 == 0   ? P("wood_dark")
              : (y - by) % 20 == 1 ? P("wood_light")
                                   : P("wood_base");
      if (Noise(x / 4, y, 7) < 0.12 && (y - by) % 20 > 1) c = Mix(c, P("wood_dark"), 0.4);
      img.Set(x, y, c);
    }
  FrameRect(img, bx, by, bw, bh, P("wood_light"));
  FrameRect(img, bx + 1, by + 1, bw - 2, bh - 2, P("wood_dark"));
  for (auto [x, y] : {std::pair{bx + 6, by + 6},
                      {bx + bw - 8, by + 6},
                      {bx + 6, by + bh - 8},
                      {bx + bw - 8, by + bh - 8}}) {
    FillRect(img, x, y, 3, 3, P("steel_dark"));
    img.Set(x, y, P("steel_light"));
  }
  // Plaque behind "Game:" (printed by the game at 339, 167 in the big font).
  FillRect(img, 329, 160, 102, 36, P("ink"));
  FillRect(img, 330, 161, 100, 34, P("plank_gap"));
  FrameRect(img, 331, 162, 98, 32, P("gold_dark"));
  // Medallions centred on the slot letters (top-left of A 347,234; B 450,279; C 360,286).
  Medallion(img, 355, 245, P("pink"), P("pink_light"), P("pink_dark"));
  Medallion(img, 458, 290, P("cyan"), P("cyan_light"), P("cyan_dark"));
  Medallion(img, 368, 297, P("lime"), P("lime_light"), P("lime_dark"));
  // Heading and help.
  TextStyle large = LargeStyle(P("gold_light"), P("orange"));
  DrawText(img, 40, 30, "CHOOSE", large);
  DrawText(img, 40, 80, "A GAME", large);
  TextStyle small = SmallFontStyle();
  DrawText(img, 28, 352, "Up/Down: choose", small);
  DrawText(img, 28, 376, "Space:   play", small);
  Blit(img, Enlarge(sprites[140], 2), 86, 190);
  return img;
}

Image Gameover(const std::vector<Image>& sprites) {
  Image img(kScreenW, kScreenH, P("abyss_base"));
  PaintGradient(img, 0, 420, {P("abyss_deep"), P("abyss_base"), P("purple_dark"), P("pink_dark")});
  Stars(img, 220, 380, 9);
  Hills(img, 420, 20, 60, Mix(P("abyss_base"), P("ink"), 0.3), 10);
  TextStyle huge = HugeStyle(P("pink_light"), P("red"));
  huge.advance = 44;
  for (const char* word : {"GAME", "OVER"}) {
    int w = TextWidth(word, huge);
    Image layer(kScreenW, kScreenH, kKey);
    DrawText(layer, (kScreenW - w) / 2, word[0] == 'G' ? 60 : 160, word, huge);
    Blit(img, layer, 0, 0);
  }
  TextStyle small = SmallFontStyle();
  const std::string thanks = "Thanks for playing!";
  DrawText(img, (kScreenW - TextWidth(thanks, small)) / 2, 270, thanks, small);
  Blit(img, Enlarge(sprites[140], 2), 256, 300);
  Blit(img, Enlarge(ItemIcon("sweet:0"), 1), 150, 370);
  Blit(img, Enlarge(ItemIcon("sweet:2"), 1), 426, 370);
  return img;
}

}  // namespace

Image MakeHelpScreen(const std::vector<Image>& sprites);

Image Enlarge(const Image& sprite, int times) {
  Image img = sprite;
  for (int i = 0; i < times; ++i) img = Scale2x(img);
  return img;
}

void PaintGradient(Image& img, int y0, int y1, const std::vector<Rgb>& colours) {
  int steps = static_cast<int>(colours.size()) - 1;
  for (int y = y0; y < y1; ++y) {
    double t = static_cast<double>(y - y0) / (y1 - y0) * steps;
    int band = std::min(static_cast<int>(t), steps - 1);
    double frac = t - band;
    for (int x = 0; x < img.width(); ++x) {
      // Eight shades between two colours, chosen by the dither matrix.
      double level = std::floor(frac * 8 + kBayer[y % 4][x % 4] / 16.0) / 8;
      img.Set(x, y, Mix(colours[band], colours[band + 1], std::min(1.0, level)));
    }
  }
}

Screens MakeScreens(const std::vector<Image>& sprites) {
  Screens s;
  s.title = Title(sprites);
  s.select = Select(sprites);
  s.help = MakeHelpScreen(sprites);
  s.gameover = Gameover(sprites);
  s.heading1 = Heading1();
  s.heading2 = Heading2();
  s.heading3 = Heading3();
  return s;
}

}  // namespace mediagen

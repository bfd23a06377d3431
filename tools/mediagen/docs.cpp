#include "docs.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "font.h"
#include "palette.h"

namespace mediagen {

namespace {

// The game prints with a font picture whose black is transparent; the generator's own
// letters are the same glyphs, so printing is drawing the styled text at the glyph's place
// within its cell (2, 2 in the big font, 3, 1 in the small one).
void Print(Image& img, const std::string& text, int x, int y, const TextStyle& style) {
  DrawText(img, x + (style.shadow ? 2 : 3), y + (style.shadow ? 2 : 1), text, style);
}

}  // namespace

Image ContactSheet(const std::vector<Image>& sprites) {
  const int cols = 20, cellW = 70, cellH = 84;
  int rows = (static_cast<int>(sprites.size()) + cols - 1) / cols;
  Image sheet(cols * cellW, rows * cellH, P("abyss_deep"));
  TextStyle tiny = TinyStyle();
  for (size_t n = 0; n < sprites.size(); ++n) {
    int x0 = static_cast<int>(n % cols) * cellW + 3, y0 = static_cast<int>(n / cols) * cellH + 3;
    Image big = ScaleNearest(sprites[n], 2);
    for (int y = 0; y < big.height(); ++y)
      for (int x = 0; x < big.width(); ++x) {
        Rgb c = big.At(x, y);
        if (c == kKey) c = ((x / 8 + y / 8) % 2) ? Rgb{200, 200, 200} : Rgb{150, 150, 150};
        sheet.Set(x0 + x, y0 + y, c);
      }
    std::string label = std::to_string(n);
    DrawText(sheet, x0 + (64 - TextWidth(label, tiny)) / 2, y0 + 67, label, tiny);
  }
  return sheet;
}

Image TitleShot(const Screens& s, const std::vector<std::string>& intro) {
  Image img = s.title;
  TextStyle big = BigFontStyle();
  const double lh = 24 * 1.2, zt = 150;
  for (size_t k = 0; k < intro.size(); ++k) {
    double y = k * lh + zt;
    if (y > -20 && y < 480) {
      int x = static_cast<int>((640 - intro[k].size() * 16) * 0.5);
      Print(img, intro[k], x, static_cast<int>(y), big);
    }
  }
  Blit(img, s.heading3, 200, 20);
  Blit(img, s.heading2, 280, 50);
  Blit(img, s.heading1, 64, 50);
  return img;
}

Image SelectShot(const Screens& s) {
  Image img = s.select;
  TextStyle big = BigFontStyle();
  Print(img, "Game:", 339, 167, big);
  Print(img, "A", 347, 234, big);
  Print(img, "b", 450, 279, big);
  Print(img, "c", 360, 286, big);
  for (int num = 0; num < 8; ++num) {
    double a = (num * 45 + 30) * std::numbers::pi / 180;
    Print(img, "*", static_cast<int>(347 + 50 * std::sin(a)),
          static_cast<int>(234 + 50 * std::cos(a)), big);
  }
  return img;
}

Image PlayShot(const std::vector<Image>& sprites) {
  // A corner of a level: map codes as the level files hold them.
  const std::vector<std::vector<int>> map = {
      {76, 74, 74, 74, 74, 74, 74, 74, 74, 74, 77, 92, 92, 92, 92, 92, 92, 92, 92, 92},
      {75, 60, 60, 14, 60, 63, 63, 60, 10, 60, 75, 92, 92, 76, 74, 74, 74, 74, 77, 92},
      {75, 60, 61, 60, 100, 60, 63, 60, 60, 60, 75, 92, 92, 75, 66, 67, 66, 70, 75, 92},
      {75, 60, 60, 60, 60, 60, 60, 60, 60, 60, 87, 60, 60, 60, 66, 75, 68, 67, 75, 92},
      {75, 15, 60, 9, 9, 29, 49, 60, 0, 60, 75, 92, 92, 75, 69, 79, 68, 66, 75, 92},
      {78, 74, 77, 60, 60, 60, 60, 60, 60, 60, 75, 92, 92, 75, 60, 16, 84, 84, 75, 92},
      {92, 92, 75, 4, 4, 4, 60, 18, 18, 60, 75, 92, 92, 75, 109, 60, 60, 60, 75, 92},
      {92, 92, 75, 4, 4, 60, 60, 60, 19, 60, 78, 74, 74, 79, 60, 111, 81, 101, 75, 92},
      {92, 92, 75, 60, 85, 60, 106, 60, 60, 60, 60, 65, 80, 60, 60, 60, 82, 102, 75, 92},
      {92, 92, 75, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 17, 60, 93, 75, 92},
      {92, 92, 78, 74, 74, 74, 74, 74, 74, 74, 74, 74, 74, 74, 74, 74, 74, 74, 79, 92},
  };
  Image img(kScreenW, kScreenH, kBlack);
  for (int by = 0; by < 15; ++by)
    for (int bx = 0; bx < 20; ++bx)
      Blit(img, sprites[97 + (bx + by) % 3 / 2], bx * 32, by * 32, false);
  for (size_t row = 0; row < map.size(); ++row)
    for (size_t col = 0; col < map[row].size(); ++col) {
      int c = map[row][col];
      int x = static_cast<int>(col) * 32, y = 32 + static_cast<int>(row) * 32;
      if (c == 92) continue;
      if (c == 4) {  // water adds its light to the abyss beneath
        for (int yy = 0; yy < 32; ++yy)
          for (int xx = 0; xx < 32; ++xx) {
            Rgb a = img.At(x + xx, y + yy), b = sprites[4].At(xx, yy);
            img.Set(x + xx, y + yy,
                    {static_cast<uint8_t>(std::min(255, a.r + b.r)),
                     static_cast<uint8_t>(std::min(255, a.g + b.g)),
                     static_cast<uint8_t>(std::min(255, a.b + b.b))});
          }
        continue;
      }
      Blit(img, sprites[c], x, y);
    }
  Blit(img, sprites[5], 7 * 32, 32 + 32);
  Blit(img, sprites[124], 6 * 32, 32 + 8 * 32 - 8);
  Blit(img, sprites[190], 15 * 32, 32 + 1 * 32 - 8);
  Blit(img, sprites[142], 4 * 32, 32 + 3 * 32 - 8);
  // Status bar as the play field draws it.
  Blit(img, sprites[264], 32, 13);
  Blit(img, sprites[261], 544, 8);
  Blit(img, sprites[260], 352, 12);
  Print(img, "4", 390, 22, SmallFontStyle());
  return img;
}

std::string SpriteTable(const std::vector<SpriteSpec>& specs) {
  std::vector<const SpriteSpec*> order;
  for (const SpriteSpec& s : specs) order.push_back(&s);
  std::sort(order.begin(), order.end(),
            [](const SpriteSpec* a, const SpriteSpec* b) { return a->number < b->number; });
  std::ostringstream out;
  out << "| Sprite | Role |\n|---|---|\n";
  for (const SpriteSpec* s : order) out << "| " << s->number << " | " << s->role << " |\n";
  return out.str();
}

}  // namespace mediagen

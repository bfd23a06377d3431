#include "font.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <stdexcept>

#include "palette.h"

namespace mediagen {

namespace {

constexpr int kGlyphW = 5;
constexpr int kGlyphH = 9;
using Glyph = std::array<std::string, kGlyphH>;

std::map<char, Glyph>& Glyphs() {
  static std::map<char, Glyph> glyphs;
  return glyphs;
}

const Glyph& GlyphOf(char c) {
  auto it = Glyphs().find(c);
  if (it == Glyphs().end()) it = Glyphs().find('?');
  if (it == Glyphs().end()) throw std::runtime_error("no glyphs loaded");
  return it->second;
}

// Each ink pixel of the glyph as a block grown by `grow`: a point is ink when it lies within
// that distance of some ink block, which rounds the outer corners.
Image BubbleMask(char c, int scale, double grow) {
  const Glyph& g = GlyphOf(c);
  int pad = static_cast<int>(std::ceil(grow * scale));
  Image img(kGlyphW * scale + 2 * pad, kGlyphH * scale + 2 * pad, kKey);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      double gx = (x + 0.5 - pad) / scale, gy = (y + 0.5 - pad) / scale;
      bool ink = false;
      for (int cy = 0; cy < kGlyphH && !ink; ++cy)
        for (int cx = 0; cx < kGlyphW && !ink; ++cx) {
          if (g[cy][cx] != '#') continue;
          double dx = std::max(0.0, std::abs(gx - cx - 0.5) - 0.5);
          double dy = std::max(0.0, std::abs(gy - cy - 0.5) - 0.5);
          ink = dx * dx + dy * dy <= grow * grow;
        }
      if (ink) img.Set(x, y, {255, 255, 255});
    }
  return img;
}

// The glyph as white ink on the key colour, doubled `scale` times over.
Image GlyphMask(char c, int scale) {
  const Glyph& glyph = GlyphOf(c);
  Image img(kGlyphW, kGlyphH, kKey);
  for (int y = 0; y < kGlyphH; ++y)
    for (int x = 0; x < kGlyphW; ++x)
      if (glyph[y][x] == '#') img.Set(x, y, {255, 255, 255});
  for (int s = 1; s < scale; s *= 2) img = Scale2x(img);
  return img;
}

void OutlineAround(Image& img, Rgb c, int width) {
  for (int pass = 0; pass < width; ++pass) {
    Image copy = img;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        if (!copy.IsKey(x, y)) continue;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            if (copy.Inside(x + dx, y + dy) && !copy.IsKey(x + dx, y + dy)) img.Set(x, y, c);
      }
  }
}

// Lights the upper left edge of each letter and shades the lower right, so big letters look
// like glossy candy. Runs before the shadow is added: everything not outline is letter.
void Gloss(Image& img, Rgb edge) {
  Image copy = img;
  const Rgb shine{255, 255, 255};
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      Rgb c = copy.At(x, y);
      if (c == kKey || c == edge) continue;
      bool lit = false;
      for (int d = 1; d <= 2 && !lit; ++d) {
        if (copy.At(x - d, y) == edge || copy.At(x, y - d) == edge) {
          img.Set(x, y, Mix(c, shine, d == 1 ? 0.8 : 0.45));
          lit = true;
        }
      }
      if (!lit && (copy.At(x + 2, y) == edge || copy.At(x, y + 2) == edge))
        img.Set(x, y, Scale(c, 0.82));
    }
}

}  // namespace

void LoadGlyphs(const std::string& path) {
  std::ifstream f(path);
  if (!f) throw std::runtime_error("cannot read " + path);
  Glyphs().clear();
  std::string line;
  int lineNo = 0;
  while (std::getline(f, line)) {
    ++lineNo;
    if (line.empty() || line.rfind("# ", 0) == 0) continue;
    if (line.rfind("char ", 0) != 0 || line.size() < 6)
      throw std::runtime_error(path + ":" + std::to_string(lineNo) + ": expected 'char <c>'");
    std::string name = line.substr(5);
    char c = name == "space" ? ' ' : name[0];
    if (name != "space" && name.size() != 1)
      throw std::runtime_error(path + ":" + std::to_string(lineNo) + ": one character please");
    Glyph g;
    for (auto& row : g) {
      ++lineNo;
      if (!std::getline(f, row) || row.size() != kGlyphW ||
          row.find_first_not_of(".#") != std::string::npos)
        throw std::runtime_error(path + ":" + std::to_string(lineNo) + ": bad glyph row");
    }
    if (!Glyphs().emplace(c, g).second)
      throw std::runtime_error(path + ": character '" + std::string(1, c) + "' twice");
  }
  for (int c = 32; c < 127; ++c)
    if (!Glyphs().count(static_cast<char>(c)))
      throw std::runtime_error(path + ": no glyph for '" + std::string(1, static_cast<char>(c)) +
                               "'");
}

Image StyledGlyph(char c, const TextStyle& style) {
  Image mask =
      style.bubble > 0 ? BubbleMask(c, style.scale, style.bubble) : GlyphMask(c, style.scale);
  if (style.bold) {
    Image wide(mask.width() + 1, mask.height(), kKey);
    for (int y = 0; y < mask.height(); ++y)
      for (int x = 0; x < mask.width(); ++x)
        if (!mask.IsKey(x, y)) {
          wide.Set(x, y, mask.At(x, y));
          wide.Set(x + 1, y, mask.At(x, y));
        }
    mask = wide;
  }
  int m = style.outlineWidth;
  Image img(mask.width() + 2 * m + style.shadow, mask.height() + 2 * m + style.shadow, kKey);
  int h = mask.height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < mask.width(); ++x)
      if (!mask.IsKey(x, y))
        img.Set(x + m, y + m, Mix(style.top, style.bottom, h > 1 ? y / (h - 1.0) : 0));
  OutlineAround(img, style.outline, m);
  if (style.gloss) Gloss(img, style.outline);
  if (style.shadow > 0) {
    Image copy = img;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (img.IsKey(x, y) && !copy.IsKey(x - style.shadow, y - style.shadow))
          img.Set(x, y, style.shadowColour);
  }
  return img;
}

int DrawText(Image& dst, int x, int y, const std::string& text, const TextStyle& style) {
  for (char c : text) {
    if (c != ' ') Blit(dst, StyledGlyph(c, style), x - style.outlineWidth, y - style.outlineWidth);
    x += style.advance;
  }
  return x;
}

int TextWidth(const std::string& text, const TextStyle& style) {
  if (text.empty()) return 0;
  return static_cast<int>(text.size() - 1) * style.advance + kGlyphW * style.scale +
         (style.bold ? 1 : 0);
}

TextStyle SmallFontStyle() {
  TextStyle s;
  s.scale = 2;
  s.top = P("white");
  s.bottom = P("cream");
  s.outline = P("ink");
  s.outlineWidth = 1;
  s.advance = 16;
  return s;
}

TextStyle BigFontStyle() {
  TextStyle s;
  s.scale = 2;
  s.top = P("gold_light");
  s.bottom = P("orange");
  s.outline = P("ink");
  s.outlineWidth = 1;
  s.shadow = 1;
  s.shadowColour = P("ink_soft");
  s.advance = 16;
  s.bold = true;
  return s;
}

TextStyle TinyStyle() {
  TextStyle s;
  s.scale = 1;
  s.top = P("white");
  s.bottom = P("cream");
  s.outline = P("ink");
  s.outlineWidth = 1;
  s.advance = 7;
  return s;
}

namespace {

Image Sheet(const TextStyle& style, int cellW, int cellH, int glyphX, int glyphY) {
  Image sheet(16 * cellW, 8 * cellH, kBlack);
  for (int c = 33; c < 127; ++c) {
    Image g = StyledGlyph(static_cast<char>(c), style);
    int x0 = (c % 16) * cellW + glyphX - style.outlineWidth;
    int y0 = (c / 16) * cellH + glyphY - style.outlineWidth;
    Blit(sheet, g, x0, y0);
  }
  return sheet;
}

}  // namespace

Image SmallFontSheet() {
  return Sheet(SmallFontStyle(), 16, 20, 3, 1);
}

Image BigFontSheet() {
  return Sheet(BigFontStyle(), 16, 24, 2, 2);
}

}  // namespace mediagen

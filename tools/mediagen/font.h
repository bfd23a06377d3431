// Letters: the glyph source (5 x 9 pixel letters), the game's two bitmap fonts made from it,
// and text drawn into the generator's own pictures in the same letters.
#pragma once

#include <string>

#include "image.h"

namespace mediagen {

struct TextStyle {
  int scale = 2;           // 1, 2, 4 or 8: the letter is doubled this often with smooth edges
  Rgb top{255, 255, 255};  // fill at the top of a letter, blended to `bottom` at its foot
  Rgb bottom{255, 255, 255};
  Rgb outline{0, 0, 0};
  int outlineWidth = 1;  // pixels around the letter (8 neighbours)
  int shadow = 0;        // drop shadow offset down and right, 0 for none
  Rgb shadowColour{0, 0, 0};
  int advance = 16;   // pixels from one letter to the next
  bool bold = false;  // strokes one pixel wider to the right
  // Rounded letters for headings: > 0 draws each glyph pixel as a scale x scale block grown
  // by this much (in glyph pixels) with round outer corners; scale may then be any size.
  double bubble = 0;
  bool gloss = false;  // light upper left edges, shaded lower right ones, inside the outline
};

// Reads the glyph source; throws unless every printable character 32..126 is there once.
void LoadGlyphs(const std::string& path);

// The letter on a key-coloured picture, its glyph box starting at (margin, margin) where
// margin = outlineWidth.
Image StyledGlyph(char c, const TextStyle& style);
// Draws text with its first glyph box at (x, y); returns the x after the last letter.
int DrawText(Image& dst, int x, int y, const std::string& text, const TextStyle& style);
int TextWidth(const std::string& text, const TextStyle& style);

// The styles of the game's fonts and of the generator's pictures.
TextStyle SmallFontStyle();
TextStyle BigFontStyle();
TextStyle TinyStyle();  // help texts: the letters at their own size

// The font pictures: 16 x 8 cells of 128 characters on black (the font key).
// Small: 16 x 20 cells; big: 16 x 24 cells.
Image SmallFontSheet();
Image BigFontSheet();

}  // namespace mediagen

// Bitmap fonts: 128 character cells in a grid of 16 columns and 8 rows of one picture, held in
// the top 16 sprite slots, and the text drawn from them.
#include <GL/gl.h>

#include <cstring>

#include "gfx/lumetra.h"
#include "gfx/sprite_slots.h"

using namespace tobli::gfx;

namespace {

// Fonts hold cells for codes 0-127 only. A byte from 128 up (an accented letter of an 8-bit
// text, say) draws the cell of "?", so the text keeps its width and shows that a character is
// missing rather than some unrelated glyph.
constexpr unsigned char kMissingGlyph = '?';
constexpr int kCellColumns = 16;
constexpr int kCellRows = 8;

int FontSlot(int font) {
  return kLumFontSlotBase + font;
}

}  // namespace

bool OpenGLLumetra::LoadFont(unsigned font, const char* path) {
  if (!IsFont(font)) return false;
  // Black is the font key: every other colour, the sprite key's included, is drawn.
  return LoadSprite(static_cast<unsigned>(FontSlot(static_cast<int>(font))), path, 0, false);
}

void OpenGLLumetra::GetFontSize(int16_t font, int& width, int& height) {
  if (!IsFont(font)) {
    width = height = 0;
    return;
  }
  width = nWidth[FontSlot(font)];
  height = nHeight[FontSlot(font)];
}

void OpenGLLumetra::DrawTextA(int16_t font, const char* text, int16_t x, int16_t y) {
  if (!IsFont(font) || text == nullptr) return;
  int s = FontSlot(font);
  if (!HoldsPicture(*this, s) || !HasContext()) return;
  SetTexture3D(s, -1, 0);
  int cw = nWidth[s] >> 4;
  int ch = nHeight[s] >> 3;
  float du = PictureU(*this, s) / kCellColumns;
  float dv = PictureV(*this, s) / kCellRows;
  int length = static_cast<int16_t>(std::strlen(text));
  int left = x;
  int top = y;
  glBegin(GL_QUADS);
  for (int i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= kCellColumns * kCellRows) c = kMissingGlyph;
    float u = static_cast<float>(c % kCellColumns) * du;
    // Texture rows run bottom-up: the picture's top row of cells is the last.
    float v = static_cast<float>(kCellRows - 1 - c / kCellColumns) * dv;
    glTexCoord2f(u, v);
    glVertex2i(left, -(top + ch));
    glTexCoord2f(u + du, v);
    glVertex2i(left + cw, -(top + ch));
    glTexCoord2f(u + du, v + dv);
    glVertex2i(left + cw, -top);
    glTexCoord2f(u, v + dv);
    glVertex2i(left, -top);
    left += cw;
  }
  glEnd();
}

// The sprite and font commands of the game language: numbers become slots, coordinates and
// sizes, and each command hands on to the renderer. Before start-up (no renderer) and without
// a GL context the draws do nothing.
#include "gfx/sprite_commands.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/frame.h"
#include "core/services.h"
#include "data/archive.h"
#include "gfx/command_numbers.h"
#include "gfx/lumetra.h"
#include "gfx/sprite_slots.h"

using namespace tobli::gfx;

namespace {

// Loading a font that exists but cannot be read ends the program with this code.
constexpr double kErrorUnreadablePicture = 3;

// A slot number: values beyond the int range become -1, which every table ignores.
int Slot(double value) {
  int64_t whole = Whole(value);
  if (whole < INT32_MIN || whole > INT32_MAX) return -1;
  return static_cast<int>(whole);
}

// A whole number for the box test, capped so that a corner plus a size cannot overflow.
int64_t BoxNumber(double value) {
  constexpr int64_t kCap = int64_t{1} << 61;
  return std::clamp(Whole(value), -kCap, kCap);
}

int ClampFont(double n) {
  int64_t font = Whole(n);
  if (font < 0) return 0;
  if (font > kLumFonts - 1) return kLumFonts - 1;
  return static_cast<int>(font);
}

// True when a draw can reach the screen: there is a renderer and a GL context. Without a
// context (headless) the draws change nothing, so they return before any conversion.
bool Draws() {
  return pLum != nullptr && OpenGLLumetra::HasContext();
}

// The data slot's fetch: true with the path to open in file.
bool Fetch(KDStr& file) {
  return ExtractMember(__g_DezeZer_Data, file);
}

}  // namespace

void LOADSPRITE(KDStr file, double n) {
  int slot = Slot(n);
  if (pLum == nullptr || !IsSpriteSlot(slot)) return;
  if (!Fetch(file)) return;
  pLum->FreeSprite(slot);
  pLum->LoadSprite(static_cast<unsigned>(slot), file.GetStrData(), kSpriteColorKey, false);
}

void SPRITE(double n, double x, double y) {
  if (Draws()) pLum->DrawSprite(Low16(n), Low16(x), Low16(y));
}

void STRETCHSPRITE(double n, double x, double y, double w, double h) {
  if (Draws()) pLum->StretchSprite(Low16(n), Low16(x), Low16(y), Low16(w), Low16(h));
}

void ZOOMSPRITE(double n, double x, double y, double sx, double sy) {
  int16_t slot = Low16(n);
  if (!Draws() || !IsSpriteSlot(slot)) return;
  // The zoomed size keeps the sprite's centre where it was; a negative factor zooms alike.
  double width = pLum->nWidth[slot];
  double height = pLum->nHeight[slot];
  double w = std::trunc(std::fabs(sx * width));
  double h = std::trunc(std::fabs(sy * height));
  pLum->StretchSprite(slot, Low16(x - (w - width) / 2), Low16(y - (h - height) / 2), Low16(w),
                      Low16(h));
}

void ROTOSPRITE(double n, double x, double y, double angle) {
  // Only the angle modulo 360 matters, so a huge angle loses nothing by being cut to 32 bits.
  if (Draws()) {
    pLum->RotoSprite(Low16(n), Low16(x), Low16(y), static_cast<int>(Whole(angle) % 360));
  }
}

void ROTOZOOMSPRITE(double n, double x, double y, double angle, double zoom) {
  int16_t slot = Low16(n);
  if (!Draws() || !IsSpriteSlot(slot)) return;
  OPENGL_SPRITEFX fx;
  fx.fAngle = static_cast<float>(angle);
  // A side below one pixel (zoom 0, negative or tiny) draws the sprite at its own size.
  fx.nWidth = Low16(pLum->nWidth[slot] * zoom);
  fx.nHeight = Low16(pLum->nHeight[slot] * zoom);
  fx.nColor = 0;
  pLum->DrawSpriteFX(slot, Low16(x), Low16(y), fx);
}

void ALPHAMODE(double mode) {
  if (pLum) pLum->DoAlpha(static_cast<float>(mode));
}

void GRABSPRITE(double n, double x, double y, double w, double h) {
  if (pLum) pLum->GrabSprite(Low16(n), Low16(x), Low16(y), Low16(w), Low16(h));
}

double SPRCOLL(double a, double x1, double y1, double b, double x2, double y2) {
  if (pLum == nullptr) return 0;
  return pLum->SpriteCollision(Slot(a), Slot(b), Low16(x1), Low16(y1), Low16(x2), Low16(y2)) ? 1
                                                                                             : 0;
}

void BOXCOLL(double& result, double x1, double y1, double w1, double h1, double x2, double y2,
             double w2, double h2) {
  // Each rectangle is normalised from its corner and signed size; touching edges collide.
  struct Span {
    int64_t low;
    int64_t high;
  };
  auto span = [](double at, double size) {
    int64_t a = BoxNumber(at);
    int64_t b = a + BoxNumber(size);
    return a < b ? Span{a, b} : Span{b, a};
  };
  Span across1 = span(x1, w1);
  Span across2 = span(x2, w2);
  Span down1 = span(y1, h1);
  Span down2 = span(y2, h2);
  bool across = std::max(across1.low, across2.low) <= std::min(across1.high, across2.high);
  bool down = std::max(down1.low, down2.low) <= std::min(down1.high, down2.high);
  result = across && down ? 1 : 0;
}

void LOADFONT(KDStr file, double n) {
  __nCurFont = ClampFont(n);
  if (pLum == nullptr || !Fetch(file)) return;
  if (!pLum->LoadFont(static_cast<unsigned>(__nCurFont), file.GetStrData())) {
    __RuntimeError(kErrorUnreadablePicture);
  }
}

void SETFONT(double n) {
  __nCurFont = ClampFont(n);
}

void PRINT(KDStr text, double x, double y) {
  if (Draws()) {
    pLum->DrawTextA(static_cast<int16_t>(__nCurFont), text.GetStrData(), Low16(x), Low16(y));
  }
}

void PRINT(double number, double x, double y) {
  if (!Draws()) return;
  PRINT(KDStr(FormatNumber(number).c_str()), x, y);
}

void GETFONTSIZE(double& w, double& h) {
  int width = 0;
  int height = 0;
  if (pLum) pLum->GetFontSize(static_cast<int16_t>(__nCurFont), width, height);
  w = width >> 4;
  h = height >> 3;
}

void __LoadStartupFont() {
  LOADFONT("Smalfont.bmp", 0);
}

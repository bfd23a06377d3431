// What the editor shows: the tile window with its enemies and start tile, the palette screen
// and the overview of the whole map.
#define TOBLI_SOURCE_FILE 1
#include "editor_parts.h"
#include "game.h"

namespace {

constexpr double kPaletteColumns = 20;
constexpr double kPaletteCells = 200;
constexpr double kLastTool = 80;
// Palette cells from this one on show void and do nothing.
constexpr double kFirstVoidTool = 68;

}  // namespace

void seescreen(double ox, double oy) {
  if (ox < 0) ox = 0;
  if (oy < 0) oy = 0;
  for (double cx = 0; cx <= 19; cx = cx + 1) {
    for (double cy = 0; cy <= 14; cy = cy + 1) {
      DLN();
      SPRITE(hit(ox + cx, oy + cy), 32 * cx, 32 * cy);
    }
  }
}

void showsprites() {
  for (double e = 0; e <= maxene - 1; e = e + 1) {
    DLN();
    if (enelook(e) <= 0) continue;
    DLN();
    double sx = (enex(e) - offsx) * 32;
    DLN();
    double sy = (eney(e) - offsy) * 32;
    DLN();
    SPRITE(kSpriteStart + 4 * enelook(e), sx, sy);
    DLN();
    if (enemode(e) < 4) {
      DLN();
      SPRITE(enemode(e) + kSpriteModeMarker, sx, sy);
    }
    DLN();
    if (enemode(e) == 4) {
      // A chasing enemy always looks the same.
      DLN();
      enelook(e) = 17;
      DLN();
      SPRITE(kSpriteChaseMarker, sx, sy);
    }
    DLN();
    SPRITE(enespd(e) + kSpriteSpeedMarker, sx, sy);
  }
  DLN();
  SPRITE(kSpriteStart, (startx - offsx) * 32, (starty - offsy) * 32);
}

double tileselect() {
  double result = 127;
  while (result > kLastTool) {
    // Asked to quit: no tool is chosen (the caller keeps its own).
    if (EditorQuitAsked()) return -1;
    for (double k = 0; k <= kPaletteCells - 1; k = k + 1) {
      double g = 92;
      if (k < kFirstVoidTool) {
        DLN();
        g = hitgfx(k);
      }
      double column = MOD(k, kPaletteColumns);
      double row = Whole(k / kPaletteColumns);
      DLN();
      SPRITE(g, 32 * column, 32 * row);
    }
    DLN();
    MOUSESTATE(mousex, mousey, mouseb1, mouseb2);
    DLN();
    SPRITE(kSpritePointer, mousex, mousey);
    DLN();
    // The hint wraps below the palette rather than running off the screen.
    BOXPRINT(hint_Str, 0, 130, 620);
    DLN();
    SHOWSCREEN();
    if (mouseb1 != 0) {
      // The pointer reaches x = 640, one pixel past the last column; it still means that
      // column rather than the first cell of the next row.
      double column = Whole(mousex / 32);
      if (column > kPaletteColumns - 1) column = kPaletteColumns - 1;
      result = Whole(mousey / 32) * kPaletteColumns + column;
    }
  }
  while (mouseb1 != 0) {
    DLN();
    MOUSESTATE(mousex, mousey, mouseb1, mouseb2);
  }
  return result;
}

void EditorOverview() {
  DLN();
  SHOWSCREEN();
  while (mouseb1 == 0) {
    // Asked to quit: the window stays where it was.
    if (EditorQuitAsked()) return;
    for (double cx = 0; cx <= 99; cx = cx + 1) {
      for (double cy = 0; cy <= 99; cy = cy + 1) {
        DLN();
        STRETCHSPRITE(hit(cx, cy), 4 * cx, 4 * cy, 4, 4);
      }
    }
    DLN();
    MOUSESTATE(mousex, mousey, mouseb1, mouseb2);
    DLN();
    SPRITE(kSpritePointer, mousex, mousey);
    DLN();
    SHOWSCREEN();
  }
  while (mouseb1 != 0) {
    DLN();
    PRINT("Release mouse", 100, 100);
    DLN();
    MOUSESTATE(mousex, mousey, mouseb1, mouseb2);
    DLN();
    SHOWSCREEN();
  }
  offsx = Whole(mousex / 4) - 10;
  offsy = Whole(mousey / 4) - 7;
  if (offsx < 0) offsx = 0;
  if (offsy < 0) offsy = 0;
  if (offsx > 79) offsx = 80;
  if (offsy > 85) offsy = 85;
}

// The editor's window drawn by the real renderer and read back: the scrolled tile window, the
// enemies with their mode and speed markers, the chasing enemy's look, and the start tile.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "game.h"
#include "runtime.h"
#include "runtime/gfx/bmp_files.h"
#include "support/gl_test_support.h"
#include "support/test_support.h"

namespace tobli::test {
namespace {

// Each sprite gets a solid colour; markers are smaller than a tile, the speed marker smallest,
// so that an enemy, its mode marker and its speed marker can all be seen in one cell.
struct Picture {
  int sprite;
  int size;
  uint32_t colour;
};
const Picture kPictures[] = {
    {60, 32, Rgb(40, 40, 40)},   {73, 32, Rgb(200, 10, 10)},  {92, 32, Rgb(5, 5, 60)},
    {9, 32, Rgb(120, 60, 0)},    {120, 32, Rgb(10, 200, 10)}, {128, 32, Rgb(200, 200, 0)},
    {132, 32, Rgb(0, 200, 200)}, {188, 32, Rgb(200, 0, 200)}, {110, 16, Rgb(250, 120, 0)},
    {113, 16, Rgb(120, 250, 0)}, {116, 8, Rgb(0, 120, 250)},  {118, 8, Rgb(250, 250, 250)},
};

uint32_t ColourOf(int sprite) {
  for (const Picture& p : kPictures) {
    if (p.sprite == sprite) return p.colour;
  }
  return 0;
}

// The screen pixel inside the window cell (column, row) at (dx, dy) from its top-left corner.
uint32_t CellPixel(int column, int row, int dx = 16, int dy = 16) {
  return PixelAt(column * 32 + dx, row * 32 + dy);
}

void PlaceMap() {
  SetGameStartValues();
  for (double c = 0; c < 128; c = c + 1) {
    for (double r = 0; r < 128; r = r + 1) hit(c, r) = 92;
  }
  for (double c = 1; c <= 30; c = c + 1) {
    for (double r = 1; r <= 20; r = r + 1) hit(c, r) = 60;
  }
  hit(2, 1) = 73;    // the window's top-left cell
  hit(21, 15) = 9;   // its bottom-right cell
  hit(1, 1) = 73;    // left of the window
  hit(22, 15) = 73;  // right of it
  offsx = 2;
  offsy = 1;
  startx = 3;
  starty = 2;
  maxene = 3;
  enex(0) = 5, eney(0) = 4, enelook(0) = 2, enemode(0) = 1, enespd(0) = 2;
  enex(1) = 7, eney(1) = 4, enelook(1) = 3, enemode(1) = 4, enespd(1) = 0;
  enex(2) = 9, eney(2) = 4, enelook(2) = 0, enemode(2) = 1, enespd(2) = 2;   // not present
  enex(3) = 11, eney(3) = 4, enelook(3) = 2, enemode(3) = 0, enespd(3) = 0;  // beyond maxene
}

TEST(EditorScreen, WindowEnemiesMarkersAndStartTile) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  for (const Picture& p : kPictures) {
    std::string name = "p" + std::to_string(p.sprite) + ".bmp";
    WriteFile(name, MakeSolidBmp24(p.size, p.size, p.colour));
    LOADSPRITE(name.c_str(), p.sprite);
  }
  PlaceMap();

  seescreen(offsx, offsy);
  showsprites();
  EXPECT_EQ(CellPixel(0, 0), ColourOf(73)) << "map cell (2, 1)";
  EXPECT_EQ(CellPixel(19, 14), ColourOf(9)) << "map cell (21, 15)";
  EXPECT_EQ(CellPixel(19, 13), ColourOf(60));
  EXPECT_EQ(CellPixel(1, 1), ColourOf(120)) << "the start tile over its cell";
  // The enemy of look 2 at map cell (5, 4): speed marker 118 at the corner, mode 1 marker 113
  // around it, the enemy's first sprite 128 elsewhere.
  EXPECT_EQ(CellPixel(3, 3, 4, 4), ColourOf(118));
  EXPECT_EQ(CellPixel(3, 3, 12, 12), ColourOf(113));
  EXPECT_EQ(CellPixel(3, 3, 24, 24), ColourOf(128));
  // Absent entries are not drawn.
  EXPECT_EQ(CellPixel(7, 3), ColourOf(60)) << "look 0";
  EXPECT_EQ(CellPixel(9, 3), ColourOf(60)) << "beyond maxene";
  // The chasing enemy carries the chase marker and speed 0's marker; from the next frame on
  // it is drawn with look 17.
  EXPECT_EQ(CellPixel(5, 3, 4, 4), ColourOf(116));
  EXPECT_EQ(CellPixel(5, 3, 12, 12), ColourOf(110));
  EXPECT_EQ(enelook(1), 17);
  SHOWSCREEN();
  seescreen(offsx, offsy);
  showsprites();
  EXPECT_EQ(CellPixel(5, 3, 24, 24), ColourOf(188));

  // Offsets below 0 count as 0: the window then starts at map cell (0, 0), which is void.
  SHOWSCREEN();
  seescreen(-3, -1);
  EXPECT_EQ(CellPixel(0, 0), ColourOf(92));
  EXPECT_EQ(CellPixel(1, 1), ColourOf(73));
  EXPECT_EQ(CellPixel(2, 1), ColourOf(73));
  EXPECT_EQ(CellPixel(3, 1), ColourOf(60));
}

}  // namespace
}  // namespace tobli::test

// A frame of the play field drawn by the real renderer and read back: the view of a small
// level, the exit that flashes only without sweets, the switched-off magnet, still fragile
// floor, the void that lets the background through, and the field kept over a pause.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game.h"
#include "runtime.h"
#include "runtime/gfx/bmp_files.h"
#include "support/gl_test_support.h"
#include "support/test_support.h"

namespace {

using namespace tobli::test;

// Every sprite the frame uses gets its own solid colour.
struct Picture {
  int sprite;
  uint32_t colour;
};
const Picture kPictures[] = {
    {97, Rgb(10, 20, 30)},   {98, Rgb(10, 20, 31)},  {99, Rgb(10, 20, 32)},
    {60, Rgb(40, 40, 40)},   {93, Rgb(200, 10, 10)}, {272, Rgb(10, 200, 10)},
    {273, Rgb(10, 10, 200)}, {65, Rgb(200, 200, 0)}, {274, Rgb(0, 200, 200)},
    {9, Rgb(120, 60, 0)},    {29, Rgb(60, 120, 0)},  {49, Rgb(0, 60, 120)},
};

uint32_t ColourOf(int sprite) {
  for (const Picture& p : kPictures) {
    if (p.sprite == sprite) return p.colour;
  }
  return 0;
}

// The centre of stored cell (c, r) on the screen while the view is at 32, 32.
uint32_t CellPixel(int c, int r) {
  return PixelAt((c + 6 - 1) * 32 + 16, (r + 6 - 1) * 32 + 16);
}

// A 4 by 2 level placed as the game loads it:
//   93 93 93 65
//   60 92  9 60
void PlaceLevel() {
  SetGameStartValues();
  for (double c = 0; c < 128; c = c + 1) {
    for (double r = 0; r < 128; r = r + 1) hit(c, r) = 92;
  }
  const int rows[2][4] = {{93, 93, 93, 65}, {60, 92, 9, 60}};
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 4; ++c) hit(c + 6, r + 6) = rows[r][c];
  }
  maxx = 3;
  maxy = 1;
  xlevel = 6 + maxx + 5;
  ylevel = 6 + maxy + 5;
  plyx = 6 * 32;
  plyy = 7 * 32;
}

// One frame with the background clock at its first phase.
void DrawFrame() {
  backdelay = 0;
  backani = 0;
  displaygame();
}

TEST(PlayFieldFrame, SmallLevelExitMagnetFragileFloorAndVoid) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  for (const Picture& p : kPictures) {
    std::string name = "p" + std::to_string(p.sprite) + ".bmp";
    WriteFile(name, MakeSolidBmp24(32, 32, p.colour));
    LOADSPRITE(name.c_str(), p.sprite);
  }
  PlaceLevel();

  sweets = 1;
  magnet = 1;
  DrawFrame();
  EXPECT_EQ(offsx, 32);
  EXPECT_EQ(offsy, 32);
  // The margin's first column and row are off screen: the level starts 5 tiles in.
  EXPECT_EQ(CellPixel(0, 1), ColourOf(60));
  EXPECT_EQ(PixelAt(5 * 32 - 1, 6 * 32 + 16), ColourOf(97)) << "void left of the level";
  for (int c = 0; c < 3; ++c) EXPECT_EQ(CellPixel(c, 0), ColourOf(93)) << "exit " << c;
  EXPECT_EQ(CellPixel(3, 0), ColourOf(65));
  EXPECT_EQ(CellPixel(1, 1), ColourOf(97)) << "the void is not drawn";
  EXPECT_EQ(CellPixel(2, 1), ColourOf(9)) << "fragile floor is never animated";

  // No sweets left: the exit cycles 272, 93, 273 along the diagonal; magnets off show 274.
  sweets = 0;
  magnet = 0;
  DrawFrame();
  EXPECT_EQ(CellPixel(0, 0), ColourOf(272));
  EXPECT_EQ(CellPixel(1, 0), ColourOf(93));
  EXPECT_EQ(CellPixel(2, 0), ColourOf(273));
  EXPECT_EQ(CellPixel(3, 0), ColourOf(274));

  // The next background phase moves the cycle along by one.
  backdelay = 9;
  backani = 0;
  displaygame();
  EXPECT_EQ(backani, 1);
  EXPECT_EQ(CellPixel(0, 0), ColourOf(93));
  EXPECT_EQ(CellPixel(1, 0), ColourOf(273));
  EXPECT_EQ(CellPixel(2, 0), ColourOf(93));
  EXPECT_EQ(CellPixel(1, 1), ColourOf(98)) << "the background's second picture";

  // The frame after a pause shows the play field as it was (kept, not drawn anew).
  int width = 0;
  int height = 0;
  std::vector<uint32_t> before = ReadFrame(width, height);
  pausegame();
  EXPECT_EQ(backdelay, 0) << "the background clock stands still";
  EXPECT_TRUE(ReadFrame(width, height) == before) << "the field after the pause";
}

}  // namespace

// Fonts: loading and choosing them, their cell sizes, and text drawn from their cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error_log.h"
#include "core/services.h"
#include "gfx/lumetra.h"
#include "runtime.h"
#include "runtime/gfx/bmp_files.h"
#include "runtime/gfx/lit_area.h"
#include "support/gl_test_support.h"
#include "support/test_support.h"

namespace {

using namespace tobli::test;

constexpr int kFontSlot0 = 4079;

// A colour of its own for each character cell, never black.
uint32_t CellColour(int code) {
  return Rgb(1 + code * 2, 255 - code, 60 + (code % 16) * 10);
}

// A font picture of 16 x 8 cells of cw x ch pixels, each cell filled with its colour.
std::string MakeFont(int cw, int ch) {
  int width = 16 * cw;
  int height = 8 * ch;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels[static_cast<size_t>(y) * width + x] = CellColour((y / ch) * 16 + x / cw);
    }
  }
  return MakeBmp24(width, height, pixels);
}

TEST(FontTables, MissingFileKeepsTheSlotButMakesTheFontCurrentAndSetFontClamps) {
  ScopedTempDir dir;
  HeadlessRenderer renderer;
  double w = -1;
  double h = -1;
  SETFONT(2);
  GETFONTSIZE(w, h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);

  WriteFile("font.bmp", MakeFont(16, 16));
  LOADFONT("font.bmp", 2);
  EXPECT_EQ(pLum->nWidth[kFontSlot0 + 2], 256);
  EXPECT_EQ(pLum->nTexHeight[kFontSlot0 + 2], 128);
  SETFONT(0);
  LOADFONT("missing.bmp", 2);
  EXPECT_EQ(__nCurFont, 2);
  EXPECT_EQ(pLum->nWidth[kFontSlot0 + 2], 256);
  GETFONTSIZE(w, h);
  EXPECT_EQ(w, 16);
  EXPECT_EQ(h, 16);

  // Renderer calls with a font beyond the table are ignored.
  int pw = -1;
  int ph = -1;
  pLum->GetFontSize(16, pw, ph);
  EXPECT_EQ(pw, 0);
  EXPECT_EQ(ph, 0);
  EXPECT_FALSE(pLum->LoadFont(16, "font.bmp"));
  EXPECT_EQ(pLum->nTexWidth[kFontSlot0 - 1], -1);
  SETFONT(0);

  // SETFONT truncates and clamps to the sixteen fonts.
  for (double n : {20.0, -3.0, 7.9, 1e300}) {
    SETFONT(n);
    EXPECT_EQ(__nCurFont, n > 15 ? 15 : n < 0 ? 0 : 7) << n;
  }

  // Start-up loads Smalfont.bmp as font 0 and makes it current.
  WriteFile("Smalfont.bmp", MakeFont(8, 12));
  SETFONT(5);
  __LoadStartupFont();
  EXPECT_EQ(__nCurFont, 0);
  GETFONTSIZE(w, h);
  EXPECT_EQ(w, 8);
  EXPECT_EQ(h, 12);
}

TEST(FontTables, FontThatIsNoPictureEndsTheProgramWithCodeThree) {
  ScopedTempDir dir;
  EXPECT_EXIT(
      {
        HeadlessRenderer renderer;
        WriteFile("font.bmp", "not a picture");
        __dLn(0, 42);
        LOADFONT("font.bmp", 1);
      },
      ::testing::ExitedWithCode(0), "");
  tobli::test::ExpectEndRecord(3, 42);
}

TEST(TextDrawing, CellsSitSideBySideAndBytesBeyondTheGridDrawTheQuestionMark) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  WriteFile("font.bmp", MakeFont(16, 16));
  LOADFONT("font.bmp", 0);
  PRINT("AB", 10, 20);
  EXPECT_EQ(FindLitArea(), (LitArea{10, 20, 42, 36, 2 * 16 * 16}));
  EXPECT_EQ(PixelAt(10, 20), CellColour('A'));
  EXPECT_EQ(PixelAt(25, 35), CellColour('A'));
  EXPECT_EQ(PixelAt(26, 20), CellColour('B'));
  EXPECT_EQ(PixelAt(41, 35), CellColour('B'));

  // Numbers print their text.
  glClear(GL_COLOR_BUFFER_BIT);
  PRINT(0.5, 100, 100);
  EXPECT_EQ(FindLitArea(), (LitArea{100, 100, 148, 116, 3 * 16 * 16}));
  EXPECT_EQ(PixelAt(104, 104), CellColour('0'));
  EXPECT_EQ(PixelAt(120, 104), CellColour('.'));
  EXPECT_EQ(PixelAt(136, 104), CellColour('5'));

  glClear(GL_COLOR_BUFFER_BIT);
  PRINT("", 100, 100);
  EXPECT_EQ(CountLitPixels(), 0);

  // Bytes beyond the grid draw the question mark cell.
  glClear(GL_COLOR_BUFFER_BIT);
  WriteFile("font.bmp", MakeFont(8, 8));
  LOADFONT("font.bmp", 3);
  PRINT("\x80\xE4\xFF\n", 0, 0);
  EXPECT_EQ(FindLitArea(), (LitArea{0, 0, 32, 8, 4 * 64}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(PixelAt(8 * i + 4, 4), CellColour('?')) << i;
  // A control code draws its own cell.
  EXPECT_EQ(PixelAt(28, 4), CellColour('\n'));
}

TEST(TextDrawing, BlackIsTransparentInFontsButTheSpriteKeyIsNot) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  // Cell 'A' of an 8 x 8 font: left half the sprite key, right half black.
  std::vector<uint32_t> pixels(128 * 64, Rgb(9, 9, 9));
  for (int y = 32; y < 40; ++y) {
    for (int x = 8; x < 16; ++x) pixels[y * 128 + x] = x < 12 ? Rgb(255, 0, 128) : 0;
  }
  WriteFile("font.bmp", MakeBmp24(128, 64, pixels));
  WriteFile("grey.bmp", MakeSolidBmp24(8, 8, Rgb(50, 50, 50)));
  LOADSPRITE("grey.bmp", 0);
  LOADFONT("font.bmp", 0);
  SPRITE(0, 40, 40);
  PRINT("A", 40, 40);
  EXPECT_EQ(PixelAt(41, 44), Rgb(255, 0, 128));
  EXPECT_EQ(PixelAt(46, 44), Rgb(50, 50, 50));
}

}  // namespace

// Lines, rectangles, pixels and polygons, read back from a real window (Xvfb, software GL).
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "bmp_files.h"
#include "lit_area.h"
#include "gfx/lumetra.h"
#include "runtime.h"
#include "support/gl_test_support.h"
#include "support/test_support.h"

namespace {

using tobli::test::CountLitPixels;
using tobli::test::ExpectNear;
using tobli::test::HeadlessRenderer;
using tobli::test::PixelAt;
using tobli::test::Rgb;
using tobli::test::ScopedTempDir;

constexpr double kWhite = 16777215;
constexpr uint32_t kWhitePixel = Rgb(255, 255, 255);

// The lit pixels of the frame being drawn, as (x, y) pairs.
std::vector<std::pair<int, int>> LitPixels() {
  int w = 0;
  int h = 0;
  std::vector<uint32_t> frame = tobli::test::ReadFrame(w, h);
  std::vector<std::pair<int, int>> lit;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (frame[static_cast<size_t>(y) * w + x] != 0) lit.emplace_back(x, y);
    }
  }
  return lit;
}

TEST(FillRect, CornersInEitherOrderFillLeftToRightMinusOne) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  for (bool reversed : {false, true}) {
    if (reversed) {
      FILLRECT(10, 10, 0, 0, kWhite);
    } else {
      FILLRECT(0, 0, 10, 10, kWhite);
    }
    EXPECT_EQ(CountLitPixels(), 100) << reversed;
    EXPECT_EQ(PixelAt(0, 0), kWhitePixel) << reversed;
    EXPECT_EQ(PixelAt(9, 9), kWhitePixel) << reversed;
    EXPECT_EQ(PixelAt(10, 9), 0u) << reversed;
    EXPECT_EQ(PixelAt(9, 10), 0u) << reversed;
    pLum->FlipScreens();
  }
  // Red sits in the low byte of a colour; an empty rectangle draws nothing.
  FILLRECT(100, 200, 104, 203, 255);
  FILLRECT(300, 300, 300, 310, kWhite);
  EXPECT_EQ(CountLitPixels(), 12);
  EXPECT_EQ(PixelAt(103, 202), Rgb(255, 0, 0));
}

TEST(DrawLine, BothEndPixelsAreSet) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  DRAWLINE(0, 0, 0, 0, kWhite);
  EXPECT_EQ(LitPixels(), (std::vector<std::pair<int, int>>{{0, 0}}));
  pLum->FlipScreens();

  DRAWLINE(5, 5, 9, 5, kWhite);      // across
  DRAWLINE(20, 7, 20, 3, kWhite);    // up
  DRAWLINE(30, 30, 34, 34, kWhite);  // diagonal
  EXPECT_EQ(CountLitPixels(), 15);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(PixelAt(5 + i, 5), kWhitePixel) << i;
    EXPECT_EQ(PixelAt(20, 3 + i), kWhitePixel) << i;
    EXPECT_EQ(PixelAt(30 + i, 30 + i), kWhitePixel) << i;
  }
}

TEST(SetPixel, OnePixelAnywhereInItsColourThroughA64BitIntegerScaledByTheIntensity) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  SETPIXEL(0, 0, kWhite);
  SETPIXEL(639, 479, 65280);
  EXPECT_EQ(LitPixels(), (std::vector<std::pair<int, int>>{{0, 0}, {639, 479}}));
  EXPECT_EQ(PixelAt(639, 479), Rgb(0, 255, 0));

  // Colours are taken through a 64-bit integer.
  SETPIXEL(1, 1, 4294967295.0);        // above the int range: all bits set
  SETPIXEL(2, 2, 4294967296.0 + 255);  // the low 32 bits: red
  SETPIXEL(3, 3, 65280.9);             // truncated
  SETPIXEL(4, 4, 1e300);               // beyond any integer: capped, no undefined conversion
  EXPECT_EQ(PixelAt(1, 1), kWhitePixel);
  EXPECT_EQ(PixelAt(2, 2), Rgb(255, 0, 0));
  EXPECT_EQ(PixelAt(3, 3), Rgb(0, 255, 0));
  EXPECT_EQ(PixelAt(4, 4), kWhitePixel);

  // The blending intensity scales the colour.
  ALPHAMODE(-0.5);
  SETPIXEL(10, 10, kWhite);
  ExpectNear(PixelAt(10, 10), Rgb(128, 128, 128), 2);
  ALPHAMODE(0.25);
  SETPIXEL(11, 11, kWhite);
  ExpectNear(PixelAt(11, 11), Rgb(64, 64, 64), 2);
  // The colour of the next draws is the blending intensity again.
  ALPHAMODE(0);
  SETPIXEL(12, 12, kWhite);
  EXPECT_EQ(PixelAt(12, 12), kWhitePixel);
}

// A 100 x 100 polygon with its corners counter-clockwise on the screen (bottom-left first), or
// clockwise, each corner given its texture coordinate.
void Square(int x, int y, bool clockwise, double colour) {
  struct Corner {
    int x, y;
    double tx, ty;
  };
  std::vector<Corner> corners = {
      {x, y + 100, 0, 1}, {x + 100, y + 100, 1, 1}, {x + 100, y, 1, 0}, {x, y, 0, 0}};
  if (clockwise) std::swap(corners[1], corners[3]);
  for (const Corner& c : corners) POLYVECTOR(c.x, c.y, c.tx, c.ty, colour);
}

TEST(Polygon, ClockwiseCornersAndVerticesOutsideAPolygonAreNotDrawn) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  STARTPOLY(-1);
  Square(10, 10, true, kWhite);
  ENDPOLY();
  EXPECT_EQ(CountLitPixels(), 0);
  STARTPOLY(-1);
  Square(10, 10, false, kWhite);
  ENDPOLY();
  EXPECT_EQ(CountLitPixels(), 10000);
  EXPECT_EQ(PixelAt(10, 10), kWhitePixel);
  EXPECT_EQ(PixelAt(109, 109), kWhitePixel);

  // Vertices outside a polygon are dropped.
  glClear(GL_COLOR_BUFFER_BIT);
  POLYVECTOR(0, 0, 0, 0, kWhite);
  ENDPOLY();
  EXPECT_EQ(CountLitPixels(), 0);
  // A new STARTPOLY ends the open polygon first: both squares are drawn.
  STARTPOLY(-1);
  Square(0, 0, false, kWhite);
  STARTPOLY(-1);
  Square(200, 0, false, kWhite);
  ENDPOLY();
  EXPECT_EQ(CountLitPixels(), 20000);
}

TEST(Polygon, TextureIsSampledTopLeftFirst) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  // 2 x 2 picture: red, green on top; blue, white below. A power-of-two size fills 0..1.
  tobli::test::WriteFile(
      "quad.bmp", tobli::test::MakeBmp24(
                      2, 2, {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(255, 255, 255)}));
  LOADSPRITE("quad.bmp", 7);
  ASSERT_EQ(pLum->nTexWidth[7], 2);
  STARTPOLY(7);
  Square(0, 0, false, kWhite);
  ENDPOLY();
  // The centres of the four texels land at 25 and 75 pixels.
  ExpectNear(PixelAt(25, 25), Rgb(255, 0, 0), 6);
  ExpectNear(PixelAt(75, 25), Rgb(0, 255, 0), 6);
  ExpectNear(PixelAt(25, 75), Rgb(0, 0, 255), 6);
  ExpectNear(PixelAt(75, 75), Rgb(255, 255, 255), 6);
  // The vertex colour tints the texture.
  STARTPOLY(7);
  Square(200, 0, false, 255);
  ENDPOLY();
  ExpectNear(PixelAt(275, 75), Rgb(255, 0, 0), 6);
  ExpectNear(PixelAt(275, 25), Rgb(0, 0, 0), 6);
}

TEST(Primitives, TextureStateComesBackAfterADraw) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  tobli::test::WriteFile("s.bmp", tobli::test::MakeSolidBmp24(4, 4, Rgb(0, 0, 255)));
  LOADSPRITE("s.bmp", 3);
  pLum->SetTexture3D(3, -1, 0);
  DRAWLINE(0, 0, 10, 0, kWhite);
  FILLRECT(0, 10, 5, 15, kWhite);
  EXPECT_EQ(pLum->nCurTexture, 3);
  EXPECT_EQ(pLum->nCurTexture2, -1);
  // Sprites still draw textured, at full colour.
  SPRITE(3, 100, 100);
  EXPECT_EQ(PixelAt(101, 101), Rgb(0, 0, 255));
}

TEST(Primitives, HeadlessKeepsThePolygonState) {
  HeadlessRenderer renderer;
  STARTPOLY(12);
  EXPECT_EQ(g_nTexture, 12);
  EXPECT_EQ(pLum->nCurTexture, 12);
  POLYVECTOR(0, 0, 0, 0, kWhite);
  ENDPOLY();
  DRAWLINE(0, 0, 5, 5, kWhite);
  FILLRECT(0, 0, 5, 5, kWhite);
  SETPIXEL(1, 1, kWhite);
  EXPECT_EQ(pLum->nCurTexture, 12);
}

}  // namespace

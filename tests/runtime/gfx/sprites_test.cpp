// Sprites: loading into the slot tables (headless and on a real window), the draws read back
// pixel by pixel, blending, grabbing and the collision tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/lumetra.h"
#include "runtime.h"
#include "runtime/gfx/bmp_files.h"
#include "runtime/gfx/lit_area.h"
#include "support/gl_test_support.h"
#include "support/test_support.h"

namespace {

using namespace tobli::test;

constexpr uint32_t kKey = Rgb(255, 0, 128);

void ExpectPictureAt(int left, int top, int width, int height,
                     const std::vector<uint32_t>& pixels) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      ASSERT_EQ(PixelAt(left + x, top + y), pixels[static_cast<size_t>(y) * width + x])
          << "picture pixel (" << x << ", " << y << ")";
    }
  }
}

// ---- Tables, without GL ----------------------------------------------------------------------

TEST(SpriteTables, LoadAndGrabRecordPictureAndPowerOfTwoTextureSizes) {
  ScopedTempDir dir;
  HeadlessRenderer renderer;
  WriteFile("pic.bmp", MakeSolidBmp24(20, 10, Rgb(1, 2, 3)));
  LOADSPRITE("pic.bmp", 7);
  EXPECT_EQ(pLum->nTexWidth[7], 32);
  EXPECT_EQ(pLum->nTexHeight[7], 16);
  EXPECT_EQ(pLum->nWidth[7], 20);
  EXPECT_EQ(pLum->nHeight[7], 10);

  // A missing file leaves the slot as it was.
  LOADSPRITE("missing.bmp", 7);
  EXPECT_EQ(pLum->nTexWidth[7], 32);

  // A file that is no picture frees the slot; its picture size stays.
  WriteFile("text.bmp", "hello, this is not a bitmap at all");
  LOADSPRITE("text.bmp", 7);
  EXPECT_EQ(pLum->nTexWidth[7], -1);
  EXPECT_EQ(pLum->nTexHeight[7], -1);
  EXPECT_EQ(pLum->nWidth[7], 20);

  // A sound header of another depth records the sizes though no texture can be made.
  WriteFile("deep.bmp", BmpHeaders(5, 3, 16, 0) + std::string(BmpStride(5, 16) * 3, '\0'));
  LOADSPRITE("deep.bmp", 8);
  EXPECT_EQ(pLum->nTexWidth[8], 8);
  EXPECT_EQ(pLum->nTexHeight[8], 4);
  EXPECT_EQ(pLum->nWidth[8], 5);

  pLum->FreeSprite(8);
  EXPECT_EQ(pLum->nTexWidth[8], -1);
  EXPECT_EQ(pLum->nWidth[8], 5);

  // Grabbed textures are powers of two of at least 32.
  GRABSPRITE(3, 0, 0, 40, 20);
  EXPECT_EQ(pLum->nTexWidth[3], 64);
  EXPECT_EQ(pLum->nTexHeight[3], 32);
  EXPECT_EQ(pLum->nWidth[3], 40);
  EXPECT_EQ(pLum->nHeight[3], 20);
  GRABSPRITE(3, 0, 0, 1, 100);
  EXPECT_EQ(pLum->nTexWidth[3], 32);
  EXPECT_EQ(pLum->nTexHeight[3], 128);

  // Wider than the largest texture: cut to it, the whole width recorded as the picture's.
  WriteFile("wide.bmp", MakeBmp8(20000, 1, {Rgb(9, 9, 9)}, std::vector<uint8_t>(20000, 0)));
  LOADSPRITE("wide.bmp", 1);
  EXPECT_EQ(pLum->nTexWidth[1], 16384);
  EXPECT_EQ(pLum->nTexHeight[1], 1);
  EXPECT_EQ(pLum->nWidth[1], 20000);
  // Wider than a 16-bit size can say: not loaded at all.
  WriteFile("wider.bmp", MakeBmp8(40000, 1, {Rgb(9, 9, 9)}, std::vector<uint8_t>(40000, 0)));
  LOADSPRITE("wider.bmp", 1);
  EXPECT_EQ(pLum->nTexWidth[1], -1);
}

TEST(SpriteTables, NumbersOutsideTheTableAreIgnored) {
  ScopedTempDir dir;
  HeadlessRenderer renderer;
  WriteFile("pic.bmp", MakeSolidBmp24(4, 4, Rgb(1, 2, 3)));
  int16_t before[4] = {pLum->nTexWidth[4094], pLum->nWidth[4094], pLum->nTexWidth[0],
                       pLum->nWidth[0]};
  // 65535 and 36000 are -1 and -29536 in 16 bits.
  for (double n : {4095.0, -1.0, 70000.0, 65535.0, 36000.0, -5000.5}) {
    LOADSPRITE("pic.bmp", n);
    GRABSPRITE(n, 0, 0, 10, 10);
    SPRITE(n, 0, 0);
    ZOOMSPRITE(n, 0, 0, 2, 2);
    ROTOZOOMSPRITE(n, 0, 0, 45, 2);
    EXPECT_EQ(SPRCOLL(n, 0, 0, n, 0, 0), 0) << n;
  }
  EXPECT_FALSE(pLum->LoadSprite(4095, "pic.bmp", kKey, false));
  pLum->FreeSprite(5000);
  int w = -1;
  int h = -1;
  pLum->GetSpriteSize(-7, w, h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(pLum->nTexWidth[4094], before[0]);
  EXPECT_EQ(pLum->nWidth[4094], before[1]);
  EXPECT_EQ(pLum->nTexWidth[0], before[2]);
  EXPECT_EQ(pLum->nWidth[0], before[3]);
}

TEST(BoxCollision, TouchingEdgesCollideAndSizesMayBeNegative) {
  double hit = -1;
  BOXCOLL(hit, 0, 0, 10, 10, 10, 0, 10, 10);
  EXPECT_EQ(hit, 1);
  BOXCOLL(hit, 0, 0, 10, 10, 11, 0, 10, 10);
  EXPECT_EQ(hit, 0);
  BOXCOLL(hit, 0, 0, 10, 10, 0, 11, 10, 10);
  EXPECT_EQ(hit, 0);
  // A box given from its right/bottom corner with negative sizes is the same box.
  BOXCOLL(hit, 20, 20, -10, -10, 0, 0, 10, 10);
  EXPECT_EQ(hit, 1);
  BOXCOLL(hit, 21, 21, -10, -10, 0, 0, 10, 10);
  EXPECT_EQ(hit, 0);
  // Numbers are truncated first: 10.9 is 10, which touches.
  BOXCOLL(hit, 0, 0, 10, 10, 10.9, 0, 10, 10);
  EXPECT_EQ(hit, 1);
  // Absurd sizes neither overflow nor wrap round to a hit.
  BOXCOLL(hit, 1e300, 0, 1e300, 10, -1e300, 0, 5, 10);
  EXPECT_EQ(hit, 0);
}

// ---- Sprite collision: on a real window (masks read back) and headless (kept at load) ------

// A is 8 x 8 with only its top row and right column solid; B is 8 x 8 solid.
void LoadCollisionSprites() {
  std::vector<uint32_t> a(64, kKey);
  for (int i = 0; i < 8; ++i) {
    a[i] = Rgb(255, 255, 255);
    a[i * 8 + 7] = Rgb(255, 255, 255);
  }
  WriteFile("a.bmp", MakeBmp24(8, 8, a));
  WriteFile("b.bmp", MakeSolidBmp24(8, 8, Rgb(0, 200, 0)));
  LOADSPRITE("a.bmp", 10);
  LOADSPRITE("b.bmp", 11);
}

void ExpectCollisions() {
  // Overlapping only keyed pixels of A does not collide.
  EXPECT_EQ(SPRCOLL(10, 100, 100, 11, 95, 103), 0);
  // Reaching A's right column does.
  EXPECT_EQ(SPRCOLL(10, 100, 100, 11, 107, 103), 1);
  // Edges that only touch have no pixel in common.
  EXPECT_EQ(SPRCOLL(10, 100, 100, 11, 108, 100), 0);
  // A's top row, not its bottom row, is solid.
  EXPECT_EQ(SPRCOLL(10, 100, 100, 11, 100, 93), 1);
  EXPECT_EQ(SPRCOLL(10, 100, 100, 11, 98, 106), 0);
  // The order of the two sprites does not matter.
  EXPECT_EQ(SPRCOLL(11, 95, 103, 10, 100, 100), 0);
  EXPECT_EQ(SPRCOLL(11, 99, 100, 10, 100, 100), 1);
  // Far apart.
  EXPECT_EQ(SPRCOLL(10, 0, 0, 11, 300, 300), 0);
}

TEST(SpriteCollision, KeyedPixelsNeverCollideOnTheScreen) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  LoadCollisionSprites();
  ExpectCollisions();
  EXPECT_NE(pLum->pMask[10], nullptr);
  // Loading again releases the mask; the next test reads it back afresh.
  LOADSPRITE("b.bmp", 10);
  EXPECT_EQ(pLum->pMask[10], nullptr);
  EXPECT_EQ(SPRCOLL(10, 100, 100, 11, 95, 103), 1);
}

TEST(SpriteCollision, KeyedPixelsNeverCollideHeadless) {
  ScopedTempDir dir;
  HeadlessRenderer renderer;
  LoadCollisionSprites();
  ExpectCollisions();
}

// ---- Pixels on a real window -----------------------------------------------------------------

TEST(SpriteDrawing, KeyIsTransparentAndPicturesOfBothDepthsDrawPixelExact) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  std::vector<uint32_t> pixels = Gradient(20, 10);
  pixels[0] = kKey;
  pixels[19 + 9 * 20] = kKey;
  WriteFile("pic.bmp", MakeBmp24(20, 10, pixels));
  LOADSPRITE("pic.bmp", 0);
  ASSERT_EQ(pLum->nTexWidth[0], 32);
  ASSERT_EQ(pLum->nTexHeight[0], 16);
  SPRITE(0, 50, 60);
  pixels[0] = 0;
  pixels[19 + 9 * 20] = 0;
  ExpectPictureAt(50, 60, 20, 10, pixels);
  EXPECT_EQ(FindLitArea(), (LitArea{50, 60, 70, 70, 198}));

  // Rows of five pixels, padded in the file, upload unskewed at both depths.
  glClear(GL_COLOR_BUFFER_BIT);
  pixels = Gradient(5, 3);
  WriteFile("rgb.bmp", MakeBmp24(5, 3, pixels));
  std::vector<uint8_t> indices;  // the gradient as a palette, drawn from its last entry back
  for (int i = 14; i >= 0; --i) indices.push_back(static_cast<uint8_t>(i));
  WriteFile("pal.bmp", MakeBmp8(5, 3, pixels, indices));
  LOADSPRITE("rgb.bmp", 1);
  LOADSPRITE("pal.bmp", 2);
  SPRITE(1, 10, 10);
  SPRITE(2, 30, 10);
  ExpectPictureAt(10, 10, 5, 3, pixels);
  std::vector<uint32_t> reversed(pixels.rbegin(), pixels.rend());
  ExpectPictureAt(30, 10, 5, 3, reversed);
}

TEST(SpriteDrawing, StretchAndZoomCoverTheirRectanglesAndFreeSlotsDrawNothing) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  WriteFile("sq.bmp", MakeSolidBmp24(16, 16, Rgb(0, 0, 255)));
  LOADSPRITE("sq.bmp", 5);
  ZOOMSPRITE(5, 100, 100, 2, 2);
  EXPECT_EQ(FindLitArea(), (LitArea{92, 92, 124, 124, 32 * 32}));

  glClear(GL_COLOR_BUFFER_BIT);
  ZOOMSPRITE(5, 100, 100, -0.5, -0.5);
  EXPECT_EQ(FindLitArea(), (LitArea{104, 104, 112, 112, 64}));

  glClear(GL_COLOR_BUFFER_BIT);
  STRETCHSPRITE(5, 10, 20, 30, 7);
  EXPECT_EQ(FindLitArea(), (LitArea{10, 20, 40, 27, 210}));

  // A negative size turns the quad round; it is culled.
  glClear(GL_COLOR_BUFFER_BIT);
  STRETCHSPRITE(5, 100, 100, -30, 30);
  STRETCHSPRITE(5, 100, 100, 30, -30);
  EXPECT_EQ(CountLitPixels(), 0);

  // Free and unknown slots draw nothing.
  pLum->FreeSprite(5);
  SPRITE(5, 10, 10);
  SPRITE(4095, 10, 10);
  SPRITE(-2, 10, 10);
  ROTOSPRITE(5, 10, 10, 30);
  STRETCHSPRITE(5, 10, 10, 40, 40);
  EXPECT_EQ(CountLitPixels(), 0);
}

TEST(SpriteDrawing, RotationTurnsCounterClockwiseAboutTheCentre) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  std::vector<uint32_t> pixels(16 * 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) pixels[y * 16 + x] = x < 8 ? Rgb(255, 0, 0) : Rgb(0, 255, 0);
  }
  WriteFile("bar.bmp", MakeBmp24(16, 8, pixels));
  LOADSPRITE("bar.bmp", 6);
  ROTOSPRITE(6, 100, 100, 90);
  EXPECT_EQ(FindLitArea(), (LitArea{104, 96, 112, 112, 128}));
  // The picture's left half has turned to the bottom.
  EXPECT_EQ(PixelAt(108, 108), Rgb(255, 0, 0));
  EXPECT_EQ(PixelAt(108, 99), Rgb(0, 255, 0));

  glClear(GL_COLOR_BUFFER_BIT);
  ROTOSPRITE(6, 100, 100, -270);
  EXPECT_EQ(FindLitArea(), (LitArea{104, 96, 112, 112, 128}));

  // Rotozoom at angle 0 and zoom 2 doubles the size about the same centre.
  glClear(GL_COLOR_BUFFER_BIT);
  ROTOZOOMSPRITE(6, 100, 100, 0, 2);
  EXPECT_EQ(FindLitArea(), (LitArea{92, 96, 124, 112, 32 * 16}));
  // A zoom that leaves less than a pixel draws the sprite at its own size.
  glClear(GL_COLOR_BUFFER_BIT);
  ROTOZOOMSPRITE(6, 100, 100, 0, 0);
  EXPECT_EQ(FindLitArea(), (LitArea{100, 100, 116, 108, 128}));
}

TEST(SpriteDrawing, AlphaModesBlendAsTheirSignAndSizeSay) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  WriteFile("grey.bmp", MakeSolidBmp24(8, 8, Rgb(40, 40, 40)));
  WriteFile("warm.bmp", MakeSolidBmp24(8, 8, Rgb(200, 100, 50)));
  LOADSPRITE("grey.bmp", 1);
  LOADSPRITE("warm.bmp", 2);
  for (int i = 0; i < 4; ++i) SPRITE(1, 10 + 20 * i, 10);
  ALPHAMODE(0.5);
  SPRITE(2, 10, 10);
  ALPHAMODE(-1);
  SPRITE(2, 30, 10);
  ALPHAMODE(2);
  SPRITE(2, 50, 10);
  ALPHAMODE(0);
  SPRITE(2, 70, 10);
  // Additive at half brightness.
  ExpectNear(PixelAt(12, 12), Rgb(140, 90, 65));
  // Source times its alpha plus destination times the source colour, full brightness.
  ExpectNear(PixelAt(32, 12), Rgb(231, 116, 58));
  // Additive, capped at full brightness.
  ExpectNear(PixelAt(52, 12), Rgb(240, 140, 90));
  // Opaque.
  EXPECT_EQ(PixelAt(72, 12), Rgb(200, 100, 50));

  // The untinted effect draw ignores the intensity; a plain draw does not.
  ALPHAMODE(0.5);
  ROTOZOOMSPRITE(2, 10, 40, 0, 1);
  SPRITE(2, 30, 40);
  ExpectNear(PixelAt(12, 42), Rgb(200, 100, 50));
  ExpectNear(PixelAt(32, 42), Rgb(100, 50, 25));
}

TEST(SpriteDrawing, GrabbedAreaDrawsBackTheSamePixels) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  std::vector<uint32_t> pixels = Gradient(40, 20);
  WriteFile("pic.bmp", MakeBmp24(40, 20, pixels));
  LOADSPRITE("pic.bmp", 1);
  SPRITE(1, 30, 40);
  GRABSPRITE(9, 30, 40, 40, 20);
  EXPECT_EQ(pLum->nTexWidth[9], 64);
  EXPECT_EQ(pLum->nTexHeight[9], 32);
  glClear(GL_COLOR_BUFFER_BIT);
  SPRITE(9, 200, 100);
  ExpectPictureAt(200, 100, 40, 20, pixels);
  EXPECT_EQ(FindLitArea(), (LitArea{200, 100, 240, 120, 800}));
}

// The texels of one level of a texture, RGBA, row 0 at the bottom.
std::vector<uint8_t> TextureLevel(uint32_t name, int level, int width, int height) {
  std::vector<uint8_t> texels(static_cast<size_t>(width) * height * 4);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

TEST(SpriteTextures, MipLevelsAreBoxFilteredAndBumpTexturesHoldNormals) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  WriteFile("pic.bmp",
            MakeBmp24(4, 2,
                      {Rgb(200, 0, 0), Rgb(100, 0, 0), Rgb(0, 40, 0), Rgb(0, 20, 0), Rgb(0, 0, 100),
                       Rgb(0, 0, 50), Rgb(10, 10, 10), Rgb(30, 30, 30)}));
  LOADSPRITE("pic.bmp", 4);
  ASSERT_NE(pLum->nTexName[4][1], 0u);
  EXPECT_EQ(TextureLevel(pLum->nTexName[4][1], 1, 2, 1),
            (std::vector<uint8_t>{75, 0, 38, 255, 10, 25, 10, 255}));
  EXPECT_EQ(TextureLevel(pLum->nTexName[4][1], 2, 1, 1), (std::vector<uint8_t>{43, 13, 24, 255}));
  // The picture texture itself keeps its pixels, bottom row first.
  std::vector<uint8_t> level0 = TextureLevel(pLum->nTexName[4][0], 0, 4, 2);
  EXPECT_EQ(std::vector<uint8_t>(level0.begin(), level0.begin() + 4),
            (std::vector<uint8_t>{0, 0, 100, 255}));

  // Bump textures hold the normals of the brightness.
  WriteFile("flat.bmp", MakeSolidBmp24(4, 4, Rgb(90, 90, 90)));
  WriteFile("step.bmp", MakeBmp24(4, 1, {0, 0, Rgb(255, 255, 255), Rgb(255, 255, 255)}));
  uint32_t flat = 0;
  uint32_t step = 0;
  ASSERT_TRUE(pLum->MakeBMPTexture("flat.bmp", 0, 0, 0, 0, &flat, nullptr, 0, false, true));
  ASSERT_TRUE(pLum->MakeBMPTexture("step.bmp", 0, 0, 0, 0, &step, nullptr, 0, false, true));
  std::vector<uint8_t> flatTexels = TextureLevel(flat, 0, 4, 4);
  for (size_t i = 0; i < 16; ++i) {
    ASSERT_EQ(std::vector<uint8_t>(flatTexels.begin() + 4 * i, flatTexels.begin() + 4 * i + 4),
              (std::vector<uint8_t>{128, 128, 255, 255}))
        << i;
  }
  // Brightness rising to the right tilts the normal left; the wrap makes texel 0 a fall.
  std::vector<uint8_t> texels = TextureLevel(step, 0, 4, 1);
  EXPECT_LT(texels[4], 100);
  EXPECT_GT(texels[0], 156);
  EXPECT_EQ(texels[5], 128);
  glDeleteTextures(1, &flat);
  glDeleteTextures(1, &step);
}

}  // namespace

// Surfaces: tiles, the background, the cross-fade and the screen shot. Table tests run
// headless; pixel tests on a real window (Xvfb, software OpenGL).
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

#include "bmp_files.h"
#include "lit_area.h"
#include "core/error_log.h"
#include "gfx/bmp.h"
#include "gfx/lumetra.h"
#include "platform/platform.h"
#include "runtime.h"
#include "support/gl_test_support.h"
#include "support/test_support.h"

namespace {

namespace platform = tobli::platform;
using tobli::test::ErrorLogLines;
using tobli::test::HeadlessRenderer;
using tobli::test::MakeBmp24;
using tobli::test::MakeSolidBmp24;
using tobli::test::PixelAt;
using tobli::test::RawQuad;
using tobli::test::ReadFile;
using tobli::test::Rgb;
using tobli::test::ScopedTempDir;
using tobli::test::WriteFile;

constexpr uint32_t kRed = Rgb(255, 0, 0);
constexpr uint32_t kGreen = Rgb(0, 255, 0);
constexpr uint32_t kBlue = Rgb(0, 0, 255);
constexpr uint32_t kWhite = Rgb(255, 255, 255);

// A picture whose four corner pixels are red, green, blue and white on grey.
std::string CornerPicture(int w, int h) {
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h, Rgb(128, 128, 128));
  pixels[0] = kRed;
  pixels[w - 1] = kGreen;
  pixels[static_cast<size_t>(h - 1) * w] = kBlue;
  pixels[static_cast<size_t>(h) * w - 1] = kWhite;
  return MakeBmp24(w, h, pixels);
}

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

// The pixel at screen (x, y) of a saved file of the given size (rows bottom-up, B G R).
uint32_t SavedPixel(const std::string& file, int w, int h, int x, int y) {
  size_t at = 54 + (static_cast<size_t>(h - 1 - y) * w + x) * 3;
  return Rgb(static_cast<uint8_t>(file[at + 2]), static_cast<uint8_t>(file[at + 1]),
             static_cast<uint8_t>(file[at]));
}

const OPENGL_SURFACE& Surface(int n) {
  return pLum->surfaces[n];
}

// ---- Tables (headless) ---------------------------------------------------------------------

TEST(SurfaceTables, LoadedPicturesAreCutInto64PixelTilesUpToTheTable) {
  ScopedTempDir dir;
  HeadlessRenderer renderer;
  WriteFile("small.bmp", MakeSolidBmp24(100, 100, kRed));
  WriteFile("screen.bmp", MakeSolidBmp24(640, 480, kRed));
  WriteFile("wide.bmp", MakeSolidBmp24(65, 1, kRed));
  ASSERT_TRUE(pLum->LoadSurface(2, "small.bmp", false));
  EXPECT_EQ(Surface(2).nCols, 2);
  EXPECT_EQ(Surface(2).nRows, 2);
  EXPECT_EQ(Surface(2).nTileW[1][1], 64);
  EXPECT_EQ(Surface(2).nTileH[1][1], 64);
  ASSERT_TRUE(pLum->LoadSurface(2, "screen.bmp", false));
  EXPECT_EQ(Surface(2).nCols, 10);
  EXPECT_EQ(Surface(2).nRows, 8);
  ASSERT_TRUE(pLum->LoadSurface(2, "wide.bmp", false));
  EXPECT_EQ(Surface(2).nCols, 2);
  EXPECT_EQ(Surface(2).nRows, 1);
  EXPECT_EQ(Surface(2).nTileW[2][0], 0) << "the old picture's tiles are gone";

  // 5000 pixels need 79 columns; a surface has 64.
  WriteFile("huge.bmp", MakeSolidBmp24(5000, 2, kRed));
  ASSERT_TRUE(pLum->LoadSurface(14, "huge.bmp", false));
  EXPECT_EQ(Surface(14).nCols, kLumSurfaceTiles);
  EXPECT_EQ(Surface(14).nRows, 1);
}

TEST(SurfaceTables, NumbersOutsideTheTableAndUnreadablePicturesChangeNothing) {
  ScopedTempDir dir;
  HeadlessRenderer renderer;
  WriteFile("small.bmp", MakeSolidBmp24(10, 10, kRed));
  EXPECT_FALSE(pLum->LoadSurface(15, "small.bmp", false));
  EXPECT_FALSE(pLum->LoadSurface(0xFFFFFFFFu, "small.bmp", false));
  pLum->GrabSurface(-1);
  pLum->GrabSurface(15);
  pLum->FreeSurface(1000);
  pLum->PasteSurface(99);
  for (const OPENGL_SURFACE& surface : pLum->surfaces) EXPECT_EQ(surface.nCols, 0);

  // A picture that cannot be read leaves the surface as it was.
  WriteFile("small.bmp", MakeSolidBmp24(100, 100, kRed));
  WriteFile("text.bmp", "this is not a picture");
  std::string deep = MakeSolidBmp24(4, 4, kRed);
  deep[tobli::test::kBmpBitsField] = 32;
  WriteFile("deep.bmp", deep);
  ASSERT_TRUE(pLum->LoadSurface(4, "small.bmp", false));
  EXPECT_FALSE(pLum->LoadSurface(4, "missing.bmp", false));
  EXPECT_FALSE(pLum->LoadSurface(4, "text.bmp", false));
  EXPECT_FALSE(pLum->LoadSurface(4, "deep.bmp", false));
  EXPECT_EQ(Surface(4).nCols, 2);
  EXPECT_EQ(Surface(4).nRows, 2);
}

TEST(SurfaceTables, GrabbedScreenIsCutInto32PixelTilesReachingBelowTheScreen) {
  ScopedTempDir dir;
  HeadlessRenderer renderer;
  USEASBMP();
  EXPECT_EQ(Surface(0).nCols, 20);
  EXPECT_EQ(Surface(0).nRows, 17);  // rows down to 480 + 64
  EXPECT_EQ(Surface(0).nTileW[19][16], 32);
  BLACKSCREEN();
  EXPECT_EQ(Surface(0).nCols, 0);
  EXPECT_EQ(Surface(0).nRows, 0);
}

TEST(Blendscreen, MissingFileTakesNoFramesAndAFadeTakesFiftyTwoAndLeavesThePicture) {
  ScopedTempDir dir;
  HeadlessRenderer renderer;
  int frames = 0;
  platform::SetFrameHook([&] { ++frames; });
  double before = pLum->AccurateTime();
  BLENDSCREEN("missing.bmp");
  EXPECT_EQ(frames, 0);
  EXPECT_EQ(pLum->AccurateTime(), before);
  EXPECT_EQ(Surface(0).nCols, 0);

  // LOADBMP of a missing file changes nothing either.
  WriteFile("back.bmp", MakeSolidBmp24(64, 64, kRed));
  LOADBMP("back.bmp");
  LOADBMP("missing.bmp");
  EXPECT_EQ(Surface(0).nCols, 1);
  EXPECT_TRUE(ErrorLogLines().empty());

  // A picture fades in over 52 frames and stays as the background.
  WriteFile("next.bmp", MakeSolidBmp24(640, 480, kGreen));
  SHOWSCREEN();
  frames = 0;
  before = pLum->AccurateTime();
  BLENDSCREEN("next.bmp");
  EXPECT_EQ(frames, 52);
  EXPECT_NEAR(pLum->AccurateTime() - before, 52 * 1000.0 / 60, 0.01);
  EXPECT_EQ(Surface(0).nCols, 10);
  EXPECT_EQ(Surface(0).nRows, 8);
  EXPECT_EQ(Surface(1).nCols, 0);
  EXPECT_EQ(pLum->fAlpha, 1.0f);
}

TEST(LoadBmp, FileThatIsNoPictureEndsTheProgramWithCode3InLoadBmpAndBlendscreen) {
  for (bool blend : {false, true}) {
    SCOPED_TRACE(blend ? "BLENDSCREEN" : "LOADBMP");
    ScopedTempDir dir;
    WriteFile("text.bmp", "BM but nothing else");
    EXPECT_EXIT(
        {
          HeadlessRenderer renderer;
          __dLn(0, 41);
          if (blend) {
            BLENDSCREEN("text.bmp");
          } else {
            LOADBMP("text.bmp");
          }
          std::exit(1);
        },
        ::testing::ExitedWithCode(0), "");
    ASSERT_EQ(ErrorLogLines().size(), 5u);
    tobli::test::ExpectEndRecord(3, 41);
  }
}

TEST(SaveBmp, HeaderIsWrittenByteForByteAndFailuresWriteNothing) {
  ScopedTempDir dir;
  HeadlessRenderer renderer;
  EXPECT_EQ(SAVEBMP("shot.bmp"), 0);
  std::string file = ReadFile("shot.bmp");
  ASSERT_EQ(file.size(), 921654u);
  EXPECT_EQ(file.substr(0, 2), "BM");
  // Size, reserved, pixel offset; information size, width, height, planes and depth,
  // compression, image size, resolution both ways, colours used and important.
  const uint32_t fields[] = {921654, 0, 54, 40, 640, 480, 1 | (24 << 16), 0, 0, 10000, 10000, 0, 0};
  for (size_t i = 0; i < std::size(fields); ++i) EXPECT_EQ(Le32(file, 2 + 4 * i), fields[i]) << i;
  // The saved file reads back as a picture of the screen's size.
  int w = 0;
  int h = 0;
  EXPECT_TRUE(ReadBmpSize("shot.bmp", w, h));
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);

  // Odd screen sizes are rounded up to multiples of four.
  pLum->ChangeSize(637, 478);
  ASSERT_TRUE(pLum->SaveBMPFile("odd.bmp"));
  file = ReadFile("odd.bmp");
  EXPECT_EQ(Le32(file, 18), 640u);
  EXPECT_EQ(Le32(file, 22), 480u);
  EXPECT_EQ(file.size(), 921654u);

  // A path that cannot be created writes nothing.
  EXPECT_FALSE(pLum->SaveBMPFile("no/such/folder/shot.bmp"));
  EXPECT_EQ(SAVEBMP("no/such/folder/shot.bmp"), 0);
  EXPECT_FALSE(tobli::test::FileExists("no/such/folder/shot.bmp"));
  // A full device must not pass for a saved picture (and is no file to remove).
  if (tobli::test::FileExists("/dev/full")) {
    EXPECT_FALSE(pLum->SaveBMPFile("/dev/full"));
    EXPECT_TRUE(tobli::test::FileExists("/dev/full"));
  }
  // A picture cut short by a full disk is not left behind to be loaded later.
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
  rlimit small = limit;
  small.rlim_cur = 4096;
  auto handler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool saved = pLum->SaveBMPFile("cut.bmp");
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, handler);
  EXPECT_FALSE(saved);
  EXPECT_FALSE(tobli::test::FileExists("cut.bmp"));
}

// ---- Pixels (real window) ------------------------------------------------------------------

TEST(SurfacePixels, LoadedBackgroundMatchesThePictureNowAndAfterEachFrame) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  WriteFile("back.bmp", CornerPicture(640, 480));
  LOADBMP("back.bmp");
  for (int frame = 0; frame < 2; ++frame) {
    EXPECT_EQ(PixelAt(0, 0), kRed) << frame;
    EXPECT_EQ(PixelAt(639, 0), kGreen) << frame;
    EXPECT_EQ(PixelAt(0, 479), kBlue) << frame;
    EXPECT_EQ(PixelAt(639, 479), kWhite) << frame;
    EXPECT_EQ(PixelAt(320, 240), Rgb(128, 128, 128)) << frame;
    RawQuad(0, 0, 640, 480, kRed);  // drawn over, gone with the next frame
    SHOWSCREEN();
  }
  // Right after SHOWSCREEN the frame being drawn is the background alone; the file holds it
  // bottom row first, each pixel blue, green, red.
  SAVEBMP("shot.bmp");
  std::string file = ReadFile("shot.bmp");
  ASSERT_EQ(file.size(), 921654u);
  EXPECT_EQ(SavedPixel(file, 640, 480, 0, 0), kRed);
  EXPECT_EQ(SavedPixel(file, 640, 480, 639, 0), kGreen);
  EXPECT_EQ(SavedPixel(file, 640, 480, 0, 479), kBlue);
  EXPECT_EQ(SavedPixel(file, 640, 480, 639, 479), kWhite);
  EXPECT_EQ(SavedPixel(file, 640, 480, 320, 240), Rgb(128, 128, 128));
}

TEST(SurfacePixels, TilesOutsideASmallPictureAreBlack) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  WriteFile("small.bmp", CornerPicture(100, 100));
  RawQuad(0, 0, 640, 480, kWhite);
  LOADBMP("small.bmp");
  EXPECT_EQ(PixelAt(0, 0), kRed);
  EXPECT_EQ(PixelAt(99, 99), kWhite);
  EXPECT_EQ(PixelAt(100, 0), 0u);
  EXPECT_EQ(PixelAt(127, 127), 0u);
  EXPECT_EQ(PixelAt(0, 127), 0u);
  EXPECT_EQ(PixelAt(128, 128), kWhite) << "beyond the tiles the frame is untouched";
  EXPECT_EQ(PixelAt(128, 0), kWhite);
}

TEST(SurfacePixels, UseAsBmpMakesTheFrameTheBackgroundAndBlackScreenClearsBoth) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  RawQuad(50, 50, 10, 10, kBlue);
  USEASBMP();
  SHOWSCREEN();
  EXPECT_EQ(PixelAt(50, 50), kBlue);
  EXPECT_EQ(PixelAt(59, 59), kBlue);
  EXPECT_EQ(PixelAt(60, 60), 0u);
  EXPECT_EQ(PixelAt(49, 49), 0u);
  EXPECT_EQ(tobli::test::CountLitPixels(), 100);
  // BLACKSCREEN clears the frame and the background.
  BLACKSCREEN();
  EXPECT_EQ(tobli::test::CountLitPixels(), 0);
  SHOWSCREEN();
  EXPECT_EQ(tobli::test::CountLitPixels(), 0);
}

TEST(SurfacePixels, CrossFadeEndsWithThePictureAsBackground) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  WriteFile("next.bmp", CornerPicture(640, 480));
  RawQuad(0, 0, 640, 480, kRed);
  ALPHAMODE(0.5);
  BLENDSCREEN("next.bmp");
  // The frame being drawn starts with the picture at full strength, whatever the blending
  // was before, and so does every frame after it.
  for (int frame = 0; frame < 2; ++frame) {
    EXPECT_EQ(PixelAt(0, 0), kRed) << frame;
    EXPECT_EQ(PixelAt(639, 0), kGreen) << frame;
    EXPECT_EQ(PixelAt(320, 240), Rgb(128, 128, 128)) << frame;
    SHOWSCREEN();
  }
  EXPECT_EQ(pLum->surfaces[1].nCols, 0);
  EXPECT_EQ(pLum->fAlpha, 1.0f);
}

}  // namespace

// The renderer object: tables, start-up, display modes and the 2D view. Pixel tests run on a
// real window (Xvfb with software OpenGL) and read the frame back.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "core/error_log.h"
#include "core/services.h"
#include "gfx/lumetra.h"
#include "platform/platform.h"
#include "runtime.h"
#include "support/gl_test_support.h"
#include "support/test_support.h"
#include "lit_area.h"

namespace {

namespace platform = tobli::platform;
using tobli::test::CountLitPixels;
using tobli::test::ErrorLogLines;
using tobli::test::HeadlessRenderer;
using tobli::test::PixelAt;
using tobli::test::RawQuad;
using tobli::test::Rgb;
using tobli::test::ScopedTempDir;

int CountLines(const std::string& text) {
  auto lines = ErrorLogLines();
  return static_cast<int>(std::count(lines.begin(), lines.end(), text));
}

TEST(SoftwareRenderer, MesaRasterisersAndSelfDeclaredSoftwareCount) {
  EXPECT_TRUE(IsSoftwareGLRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_TRUE(IsSoftwareGLRenderer("Gallium 0.4 on softpipe"));
  EXPECT_TRUE(IsSoftwareGLRenderer("Mesa X11 Software Rasterizer"));
  EXPECT_TRUE(IsSoftwareGLRenderer("GDI Generic SOFTWARE"));
  EXPECT_FALSE(IsSoftwareGLRenderer("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
  EXPECT_FALSE(IsSoftwareGLRenderer("NVIDIA GeForce RTX 3060/PCIe/SSE2"));
  EXPECT_FALSE(IsSoftwareGLRenderer(nullptr));
  // "unterstützt" with the single byte 0xFC; the box converts it for display.
  EXPECT_NE(std::strstr(kSoftwareGLText, "unterst\xFCtzt!"), nullptr);
}

TEST(RendererTables, FreshRendererHasEveryTableEmpty) {
  OpenGLLumetra lum;
  for (int n = 0; n < kLumSprites; ++n) {
    ASSERT_EQ(lum.nTexWidth[n], -1) << n;
    ASSERT_EQ(lum.nTexHeight[n], -1) << n;
    ASSERT_EQ(lum.nTexName[n][0], 0u) << n;
    ASSERT_EQ(lum.pMask[n], nullptr) << n;
  }
  for (const OPENGL_SURFACE& surface : lum.surfaces) {
    EXPECT_EQ(surface.nCols, 0);
    EXPECT_EQ(surface.nRows, 0);
  }
  EXPECT_EQ(lum.fAlpha, 1.0f);
  EXPECT_EQ(lum.nParticle, 0);
  EXPECT_FALSE(lum.IsActive());
  EXPECT_FLOAT_EQ(qsin[90], 1.0f);
  EXPECT_FLOAT_EQ(qcos[180], -1.0f);
  EXPECT_FLOAT_EQ(qsin[30], 0.5f);
  EXPECT_NEAR(qcos[359], 0.99985f, 1e-5f);
}

TEST(RendererStartup, HeadlessInitTakesTheWindowSizeAndDesktopDepth) {
  ScopedTempDir dir;
  platform::Select(platform::Kind::kHeadless);
  std::string why;
  platform::WindowSpec spec;
  spec.width = 320;
  spec.height = 200;
  platform::OpenWindow(spec, why);
  OpenGLLumetra lum;
  ASSERT_TRUE(lum.Init(0, 0, 0, 30));
  EXPECT_EQ(lum.nResX, 320);
  EXPECT_EQ(lum.nResY, 200);
  EXPECT_EQ(lum.nBits, platform::DesktopBits());
  EXPECT_DOUBLE_EQ(lum.dFrameTime, 1000.0 / 30);
  EXPECT_TRUE(lum.IsActive());
  EXPECT_FALSE(lum.bFullscreen);
  // No context, so nothing to report and no box: the log stays empty.
  EXPECT_TRUE(ErrorLogLines().empty());
  ASSERT_TRUE(lum.Init(800, 600, 16, 0));
  EXPECT_EQ(lum.nResX, 800);
  EXPECT_EQ(lum.nBits, 16);
  EXPECT_DOUBLE_EQ(lum.dFrameTime, 2.0);
  platform::CloseWindow();
}

TEST(RendererStartup, DisplayModesSwitchAndFullScreenFallsBackToTheDesktopDepthThenToAWindow) {
  ScopedTempDir dir;
  HeadlessRenderer renderer;
  // The size is offered at the desktop depth only: the depth asked for gives way.
  platform::SetHeadlessDisplayModes({{640, 480, 0}});
  pLum->nBits = 16;
  EXPECT_TRUE(pLum->DoFullscreen());
  EXPECT_TRUE(pLum->bFullscreen);
  EXPECT_EQ(pLum->nBits, platform::DesktopBits());
  EXPECT_EQ(pLum->nResX, 640);
  EXPECT_TRUE(pLum->DoWindowed());
  EXPECT_FALSE(pLum->bFullscreen);
  // Offered at that depth: it is kept. Hiding the window leaves the full screen too.
  platform::SetHeadlessDisplayModes({{640, 480, 16}});
  pLum->nBits = 16;
  EXPECT_TRUE(pLum->DoFullscreen());
  EXPECT_EQ(pLum->nBits, 16);
  EXPECT_TRUE(pLum->HideWindow());
  EXPECT_FALSE(pLum->bFullscreen);
  EXPECT_TRUE(ErrorLogLines().empty());
  // The size is not offered at all: a window and one log line.
  platform::SetHeadlessDisplayModes({{800, 600, 0}});
  EXPECT_FALSE(pLum->DoFullscreen());
  EXPECT_FALSE(pLum->bFullscreen);
  EXPECT_EQ(ErrorLogLines(), std::vector<std::string>{"No Fullscreen Mode available"});
}

TEST(RendererGL, StartupReportsTheRendererAndFetchesMultitexture) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  ASSERT_NE(renderer, nullptr);
  bool software = IsSoftwareGLRenderer(renderer);
  EXPECT_EQ(CountLines("OpenGL Software Emulation"), software ? 1 : 0) << renderer;
  EXPECT_EQ(CountLines("OpenGL Hardware Support"), software ? 0 : 1) << renderer;
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  bool offered = extensions != nullptr && std::strstr(extensions, "GL_ARB_multitexture");
  EXPECT_EQ(arb::glMultiTexCoord2fARB != nullptr, offered);
  EXPECT_EQ(arb::glActiveTextureARB != nullptr, offered);
  EXPECT_TRUE(pLum->IsActive());
}

TEST(RendererGL, ScreenCornersMapToTheWindowCornersAfterAResizeToo) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window, 320, 200);
  ASSERT_EQ(pLum->nResX, 320);
  ASSERT_EQ(pLum->nResY, 200);
  pLum->ChangeSize(320, 200);
  RawQuad(0, 0, 1, 1, Rgb(255, 0, 0));
  RawQuad(319, 199, 1, 1, Rgb(0, 255, 0));
  RawQuad(319, 0, 1, 1, Rgb(0, 0, 255));
  EXPECT_EQ(PixelAt(0, 0), Rgb(255, 0, 0));
  EXPECT_EQ(PixelAt(319, 199), Rgb(0, 255, 0));
  EXPECT_EQ(PixelAt(319, 0), Rgb(0, 0, 255));
  EXPECT_EQ(CountLitPixels(), 3);

  // The view follows a resized window.
  platform::SetWindowSize(200, 100);
  pLum->ChangeSize(200, 100);
  pLum->FlipScreens();
  RawQuad(0, 0, 1, 1, Rgb(255, 0, 0));
  RawQuad(199, 99, 1, 1, Rgb(0, 255, 0));
  EXPECT_EQ(PixelAt(0, 0), Rgb(255, 0, 0));
  EXPECT_EQ(PixelAt(199, 99), Rgb(0, 255, 0));
}

TEST(RendererGL, TwoDimensionalViewComesBackAfterThePerspectiveOne) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  pLum->Make3DViewport(1, 100, 60);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(pLum->nCurTexture, -1);
  pLum->Make2DViewport();
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  // Clockwise quads are culled again.
  RawQuad(10, 20, 5, 5, Rgb(255, 255, 255), true);
  EXPECT_EQ(CountLitPixels(), 0);
  RawQuad(10, 20, 5, 5, Rgb(255, 255, 255));
  EXPECT_EQ(PixelAt(10, 20), Rgb(255, 255, 255));
  EXPECT_EQ(PixelAt(14, 24), Rgb(255, 255, 255));
  EXPECT_EQ(CountLitPixels(), 25);
}

TEST(RendererGL, FullScreenEndsInFullScreenOrInAWindowWithOneLogLine) {
  ScopedTempDir dir;
  TOBLI_GL_WINDOW(window);
  bool full = pLum->DoFullscreen();
  EXPECT_EQ(full, pLum->bFullscreen);
  EXPECT_EQ(CountLines("No Fullscreen Mode available"), full ? 0 : 1);
  pLum->DoWindowed();
  EXPECT_FALSE(pLum->bFullscreen);
  int w = 0;
  int h = 0;
  platform::GetWindowSize(w, h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
}

}  // namespace

// The renderer draws at its own size; the window shows that picture as large as fits, in
// whole multiples where it can, and the pointer keeps its pace at any size.
#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <vector>

#include "core/frame.h"
#include "core/services.h"
#include "gfx/lumetra.h"
#include "input/dxinput.h"
#include "input/input_commands.h"
#include "platform/platform.h"
#include "platform/sdl/window_scaling.h"
#include "../gfx/lit_area.h"
#include "support/gl_test_support.h"
#include "support/test_support.h"

namespace {

namespace sdl = tobli::platform::sdl;
using tobli::test::PixelAt;
using tobli::test::Rgb;

TEST(FitPicture, WholeMultiplesCentredAndInShapeWhenSmaller) {
  sdl::FitRect fit = sdl::FitPicture(640, 480, 1920, 1080);
  EXPECT_EQ(fit.width, 1280);
  EXPECT_EQ(fit.height, 960);
  EXPECT_EQ(fit.x, 320);
  EXPECT_EQ(fit.y, 60);
  EXPECT_TRUE(fit.whole);
  fit = sdl::FitPicture(640, 480, 1279, 2000);  // not yet twice as wide: once
  EXPECT_EQ(fit.width, 640);
  EXPECT_EQ(fit.y, 760);
  fit = sdl::FitPicture(640, 480, 320, 200);  // too low for its width: the height decides
  EXPECT_EQ(fit.height, 200);
  EXPECT_EQ(fit.width, 266);
  EXPECT_EQ(fit.x, 27);
  EXPECT_FALSE(fit.whole);
  fit = sdl::FitPicture(640, 480, 400, 1000);  // too narrow: the width decides
  EXPECT_EQ(fit.width, 400);
  EXPECT_EQ(fit.height, 300);
  EXPECT_EQ(fit.y, 350);
  fit = sdl::FitPicture(640, 480, 0, 0);  // a minimised window
  EXPECT_GE(fit.width, 0);
  EXPECT_GE(fit.height, 0);
}

// Waits for the window to show the given size (the X server answers in its own time).
bool WaitForSize(SDL_Window* window, int width, int height) {
  for (int i = 0; i < 200; ++i) {
    SDL_PumpEvents();
    int w = 0;
    int h = 0;
    SDL_GL_GetDrawableSize(window, &w, &h);
    if (w == width && h == height) return true;
    SDL_Delay(5);
  }
  return false;
}

bool ResizeWindow(SDL_Window* window, int width, int height) {
  SDL_SetWindowSize(window, width, height);
  return WaitForSize(window, width, height);
}

// The window's own pixels as they are about to be shown, top row first.
std::vector<uint32_t> ShownPixels(int width, int height) {
  GLint target = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &target);
  auto bind =
      reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(SDL_GL_GetProcAddress("glBindFramebuffer"));
  bind(GL_READ_FRAMEBUFFER, 0);
  glReadBuffer(GL_BACK);
  std::vector<uint32_t> pixels = tobli::test::ReadPixels(width, height);
  bind(GL_READ_FRAMEBUFFER, static_cast<GLuint>(target));
  return pixels;
}

TEST(WindowScaling, ALargerWindowShowsThePictureAtTwiceItsSizeOnBlack) {
  tobli::test::ScopedTempDir dir;
  TOBLI_GL_WINDOW(window, 64, 48);
  ASSERT_TRUE(sdl::HasScaledTarget()) << "the context cannot draw offscreen";
  SDL_Window* sdlWindow = SDL_GL_GetCurrentWindow();
  // Twice fits: 128 x 96 at (11, 12), with a bar one pixel taller below than above.
  ASSERT_TRUE(ResizeWindow(sdlWindow, 151, 121));
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0, 0, 0, 0);
  tobli::test::RawQuad(0, 0, 1, 1, Rgb(255, 0, 0));
  tobli::test::RawQuad(63, 47, 1, 1, Rgb(0, 255, 0));
  // The renderer reads its own picture at its own size (drawn into the window's buffer, at
  // its bottom left, until a frame is shown at the new size).
  EXPECT_EQ(PixelAt(0, 0), Rgb(255, 0, 0));
  EXPECT_EQ(PixelAt(63, 47), Rgb(0, 255, 0));
  sdl::ComposeWindowPicture(sdlWindow);
  int width = 0;
  int height = 0;
  tobli::platform::GetWindowSize(width, height);
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 48);

  const std::vector<uint32_t> shown = ShownPixels(151, 121);
  auto at = [&](int x, int y) { return shown[static_cast<size_t>(y) * 151 + x]; };
  EXPECT_EQ(at(10, 11), Rgb(0, 0, 0));  // the bar
  EXPECT_EQ(at(11, 12), Rgb(255, 0, 0));
  EXPECT_EQ(at(12, 13), Rgb(255, 0, 0));
  EXPECT_EQ(at(13, 14), Rgb(0, 0, 255));
  EXPECT_EQ(at(11 + 126, 12 + 94), Rgb(0, 255, 0));
  EXPECT_EQ(at(11 + 127, 12 + 95), Rgb(0, 255, 0));
  EXPECT_EQ(at(11 + 128, 12 + 96), Rgb(0, 0, 0));

  // From now on the renderer draws offscreen, and still reads what it drew.
  EXPECT_TRUE(sdl::ShowsOffscreen());
  tobli::test::RawQuad(5, 6, 1, 1, Rgb(255, 255, 255));
  EXPECT_EQ(PixelAt(5, 6), Rgb(255, 255, 255));
  EXPECT_EQ(PixelAt(0, 0), Rgb(255, 0, 0));
  // Back at the picture's own size, drawing goes straight into the window again.
  ASSERT_TRUE(ResizeWindow(sdlWindow, 64, 48));
  sdl::ComposeWindowPicture(sdlWindow);
  EXPECT_FALSE(sdl::ShowsOffscreen());
  EXPECT_EQ(PixelAt(5, 6), Rgb(255, 255, 255));
}

// A window made larger or uncovered while the program waits shows the picture presented last,
// not the frame being drawn (cleared by the frame step, then half done).
TEST(WindowScaling, AnUncoveredWindowShowsTheLastPresentedPicture) {
  tobli::test::ScopedTempDir dir;
  TOBLI_GL_WINDOW(window, 64, 48);
  ASSERT_TRUE(sdl::HasScaledTarget());
  SDL_Window* sdlWindow = SDL_GL_GetCurrentWindow();
  ASSERT_TRUE(ResizeWindow(sdlWindow, 128, 96));
  pLum->FlipScreens();  // the first frame shown at twice the size moves drawing offscreen
  ASSERT_TRUE(sdl::ShowsOffscreen());
  tobli::test::RawQuad(0, 0, 64, 48, Rgb(255, 0, 0));
  pLum->FlipScreens();
  tobli::test::RawQuad(0, 0, 8, 8, Rgb(0, 255, 0));
  SDL_Event exposed{};
  exposed.type = SDL_WINDOWEVENT;
  exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
  exposed.window.windowID = SDL_GetWindowID(sdlWindow);
  SDL_PushEvent(&exposed);
  pLum->WinMessages();
  // The software renderer swaps by copying: the window's back buffer holds what it showed.
  const std::vector<uint32_t> shown = ShownPixels(128, 96);
  EXPECT_EQ(shown[0], Rgb(255, 0, 0));
  EXPECT_EQ(shown[95 * 128 + 127], Rgb(255, 0, 0));
  // The frame being drawn is still there to be finished.
  EXPECT_EQ(PixelAt(0, 0), Rgb(0, 255, 0));
  EXPECT_EQ(PixelAt(63, 47), Rgb(0, 0, 0));
}

// A software renderer pays for every scaled copy: a window larger than the picture by its own
// choice goes back to the picture's size.
TEST(WindowScaling, ASoftwareRendererPrefersThePicturesSize) {
  tobli::test::ScopedTempDir dir;
  TOBLI_GL_WINDOW(window, 64, 48);
  SDL_Window* sdlWindow = SDL_GL_GetCurrentWindow();
  ASSERT_TRUE(ResizeWindow(sdlWindow, 128, 96));
  tobli::platform::PreferPictureSize();
  EXPECT_TRUE(WaitForSize(sdlWindow, 64, 48));
}

TEST(WindowScaling, ThePointerMovesInPicturePixels) {
  tobli::test::ScopedTempDir dir;
  TOBLI_GL_WINDOW(window, 64, 48);
  ASSERT_TRUE(sdl::HasScaledTarget());
  SDL_Window* sdlWindow = SDL_GL_GetCurrentWindow();
  ASSERT_TRUE(ResizeWindow(sdlWindow, 192, 144));  // three times
  __CreateInputService();
  pDXin->CreateDInput(true);
  __g_mx = __g_my = 0;
  SDL_Event focus{};
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  SDL_PushEvent(&focus);
  KEY(0);                          // handles the waiting events
  for (int step : {4, 4, 4, 3}) {  // 15 window pixels: 5 picture pixels, the rest carried
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.xrel = step;
    motion.motion.yrel = 2 * step;
    SDL_PushEvent(&motion);
  }
  double x, y, b1, b2;
  MOUSESTATE(x, y, b1, b2);
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 10);
  __DestroyInputService();
}

}  // namespace

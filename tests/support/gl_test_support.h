// A real window with the renderer on it, for the pixel tests (SDL platform; under Xvfb with
// Mesa's software OpenGL), and read-back of the frame being drawn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tobli::test {

// Opens a window of the given size on the SDL platform, creates pLum and initialises it with
// width and height 0 (the window's size) at 60 frames per second, then clears the frame. The
// software-renderer warning box is suppressed. Destroys the renderer and the window again.
class GlTestWindow {
 public:
  GlTestWindow(int width = 640, int height = 480);
  ~GlTestWindow();
  GlTestWindow(const GlTestWindow&) = delete;
  GlTestWindow& operator=(const GlTestWindow&) = delete;
  // False with why() when no window or context could be made.
  bool ok() const { return ok_; }
  const std::string& why() const { return why_; }

 private:
  bool ok_ = false;
  std::string why_;
};

// The renderer on the headless platform, as start-up makes it: a 640 x 480 window, the input
// service (so the quit keys are read), pLum initialised at the frame rate, the three frame
// times stamped. Everything is torn down again, the frame hook removed.
class HeadlessRenderer {
 public:
  explicit HeadlessRenderer(int fps = 60);
  ~HeadlessRenderer();
  HeadlessRenderer(const HeadlessRenderer&) = delete;
  HeadlessRenderer& operator=(const HeadlessRenderer&) = delete;
};

// True when an X display is at hand (GL tests skip without one).
bool HaveDisplay();

// The pixel of the frame being drawn (the back buffer) at screen (x, y), top-left origin, as
// 0x00BBGGRR. The window's own size decides where the screen's top is.
uint32_t PixelAt(int x, int y);
// The whole frame being drawn, rows top first, 0x00BBGGRR.
std::vector<uint32_t> ReadFrame(int& width, int& height);
// The bottom-left width x height pixels of the buffer read from now, top row first.
std::vector<uint32_t> ReadPixels(int width, int height);
// How many pixels of the frame being drawn are not black.
int CountLitPixels();

// Colour helpers (0x00BBGGRR).
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
  return r | (g << 8) | (b << 16);
}
inline int Red(uint32_t c) {
  return static_cast<int>(c & 0xFF);
}
inline int Green(uint32_t c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
inline int Blue(uint32_t c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

}  // namespace tobli::test

// Opens a GlTestWindow named `window` in a test body; skips the test when there is no display
// and fails it when the window or context cannot be made.
#define TOBLI_GL_WINDOW(window, ...)                                        \
  if (!::tobli::test::HaveDisplay()) GTEST_SKIP() << "no X display for GL"; \
  ::tobli::test::GlTestWindow window{__VA_ARGS__};                          \
  ASSERT_TRUE(window.ok()) << window.why()

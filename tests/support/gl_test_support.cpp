#include "support/gl_test_support.h"

#include <GL/gl.h>

#include <cstdlib>

#include "core/frame.h"
#include "core/services.h"
#include "gfx/lumetra.h"
#include "platform/platform.h"

namespace tobli::test {

namespace platform = tobli::platform;

bool HaveDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display != nullptr && *display != 0;
}

GlTestWindow::GlTestWindow(int width, int height) {
  // A warning box would wait for a click that never comes.
  setenv("TOBLI_NO_GL_WARNING_BOX", "1", 0);
  platform::Select(platform::Kind::kSdl);
  platform::WindowSpec spec;
  spec.title = "test";
  spec.width = width;
  spec.height = height;
  if (!platform::OpenWindow(spec, why_)) return;
  platform::ShowWindow(true);
  __CreateRenderer();
  if (!__InitRenderer(0, 0, 0, 60, why_)) return;
  pLum->DoWindowed();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ok_ = true;
}

GlTestWindow::~GlTestWindow() {
  __DestroyRenderer();
  platform::CloseWindow();
}

HeadlessRenderer::HeadlessRenderer(int fps) {
  platform::Select(platform::Kind::kHeadless);
  std::string why;
  platform::WindowSpec spec;
  platform::OpenWindow(spec, why);
  __CreateInputService();
  __CreateRenderer();
  __InitRenderer(640, 480, 0, fps, why);
  __CreateInputDevices(false);
  __g_FirstTime = __g_LastTime = __g_ThisTime = __ClockMs();
}

HeadlessRenderer::~HeadlessRenderer() {
  platform::SetFrameHook({});
  __DestroyInputService();
  __DestroyRenderer();
  platform::CloseWindow();
}

std::vector<uint32_t> ReadFrame(int& width, int& height) {
  platform::GetWindowSize(width, height);
  return ReadPixels(width, height);
}

std::vector<uint32_t> ReadPixels(int width, int height) {
  std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  std::vector<uint32_t> frame(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    // GL rows run bottom-up.
    const uint8_t* row = &rgba[static_cast<size_t>(height - 1 - y) * width * 4];
    for (int x = 0; x < width; ++x) {
      frame[static_cast<size_t>(y) * width + x] = Rgb(row[4 * x], row[4 * x + 1], row[4 * x + 2]);
    }
  }
  return frame;
}

uint32_t PixelAt(int x, int y) {
  int width = 0;
  int height = 0;
  platform::GetWindowSize(width, height);
  uint8_t rgba[4] = {0, 0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return Rgb(rgba[0], rgba[1], rgba[2]);
}

int CountLitPixels() {
  int width = 0;
  int height = 0;
  int lit = 0;
  for (uint32_t pixel : ReadFrame(width, height)) lit += pixel != 0 ? 1 : 0;
  return lit;
}

}  // namespace tobli::test

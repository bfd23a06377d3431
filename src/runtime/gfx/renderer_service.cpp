// Start-up and shutdown steps of the renderer. Scaffolding until the renderer lands.
#include <GL/gl.h>

#include "core/services.h"
#include "platform/platform.h"

namespace platform = tobli::platform;

void __CreateRenderer() {}

bool __InitRenderer(int width, int height, int bits, int fps, std::string& why) {
  (void)width;
  (void)height;
  (void)fps;
  if (platform::IsHeadless()) return true;
  return platform::CreateGLContext(bits, why);
}

double __ClockMs() {
  uint64_t frequency = platform::PerfFrequency();
  if (frequency == 0) return platform::TicksMs();
  return static_cast<double>(platform::PerfCounter()) * 1000.0 / static_cast<double>(frequency);
}

void __SetDisplayMode(bool fullscreen) {
  (void)fullscreen;
}

void __PresentFirstFrame() {
  if (!platform::HasGL()) return;
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  platform::SwapBuffers();
}

void __DestroyRenderer() {
  platform::DestroyGLContext();
}

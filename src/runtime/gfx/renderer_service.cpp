// Start-up and shutdown steps of the renderer.
#include <GL/gl.h>

#include "core/services.h"
#include "gfx/lumetra.h"

namespace platform = tobli::platform;

void __CreateRenderer() {
  delete pLum;
  pLum = new OpenGLLumetra();
}

bool __InitRenderer(int width, int height, int bits, int fps, std::string& why) {
  if (pLum == nullptr) __CreateRenderer();
  if (pLum->Init(width, height, bits, static_cast<uint16_t>(fps))) return true;
  why = "the OpenGL context could not be made";
  return false;
}

double __ClockMs() {
  if (pLum != nullptr) return pLum->AccurateTime();
  uint64_t frequency = platform::PerfFrequency();
  if (frequency == 0) return platform::TicksMs();
  return static_cast<double>(platform::PerfCounter()) * 1000.0 / static_cast<double>(frequency);
}

void __SetDisplayMode(bool fullscreen) {
  if (pLum == nullptr) return;
  if (fullscreen) {
    pLum->DoFullscreen();
  } else {
    pLum->DoWindowed();
  }
}

void __PresentFirstFrame() {
  if (pLum == nullptr) return;
  if (OpenGLLumetra::HasContext()) {
    glClear(GL_COLOR_BUFFER_BIT);
    platform::SwapBuffers();
  }
  pLum->Make2DViewport();
}

void __DestroyRenderer() {
  delete pLum;
  pLum = nullptr;
}

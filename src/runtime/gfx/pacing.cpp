// The frame clock, the frame-rate cap and SHOWSCREEN.
#include <GL/gl.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/frame.h"
#include "core/services.h"
#include "gfx/lumetra.h"
#include "gfx/screen_commands.h"

namespace platform = tobli::platform;

namespace {

// The hybrid wait sleeps until this long before the frame's deadline and spins the rest, so a
// late wake-up of the scheduler still leaves the release on time (see docs/performance.md).
constexpr double kSpinMarginMs = 1.0;
// One sleep lasts at most this long, so platform events are still dispatched during a long
// wait (a low frame cap).
constexpr double kMaxSleepSliceMs = 10.0;

}  // namespace

void OpenGLLumetra::SetupAccurateTimer() {
  bPerfCounter = 0;
  dPerfFreq = 0;
  uint64_t frequency = platform::PerfFrequency();
  if (frequency > 0) {
    bPerfCounter = 1;
    dPerfFreq = static_cast<double>(frequency);
  }
}

double OpenGLLumetra::AccurateTime() {
  if (bPerfCounter != 0) return static_cast<double>(platform::PerfCounter()) * 1000.0 / dPerfFreq;
  return static_cast<double>(platform::TicksMs());
}

void OpenGLLumetra::SetMaxFPS(int fps) {
  dFrameTime = fps > 0 ? 1000.0 / fps : 2.0;
}

bool OpenGLLumetra::WinMessages() {
  __DispatchEvents();
  return true;
}

// Sleeps until the clock reads at least ms (headless: the virtual clock moves there).
static void SleepUntilClock(OpenGLLumetra& lum, double ms) {
  if (lum.bPerfCounter != 0) {
    platform::SleepUntilCounter(static_cast<uint64_t>(std::ceil(ms * lum.dPerfFreq / 1000.0)));
  } else {
    platform::SleepMs(ms - lum.AccurateTime());
  }
}

double OpenGLLumetra::FlipScreens() {
  if (HasContext()) {
    glFlush();
    platform::SwapBuffers();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  double start = AccurateTime();
  double now = start;
  WinMessages();
  if (platform::IsHeadless()) {
    // The virtual clock only moves when told: the wait is one step to the frame's slot.
    if (now < dNextFrame) {
      SleepUntilClock(*this, dNextFrame);
      now = AccurateTime();
    }
  } else {
    while (now <= dNextFrame) {
      // Events are dispatched until the last stretch before the slot; an event pump can stall
      // for milliseconds while the display server is busy, so the final spin does not pump.
      if (dNextFrame - now > kSpinMarginMs) WinMessages();
      if (nWaitMode == FrameWait::kHybrid) {
        double wake = std::min(dNextFrame - kSpinMarginMs, now + kMaxSleepSliceMs);
        if (wake > now) SleepUntilClock(*this, wake);
      }
      now = AccurateTime();
    }
  }
  // The schedule is absolute; after an overlong frame it moves on to the next whole slot and
  // makes up no frames.
  dNextFrame += dFrameTime;
  if (dFrameTime > 0) {
    while (dNextFrame < now) dNextFrame += dFrameTime;
  }
  platform::RunFrameHook();
  return (now - start) + 1;
}

void SHOWSCREEN() {
  __g_LastTime = __g_ThisTime;
  __g_ThisTime = __ClockMs();
  __LoopMusic();
  __RefreshKeyboard();
  if (__QuitKeysDown() && __QuitAllowed()) END();
  if (pLum == nullptr) return;
  ++__g_FrameCount;
  pLum->FlipScreens();
  pLum->DoAlpha(0);  // opaque drawing for the next frame
  pLum->PasteSurface(0);
  pLum->Make2DViewport();
}

void LIMITFPS(double fps) {
  // Truncation toward zero; values beyond the int range are capped instead of converted
  // (a conversion out of range has no defined result).
  int whole = 0;
  if (fps >= static_cast<double>(INT_MAX)) {
    whole = INT_MAX;
  } else if (fps > static_cast<double>(INT_MIN)) {
    whole = static_cast<int>(fps);
  }
  if (pLum != nullptr) pLum->SetMaxFPS(whole);
}

double GETTIMER() {
  double d = __g_ThisTime - __g_LastTime;
  return d > 0 ? d : 1;
}

double GETTIMERALL() {
  return __g_ThisTime - __g_FirstTime;
}

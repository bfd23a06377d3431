// KEY, MOUSESTATE, SETMOUSE, KEYWAIT, MOUSEWAIT and INKEY_Str.
#include "input/input_commands.h"

#include <algorithm>
#include <cmath>

#include "core/frame.h"
#include "core/services.h"
#include "gfx/lumetra.h"
#include "input/dxinput.h"
#include "platform/platform.h"

namespace {

// The low 8 bits of the truncated number (0 for NaN and numbers beyond 64 bits).
int LowByte(double n) {
  if (!(std::fabs(n) < 9.2e18)) return 0;
  return static_cast<int>(static_cast<int64_t>(n) & 0xFF);
}

// A turn of a waiting loop in which no event came: the platform gets a moment.
void IdleTurn(uint64_t eventsBefore) {
  if (pDXin->EventCount() != eventsBefore) return;
  // Headless time only moves with presented frames; a driver scripts waits through its idle
  // hook. On a real machine the wait should not take a whole core.
  if (!tobli::platform::IsHeadless()) tobli::platform::SleepMs(1);
}

}  // namespace

double KEY(double n) {
  if (pDXin == nullptr) return 0;
  pDXin->GetKeyboardStatus();
  return pDXin->KeyDown(LowByte(n)) ? 1 : 0;
}

void MOUSESTATE(double& x, double& y, double& b1, double& b2) {
  DIMOUSEDATA d;
  // A failed reading counts as no motion and no button.
  if (pDXin == nullptr || !pDXin->GetMouseData(d)) d = DIMOUSEDATA{};
  double maxX = pLum != nullptr ? pLum->nResX : __KD_RESX;
  double maxY = pLum != nullptr ? pLum->nResY : __KD_RESY;
  __g_mx = std::clamp(__g_mx + d.nDX, 0.0, maxX);
  __g_my = std::clamp(__g_my + d.nDY, 0.0, maxY);
  x = __g_mx;
  y = __g_my;
  b1 = d.nLeft != 0 ? 1 : 0;
  b2 = d.nRight != 0 ? 1 : 0;
}

void SETMOUSE(double x, double y) {
  __g_mx = x;
  __g_my = y;
}

double KEYWAIT() {
  if (pDXin == nullptr) return 0;
  for (;;) {
    uint64_t before = pDXin->EventCount();
    if (pDXin->AnyKey()) break;
    // The quit keys end the program here as they do in SHOWSCREEN and MOUSEWAIT: a pause, the
    // help screen or the editor's "Done" is no trap.
    pDXin->GetKeyboardStatus();
    if (__QuitKeysDown() && __QuitAllowed()) __EndProgram();
    __DispatchEvents();
    IdleTurn(before);
  }
  // A held key gives its character only once, so this ends at once.
  while (pDXin->AnyKey()) {
  }
  return 0;
}

double MOUSEWAIT() {
  if (pDXin == nullptr) return 0;
  for (;;) {
    uint64_t before = pDXin->EventCount();
    if (!pDXin->AnyMouse()) break;
    IdleTurn(before);
  }
  for (;;) {
    uint64_t before = pDXin->EventCount();
    if (pDXin->AnyMouse()) break;
    pDXin->GetKeyboardStatus();
    if (pDXin->KeyHeld(0x01) && __QuitAllowed()) __EndProgram();
    IdleTurn(before);
  }
  return 0;
}

KDStr INKEY_Str() {
  KDStr text;
  if (pDXin == nullptr) return text;
  char c[2] = {pDXin->GetKeyChar(), 0};
  if (c[0] != 0) text = c;
  return text;
}

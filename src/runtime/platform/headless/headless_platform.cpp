// The headless platform: no window and no GL; a virtual clock that only moves when the
// runtime says so (one frame per presented frame); input only from pushed events.
#include <cmath>
#include <cstring>

#include "platform/platform_impl.h"

namespace tobli::platform::headless {
namespace {

// The virtual counter runs at one tick per microsecond.
constexpr uint64_t kFrequency = 1000000;
uint64_t gCounter = 0;
double gFraction = 0;
bool gWindow = false;
int gWidth = 640;
int gHeight = 480;
std::vector<DisplayMode> gModes;  // empty: every mode
constexpr int kDesktopBits = 32;

}  // namespace

void Reset() {
  gCounter = 0;
  gFraction = 0;
  gWindow = false;
  gModes.clear();
}

bool OpenWindow(const WindowSpec& spec, std::string& why) {
  (void)why;
  gWindow = true;
  gWidth = spec.width;
  gHeight = spec.height;
  return true;
}

void CloseWindow() {
  gWindow = false;
}
bool HasWindow() {
  return gWindow;
}

void GetWindowSize(int& width, int& height) {
  width = gWidth;
  height = gHeight;
}

void SetWindowSize(int width, int height) {
  gWidth = width;
  gHeight = height;
}

bool SetFullscreen(bool fullscreen, int width, int height, int bits) {
  if (!fullscreen || gModes.empty()) return true;
  int depth = bits == 0 ? kDesktopBits : bits;
  for (const DisplayMode& mode : gModes) {
    int offered = mode.bits == 0 ? kDesktopBits : mode.bits;
    if (mode.width == width && mode.height == height && offered == depth) return true;
  }
  return false;
}

void SetDisplayModes(const std::vector<DisplayMode>& modes) {
  gModes = modes;
}

uint64_t PerfCounter() {
  return gCounter;
}
uint64_t PerfFrequency() {
  return kFrequency;
}
uint32_t TicksMs() {
  return static_cast<uint32_t>(gCounter / 1000);
}

void AdvanceVirtualClock(double ms) {
  if (!(ms > 0)) return;
  // Keep the fraction of a tick so that many small steps add up exactly.
  double ticks = ms * 1000.0 + gFraction;
  double whole = std::floor(ticks);
  gFraction = ticks - whole;
  gCounter += static_cast<uint64_t>(whole);
}

void AdvanceToCounter(uint64_t counter) {
  if (counter > gCounter) gCounter = counter;
}

char KeyCharacter(int scanCode, bool shift) {
  // US layout by DirectInput scan code.
  static const char kPlain[] =
      "\0\0"
      "1234567890-=\0\0"
      "qwertyuiop[]\0\0"
      "asdfghjkl;'`\0\\"
      "zxcvbnm,./\0*\0 ";
  static const char kShifted[] =
      "\0\0"
      "!@#$%^&*()_+\0\0"
      "QWERTYUIOP{}\0\0"
      "ASDFGHJKL:\"~\0|"
      "ZXCVBNM<>?\0*\0 ";
  if (scanCode == 0x4A) return '-';  // keypad operators
  if (scanCode == 0x4E) return '+';
  if (scanCode < 0 || scanCode >= static_cast<int>(sizeof(kPlain) - 1)) return 0;
  return shift ? kShifted[scanCode] : kPlain[scanCode];
}

}  // namespace tobli::platform::headless

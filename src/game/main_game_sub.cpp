// Until the game's own program lands: an empty window that stays until it is closed.
#include "runtime.h"

namespace platform = tobli::platform;

void __MainGameSub_() {
  for (;;) {
    __DispatchEvents();
    platform::SwapBuffers();
    platform::SleepMs(16);
  }
}

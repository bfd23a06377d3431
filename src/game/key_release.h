// A key that ends a wait or confirms a screen is still held when the next loop reads its keys;
// the screens wait for it to come up, so that the press is not taken a second time.
#pragma once

#include <initializer_list>

#include "runtime.h"

// Returns once none of the keys (scan codes) is held; draws nothing and shows no frame. Window
// events are handled meanwhile, so closing the window still ends the program.
inline void WaitForKeysUp(std::initializer_list<double> keys) {
  for (;;) {
    bool held = false;
    for (double key : keys) {
      if (KEY(key) != 0) held = true;
    }
    if (!held) return;
  }
}

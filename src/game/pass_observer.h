// Points inside one pass of the game loop where a driver (the replay tool, the game tests) may
// look at the state and queue input. The game itself sets no observer.
#pragma once

#include <functional>

namespace tobli::game {

enum class PassPoint {
  kCommandKeys,  // after the play field is drawn, just before Enter, Q, Space, P, E, F1 are read
  kArrowKeys,    // the player stands on a tile and is not carried: the arrow keys are read next
  kPassEnd,      // just before the SHOWSCREEN that ends the pass
};

// Sets the observer called at each point (an empty function removes it).
void SetPassObserver(std::function<void(PassPoint)> observer);

}  // namespace tobli::game

// How the game turns a number into a whole one.
#pragma once

namespace tobli::game {

// The number truncated toward zero.
inline double Whole(double v) {
  return static_cast<double>(static_cast<long long>(v));
}

}  // namespace tobli::game

// Ice curves turn whatever glides onto them, the player and boxes alike.
#pragma once

namespace tobli::game {

// The direction (1 right, 2 left, 3 down, 4 up) after gliding onto tile `tile`; tiles other
// than the four curves (69 to 72), and directions a curve does not turn, keep the direction.
inline double TurnOnCurve(double tile, double direction) {
  constexpr double kRight = 1;
  constexpr double kLeft = 2;
  constexpr double kDown = 3;
  constexpr double kUp = 4;
  struct Turn {
    double tile;
    double from;
    double to;
  };
  static constexpr Turn kTurns[] = {
      {69, kLeft, kDown}, {69, kUp, kRight},  {70, kRight, kDown}, {70, kUp, kLeft},
      {71, kRight, kUp},  {71, kDown, kLeft}, {72, kLeft, kUp},    {72, kDown, kRight},
  };
  for (const Turn& turn : kTurns) {
    if (turn.tile == tile && turn.from == direction) return turn.to;
  }
  return direction;
}

}  // namespace tobli::game

// What the box routines share: the direction of a motion state, the room left in the box and
// enemy tables, plain access to their columns for the scans, and the one way the box code plays
// a sound.
#pragma once

#include "runtime.h"

namespace tobli::game {

// Motion states of a box: 1 right, 2 left, 3 down, 4 up (the player's codes), 5 at rest.
constexpr double kBoxAtRest = 5;
// The box arrays' step frames: a step takes 16 frames at 2 pixels a frame.
constexpr double kBoxStepFrames = 16;

struct BoxStep {
  double dx = 0;
  double dy = 0;
};

// The tile step of a motion state; (0, 0) for rest and for any other value.
BoxStep BoxDirection(double motion);
// True while another box fits into the box arrays.
bool BoxTableHasRoom();
// True while another entry (enemy or picture object) fits into the enemy arrays.
bool EnemyTableHasRoom();
// PLAYSOUND slot, centred, full volume.
void BoxSound(double slot);
// The number truncated toward zero.
double Whole(double v);

// How many entries a table loop `for (e = 0; e <= count - 1; e = e + 1)` visits.
int TableEntries(double count);
// The storage of a table column for a scan of its first `entries` entries, read and written
// without a check per entry. When the last of them lies beyond the column, the checked access
// ends the program here, as the scan would have. (The columns of one table are dimensioned
// together, so a scan fails on its first column as well as on any other.)
double* Column(KDIntArray& column, int entries);

}  // namespace tobli::game

// What the box routines share: the direction of a motion state, the room left in the box and
// enemy tables, plain access to their columns for the scans, and the one way the box code plays
// a sound.
#pragma once

#include <vector>

#include "runtime.h"
#include "whole.h"

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

// How many entries a table loop `for (e = 0; e <= count - 1; e = e + 1)` visits.
int TableEntries(double count);
// The storage of a table column for a scan of its first `entries` entries, read and written
// without a check per entry. When the last of them lies beyond the column, the checked access
// ends the program here, as the scan would have. (The columns of one table are dimensioned
// together, so a scan fails on its first column as well as on any other.)
double* Column(KDIntArray& column, int entries);

// The entries of the box table on each tile, each tile's in table order. The box pass keeps it
// during its update pass, where no code but the box code runs, so that pushing and the gem
// triple look at the few boxes of a tile instead of the whole table.
class BoxPlaces {
 public:
  static constexpr int kSide = 128;
  BoxPlaces();
  // The first entry on tile (x, y), or -1 (also for a position that is no tile of the map).
  int First(double x, double y) const;
  // The entry after `entry` on the same tile, or -1.
  int Next(int entry) const { return next_[entry]; }
  // Reads the table; false when some box stands off the map's tiles (the scans serve then).
  bool Take();

 private:
  std::vector<int> first_;  // per tile, column + row * kSide
  std::vector<int> next_;   // per entry
  std::vector<int> tiles_;  // the tiles the last Take filled
};

// While one of these lives the box lookups go through the places, taken afresh whenever a
// box has changed its tile or the table its count (BoxesMoved).
class BoxPlacesInUse {
 public:
  BoxPlacesInUse();
  ~BoxPlacesInUse();
  BoxPlacesInUse(const BoxPlacesInUse&) = delete;
  BoxPlacesInUse& operator=(const BoxPlacesInUse&) = delete;
};
// Called by every change of a box's tile and of the box count.
void BoxesMoved();
// The places, up to date; null when none are in use or some box stands off the map's tiles.
const BoxPlaces* InUsePlaces();
// Whether the update pass uses the places at all (it does unless told otherwise); without them
// the scans serve, which is what tests hold the places against.
void UseBoxPlaces(bool use);

}  // namespace tobli::game

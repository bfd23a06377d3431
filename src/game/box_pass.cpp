// The box pass of every frame: each box is drawn where its step has brought it, then the
// steps that have ended are resolved against the tile reached (floor, water, holes, ice,
// conveyors, fire, mines, raised blocks), three resting gems of different kinds vanish
// together, and a crate on the last target completes the crate mission.
#include <cmath>
#include <utility>

#include "box_table.h"
#include "game.h"
#include "ice_curves.h"
#include "pickup_list.h"

namespace {

using tobli::game::BoxSound;
using tobli::game::TurnOnCurve;
using tobli::game::Whole;

constexpr double kTile = 32;
constexpr double kCrate = 61;
constexpr double kDebrisLook = 107;
// Mode of a new picture object: falling ones shrink from -32, vanishing ones grow from 32.
constexpr double kFallingMode = -32;
constexpr double kVanishingMode = 32;
// Icon of the silver key in the pick-up list.
constexpr double kSilverKeyIcon = 14;

enum class Next { kGoOn, kRestart };

// Drawing pass. False when a gliding box has crushed the player: the frame's pass ends there.
bool DrawBoxes() {
  for (double i = 0; i <= maxbox - 1; i = i + 1) {
    double ox = 0;
    double oy = 0;
    DLN();
    if (boxdelay(i) > 0) {
      DLN();
      boxdelay(i) = boxdelay(i) - 1;
      DLN();
      double d = 32 - 2 * boxdelay(i);
      DLN();
      double motion = boxm(i);
      if (motion == 1) ox = d;
      if (motion == 2) ox = -d;
      if (motion == 3) oy = d;
      if (motion == 4) oy = -d;
      DLN();
      if (ABS(plyx - (boxx(i) * kTile + ox)) < 16 && ABS(plyy - (boxy(i) * kTile + oy)) < 16) {
        DLN();
        deadplayer("M");
        return false;
      }
    }
    DLN();
    double look = boxlook(i);
    double sprite = look == kCrate ? kCrate : look + pingpong(ani);
    DLN();
    SPRITE(sprite, boxx(i) * kTile + ox - offsx, boxy(i) * kTile + oy - offsy);
  }
  return true;
}

// A destroyed box leaves debris in the enemy table, with the sound of its end: fire (8) while
// the tile is still burning, else the blast (1). A full table shows no debris; the sound still
// plays.
void LeaveDebris(double bx, double by) {
  if (!tobli::game::EnemyTableHasRoom()) {
    DLN();
    BoxSound(hit(bx, by) == 18 ? 8 : 1);
    return;
  }
  DLN();
  enex(maxene) = bx * kTile;
  eney(maxene) = by * kTile;
  DLN();
  killenemy(maxene);
  DLN();
  enelook(maxene) = kDebrisLook;
  maxene = maxene + 1;
}

// A box falling through the floor is shown shrinking (when the enemy table has room).
void LeaveFallingBox(double bx, double by, double look) {
  BoxSound(7);
  if (!tobli::game::EnemyTableHasRoom()) return;
  DLN();
  enex(maxene) = bx * kTile;
  eney(maxene) = by * kTile;
  enemode(maxene) = kFallingMode;
  enelook(maxene) = look;
  maxene = maxene + 1;
}

double ConveyorDirection(double tile) {
  if (tile == 83) return 2;
  if (tile == 84) return 1;
  if (tile == 103) return 3;
  if (tile == 104) return 4;
  return 0;
}

// A silver key for the player: the count, the icon rising from the player's tile, sound 12.
void GiveSilverKey() {
  DLN();
  kys(4) = kys(4) + 1;
  AddPickup(kSilverKeyIcon, Whole(plyx * 0.03125), Whole(plyy * 0.03125));
  BoxSound(12);
}

// Box i has no step running: the step that ended is completed and the tile reached decides
// what happens next.
Next ResolveArrival(double i, bool& targetCovered) {
  DLN();
  tobli::game::BoxStep step = tobli::game::BoxDirection(boxm(i));
  DLN();
  boxx(i) = boxx(i) + step.dx;
  boxy(i) = boxy(i) + step.dy;
  if (step.dx != 0 || step.dy != 0) tobli::game::BoxesMoved();
  double bx = boxx(i);
  double by = boxy(i);
  DLN();
  double t = hit(bx, by);
  DLN();
  double look = boxlook(i);
  DLN();
  if ((t == 100 || t == 80) && boxm(i) < tobli::game::kBoxAtRest) BoxSound(14);

  if (t == 60 && look == kCrate) {
    DLN();
    hit(bx, by) = kCrate;
    killbox(i);
    return Next::kRestart;
  }
  if (t == 4) {
    DLN();
    hit(bx, by) = 63;
    killbox(i);
    BoxSound(15);
    return Next::kRestart;
  }
  if (t == 9 || t == 29 || t == 49 || t == 92) {
    DLN();
    hit(bx, by) = 92;
    LeaveFallingBox(bx, by, look);
    DLN();
    killbox(i);
    return Next::kRestart;
  }
  if (t == 100 && boxmission == 0 && look == kCrate) targetCovered = true;

  double conveyor = ConveyorDirection(t);
  if (conveyor != 0) {
    DLN();
    boxm(i) = conveyor;
    DLN();
    pushbox(bx, by);
  }
  // Ice carries every box on; a rolling gem rolls on any floor.
  bool handedOn = (t >= 66 && t <= 72) || look < 8;
  if (handedOn) {
    DLN();
    boxm(i) = TurnOnCurve(t, boxm(i));
    DLN();
    pushbox(boxx(i), boxy(i));
  }
  DLN();
  if (boxdelay(i) != tobli::game::kBoxStepFrames) boxm(i) = tobli::game::kBoxAtRest;

  if (!handedOn && (t == 18 || t == 19)) {
    if (look == 8) {
      DLN();
      createboom(bx, by);
    }
    LeaveDebris(bx, by);
    if (t == 19) {
      DLN();
      hit(bx, by) = 60;
    }
    DLN();
    killbox(i);
    return Next::kRestart;
  }
  return Next::kGoOn;
}

// Gems of looks 5, 6 and 7 resting side by side (one of them box i, or all three next to it)
// vanish together and give a silver key. True when they did.
bool GemTriple(double i) {
  DLN();
  double x = boxx(i);
  double y = boxy(i);
  double found[3] = {-1, -1, -1};  // the first of looks 5, 6 and 7
  DLN();
  int boxes = tobli::game::TableEntries(maxbox);
  const double* motions = tobli::game::Column(boxm, boxes);
  const double* looks = tobli::game::Column(boxlook, boxes);
  // A box at rest counts when it is box i or stands next to it; of each look the first in table
  // order.
  auto note = [&](int j) {
    if (motions[j] != tobli::game::kBoxAtRest) return;
    double look = looks[j];
    if (look < 5 || look > 7) return;
    double& first = found[static_cast<int>(look) - 5];
    if (first < 0 || j < first) first = j;
  };
  if (const tobli::game::BoxPlaces* places = tobli::game::InUsePlaces()) {
    note(static_cast<int>(i));
    const double next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
    for (const auto& place : next) {
      for (int j = places->First(place[0], place[1]); j >= 0; j = places->Next(j)) note(j);
    }
  } else {
    const double* columns = tobli::game::Column(boxx, boxes);
    const double* rows = tobli::game::Column(boxy, boxes);
    for (int j = 0; j < boxes; ++j) {
      double bx = columns[j];
      double by = rows[j];
      bool beside = (by == y && std::fabs(bx - x) == 1) || (bx == x && std::fabs(by - y) == 1);
      if (j == i || beside) note(j);
    }
  }
  if (found[0] < 0 || found[1] < 0 || found[2] < 0) return false;

  GiveSilverKey();
  // Removed from the highest index down, so that each removal leaves the other two in place.
  double order[3] = {found[0], found[1], found[2]};
  for (int a = 0; a < 3; ++a) {
    for (int b = a + 1; b < 3; ++b) {
      if (order[b] > order[a]) std::swap(order[a], order[b]);
    }
  }
  for (double n : order) {
    bool shown = tobli::game::EnemyTableHasRoom();
    if (shown) {
      DLN();
      enex(maxene) = boxx(n) * kTile;
      eney(maxene) = boxy(n) * kTile;
      enelook(maxene) = boxlook(n);
      enemode(maxene) = kVanishingMode;
    }
    DLN();
    killbox(n);
    if (shown) maxene = maxene + 1;
  }
  return true;
}

// One box of the update pass.
Next UpdateBox(double i, bool& targetCovered) {
  DLN();
  double under = hit(boxx(i), boxy(i));
  if (under == 101 || under == 102) {
    // A block has risen under the box.
    DLN();
    LeaveDebris(boxx(i), boxy(i));
    DLN();
    killbox(i);
    return Next::kRestart;
  }
  DLN();
  if (boxdelay(i) < 1 && ResolveArrival(i, targetCovered) == Next::kRestart) {
    return Next::kRestart;
  }
  DLN();
  if (boxlook(i) < 8 && GemTriple(i)) return Next::kRestart;
  return Next::kGoOn;
}

}  // namespace

void showboxes() {
  DLN();
  ALPHAMODE(0);
  if (!DrawBoxes()) return;

  // Removals move the last box into the freed place, so the pass starts over after each; a
  // box gliding or at rest is not changed by being looked at again.
  bool targetCovered = false;
  {
    tobli::game::BoxPlacesInUse places;
    double i = 0;
    while (i <= maxbox - 1) {
      DLN();
      if (UpdateBox(i, targetCovered) == Next::kRestart) {
        i = 0;
        continue;
      }
      i = i + 1;
    }
  }

  if (targetCovered && boxmission == 0) {
    DLN();
    boxmission = boxbuttons();
    if (boxmission == 1) GiveSilverKey();
  }
}

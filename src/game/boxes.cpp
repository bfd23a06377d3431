// The box table and the switches that boxes share with the player: making, pushing and
// removing boxes, the crate targets, the block toggle and the magnet-off plates.
#include <algorithm>
#include <cmath>

#include "box_table.h"
#include "game.h"

namespace tobli::game {

BoxStep BoxDirection(double motion) {
  if (motion == 1) return {1, 0};
  if (motion == 2) return {-1, 0};
  if (motion == 3) return {0, 1};
  if (motion == 4) return {0, -1};
  return {};
}

bool BoxTableHasRoom() {
  for (KDIntArray* column : {&boxlook, &boxx, &boxy, &boxm, &boxdelay}) {
    if (!(maxbox < BOUNDS(*column, 0))) return false;
  }
  return true;
}

bool EnemyTableHasRoom() {
  for (KDIntArray* column : {&enex, &eney, &enespd, &enemode, &enelook}) {
    if (!(maxene < BOUNDS(*column, 0))) return false;
  }
  return true;
}

void BoxSound(double slot) {
  DLN();
  PLAYSOUND(slot, 0, 1);
}

int TableEntries(double count) {
  // Counts are whole numbers within the tables' 100 entries; anything larger is cut to a size
  // that still fails the column's check.
  constexpr double kMost = 1 << 30;
  if (!(count - 1 >= 0)) return 0;
  return static_cast<int>(std::floor(std::min(count - 1, kMost))) + 1;
}

double* Column(KDIntArray& column, int entries) {
  if (entries > 0) {
    DLN();
    column(entries - 1);
  }
  return column.pData;
}

BoxPlaces::BoxPlaces() : first_(kSide * kSide, -1) {}

int BoxPlaces::First(double x, double y) const {
  if (!(x >= 0 && x < kSide && y >= 0 && y < kSide)) return -1;
  if (x != std::trunc(x) || y != std::trunc(y)) return -1;
  return first_[static_cast<int>(x) + static_cast<int>(y) * kSide];
}

bool BoxPlaces::Take() {
  for (int tile : tiles_) first_[tile] = -1;
  tiles_.clear();
  DLN();
  int boxes = TableEntries(maxbox);
  const double* columns = Column(boxx, boxes);
  const double* rows = Column(boxy, boxes);
  next_.assign(boxes, -1);
  // From the last entry down, so that each tile's list runs in table order.
  for (int b = boxes - 1; b >= 0; --b) {
    double x = columns[b];
    double y = rows[b];
    if (!(x >= 0 && x < kSide && y >= 0 && y < kSide) || x != std::trunc(x) || y != std::trunc(y)) {
      return false;
    }
    int tile = static_cast<int>(x) + static_cast<int>(y) * kSide;
    if (first_[tile] < 0) tiles_.push_back(tile);
    next_[b] = first_[tile];
    first_[tile] = b;
  }
  return true;
}

namespace {

struct PlacesState {
  BoxPlaces places;
  bool used = true;
  int users = 0;
  bool taken = false;
  bool usable = false;
};

PlacesState& Places() {
  static PlacesState state;
  return state;
}

}  // namespace

BoxPlacesInUse::BoxPlacesInUse() {
  ++Places().users;
  BoxesMoved();
}

BoxPlacesInUse::~BoxPlacesInUse() {
  --Places().users;
  BoxesMoved();
}

void BoxesMoved() {
  Places().taken = false;
}

void UseBoxPlaces(bool use) {
  Places().used = use;
  BoxesMoved();
}

const BoxPlaces* InUsePlaces() {
  PlacesState& state = Places();
  if (state.users == 0 || !state.used) return nullptr;
  if (!state.taken) {
    state.usable = state.places.Take();
    state.taken = true;
  }
  return state.usable ? &state.places : nullptr;
}

}  // namespace tobli::game

namespace {

using tobli::game::BoxSound;
using tobli::game::Whole;

// Tiles a box may enter; fire and mine only take bombs and crates, not the rolling gems.
bool FreeForBox(double tile, double look) {
  if (tile == 4 || tile == 9 || tile == 29 || tile == 49 || tile == 60 || tile == 80 ||
      tile == 92 || tile == 100 || tile == 109 || tile == 111) {
    return true;
  }
  if (tile >= 65 && tile <= 72) return true;
  if (tile >= 81 && tile <= 84) return true;
  if (tile == 103 || tile == 104) return true;
  return (tile == 18 || tile == 19) && look > 7;
}

bool OnOneAxis(double a, double b) {
  return (a < 3 && b < 3) || (a > 2 && b > 2);
}

// The first entry standing on (x, y), or -1.
double FindBox(double x, double y) {
  if (const tobli::game::BoxPlaces* places = tobli::game::InUsePlaces()) {
    return places->First(x, y);
  }
  DLN();
  int boxes = tobli::game::TableEntries(maxbox);
  const double* columns = tobli::game::Column(boxx, boxes);
  const double* rows = tobli::game::Column(boxy, boxes);
  for (int n = 0; n < boxes; ++n) {
    if (columns[n] == x && rows[n] == y) return n;
  }
  return -1;
}

}  // namespace

void createbox(double x, double y) {
  tobli::game::BoxesMoved();
  // A full table takes no new box; the tile stays as it is.
  if (!tobli::game::BoxTableHasRoom()) return;
  DLN();
  boxlook(maxbox) = hit(x, y);
  DLN();
  hit(x, y) = 60;
  DLN();
  boxx(maxbox) = x;
  boxy(maxbox) = y;
  boxm(maxbox) = plym;
  boxdelay(maxbox) = 0;
  maxbox = maxbox + 1;
}

double pushbox(double x, double y) {
  if (maxbox == 0) return 0;
  double n = FindBox(x, y);
  if (n < 0) return 0;

  DLN();
  double motion = boxm(n);
  tobli::game::BoxStep step = tobli::game::BoxDirection(motion);
  double tx = x + step.dx;
  double ty = y + step.dy;
  DLN();
  double t = hit(tx, ty);
  DLN();
  bool blocked = !FreeForBox(t, boxlook(n));
  if (t == 111) {
    DLN();
    blocktoggle();
  }

  // A box on the target blocks; one moving along the same axis is stopped as well.
  auto stop = [n, &blocked](int j) {
    blocked = true;
    DLN();
    if (OnOneAxis(boxm(j), boxm(n))) boxm(j) = tobli::game::kBoxAtRest;
  };
  if (const tobli::game::BoxPlaces* places = tobli::game::InUsePlaces()) {
    for (int j = places->First(tx, ty); j >= 0; j = places->Next(j)) stop(j);
  } else {
    DLN();
    int boxes = tobli::game::TableEntries(maxbox);
    const double* columns = tobli::game::Column(boxx, boxes);
    const double* rows = tobli::game::Column(boxy, boxes);
    for (int j = 0; j < boxes; ++j) {
      if (columns[j] == tx && rows[j] == ty) stop(j);
    }
  }
  DLN();
  if (hit(x, y) == 65 && magnet != 0) blocked = true;

  if (blocked) {
    DLN();
    if (boxlook(n) < 8 && boxm(n) != tobli::game::kBoxAtRest) BoxSound(9);
    DLN();
    boxm(n) = tobli::game::kBoxAtRest;
    if (boxdelay(n) > 0) boxdelay(n) = 0;
    return 0;
  }
  DLN();
  boxdelay(n) = tobli::game::kBoxStepFrames;
  BoxSound(2);
  return 1;
}

void killbox(double n) {
  tobli::game::BoxesMoved();
  maxbox = maxbox - 1;
  DLN();
  boxx(n) = boxx(maxbox);
  boxy(n) = boxy(maxbox);
  boxlook(n) = boxlook(maxbox);
  boxdelay(n) = boxdelay(maxbox);
  boxm(n) = boxm(maxbox);
  boxm(maxbox) = 0;
}

double boxbuttons() {
  double result = 1;
  for (double c = 0; c <= xlevel - 1; c = c + 1) {
    for (double r = 0; r <= ylevel - 1; r = r + 1) {
      DLN();
      if (hit(c, r) != 100) continue;
      result = 0;
      for (double b = 0; b <= maxbox - 1; b = b + 1) {
        DLN();
        if (boxx(b) == c && boxy(b) == r && boxlook(b) == 61) result = 1;
      }
      if (result == 0) return 0;
    }
  }
  return result;
}

void blocktoggle() {
  BoxSound(14);
  // Each tile is looked at once, so a block just raised is not lowered again.
  for (double c = 0; c <= xlevel - 1; c = c + 1) {
    for (double r = 0; r <= ylevel - 1; r = r + 1) {
      DLN();
      double v = hit(c, r);
      double toggled = v == 81 ? 101 : v == 82 ? 102 : v == 101 ? 81 : v == 102 ? 82 : v;
      if (toggled != v) {
        DLN();
        hit(c, r) = toggled;
      }
    }
  }
}

double magnetcheck() {
  DLN();
  if (hit(Whole(plyx * 0.03125), Whole(plyy * 0.03125)) == 80) return 0;
  for (double b = 0; b <= maxbox - 1; b = b + 1) {
    DLN();
    if (hit(boxx(b), boxy(b)) == 80) return 0;
  }
  for (double e = 0; e <= maxene - 1; e = e + 1) {
    DLN();
    if (hit(Whole(enex(e) * 0.03125), Whole(eney(e) * 0.03125)) == 80) return 0;
  }
  return 1;
}

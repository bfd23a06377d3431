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

double Whole(double v) {
  return static_cast<double>(static_cast<long long>(v));
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
  DLN();
  int boxes = tobli::game::TableEntries(maxbox);
  const double* columns = tobli::game::Column(boxx, boxes);
  const double* rows = tobli::game::Column(boxy, boxes);
  for (int j = 0; j < boxes; ++j) {
    if (columns[j] == tx && rows[j] == ty) {
      blocked = true;
      DLN();
      if (OnOneAxis(boxm(j), boxm(n))) boxm(j) = tobli::game::kBoxAtRest;
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

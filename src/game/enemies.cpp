// The enemy pass of every frame: falling and vanishing picture objects age and leave the
// table, active enemies meet boxes and the player, chase, are held by magnets, beam, die on
// mines, raised blocks and crate tiles, and walk or turn by their behaviour.
#include <cmath>
#include <vector>

#include "box_table.h"
#include "game.h"
#include "whole.h"

namespace {

using tobli::game::Whole;

constexpr double kTile = 32;
// Modes: below 0 a falling object, 0 to 31 an active enemy, from 32 dying or vanishing.
constexpr double kLastActiveMode = 31;
constexpr double kFirstDyingMode = 32;
constexpr double kLastDyingMode = 130;
constexpr double kLastFallingMode = -132;
constexpr double kBoxAtRest = 5;
constexpr double kBomb = 8;

// Pixels an enemy moves in a frame: 2 to the power of its speed. The editor gives speeds 0 to
// 2; a hand-made file may give any number, so the power is taken of the speed's whole part
// and a step never exceeds a tile. Every step then divides the tile, and an enemy stands
// exactly on each tile it crosses: it checks every tile before it enters it and so never
// passes walls or leaves the map.
double StepPixels(double speed) {
  static const double kPowersOfTwo[] = {1, 2, 4, 8, 16, 32};
  double power = Whole(speed);
  if (power > 5) return kTile;
  if (power >= 0) return kPowersOfTwo[static_cast<int>(power)];
  return POW(2, power);
}

struct Step {
  double dx = 0;
  double dy = 0;
};

// Direction of an active mode: mode modulo 4 is 0 right, 1 left, 2 down, 3 up.
Step EnemyStep(double mode) {
  double d = MOD(mode, 4);
  if (d == 0) return {1, 0};
  if (d == 1) return {-1, 0};
  if (d == 2) return {0, 1};
  if (d == 3) return {0, -1};
  return {};
}

// The mode a blocked enemy takes: walkers reverse, turners turn a quarter; chasers and the
// modes no level makes keep theirs and wait.
double ModeWhenBlocked(double mode) {
  struct Turn {
    double from;
    double to;
  };
  static const Turn kTurns[] = {
      {0, 1},   {1, 0},   {6, 7},   {7, 6},    // walkers
      {8, 10},  {10, 9},  {9, 11},  {11, 8},   // clockwise
      {12, 15}, {15, 13}, {13, 14}, {14, 12},  // counter-clockwise
  };
  for (const Turn& turn : kTurns) {
    if (turn.from == mode) return turn.to;
  }
  return mode;
}

// Tiles an enemy walks onto: pads, mines, floor, magnets and their plates, lowered blocks,
// crate targets, hint tiles and the toggle switch.
bool WalkableForEnemy(double tile) {
  static const double kWalkable[] = {0, 1, 2, 3, 19, 60, 65, 80, 81, 82, 100, 109, 111};
  for (double code : kWalkable) {
    if (code == tile) return true;
  }
  return false;
}

// A chaser decides afresh at every tile: from a horizontal mode it steps toward the player's
// row, from a vertical one toward the player's column.
void Chase(double n) {
  DLN();
  double mode = enemode(n);
  if (mode == 16 || mode == 17) {
    DLN();
    if (eney(n) < plyy) mode = 18;
    DLN();
    if (eney(n) > plyy) mode = 19;
  } else if (mode > 17) {
    DLN();
    if (enex(n) < plyx) mode = 16;
    DLN();
    if (enex(n) > plyx) mode = 17;
  }
  DLN();
  enemode(n) = mode;
}

// A falling object shrinks for 101 frames, then is handed to the dying count, which removes
// it on the next frame.
void AgeFalling(double n) {
  DLN();
  enemode(n) = enemode(n) - 1;
  DLN();
  if (enemode(n) < kLastFallingMode) enemode(n) = -kLastFallingMode;
}

// A dying enemy or vanishing object counts up; past the last frame the last entry takes its
// place (and is not updated again in this frame).
void AgeDying(double n) {
  DLN();
  enemode(n) = enemode(n) + 1;
  DLN();
  if (!(enemode(n) > kLastDyingMode)) return;
  maxene = maxene - 1;
  DLN();
  enex(n) = enex(maxene);
  eney(n) = eney(maxene);
  enelook(n) = enelook(maxene);
  enespd(n) = enespd(maxene);
  enemode(n) = enemode(maxene);
  enemode(maxene) = kFirstDyingMode;
}

// Where each box stands for the meeting test: its step's reference point. The points are
// taken from the box table when the pass first needs them and again after anything in the pass
// may have changed the table: a box destroyed here, or a death sequence, which runs whole
// frames of its own.
class BoxPoints {
 public:
  // The first box in table order whose point lies within a tile of (ex, ey) in both axes, or
  // -1.
  int FirstNear(double ex, double ey) {
    if (!taken_) Take();
    for (int b = 0; b < static_cast<int>(x_.size()); ++b) {
      if (std::fabs(ex - x_[b]) < kTile && std::fabs(ey - y_[b]) < kTile) return b;
    }
    return -1;
  }
  void Forget() { taken_ = false; }

 private:
  // A box gliding in direction (vx, vy) with s frames of its step left is met at its tile plus
  // s times the travel vector; a box at rest, or with no step running, at its tile.
  void Take() {
    DLN();
    int boxes = tobli::game::TableEntries(maxbox);
    const double* motions = tobli::game::Column(boxm, boxes);
    const double* delays = tobli::game::Column(boxdelay, boxes);
    const double* columns = tobli::game::Column(boxx, boxes);
    const double* rows = tobli::game::Column(boxy, boxes);
    x_.resize(boxes);
    y_.resize(boxes);
    for (int b = 0; b < boxes; ++b) {
      double motion = motions[b];
      double vx = motion == 1 ? 2 : motion == 2 ? -2 : 0;
      double vy = motion == 3 ? 2 : motion == 4 ? -2 : 0;
      double s = delays[b] < 0 ? 0 : delays[b];
      x_[b] = columns[b] * kTile + vx * s;
      y_[b] = rows[b] * kTile + vy * s;
    }
    taken_ = true;
  }

  bool taken_ = false;
  std::vector<double> x_;
  std::vector<double> y_;
};

// A box whose reference point comes within a tile of the enemy destroys it and is destroyed.
bool MetBox(double n, BoxPoints& points) {
  DLN();
  int b = points.FirstNear(enex(n), eney(n));
  if (b < 0) return false;
  points.Forget();
  DLN();
  killbox(b);
  DLN();
  killenemy(n);
  DLN();
  talk("e");
  return true;
}

enum class TileOutcome { kMove, kStay, kDied };

// The enemy stands exactly on a tile: what the tile does to it and whether the next tile lets
// it go on. `step` may be stopped by a magnet.
TileOutcome OnTile(double n, Step& step, BoxPoints& points) {
  DLN();
  double tx = Whole(enex(n) / kTile);
  DLN();
  double ty = Whole(eney(n) / kTile);
  DLN();
  double t = hit(tx, ty);
  if (t == 65 && magnet != 0) step = {};
  if (t == 101 || t == 102) {
    DLN();
    killenemy(n);
    return TileOutcome::kDied;
  }
  if (t < 4) {
    DLN();
    PLAYSOUND(0, 0, 1);
    DLN();
    beam(enex(n), eney(n), t);
    DLN();
    enex(n) = beamp(0);
    DLN();
    eney(n) = beamp(1);
    DLN();
    tx = Whole(enex(n) / kTile);
    DLN();
    ty = Whole(eney(n) / kTile);
    DLN();
    t = hit(tx, ty);
  }
  if (t == 19) {
    DLN();
    killenemy(n);
    DLN();
    hit(tx, ty) = 60;
    return TileOutcome::kDied;
  }
  double nx = tx + step.dx;
  double ny = ty + step.dy;
  DLN();
  double nt = hit(nx, ny);
  if (t == 61) {
    // A crate has come to rest on the enemy.
    DLN();
    killenemy(n);
    DLN();
    hit(tx, ty) = 60;
    return TileOutcome::kDied;
  }
  bool go = WalkableForEnemy(nt);
  if (nt == 111) {
    DLN();
    blocktoggle();
  }
  DLN();
  int boxes = tobli::game::TableEntries(maxbox);
  const double* motions = tobli::game::Column(boxm, boxes);
  const double* columns = tobli::game::Column(boxx, boxes);
  const double* rows = tobli::game::Column(boxy, boxes);
  for (int b = 0; b < boxes; ++b) {
    if (motions[b] != kBoxAtRest || columns[b] != nx || rows[b] != ny) continue;
    DLN();
    if (boxlook(b) == kBomb) {
      // Enemy and bomb destroy each other; the bomb does not go off.
      DLN();
      killenemy(n);
      points.Forget();
      DLN();
      killbox(b);
      return TileOutcome::kDied;
    }
    go = false;
  }
  return go ? TileOutcome::kMove : TileOutcome::kStay;
}

// One active enemy for one frame.
void UpdateActive(double n, BoxPoints& points) {
  if (MetBox(n, points)) return;
  DLN();
  double aligned = MOD(enex(n), kTile) + MOD(eney(n), kTile);
  DLN();
  if (ABS(plyx - enex(n)) < 16 && ABS(plyy - eney(n)) < 16) {
    points.Forget();
    DLN();
    deadplayer("M");
    return;
  }
  if (aligned == 0) Chase(n);
  DLN();
  Step step = EnemyStep(enemode(n));
  if (aligned == 0) {
    TileOutcome outcome = OnTile(n, step, points);
    if (outcome == TileOutcome::kDied) return;
    if (outcome == TileOutcome::kStay) {
      DLN();
      enemode(n) = ModeWhenBlocked(enemode(n));
      return;
    }
  }
  DLN();
  double pixels = StepPixels(enespd(n));
  DLN();
  enex(n) = enex(n) + pixels * step.dx;
  DLN();
  eney(n) = eney(n) + pixels * step.dy;
}

}  // namespace

void moveenemies() {
  // The bound is read afresh for every entry: entries leave the table during the pass, and a
  // death sequence started here runs whole passes of its own before it returns.
  BoxPoints points;
  for (double n = 0; n <= maxene - 1; n = n + 1) {
    DLN();
    double mode = enemode(n);
    if (mode < 0) {
      AgeFalling(n);
    } else if (mode > kLastActiveMode) {
      AgeDying(n);
    } else {
      UpdateActive(n, points);
    }
  }
}

void killenemy(double n) {
  DLN();
  double tile = hit(Whole(enex(n) / kTile), Whole(eney(n) / kTile));
  DLN();
  PLAYSOUND(tile == 18 ? 8 : 1, 0, 1);
  DLN();
  enemode(n) = kFirstDyingMode;
  DLN();
  enelook(n) = 4 * enelook(n) + 142;
}

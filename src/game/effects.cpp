// Beamer pads, explosions and the player's death: where a pad sends whoever stands on it, how
// an explosion burns down and sets off the mines next to it, and the fade that puts the
// player back on the start tile.
#include <utility>
#include <vector>

#include "game.h"
#include "whole.h"

namespace {

using tobli::game::Whole;

constexpr double kTile = 32;
constexpr double kMine = 19;
constexpr double kFloor = 60;
// Explosion stages: a new one shows 96, a chained one starts at 97 and is stepped to 96 in
// the update that sets it off; below 94 it is over.
constexpr double kNewExplosion = 96;
constexpr double kChainedExplosion = 97;
constexpr double kLastStage = 94;
constexpr int kFadeFrames = 25;

bool InMap(double c, double r) {
  DLN();
  return c >= 0 && r >= 0 && c < BOUNDS(hit, 0) && r < BOUNDS(hit, 1);
}

bool IsMine(double c, double r) {
  if (!InMap(c, r)) return false;
  DLN();
  return hit(c, r) == kMine;
}

bool ExplosionTableHasRoom() {
  DLN();
  return maxboom < BOUNDS(bomx, 0) && maxboom < BOUNDS(bomy, 0);
}

// Mines that a chain reached while every explosion entry was taken. They stay mines and go
// off as soon as an entry is free. Only a full table leaves mines waiting, so a table found
// empty (a level loaded since) has none.
std::vector<std::pair<double, double>> gWaitingMines;

void WaitForEntry(double c, double r) {
  for (const auto& mine : gWaitingMines) {
    if (mine.first == c && mine.second == r) return;
  }
  gWaitingMines.emplace_back(c, r);
}

void StartExplosion(double x, double y) {
  DLN();
  PLAYSOUND(1, 0, 1);
  DLN();
  bomx(maxboom) = x;
  bomy(maxboom) = y;
  DLN();
  hit(x, y) = kNewExplosion;
  maxboom = maxboom + 1;
}

// A mine next to a finished explosion goes off; it is stepped once more in the same update.
void SetOff(double c, double r) {
  if (!ExplosionTableHasRoom()) {
    WaitForEntry(c, r);
    return;
  }
  StartExplosion(c, r);
  DLN();
  hit(c, r) = kChainedExplosion;
}

// Waiting mines take the entries that have come free, oldest first; those no longer mines
// are forgotten.
void SetOffWaitingMines() {
  while (!gWaitingMines.empty() && ExplosionTableHasRoom()) {
    auto [c, r] = gWaitingMines.front();
    gWaitingMines.erase(gWaitingMines.begin());
    if (IsMine(c, r)) SetOff(c, r);
  }
}

// Explosion i has burnt down: its tile becomes floor, the mines beside it go off (right,
// left, below, above) and the last entry takes its place. Gives the index to go on from.
double EndExplosion(double i) {
  DLN();
  double x = bomx(i);
  DLN();
  double y = bomy(i);
  DLN();
  hit(x, y) = kFloor;
  const double kNeighbours[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (const auto& d : kNeighbours) {
    DLN();
    if (IsMine(x + d[0], y + d[1])) SetOff(x + d[0], y + d[1]);
  }
  if (maxboom > 1) {
    // The moved entry is advanced in this same update.
    DLN();
    bomx(i) = bomx(maxboom - 1);
    bomy(i) = bomy(maxboom - 1);
    maxboom = maxboom - 1;
    i = i - 1;
  } else {
    maxboom = 0;
  }
  SetOffWaitingMines();
  return i;
}

double DeathSound(const KDStr& cause) {
  if (cause == "W") return 15;
  if (cause == "B") return 1;
  if (cause == "M") return 3;
  if (cause == "F") return 8;
  return -1;
}

}  // namespace

void beam(double px, double py, double code) {
  double c = Whole(px / kTile);
  double r = Whole(py / kTile);
  DLN();
  double columns = BOUNDS(hit, 0);
  DLN();
  double rows = BOUNDS(hit, 1);
  // One full turn of the map at most: it comes back to the start cell, which holds the code
  // whenever the caller stands on a pad; a code found nowhere leaves the traveller in place.
  for (double k = 0; k < columns * rows; k = k + 1) {
    DLN();
    c = c + 1;
    if (c > columns - 1) {
      r = r + 1;
      c = 0;
    }
    if (r > rows - 1) r = 0;
    if (InMap(c, r)) {
      DLN();
      if (hit(c, r) == code) break;
    }
  }
  DLN();
  beamp(0) = c * kTile;
  DLN();
  beamp(1) = r * kTile;
}

void createboom(double x, double y) {
  if (maxboom <= 0) gWaitingMines.clear();
  if (!ExplosionTableHasRoom()) return;
  StartExplosion(x, y);
}

void showboom() {
  // The bound is read afresh for every entry: chained explosions are added at the end and
  // removals move the last entry forward, and both are advanced before the update ends.
  for (double i = 0; i <= maxboom - 1; i = i + 1) {
    DLN();
    double x = bomx(i);
    DLN();
    double y = bomy(i);
    DLN();
    hit(x, y) = hit(x, y) - 1;
    DLN();
    if (hit(x, y) < kLastStage) i = EndExplosion(i);
  }
}

void deadplayer(KDStr cause) {
  if (ALIVE == 0) return;
  ALIVE = 0;
  double sound = DeathSound(cause);
  if (sound >= 0) {
    DLN();
    PLAYSOUND(sound, 0, 1);
  }
  // The play field goes on running under the fading overlay; boxes and enemies that reach
  // the player meanwhile find ALIVE at 0 and cause nothing.
  for (int frame = 0; frame < kFadeFrames; ++frame) {
    double a = 100 - 4 * frame;
    DLN();
    displaygame();
    DLN();
    ALPHAMODE(a / 100);
    DLN();
    STRETCHSPRITE(94, 0, 0, 640, 480);
    DLN();
    STRETCHSPRITE(94, 0, 0, 640, 480);
    DLN();
    SHOWSCREEN();
  }
  DLN();
  ALPHAMODE(0);
  DLN();
  initlevel();
}

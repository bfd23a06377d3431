// The editor's changes to the level: the palette of tools, painting rectangles, shaping walls,
// and placing and removing enemies.
#define TOBLI_SOURCE_FILE 1
#include <utility>

#include "editor_parts.h"
#include "game.h"

namespace {

// What tools 0 to 67 paint, or (tools 60 to 67) the picture the palette shows for them.
constexpr double kPalette[] = {
    92, 73, 60, 18, 19,  0,   1,  2,  3,   4,   9,   29,  49,  10,  11,  12,  13,
    5,  6,  7,  8,  14,  15,  16, 17, 61,  62,  63,  64,  65,  66,  67,  68,  69,
    70, 71, 72, 80, 100, 111, 85, 86, 105, 81,  102, 83,  84,  103, 104, 87,  88,
    89, 90, 93, 91, 109, 106, 92, 92, 92,  120, 124, 128, 132, 136, 180, 184, 188,
};
static_assert(sizeof(kPalette) / sizeof(kPalette[0]) == 68);

bool IsWall(double code) {
  return code >= 73 && code <= 79;
}

// The wall piece for a neighbour mask: 1 above, 2 left, 4 right, 8 below.
double WallPiece(double mask) {
  if (mask == 1 || mask == 8 || mask == 9) return 75;
  if (mask == 2 || mask == 4 || mask == 6) return 74;
  if (mask == 12) return 76;
  if (mask == 10) return 77;
  if (mask == 5) return 78;
  if (mask == 3) return 79;
  return 73;
}

// The last entry of the enemy table that stands on (x, y), or -1. Entries from maxene on are
// left over from a level loaded earlier and are no longer part of the level.
double EnemyAt(double x, double y) {
  double found = -1;
  for (double j = 0; j <= maxene - 1 && j <= kEnemySlots - 1; j = j + 1) {
    DLN();
    if (enex(j) == x && eney(j) == y && enelook(j) > 0) found = j;
  }
  return found;
}

}  // namespace

void InitEditor() {
  DLN();
  DIM(hitgfx, 256);
  for (double k = 0; k <= 67; k = k + 1) {
    DLN();
    hitgfx(k) = kPalette[static_cast<int>(k)];
  }
}

void drawrange(double x1, double y1, double x2, double y2, double tool) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x1 < 1) x1 = 1;
  if (y1 < 1) y1 = 1;
  if (x2 > 100) x2 = 100;
  if (y2 > 100) y2 = 100;
  DLN();
  double code = hitgfx(tool);
  for (double cx = x1; cx <= x2; cx = cx + 1) {
    for (double cy = y1; cy <= y2; cy = cy + 1) {
      DLN();
      hit(cx, cy) = code;
    }
  }
}

void drawcorners() {
  // Every piece counts as a wall, so rewriting cells in place does not change what a later
  // cell sees.
  for (double cx = 0; cx <= 104; cx = cx + 1) {
    for (double cy = 0; cy <= 104; cy = cy + 1) {
      DLN();
      if (!IsWall(hit(cx, cy))) continue;
      double mask = 0;
      DLN();
      if (cx > 0 && IsWall(hit(cx - 1, cy))) mask = mask + 2;
      DLN();
      if (cx < 100 && IsWall(hit(cx + 1, cy))) mask = mask + 4;
      DLN();
      if (cy > 0 && IsWall(hit(cx, cy - 1))) mask = mask + 1;
      DLN();
      if (cy < 100 && IsWall(hit(cx, cy + 1))) mask = mask + 8;
      DLN();
      hit(cx, cy) = WallPiece(mask);
    }
  }
}

void addene(double x, double y, double look) {
  double slot = EnemyAt(x, y);
  if (slot < 0) {
    // A full table refuses the enemy; the level being edited stays as it is.
    if (maxene >= kEnemySlots) return;
    slot = maxene;
    maxene = maxene + 1;
  }
  DLN();
  enex(slot) = x;
  DLN();
  eney(slot) = y;
  DLN();
  enespd(slot) = crrspd;
  DLN();
  enelook(slot) = look;
  DLN();
  enemode(slot) = crrmode;
}

void delene(double x, double y) {
  double j = EnemyAt(x, y);
  if (j < 0) return;
  maxene = maxene - 1;
  // The last entry moves into the gap.
  if (j != maxene) {
    DLN();
    enespd(j) = enespd(maxene);
    DLN();
    enemode(j) = enemode(maxene);
    DLN();
    enex(j) = enex(maxene);
    DLN();
    eney(j) = eney(maxene);
    DLN();
    enelook(j) = enelook(maxene);
  }
  DLN();
  enelook(maxene) = 0;
}

// Waiting for the enemies: they stand still where the level put them.
#include "game.h"

void moveenemies() {}

void killenemy(double n) {
  DLN();
  enemode(n) = 32;
  enelook(n) = 4 * enelook(n) + 142;
}

// Waiting for beams, explosions and death: a beam leaves the traveller where it stands, no
// explosion starts, and a death only puts the player back on the start tile.
#include "game.h"

void beam(double px, double py, double code) {
  (void)code;
  DLN();
  beamp(0) = px;
  beamp(1) = py;
}

void createboom(double x, double y) {
  (void)x;
  (void)y;
}

void showboom() {
  maxboom = 0;
}

void deadplayer(KDStr cause) {
  (void)cause;
  initlevel();
}

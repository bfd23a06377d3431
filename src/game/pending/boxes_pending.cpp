// Waiting for boxes and switches: boxes are made and removed (the level loader needs that),
// but they never move and no switch does anything.
#include "game.h"

void createbox(double x, double y) {
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
  (void)x;
  (void)y;
  return 0;
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

void showboxes() {}

double boxbuttons() {
  return 0;
}

void blocktoggle() {}

double magnetcheck() {
  return 1;
}

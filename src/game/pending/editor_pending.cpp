// Waiting for the level editor: entering it leaves it at once, so one game follows as it does
// after editing.
#define TOBLI_SOURCE_FILE 1
#include "game.h"

void maineditor() {
  EDITOR = 0;
}

void InitEditor() {
  DLN();
  DIM(hitgfx, 256);
}

void seescreen(double ox, double oy) {
  (void)ox;
  (void)oy;
}

void showsprites() {}

double tileselect() {
  return 1;
}

void drawrange(double x1, double y1, double x2, double y2, double tool) {
  (void)x1;
  (void)y1;
  (void)x2;
  (void)y2;
  (void)tool;
}

void drawcorners() {}

void addene(double x, double y, double look) {
  (void)x;
  (void)y;
  (void)look;
}

void delene(double x, double y) {
  (void)x;
  (void)y;
}

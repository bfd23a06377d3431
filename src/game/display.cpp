// Drawing the play field: background, map, enemies, status bar, the figure and the rising
// pick-up icons. The box and enemy passes run from here, once per frame drawn.
#include "game.h"
#include "pickup_list.h"
#include "whole.h"

namespace {

using tobli::game::Whole;

// Pixels of the screen and of a tile.
constexpr double kScreenW = 640;
constexpr double kScreenH = 480;
constexpr double kTile = 32;
// Frames a pick-up icon lives (ages 0 to 100).
constexpr double kPickupLastAge = 100;

void AdvanceBackgroundClock() {
  backdelay = backdelay + 1;
  if (backdelay > 9) {
    backani = backani + 1;
    backdelay = 0;
  }
  if (backani == 4) backani = 0;
}

// The figure sits near the screen centre; the view stays inside the used map and never shows
// the first column or row (the lower bound wins for levels smaller than the screen).
void ScrollToPlayer() {
  offsx = plyx - 304;
  offsy = plyy - 208;
  if (xlevel * kTile < offsx + kScreenW) offsx = xlevel * kTile - kScreenW;
  if (ylevel * kTile < offsy + kScreenH) offsy = ylevel * kTile - kScreenH;
  if (offsx < kTile) offsx = kTile;
  if (offsy < kTile) offsy = kTile;
}

void DrawBackground(double fx, double fy) {
  for (double bx = -1; bx <= 20; bx = bx + 1) {
    for (double by = -1; by <= 15; by = by + 1) {
      DLN();
      SPRITE(97 + lowerani, bx * kTile + fx, by * kTile + fy);
    }
  }
}

void DrawMap(double tx, double ty, double fx, double fy) {
  // Water is drawn blended, every other cell plainly; the mode is set again only where it
  // changes, as setting the mode in force changes nothing.
  double mode = -1;
  for (double col = tx; col <= tx + 21; col = col + 1) {
    for (y = ty; y <= ty + 16; y = y + 1) {
      DLN();
      double c = hit(col, y);
      double wanted = c == 4 ? 1 : 0;
      if (wanted != mode) {
        DLN();
        ALPHAMODE(wanted);
        mode = wanted;
      }
      if (c == 65 && magnet == 0) c = 274;
      if (c == 93 && sweets == 0) {
        DLN();
        c = xitflash(MOD(col + backani + y, 4));
      }
      // Animated cells run out of phase along the diagonals; fragile floor keeps still.
      if (c < 20 && c != 9) {
        DLN();
        c = c + pingpong(MOD(col + backani + y, 4));
      }
      if (c != 92) {
        DLN();
        SPRITE(c, (col - tx) * kTile - fx, (y - ty) * kTile - fy);
      }
    }
  }
  DLN();
  ALPHAMODE(0);
}

void DrawEnemies() {
  for (i = 0; i <= maxene - 1; i = i + 1) {
    DLN();
    double mode = enemode(i);
    double ex = enex(i) - offsx;
    double ey = eney(i) - offsy;
    if (mode >= 0 && mode < 32) {
      DLN();
      SPRITE(4 * enelook(i) + 120 + pingpong(backani) + MOD(mode, 4), ex, ey - 8);
    } else if (mode >= 32) {
      DLN();
      ALPHAMODE(1.33 - mode / 100);
      DLN();
      ZOOMSPRITE(enelook(i), ex, ey - 8, mode / 25, mode / 25);
      DLN();
      ALPHAMODE(0);
    } else {
      DLN();
      ZOOMSPRITE(enelook(i), ex, ey, mode / 100 + 1.36, mode / 100 + 1.36);
    }
  }
}

void DrawStatusBar() {
  for (double kind = 0; kind <= 4; kind = kind + 1) {
    DLN();
    double held = kys(kind);
    for (double k = 0; k <= held - 1; k = k + 1) {
      DLN();
      SPRITE(264 + kind, kind * 64 + 32 + 4 * k, 13 + 4 * k);
    }
  }
  if (fireman != 0) {
    DLN();
    SPRITE(262, 416, 8);
  }
  if (wellington != 0) {
    DLN();
    SPRITE(263, 480, 8);
  }
  if (saltbag != 0) {
    DLN();
    SPRITE(261, 544, 8);
  }
  DLN();
  ALPHAMODE(-0.7);
  DLN();
  SPRITE(260, 352, 12);
  DLN();
  PRINT(sweets, 390, 22);
  DLN();
  ALPHAMODE(0);
}

// Each icon rises a pixel a frame, turns and grows, and fades to half strength. A finished
// entry takes the last one's place and the pass starts over, so the entries before it are
// drawn and aged twice in that frame.
void DrawPickups() {
  if (kynum <= 0) return;
  i = 0;
  while (i <= kynum - 1) {
    DLN();
    double m = kymove(i) * 0.5;
    DLN();
    ALPHAMODE(1 - m / 100);
    DLN();
    ROTOZOOMSPRITE(kylook(i) + 254, kyshowx(i) * kTile - offsx,
                   kyshowy(i) * kTile - offsy - kymove(i) - 16, m * 8, m / 50);
    DLN();
    ALPHAMODE(0);
    DLN();
    kymove(i) = kymove(i) + 1;
    if (kymove(i) > kPickupLastAge) {
      kynum = kynum - 1;
      DLN();
      kyshowx(i) = kyshowx(kynum);
      kyshowy(i) = kyshowy(kynum);
      kymove(i) = kymove(kynum);
      kylook(i) = kylook(kynum);
      i = 0;
      continue;
    }
    i = i + 1;
  }
}

}  // namespace

void AddPickup(double look, double col, double row) {
  // The list is full only when several rewards come within one icon's life; the newest then
  // goes without an icon rather than past the end of the arrays.
  if (kynum >= kPickupListSize) return;
  DLN();
  kylook(kynum) = look;
  kyshowx(kynum) = col;
  kyshowy(kynum) = row;
  kymove(kynum) = 0;
  kynum = kynum + 1;
}

void displaygame() {
  AdvanceBackgroundClock();
  ScrollToPlayer();
  double tx = Whole(offsx / kTile);
  double ty = Whole(offsy / kTile);
  double fx = MOD(offsx, kTile);
  double fy = MOD(offsy, kTile);
  DLN();
  lowerani = Whole(pingpong(backani) / 20);

  DrawBackground(fx, fy);
  DrawMap(tx, ty, fx, fy);
  DrawEnemies();
  if (maxbox > 0) {
    DLN();
    showboxes();
  }
  if (maxene > 0) {
    DLN();
    moveenemies();
  }
  DrawStatusBar();
  DLN();
  SPRITE(tobani + pingpong(wani), plyx - offsx, plyy - offsy - 8);
  DrawPickups();
}

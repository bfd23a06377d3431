// What the tile the player has just reached does: pick-ups, doors, hazards, items, ice,
// conveyors and beamer pads.
#include "game.h"
#include "ice_curves.h"
#include "pickup_list.h"
#include "whole.h"

namespace {

using tobli::game::TurnOnCurve;
using tobli::game::Whole;

constexpr double kRight = 1;
constexpr double kLeft = 2;
constexpr double kDown = 3;
constexpr double kUp = 4;

void Sound(double slot) {
  DLN();
  PLAYSOUND(slot, 0, 1);
}

// The beam overlay closes over the play field, the player is moved to the partner pad, and
// the overlay opens again; the world goes on moving meanwhile. Pad `pad` lies at tile (a, b).
void BeamSequence(double pad, double a, double b) {
  DLN();
  talk("b");
  Sound(0);
  wani = 1;
  tobani = 120;
  for (zoop = -480; zoop <= 0; zoop = zoop + 16) {
    DLN();
    displaygame();
    DLN();
    ALPHAMODE(1 - zoop / 480);
    DLN();
    STRETCHSPRITE(4, 0, zoop, 640, 480 - zoop);
    DLN();
    STRETCHSPRITE(4, 0, zoop, 640, 480 - zoop);
    DLN();
    SHOWSCREEN();
  }
  // A player caught while the overlay closed is back on the start tile and is not beamed
  // from there.
  if (plyx == a * 32 && plyy == b * 32) {
    DLN();
    beam(plyx, plyy, pad);
    DLN();
    plyx = beamp(0);
    plyy = beamp(1);
  }
  for (zoop = 0; zoop <= 480; zoop = zoop + 16) {
    DLN();
    displaygame();
    DLN();
    ALPHAMODE(1 - zoop / 480);
    DLN();
    STRETCHSPRITE(4, 0, 0, 640, zoop + 480);
    DLN();
    STRETCHSPRITE(4, 0, 0, 640, zoop + 480);
    DLN();
    SHOWSCREEN();
  }
  DLN();
  ALPHAMODE(0);
  DLN();
  displaygame();
}

// A thing taken from the tile: the cell becomes floor and its icon rises.
void TakeFrom(double a, double b, double icon) {
  DLN();
  hit(a, b) = 60;
  AddPickup(icon, a, b);
}

}  // namespace

double getkey() {
  double a = Whole(plyx * 0.03125);
  double b = Whole(plyy * 0.03125);
  DLN();
  double v = hit(a, b);

  if (v == 93 && sweets == 0) {
    Sound(6);
    exitsTaken = exitsTaken + 1;
    level = level + 1;
    KeepLevelInSet();
    DLN();
    LoadLevel(0);
    initlevel();
    return 0;
  }
  if (v == 106) {
    startx = a;
    starty = b;
    TakeFrom(a, b, 108);
    Sound(12);
    return 0;
  }
  if (v >= 10 && v <= 13) {
    DLN();
    kys(v - 10) = kys(v - 10) + 1;
    TakeFrom(a, b, v);
    Sound(11);
    return 0;
  }
  if (v >= 87 && v <= 91) {
    DLN();
    if (kys(v - 87) > 0) {
      DLN();
      kys(v - 87) = kys(v - 87) - 1;
      DLN();
      hit(a, b) = 60;
      Sound(5);
      return 0;
    }
  }
  if (v >= 14 && v <= 17) {
    sweets = sweets - 1;
    DLN();
    hit(a, b) = 60;
    Sound(13);
    DLN();
    talk("s");
    return 0;
  }
  if (v == 64) {
    Sound(7);
    fireman = saltbag = wellington = 0;
    return 0;
  }
  if (v == 4) {
    DLN();
    if (wellington == 0) {
      deadplayer("W");
    } else {
      talk("w");
    }
    return 0;
  }
  if (v == 111) {
    DLN();
    blocktoggle();
    return 0;
  }
  if (v == 18) {
    DLN();
    if (fireman != 0) {
      talk("f");
    } else {
      deadplayer("F");
    }
    return 0;
  }
  if (v == 19) {
    DLN();
    deadplayer("B");
    return 0;
  }
  if (v == 92) {
    DLN();
    deadplayer("H");
    return 0;
  }
  if (v == 62) {
    Sound(4);
    return 0;
  }
  if (v == 63) {
    DLN();
    hit(a, b) = 60;
    Sound(4);
    return 0;
  }
  if (v == 86 || v == 85 || v == 105) {
    Sound(12);
    double icon = 0;
    if (v == 86) {
      fireman = 1;
      icon = 8;
    } else if (v == 85) {
      saltbag = 1;
      icon = 7;
    } else {
      wellington = 1;
      icon = 9;
    }
    TakeFrom(a, b, icon);
    DLN();
    talk("x");
    return 0;
  }
  if (v == 80) {
    Sound(14);
    return 0;
  }
  if (v == 109) {
    Sound(10);
    return 0;
  }
  if (v >= 66 && v <= 72) {
    if (saltbag == 0) {
      DLN();
      talk("i");
      plym = TurnOnCurve(v, plym);
      onice = 1;
      return 1;
    }
    Sound(4);
    DLN();
    hit(a, b) = 62;
    return 0;
  }
  if (v == 83 || v == 84 || v == 103 || v == 104) {
    plym = v == 83 ? kLeft : v == 84 ? kRight : v == 103 ? kDown : kUp;
    onice = 1;
    return 1;
  }
  if (v >= 0 && v <= 3) {
    BeamSequence(v, a, b);
    return 0;
  }
  return 0;
}

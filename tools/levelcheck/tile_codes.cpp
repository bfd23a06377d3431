#include "tile_codes.h"

namespace levelcheck {

bool IsTileCode(int code) {
  if (code >= 0 && code <= 19) return true;
  if (code == 29 || code == 49) return true;
  if (code >= 60 && code <= 93) return true;
  if (code >= 100 && code <= 106) return true;
  return code == 108 || code == 109 || code == 111;
}

const char* TileName(int code) {
  static const char* const kKeys[] = {"red key", "green key", "blue key", "gold key"};
  static const char* const kDoors[] = {"red door", "green door", "blue door", "gold door",
                                       "silver door"};
  if (IsPad(code)) return "beamer pad";
  if (IsKey(code)) return kKeys[code - 10];
  if (IsDoor(code)) return kDoors[code - 87];
  if (IsSweet(code)) return "sweet";
  if (IsWall(code)) return "wall";
  if (IsIce(code)) return code >= 69 ? "ice curve" : "ice";
  if (IsFragile(code)) return "fragile floor";
  if (IsConveyor(code)) return "conveyor";
  switch (code) {
    case 4:
      return "water";
    case 5:
      return "ruby";
    case 6:
      return "emerald";
    case 7:
      return "amethyst";
    case 8:
      return "bomb";
    case 18:
      return "fire";
    case 19:
      return "mine";
    case 60:
      return "floor";
    case 61:
      return "crate";
    case 62:
      return "slush";
    case 63:
      return "dirt";
    case 64:
      return "item remover";
    case 65:
      return "magnet";
    case 80:
      return "magnet-off plate";
    case 81:
    case 82:
      return "lowered block";
    case 85:
      return "salt bag";
    case 86:
      return "fire suit";
    case 92:
      return "void";
    case 93:
      return "exit";
    case 100:
      return "crate target";
    case 101:
    case 102:
      return "raised block";
    case 105:
      return "rubber boots";
    case 106:
      return "checkpoint";
    case 109:
      return "hint tile";
    case 111:
      return "toggle switch";
    default:
      return "tile";
  }
}

bool EnemyMayEnter(int code) {
  switch (code) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 19:
    case 60:
    case 65:
    case 80:
    case 81:
    case 82:
    case 100:
    case 109:
    case 111:
      return true;
    default:
      return false;
  }
}

bool IsEnemyLook(int look) {
  return (look >= 1 && look <= 4) || (look >= 15 && look <= 17);
}

}  // namespace levelcheck

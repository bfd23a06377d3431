// What the codes of a level's cells mean to the level checker, the solver and the renderer.
#pragma once

namespace levelcheck {

// The codes a stored level may hold: the game's tiles and the pebble floor. Explosion stages
// and the sprites that only the game draws (figures, icons, markers) are not among them.
bool IsTileCode(int code);
// A short name for messages ("wall", "red key"); "tile" for codes without a name of their own.
const char* TileName(int code);

inline bool IsWall(int code) {
  return code >= 73 && code <= 79;
}
inline bool IsSweet(int code) {
  return code >= 14 && code <= 17;
}
inline bool IsPad(int code) {
  return code >= 0 && code <= 3;
}
inline bool IsBoxStart(int code) {
  return code >= 5 && code <= 8;
}
inline bool IsKey(int code) {
  return code >= 10 && code <= 13;
}
inline bool IsDoor(int code) {
  return code >= 87 && code <= 91;
}
inline bool IsIce(int code) {
  return code >= 66 && code <= 72;
}
inline bool IsFragile(int code) {
  return code == 9 || code == 29 || code == 49;
}
inline bool IsRaisedBlock(int code) {
  return code == 101 || code == 102;
}
inline bool IsConveyor(int code) {
  return code == 83 || code == 84 || code == 103 || code == 104;
}
// Tiles that kill the player who steps on them (water and fire unless the item is carried).
inline bool IsHazard(int code) {
  return code == 4 || code == 18 || code == 19 || code == 92;
}
// Tiles an active enemy may walk onto.
bool EnemyMayEnter(int code);

// Enemy looks the editor places, and the look every chaser has.
bool IsEnemyLook(int look);
constexpr int kChaserLook = 17;
constexpr int kChaseMode = 4;

}  // namespace levelcheck

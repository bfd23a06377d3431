// Writes level files for game tests in the level file format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tobli::test {

struct LevelEnemy {
  int x = 0;  // stored column and row, without the margin
  int y = 0;
  int mode = 0;  // stored mode 0 to 4
  int speed = 0;
  int look = 1;
};

struct LevelSpec {
  // Row r, column c holds the tile code of stored cell (c, r); the header's maxx is the width
  // of the first row minus one.
  std::vector<std::vector<int>> rows;
  int startX = 0;
  int startY = 0;
  std::vector<LevelEnemy> enemies;
  std::string hint = "hint";
};

// The three-character field of a whole number (5 is 005).
std::string LevelField(int value);
// The file's text: header, rows, enemies, hint, each line ending in CR LF.
std::string LevelFileText(const LevelSpec& level);
// Writes "levels/Level.<number>" below the current directory (the folder is made if needed).
void WriteLevelFile(int number, const LevelSpec& level);
// A rows x columns level of floor (60) with the given cells set afterwards.
LevelSpec FloorLevel(int columns, int rows);
// A level of the given rows (row r holds the codes of stored cells (0, r), (1, r), ...) with
// the player starting at (sx, sy).
LevelSpec Level(std::vector<std::vector<int>> rows, int sx = 0, int sy = 0,
                std::vector<LevelEnemy> enemies = {});

// Writes the level as level 1 and a save slot "slot" that holds 1, and makes it the game's
// slot: MainGame then plays the level.
void UseSlotLevel(const LevelSpec& level);
// The level loader shows two frames before the first pass of the game loop.
constexpr uint64_t kLoaderFrames = 2;
// The PLAYSOUND slots since the sound log was last cleared, in order.
std::vector<int> SoundSlots();

// Scan codes of the keys the game reads.
constexpr int kKeyQ = 16, kKeyE = 18, kKeyP = 25, kKeyEnter = 28, kKeySpace = 57, kKeyF1 = 59;
constexpr int kKeyUp = 200, kKeyLeft = 203, kKeyRight = 205, kKeyDown = 208;

// The game's loader puts the stored level at this margin inside its map.
constexpr int kMargin = 6;
// The map cell of stored cell (c, r), as the game holds it.
double& Cell(int c, int r);

}  // namespace tobli::test

// A level file ("levels/Level.N") read strictly: every number a field of three digits, every
// line where the game looks for it. The game itself reads more loosely (a bad field counts
// as 0); the checker reports what the game would silently misread.
#pragma once

#include <string>
#include <vector>

namespace levelcheck {

struct LevelEnemy {
  int x = 0;  // stored column and row
  int y = 0;
  int mode = 0;  // stored mode 0 to 4
  int speed = 0;
  int look = 0;
};

struct Level {
  int maxx = 0;  // largest stored column and row index
  int maxy = 0;
  int startX = 0;
  int startY = 0;
  std::vector<int> cells;  // row by row, (maxx + 1) * (maxy + 1) codes
  std::vector<LevelEnemy> enemies;
  std::string hint;

  int Width() const { return maxx + 1; }
  int Height() const { return maxy + 1; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x <= maxx && y <= maxy; }
  // The code of a stored cell; 92 (void) outside the level, as the game's margin holds.
  int At(int x, int y) const { return Inside(x, y) ? cells[y * Width() + x] : 92; }
};

// The most lines the game's text files hold.
constexpr int kMaxFileLines = 256;

struct ParsedLevel {
  Level level;
  int lineCount = 0;
  // What keeps the file from being read as written; empty when it parsed.
  std::vector<std::string> problems;
  bool ok() const { return problems.empty(); }
};

// Reads the text of a level file (LF or CR LF line ends).
ParsedLevel ParseLevel(const std::string& text);
// Reads the file; a file that cannot be read gives one problem saying so.
ParsedLevel ReadLevelFile(const std::string& path);
// The level in the file form the editor writes: three-character fields, CR LF line ends.
std::string LevelText(const Level& level);

}  // namespace levelcheck

#include "ascii_level.h"

#include <map>
#include <stdexcept>

namespace levelcheck::test {

Level AsciiLevel(const std::vector<std::string>& rows) {
  static const std::map<char, int> kCodes = {
      {'#', 73},  {'.', 60},  {' ', 92}, {'@', 60},  {'E', 93},  {'a', 14}, {'i', 66},
      {'(', 69},  {')', 70},  {']', 71}, {'[', 72},  {'<', 83},  {'>', 84}, {'v', 103},
      {'^', 104}, {'w', 4},   {'f', 18}, {'m', 19},  {'x', 9},   {'y', 29}, {'z', 49},
      {'r', 10},  {'R', 87},  {'S', 91}, {'C', 61},  {'T', 100}, {'%', 63}, {'$', 85},
      {'F', 86},  {'B', 105}, {'X', 64}, {'M', 65},  {'P', 80},  {'o', 81}, {'O', 101},
      {'!', 111}, {'0', 0},   {'1', 1},  {'H', 106}, {'5', 5},   {'8', 8}};
  Level level;
  level.maxy = static_cast<int>(rows.size()) - 1;
  level.maxx = static_cast<int>(rows.front().size()) - 1;
  for (int y = 0; y <= level.maxy; ++y) {
    if (rows[y].size() != rows.front().size()) throw std::invalid_argument("ragged rows");
    for (int x = 0; x <= level.maxx; ++x) {
      char c = rows[y][x];
      if (c == '@') {
        level.startX = x;
        level.startY = y;
      }
      level.cells.push_back(kCodes.at(c));
    }
  }
  level.hint = "hint";
  return level;
}

}  // namespace levelcheck::test

#include "golden_levels.h"

#include <algorithm>
#include <random>

#include "game.h"

namespace tobli::test {

namespace {

constexpr int kFloor = 60;
constexpr int kWall = 73;

// Tiles scattered over the free cells, with how often each comes (out of the sum).
struct Weighted {
  int code;
  int weight;
};
const Weighted kClutter[] = {
    {74, 6},  {76, 2}, {79, 1},                       // walls
    {4, 4},   {9, 4},  {29, 2},  {49, 2},  {92, 2},   // water, fragile floor, void
    {18, 3},  {19, 5},                                // fire, mines
    {65, 4},  {80, 3},                                // magnets and their plates
    {66, 5},  {67, 2}, {68, 2},                       // ice
    {69, 2},  {70, 2}, {71, 2},  {72, 2},             // ice curves
    {81, 3},  {82, 2}, {101, 3}, {102, 2}, {111, 2},  // blocks and the toggle
    {83, 2},  {84, 2}, {103, 2}, {104, 2},            // conveyors
    {100, 4},                                         // crate targets
    {0, 1},   {1, 1},  {2, 1},   {3, 1},              // beamer pads
    {10, 1},  {11, 1}, {12, 1},  {13, 1},             // keys
    {87, 1},  {88, 1}, {89, 1},  {90, 1},  {91, 1},   // doors
    {14, 2},  {15, 1}, {16, 1},  {17, 1},             // sweets
    {85, 1},  {86, 1}, {105, 1}, {64, 1},             // items and the item thief
    {62, 1},  {63, 1}, {106, 1}, {109, 1}, {93, 1},   // dirt, checkpoint, hint, exit
};

// Looks the editor places, and the stored modes 0 to 4 (walkers, turners, chasers).
const int kEnemyLooks[] = {1, 2, 3, 4, 15, 16, 17};

// A level of floor inside a border of wall.
LevelSpec WalledFloor(int columns, int rows) {
  LevelSpec level = FloorLevel(columns, rows);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      if (r == 0 || c == 0 || r == rows - 1 || c == columns - 1) level.rows[r][c] = kWall;
    }
  }
  return level;
}

int PickClutter(std::mt19937& random) {
  int total = 0;
  for (const Weighted& w : kClutter) total += w.weight;
  int roll = std::uniform_int_distribution<int>(0, total - 1)(random);
  for (const Weighted& w : kClutter) {
    if (roll < w.weight) return w.code;
    roll -= w.weight;
  }
  return kFloor;
}

}  // namespace

LevelSpec GoldenLevel(uint32_t seed, const GoldenLevelShape& shape) {
  std::mt19937 random(seed);
  auto below = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  LevelSpec level = WalledFloor(shape.columns, shape.rows);
  std::vector<std::pair<int, int>> inside;
  for (int r = 1; r < shape.rows - 1; ++r) {
    for (int c = 1; c < shape.columns - 1; ++c) inside.emplace_back(c, r);
  }
  std::shuffle(inside.begin(), inside.end(), random);
  // The start comes first so that nothing is put under the player; then the boxes, the
  // crates and the enemies on cells of their own, then the clutter.
  size_t next = 0;
  auto take = [&]() { return next < inside.size() ? inside[next++] : inside.back(); };
  auto [startX, startY] = take();
  level.startX = startX;
  level.startY = startY;
  for (int b = 0; b < shape.boxes; ++b) {
    auto [c, r] = take();
    level.rows[r][c] = 5 + below(4);
  }
  for (int b = 0; b < shape.crates; ++b) {
    auto [c, r] = take();
    level.rows[r][c] = 61;
  }
  for (int e = 0; e < shape.enemies; ++e) {
    auto [c, r] = take();
    int look = kEnemyLooks[below(static_cast<int>(std::size(kEnemyLooks)))];
    level.enemies.push_back({c, r, below(5), below(3), look});
  }
  for (; next < inside.size(); ++next) {
    auto [c, r] = inside[next];
    if (below(100) < shape.clutter) level.rows[r][c] = PickClutter(random);
  }
  level.hint = "A level of the behaviour check";
  return level;
}

std::vector<GoldenLevelShape> GoldenShapes() {
  return {
      {12, 10, 0, 3, 4, 30},
      {20, 15, 4, 6, 6, 25},
      {30, 20, 12, 12, 10, 30},
      {40, 30, 30, 30, 20, 35},
      {48, 32, 60, 60, 20, 25},
      {60, 44, 90, 90, 8, 40},
      {25, 18, 20, 40, 25, 15},
      {16, 40, 25, 10, 5, 50},
      // Crowded rooms where boxes meet boxes and enemies on the same tiles.
      {14, 12, 25, 40, 20, 45},
      {18, 14, 40, 60, 30, 60},
  };
}

LevelSpec RoomsLevel(int count) {
  constexpr int kColumns = 48;
  constexpr int kRows = 32;
  LevelSpec level = WalledFloor(kColumns, kRows);
  std::vector<std::vector<int>>& map = level.rows;
  for (int r = 2; r <= 27; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      if (r % 5 == 2 || c % 7 == 0) map[r][c] = kWall;
    }
  }
  // The player's corridor on row 1: floor, ice and conveyors to walk over.
  for (int c = 10; c < 14; ++c) map[1][c] = 66;
  map[1][20] = 84;
  map[1][30] = 83;
  level.startX = 1;
  level.startY = 1;
  std::vector<LevelEnemy>& enemies = level.enemies;
  size_t wanted = static_cast<size_t>(count);
  int room = 0;
  int boxes = 0;
  // Rooms of 6 by 4 cells between walls; even rooms hold two enemies, odd ones four boxes.
  for (int top = 3; top + 3 <= 26; top += 5) {
    for (int left = 1; left + 5 < kColumns - 1; left += 7, ++room) {
      if (room % 2 == 0) {
        if (enemies.size() < wanted) {
          enemies.push_back({left + 1, top, room % 4 == 0 ? 0 : 1, 0, 1 + room % 5});
        }
        if (enemies.size() < wanted) {
          enemies.push_back({left + 4, top + 2, room % 8 < 4 ? 2 : 3, 1, 1 + (room + 2) % 5});
        }
      } else {
        for (int k = 0; k < 4 && boxes < count; ++k, ++boxes) {
          map[top + 1 + k % 2][left + 1 + 2 * (k / 2)] = 5 + (room + k) % 4;
        }
      }
    }
  }
  // The rest of the enemies walk to and fro in the last band, above the mine row.
  for (int c = 2; enemies.size() < wanted && c < kColumns - 2; c += 1) {
    enemies.push_back({c, 28 + c % 2, 0, 0, 1 + c % 5});
  }
  level.hint = "A busy level";
  return level;
}

RingsLevelSpec RingsLevel(uint32_t seed) {
  constexpr int kColumns = 40;
  constexpr int kRows = 28;
  std::mt19937 random(seed);
  auto below = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  RingsLevelSpec out;
  LevelSpec& level = out.level;
  level = WalledFloor(kColumns, kRows);
  out.rings.assign(kRows, std::vector<int>(kColumns, 0));
  // Rings in slots of 9 by 8 cells, each a loop running clockwise: right along the top, down
  // the right side, left along the bottom, up the left side.
  for (int top = 2; top + 6 < kRows - 1; top += 8) {
    for (int left = 2; left + 7 < kColumns - 1; left += 9) {
      int w = 3 + below(5);
      int h = 3 + below(4);
      for (int c = left; c < left + w; ++c) {
        out.rings[top][c] = 84;
        out.rings[top + h - 1][c] = 83;
      }
      for (int r = top; r < top + h; ++r) {
        out.rings[r][left] = 104;
        out.rings[r][left + w - 1] = 103;
      }
      out.rings[top][left] = 84;
      out.rings[top + h - 1][left + w - 1] = 83;
      // Some rings have floor inside, some targets, mines or ice.
      const int kInside[] = {60, 100, 19, 66, 9};
      int inside = kInside[below(5)];
      for (int r = top + 1; r < top + h - 1; ++r) {
        for (int c = left + 1; c < left + w - 1; ++c) level.rows[r][c] = inside;
      }
    }
  }
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      if (out.rings[r][c] == 0) continue;
      level.rows[r][c] = out.rings[r][c];
      if (below(100) < 45) level.rows[r][c] = 5 + below(4);
    }
  }
  // Walkers and chasers on the floor between the rings; the player starts in a corner.
  level.startX = 1;
  level.startY = 1;
  for (int e = 0; e < 20; ++e) {
    int c = 1 + below(kColumns - 2);
    int r = 1 + below(kRows - 2);
    if (level.rows[r][c] != 60 || (c == 1 && r == 1)) continue;
    level.enemies.push_back({c, r, below(5), below(3), kEnemyLooks[below(7)]});
  }
  level.hint = "Conveyor rings";
  return out;
}

void LayRings(const std::vector<std::vector<int>>& rings) {
  for (size_t r = 0; r < rings.size(); ++r) {
    for (size_t c = 0; c < rings[r].size(); ++c) {
      double& cell = Cell(static_cast<int>(c), static_cast<int>(r));
      if (rings[r][c] != 0 && cell == kFloor) cell = rings[r][c];
    }
  }
}

void ScriptRandomPresses(tobli::game::HeadlessDriver& driver, uint32_t seed, uint64_t frames) {
  constexpr int kArrows[] = {200, 203, 205, 208};
  std::mt19937 random(seed);
  auto below = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  uint64_t frame = 1;
  while (frame < frames) {
    uint64_t until = frame + 1 + static_cast<uint64_t>(below(40));
    int roll = below(100);
    if (roll < 2) {
      driver.PressKey(57, frame);
    } else if (roll < 4) {
      driver.PressKey(16, frame);
    } else if (roll < 20) {
      // nothing held
    } else {
      driver.HoldKey(kArrows[below(4)], frame, until);
      if (roll < 28) driver.HoldKey(kArrows[below(4)], frame, until);
    }
    frame = until;
  }
}

}  // namespace tobli::test

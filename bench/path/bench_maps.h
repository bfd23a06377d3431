// The maps the planner benchmark searches: an open field of varied costs, a field with 30 % of
// its cells walled at random, a maze, and a goal behind a long wall. Numbers as the language stores
// a two-dimensional array: the column varying fastest.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tobli::bench {

struct BenchMap {
  std::string kind;
  int size = 0;
  std::vector<double> cells;
  int startX = 0, startY = 0, goalX = 0, goalY = 0;
  double& at(int x, int y) { return cells[static_cast<size_t>(y) * size + x]; }
};

inline BenchMap OpenField(int size, uint32_t seed) {
  BenchMap map{"open field, costs 1-9", size, std::vector<double>(size_t(size) * size)};
  std::mt19937 random(seed);
  for (double& cell : map.cells) cell = 1 + random() % 9;
  map.startX = map.startY = 1;
  map.goalX = map.goalY = size - 2;
  return map;
}

inline BenchMap RandomWalls(int size, uint32_t seed) {
  BenchMap map{"30 % random walls", size, std::vector<double>(size_t(size) * size)};
  std::mt19937 random(seed);
  for (double& cell : map.cells) cell = random() % 100 < 30 ? 0 : 1 + random() % 3;
  map.startX = map.startY = 1;
  map.goalX = map.goalY = size - 2;
  // Clear the corners so both ends join the large open cluster.
  for (int d = -1; d <= 1; ++d) {
    for (int e = -1; e <= 1; ++e) {
      map.at(map.startX + d, map.startY + e) = 1;
      map.at(map.goalX + d, map.goalY + e) = 1;
    }
  }
  return map;
}

// A perfect maze carved by a depth-first walk over the odd cells: one way between any two.
inline BenchMap Maze(int size, uint32_t seed) {
  BenchMap map{"maze", size, std::vector<double>(size_t(size) * size, 0)};
  std::mt19937 random(seed);
  const int rooms = (size - 1) / 2;
  std::vector<bool> seen(size_t(rooms) * rooms, false);
  std::vector<std::pair<int, int>> stack = {{0, 0}};
  seen[0] = true;
  map.at(1, 1) = 1;
  const int dx[] = {1, -1, 0, 0};
  const int dy[] = {0, 0, 1, -1};
  while (!stack.empty()) {
    auto [rx, ry] = stack.back();
    int options[4];
    int count = 0;
    for (int k = 0; k < 4; ++k) {
      int nx = rx + dx[k], ny = ry + dy[k];
      if (nx >= 0 && nx < rooms && ny >= 0 && ny < rooms && !seen[size_t(ny) * rooms + nx]) {
        options[count++] = k;
      }
    }
    if (count == 0) {
      stack.pop_back();
      continue;
    }
    int k = options[random() % count];
    int nx = rx + dx[k], ny = ry + dy[k];
    seen[size_t(ny) * rooms + nx] = true;
    map.at(2 * rx + 1 + dx[k], 2 * ry + 1 + dy[k]) = 1;
    map.at(2 * nx + 1, 2 * ny + 1) = 1;
    stack.emplace_back(nx, ny);
  }
  map.startX = map.startY = 1;
  map.goalX = map.goalY = 2 * rooms - 1;
  return map;
}

// A goal behind a wall: every cost 1, a wall across the middle row with a gap at each end,
// start above its middle and goal below it. The search fills the upper half around the middle
// before it turns to a gap, so the open list holds the whole front of that flood (a few cells
// per column) instead of the short tip of a search that runs straight at its goal.
inline BenchMap GoalBehindWall(int size) {
  BenchMap map{"goal behind a wall", size, std::vector<double>(size_t(size) * size, 1)};
  for (int x = 1; x < size - 1; ++x) map.at(x, size / 2) = 0;
  map.startX = size / 2;
  map.startY = 1;
  map.goalX = size / 2;
  map.goalY = size - 2;
  return map;
}

}  // namespace tobli::bench

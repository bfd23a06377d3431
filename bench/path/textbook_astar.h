// A plain 4-connected A* with a binary heap (std::priority_queue, stale entries skipped) and
// arrays over the map, searching the same normalised costs with the same key as the planner.
// It is the yardstick for the planner's speed, not a reference for its results.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

#include "path/cost_map.h"

namespace tobli::bench {

struct TextbookResult {
  int64_t pathCells = 0;
  int64_t expansions = 0;
};

inline TextbookResult TextbookAStar(const std::vector<double>& numbers, int width, int height,
                                    int sx, int sy, int gx, int gy, float weight) {
  const size_t cells = size_t(width) * height;
  // The planner's own loading, so that the two are compared on their searches.
  std::vector<float> cost(cells);
  LoadCostMap(numbers.data(), static_cast<int64_t>(cells), cost.data());
  std::vector<float> g(cells, INFINITY);
  std::vector<int32_t> parent(cells, -1);
  std::vector<bool> closed(cells, false);
  using Entry = std::pair<float, int32_t>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
  auto key = [&](float cg, int x, int y) {
    float h = static_cast<float>(std::abs(gx - x) + std::abs(gy - y));
    return cg + weight * (h - cg);
  };
  const int32_t start = sy * width + sx;
  const int32_t goal = gy * width + gx;
  g[start] = 0;
  open.emplace(key(0, sx, sy), start);
  TextbookResult result;
  const int dx[] = {0, 1, -1, 0};
  const int dy[] = {-1, 0, 0, 1};
  while (!open.empty()) {
    auto [f, cell] = open.top();
    open.pop();
    if (closed[cell]) continue;
    closed[cell] = true;
    if (cell == goal) break;
    ++result.expansions;
    const int x = cell % width, y = cell / width;
    for (int k = 0; k < 4; ++k) {
      const int nx = x + dx[k], ny = y + dy[k];
      if (nx < 0 || nx >= width || ny < 0 || ny >= height) continue;
      const int32_t next = ny * width + nx;
      if (cost[next] < 0) continue;
      const float ng = g[cell] + cost[next];
      if (ng < g[next]) {
        g[next] = ng;
        parent[next] = cell;
        closed[next] = false;  // a better way reopens a closed cell
        open.emplace(key(ng, nx, ny), next);
      }
    }
  }
  if (g[goal] == INFINITY) return result;
  for (int32_t cell = goal; cell != -1; cell = parent[cell]) ++result.pathCells;
  return result;
}

}  // namespace tobli::bench

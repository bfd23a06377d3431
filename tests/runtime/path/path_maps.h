// Maps and search records shared by the planner tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "path/astar_planner.h"
#include "path/findpath_setup.h"

namespace tobli::test {

// Cell numbers as the language stores a two-dimensional array: the column varying fastest.
struct CostMap {
  CostMap(int w, int h, double fill)
      : width(w), height(h), cells(static_cast<size_t>(w) * h, fill) {}
  double& at(int x, int y) { return cells[static_cast<size_t>(y) * width + x]; }
  int width;
  int height;
  std::vector<double> cells;
};

// The description FINDPATH builds, for the given cells.
inline Planner::Description FindPathDescription(const CostMap& map, int sx, int sy, int gx,
                                                int gy) {
  return ::FindPathDescription(map.width, map.height, map.cells.data(), sx, sy, gx, gy);
}

// A corridor one cell wide that runs along every even row, turning at alternate ends; its only
// way from (0, 0) to the far end passes every open cell.
inline CostMap Serpentine(int width, int rows) {
  CostMap map(width, 2 * rows - 1, 0);
  for (int r = 0; r < rows; ++r) {
    for (int x = 0; x < width; ++x) map.at(x, 2 * r) = 1;
    if (r + 1 < rows) map.at(r % 2 == 0 ? width - 1 : 0, 2 * r + 1) = 1;
  }
  return map;
}
inline std::pair<int, int> SerpentineEnd(const CostMap& map) {
  int rows = (map.height + 1) / 2;
  return {rows % 2 == 1 ? map.width - 1 : 0, map.height - 1};
}

// What one search did, in a form two searches can be compared by.
struct SearchRecord {
  bool finished = false;
  std::vector<int32_t> path;
  std::vector<int32_t> closed;                    // in the closed set's own order
  std::vector<std::pair<int32_t, int32_t>> open;  // sorted
  int64_t expansions = 0;
  float cost = 0;
  bool operator==(const SearchRecord&) const = default;
};

inline SearchRecord Record(const AStarPlanner& planner, bool finished) {
  SearchRecord r;
  r.finished = finished;
  r.path.resize(static_cast<size_t>(2 * planner.getPathSize()));
  planner.fillPath(r.path.data(), planner.getPathSize());
  r.closed.resize(static_cast<size_t>(2 * planner.getClosedSize()));
  planner.fillClosed(r.closed.data(), planner.getClosedSize());
  std::vector<int32_t> open(static_cast<size_t>(2 * planner.getOpenSize()));
  planner.fillOpen(open.data(), planner.getOpenSize());
  for (size_t i = 0; i < open.size(); i += 2) r.open.emplace_back(open[i], open[i + 1]);
  std::sort(r.open.begin(), r.open.end());
  r.expansions = planner.expansions();
  r.cost = planner.getPathCost();
  return r;
}

// Loads, prepares and runs one search on the planner (run again while it is stopped, up to
// maxSlices times) and records it.
inline SearchRecord Search(AStarPlanner& planner, const Planner::Description& d,
                           int maxSlices = 1) {
  if (!planner.createMap(d)) return {};
  planner.initialize();
  bool finished = false;
  for (int slice = 0; slice < maxSlices && !finished; ++slice) finished = planner.run();
  return Record(planner, finished);
}

// A map of a few cost levels (many equal keys) with walls at the given rate.
inline CostMap RandomMap(std::mt19937& random, int width, int height, double wallRate, int levels) {
  CostMap map(width, height, 1);
  std::uniform_real_distribution<double> unit(0, 1);
  for (double& cell : map.cells) {
    cell = unit(random) < wallRate ? -static_cast<double>(random() % 2)
                                   : static_cast<double>(1 + random() % levels);
  }
  return map;
}

}  // namespace tobli::test

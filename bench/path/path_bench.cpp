// Times the planner with FINDPATH's settings on large maps: the sorted open list (the
// reference), the indexed one, and a textbook heap A* for scale. Each search is timed as FINDPATH
// makes it: loading the map, the search, copying the path out and the cleanup. Every map is
// searched to a goal that can be reached and, on the smallest maps, to one walled in, so that the
// search floods every cell it can reach. Times are processor time of this thread, the best of five
// runs (of one for the floods). Prints a table; checks that both open lists made the same search.
//
//   path_bench [largest size, default 1024] [only this map at only the largest size:
//              0 open field, 1 random walls, 2 maze, 3 goal behind a wall]
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench_maps.h"
#include "path/astar_planner.h"
#include "path/findpath_setup.h"
#include "textbook_astar.h"

namespace {

using tobli::bench::BenchMap;

double ThreadSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Seconds(const std::function<void()>& work, int repeats) {
  double best = 1e300;
  for (int i = 0; i < repeats; ++i) {
    double began = ThreadSeconds();
    work();
    best = std::min(best, ThreadSeconds() - began);
  }
  return best;
}

// Walls the goal in on all four sides.
void WallIn(BenchMap& map) {
  map.at(map.goalX - 1, map.goalY) = 0;
  map.at(map.goalX + 1, map.goalY) = 0;
  map.at(map.goalX, map.goalY - 1) = 0;
  map.at(map.goalX, map.goalY + 1) = 0;
}

// What a finished search did: its path, its expansions and its closed set in the set's order.
struct Outcome {
  std::vector<int32_t> path;
  std::vector<int32_t> closed;
  int64_t expansions = 0;
  int64_t openAtEnd = 0;
  bool operator==(const Outcome&) const = default;
};

// What FINDPATH does with a planner: load, search, copy the path out, clean up.
int64_t FindPathSearch(OpenListKind kind, const Planner::Description& d) {
  AStarPlanner planner(kind);
  if (!planner.createMap(d)) return 0;
  planner.initialize();
  int64_t cells = 0;
  if (planner.run()) {
    std::vector<int32_t> path(size_t(2 * planner.getPathSize()));
    cells = planner.fillPath(path.data(), planner.getPathSize());
  }
  planner.cleanup();
  return cells;
}

// The same search again, keeping everything the comparison of the two lists looks at.
Outcome RecordSearch(OpenListKind kind, const Planner::Description& d) {
  AStarPlanner planner(kind);
  Outcome outcome;
  if (!planner.createMap(d)) return outcome;
  planner.initialize();
  if (!planner.run()) return outcome;
  outcome.path.resize(size_t(2 * planner.getPathSize()));
  planner.fillPath(outcome.path.data(), planner.getPathSize());
  outcome.closed.resize(size_t(2 * planner.getClosedSize()));
  planner.fillClosed(outcome.closed.data(), planner.getClosedSize());
  outcome.expansions = planner.expansions();
  outcome.openAtEnd = planner.getOpenSize();
  return outcome;
}

}  // namespace

int main(int argc, char** argv) {
  const int largest = argc > 1 ? std::atoi(argv[1]) : 1024;
  const int only = argc > 2 ? std::atoi(argv[2]) : -1;
  // Keep freed memory in the process, so that every search starts from memory a run before it
  // used, as repeated calls in a program do. Otherwise the allocator's changing thresholds
  // decide which implementation pays for fresh pages.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  std::printf("%-22s %5s %-7s %9s %6s %6s %10s %10s %8s %8s %8s %s\n", "map", "size", "goal",
              "expanded", "open", "path", "sorted ms", "indexed ms", "heap ms", "sort/idx",
              "idx/heap", "same search");
  for (int size = only >= 0 ? largest : 256; size <= largest; size *= 2) {
    for (int scenario = 0; scenario < 8; ++scenario) {
      const int kind = scenario / 2;
      const bool walledIn = scenario % 2 == 1;
      // A walled-in goal makes the search reopen cells hundreds of times each (the weighted
      // key is not consistent); beyond 256 x 256 that takes minutes with any open list.
      if (walledIn && (size > 256 || only >= 0)) continue;
      if (only >= 0 && kind != only) continue;
      BenchMap map = kind == 0   ? tobli::bench::OpenField(size, 1)
                     : kind == 1 ? tobli::bench::RandomWalls(size, 2)
                     : kind == 2 ? tobli::bench::Maze(size, 3)
                                 : tobli::bench::GoalBehindWall(size);
      if (walledIn) WallIn(map);
      const Planner::Description d = FindPathDescription(size, size, map.cells.data(), map.startX,
                                                         map.startY, map.goalX, map.goalY);
      const Outcome sorted = RecordSearch(OpenListKind::kSorted, d);
      const Outcome indexed = RecordSearch(OpenListKind::kIndexed, d);
      tobli::bench::TextbookResult textbook;
      const int repeats = walledIn ? 1 : 5;
      int64_t sortedCells = 0, indexedCells = 0;
      double sortedSeconds =
          Seconds([&] { sortedCells = FindPathSearch(OpenListKind::kSorted, d); }, repeats);
      double indexedSeconds =
          Seconds([&] { indexedCells = FindPathSearch(OpenListKind::kIndexed, d); }, repeats);
      double heapSeconds = Seconds(
          [&] {
            textbook = tobli::bench::TextbookAStar(map.cells, size, size, map.startX, map.startY,
                                                   map.goalX, map.goalY, 0.7f);
          },
          repeats);
      std::printf("%-22s %5d %-7s %9lld %6lld %6zu %10.1f %10.1f %8.1f %8.1f %8.2f %s\n",
                  map.kind.c_str(), size, walledIn ? "walled" : "open",
                  static_cast<long long>(indexed.expansions),
                  static_cast<long long>(indexed.openAtEnd), indexed.path.size() / 2,
                  sortedSeconds * 1e3, indexedSeconds * 1e3, heapSeconds * 1e3,
                  sortedSeconds / indexedSeconds, indexedSeconds / heapSeconds,
                  sorted == indexed && sortedCells == indexedCells &&
                          size_t(indexedCells) == indexed.path.size() / 2
                      ? "yes"
                      : "NO");
      std::fflush(stdout);
    }
  }
  return 0;
}

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

#include "path/astar_planner.h"
#include "path_maps.h"

namespace {

using tobli::test::CostMap;
using tobli::test::FindPathDescription;
using tobli::test::Record;
using tobli::test::Search;
using tobli::test::SearchRecord;

constexpr OpenListKind kKinds[] = {OpenListKind::kSorted, OpenListKind::kIndexed};

TEST(Planner, RefusesOffMapAndSameCellAndKeepsTheEarlierMap) {
  CostMap map(4, 3, 1);
  AStarPlanner planner;
  EXPECT_FALSE(planner.isLoaded());
  const int bad[][4] = {{-1, 0, 3, 2}, {0, 0, 4, 2}, {0, 3, 3, 2}, {0, 0, 3, -1}, {2, 1, 2, 1}};
  for (const auto& b : bad) {
    EXPECT_FALSE(planner.createMap(FindPathDescription(map, b[0], b[1], b[2], b[3])));
    EXPECT_FALSE(planner.outOfMemory());
  }
  EXPECT_FALSE(planner.isLoaded());
  ASSERT_TRUE(planner.createMap(FindPathDescription(map, 0, 0, 3, 2)));
  CostMap other(2, 2, 5);
  EXPECT_FALSE(planner.createMap(FindPathDescription(other, 1, 1, 1, 1)));
  EXPECT_EQ(planner.getWidth(), 4);
  EXPECT_EQ(planner.getDescription().goalX, 3);
  Planner::Description none = FindPathDescription(map, 0, 0, 3, 2);
  none.map = nullptr;
  EXPECT_FALSE(planner.createMap(none));
}

// Costs are divided by the largest; what is not above 0 is blocked. Numbers a float cannot
// hold must neither become infinite (every other cost would turn to 0 or NaN) nor stay
// passable when they are NaN.
TEST(Planner, CostsAreNormalisedAndOddNumbersAreTamed) {
  CostMap map(6, 1, 1);
  map.cells = {1, 5, 0, -2.5, 2.5, 1};
  AStarPlanner planner;
  ASSERT_TRUE(planner.createMap(FindPathDescription(map, 0, 0, 5, 0)));
  const float* costs = planner.getMap();
  EXPECT_FLOAT_EQ(costs[0], 0.2f);
  EXPECT_FLOAT_EQ(costs[1], 1.0f);
  EXPECT_EQ(costs[2], -1);
  EXPECT_EQ(costs[3], -1);
  EXPECT_FLOAT_EQ(costs[4], 0.5f);

  const double inf = std::numeric_limits<double>::infinity();
  map.cells = {std::numeric_limits<double>::quiet_NaN(), 1e300, inf, 1e-60, -1e300, -inf};
  ASSERT_TRUE(planner.createMap(FindPathDescription(map, 0, 0, 1, 0)));
  costs = planner.getMap();
  EXPECT_EQ(costs[0], -1);
  EXPECT_EQ(costs[1], 1.0f);
  EXPECT_EQ(costs[2], 1.0f);
  EXPECT_EQ(costs[3], -1);  // too small for a float: 0, so blocked
  EXPECT_EQ(costs[4], -1);
  EXPECT_EQ(costs[5], -1);
  map.cells = {FLT_MAX, 1, 1e300, 2, 0.5, 1};
  ASSERT_TRUE(planner.createMap(FindPathDescription(map, 0, 0, 5, 0)));
  costs = planner.getMap();
  EXPECT_EQ(costs[0], 1.0f);
  EXPECT_EQ(costs[2], 1.0f);
  for (int i = 0; i < 6; ++i) {
    EXPECT_GT(costs[i], 0) << i;  // small costs beside huge ones stay passable
    EXPECT_FALSE(std::isnan(costs[i])) << i;
  }

  Planner::Description d = FindPathDescription(map, 0, 0, 5, 0);
  d.weight = 3;
  ASSERT_TRUE(planner.createMap(d));
  EXPECT_EQ(planner.getDescription().weight, 1.0f);
  d.weight = std::numeric_limits<float>::quiet_NaN();
  ASSERT_TRUE(planner.createMap(d));
  EXPECT_EQ(planner.getDescription().weight, 0.0f);
}

// Large maps are read in blocks of cells: every kind of number must come out the same in any
// place of a row, the last few cells included, and the largest must be found wherever it is.
TEST(Planner, EveryPlaceOfALongMapIsReadAlike) {
  const double inf = std::numeric_limits<double>::infinity();
  const double numbers[] = {
      std::numeric_limits<double>::quiet_NaN(), -0.0, 0, -7, -inf, 1e-60, 2, 4, 6};
  for (int width = 9; width <= 41; width += 8) {
    for (int largestAt = 0; largestAt < width; largestAt += 3) {
      CostMap map(width, 1, 1);
      for (int x = 0; x < width; ++x) map.at(x, 0) = numbers[(x + largestAt) % 9];
      map.at(largestAt, 0) = 8;
      AStarPlanner planner;
      ASSERT_TRUE(planner.createMap(FindPathDescription(map, 0, 0, width - 1, 0)));
      const float* costs = planner.getMap();
      for (int x = 0; x < width; ++x) {
        const double n = map.at(x, 0);
        const float expected = n >= 1 ? static_cast<float>(n) / 8.0f : -1.0f;
        EXPECT_EQ(costs[x], expected) << "width " << width << ", cell " << x << ", number " << n;
      }
    }
  }
}

TEST(AStarPlanner, FindsTheCorridorAndReportsItsCost) {
  for (OpenListKind kind : kKinds) {
    CostMap map = tobli::test::Serpentine(5, 3);  // 5 x 5, three rows joined at alternate ends
    auto [gx, gy] = tobli::test::SerpentineEnd(map);
    AStarPlanner planner(kind);
    SearchRecord r = Search(planner, FindPathDescription(map, 0, 0, gx, gy));
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(planner.getPathSize(), 17);
    EXPECT_EQ(r.path.front(), 0);
    EXPECT_EQ(r.path[r.path.size() - 2], gx);
    EXPECT_EQ(r.path.back(), gy);
    EXPECT_FLOAT_EQ(r.cost, 16.0f);  // every step into a cell of cost 1; the start is free
    EXPECT_TRUE(planner.isDone());
    planner.cleanup();
    EXPECT_EQ(planner.getOpenSize(), 0);
    EXPECT_EQ(planner.getClosedSize(), 0);
    EXPECT_EQ(planner.getGoal(), nullptr);
  }
}

// Cleanup hands every node back at once and forgets the cells wholesale or one by one,
// depending on how much of the map the search closed; either way the next search on the
// loaded map must see no trace of the last one, and the pool must have every node again.
TEST(AStarPlanner, SearchAfterCleanupRepeatsTheFirst) {
  std::mt19937 random(11);
  CostMap wide = tobli::test::RandomMap(random, 200, 200, 0.2, 3);
  wide.at(0, 0) = 1;
  wide.at(1, 0) = 1;
  wide.at(2, 0) = 1;
  CostMap corridor = tobli::test::Serpentine(9, 5);
  auto [gx, gy] = tobli::test::SerpentineEnd(corridor);
  const Planner::Description searches[] = {
      FindPathDescription(wide, 0, 0, 2, 0),       // closes a few cells of a large map
      FindPathDescription(wide, 0, 0, 199, 199),   // floods much of it, or finds no way
      FindPathDescription(corridor, 0, 0, gx, gy)  // closes nearly every cell
  };
  for (OpenListKind kind : kKinds) {
    for (const Planner::Description& d : searches) {
      AStarPlanner planner(kind);
      const SearchRecord first = Search(planner, d);
      ASSERT_TRUE(first.finished);
      for (int again = 0; again < 2; ++again) {
        planner.cleanup();
        planner.initialize();
        EXPECT_EQ(Record(planner, planner.run()), first) << d.goalX << "," << d.goalY;
      }
    }
  }
}

int gStopChecks = 0;
bool CountAndGoOn() {
  ++gStopChecks;
  return false;
}
bool AlwaysStop() {
  ++gStopChecks;
  return true;
}

// The stop check is asked once as a run starts and then on every 10002nd node taken (the
// counter is compared with 10000 before it is counted up, and restarts at 0). A stopped search
// must go on where it stopped: closing the node that was about to be expanded (without looking
// at its neighbours) would cut this corridor for good.
TEST(AStarPlanner, StopCheckIsAskedEveryTenThousandAndSecondNodeAndAStoppedSearchResumes) {
  CostMap map = tobli::test::Serpentine(200, 101);
  auto [gx, gy] = tobli::test::SerpentineEnd(map);
  for (OpenListKind kind : kKinds) {
    AStarPlanner whole(kind);
    whole.setStopCheck(CountAndGoOn);
    gStopChecks = 0;
    SearchRecord expected = Search(whole, FindPathDescription(map, 0, 0, gx, gy));
    ASSERT_TRUE(expected.finished);
    EXPECT_EQ(expected.expansions, 200 * 101 + 100 - 1);  // every cell but the goal
    EXPECT_EQ(gStopChecks, 1 + expected.expansions / 10002);

    AStarPlanner sliced(kind);
    sliced.setStopCheck(AlwaysStop);
    Planner::Description d = FindPathDescription(map, 0, 0, gx, gy);
    ASSERT_TRUE(sliced.createMap(d));
    sliced.initialize();
    EXPECT_FALSE(sliced.run());
    EXPECT_FALSE(sliced.isDone());
    EXPECT_EQ(sliced.getGoal(), nullptr);
    bool finished = false;
    for (int slice = 0; slice < 10 && !finished; ++slice) finished = sliced.run();
    ASSERT_TRUE(finished);
    EXPECT_EQ(sliced.getNumSlices(), 3);
    EXPECT_EQ(Record(sliced, true), expected);
  }
}

TEST(AStarPlanner, BlockedGoalAndWalledStartFinishWithoutAPath) {
  CostMap map(5, 5, 1);
  for (int y = 0; y < 5; ++y) map.at(2, y) = 0;
  for (OpenListKind kind : kKinds) {
    AStarPlanner planner(kind);
    SearchRecord walled = Search(planner, FindPathDescription(map, 0, 2, 4, 2));
    EXPECT_TRUE(walled.finished);
    EXPECT_TRUE(walled.path.empty());
    EXPECT_EQ(walled.closed.size(), 2u * 10);  // the whole left side was searched
    SearchRecord blocked = Search(planner, FindPathDescription(map, 0, 2, 2, 2));
    EXPECT_TRUE(blocked.finished);
    EXPECT_TRUE(blocked.path.empty());
  }
}

// The property the indexed open list exists for: on many random maps, with every weight and
// move setting, it makes exactly the search of the sorted list. The closed set's own order
// depends on the order nodes were closed, so equal closed lists mean equal expansion orders.
TEST(AStarPlanner, IndexedAndSortedListsMakeTheSameSearchOnRandomMaps) {
  std::mt19937 random(2024);
  const float weights[] = {0.7f, 0.0f, 0.3f, 1.0f, 0.5f};
  int withPath = 0;
  int reexpanding = 0;
  for (int trial = 0; trial < 1500; ++trial) {
    int width = 1 + static_cast<int>(random() % 40);
    int height = 1 + static_cast<int>(random() % 40);
    if (width * height < 2) width = 2;
    double wallRate = (random() % 6) * 0.1;
    int levels = 1 + static_cast<int>(random() % 6);
    CostMap map = tobli::test::RandomMap(random, width, height, wallRate, levels);
    int sx = static_cast<int>(random() % width), sy = static_cast<int>(random() % height);
    int gx = static_cast<int>(random() % width), gy = static_cast<int>(random() % height);
    if (sx == gx && sy == gy) {
      if (width > 1) {
        gx = (gx + 1) % width;
      } else {
        gy = (gy + 1) % height;
      }
    }
    Planner::Description d = FindPathDescription(map, sx, sy, gx, gy);
    d.weight = weights[trial % 5];
    d.diagonalMoves = trial % 3 == 0;
    d.diagonalCost = trial % 2 == 0;
    AStarPlanner sorted(OpenListKind::kSorted);
    AStarPlanner indexed(OpenListKind::kIndexed);
    SearchRecord a = Search(sorted, d);
    SearchRecord b = Search(indexed, d);
    ASSERT_TRUE(a.finished);
    ASSERT_EQ(a, b) << "trial " << trial << " map " << width << "x" << height;
    // Searching again on the loaded map must not be misled by the last search's nodes.
    indexed.initialize();
    ASSERT_TRUE(indexed.run());
    ASSERT_EQ(Record(indexed, true), b) << "trial " << trial;
    if (!a.path.empty()) ++withPath;
    if (a.expansions + (a.path.empty() ? 0 : 1) > static_cast<int64_t>(a.closed.size() / 2)) {
      ++reexpanding;
    }
  }
  // The trials must reach both outcomes and the reopening of closed nodes.
  EXPECT_GT(withPath, 500);
  EXPECT_LT(withPath, 1400);
  EXPECT_GT(reexpanding, 50);
}

TEST(AStarPlanner, LargerMapsAgreeToo) {
  std::mt19937 random(99);
  for (int trial = 0; trial < 6; ++trial) {
    CostMap map = tobli::test::RandomMap(random, 120, 90, 0.1 * trial, 5);
    Planner::Description d = FindPathDescription(map, 3, 80, 115, 4);
    map.at(3, 80) = map.at(115, 4) = 1;
    AStarPlanner sorted(OpenListKind::kSorted);
    AStarPlanner indexed(OpenListKind::kIndexed);
    ASSERT_EQ(Search(sorted, d), Search(indexed, d)) << "trial " << trial;
  }
}

}  // namespace

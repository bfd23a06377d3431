#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <span>

#include "core/services.h"
#include "path/findpath_setup.h"
#include "path_maps.h"
#include "platform/platform.h"
#include "runtime.h"
#include "support/test_support.h"

// gcc names an AddressSanitizer build with a macro, clang with a feature test.
#if defined(__SANITIZE_ADDRESS__)
#define TOBLI_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOBLI_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

bool NeverStop() {
  return false;
}
bool AlwaysStop() {
  return true;
}

// DIMs a width x height map and fills it from a CostMap.
void Load(KDIntArray& array, const tobli::test::CostMap& map) {
  DIM(array, map.width, map.height);
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) array(x, y) = map.cells[y * map.width + x];
  }
}

// A path array holding a marker, to see that a command left it alone.
void Mark(KDIntArray& path) {
  DIM(path, 7, 3);
  path(6, 2) = 42;
}
bool Marked(KDIntArray& path) {
  return path.nSize[1] == 7 && path.nSize[2] == 3 && path(6, 2) == 42;
}

// The commands run here without the input service, so Esc is asked through a stand-in.
class FindPath : public ::testing::Test {
 protected:
  void SetUp() override { SetFindPathStopCheck(NeverStop); }
  void TearDown() override { SetFindPathStopCheck(nullptr); }
};

TEST_F(FindPath, ThreeCellsInARowButNoWayThroughAWallOrIntoABlockedGoal) {
  KDIntArray map, path;
  DIM(map, 3, 1);
  for (int x = 0; x < 3; ++x) map(x, 0) = 1;
  ASSERT_EQ(FINDPATH(map, path, 0, 0, 0, 2, 0), 3);
  EXPECT_EQ(BOUNDS(path, 0), 3);
  EXPECT_EQ(BOUNDS(path, 1), 2);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(path(i, 0), i);
    EXPECT_EQ(path(i, 1), 0);
  }
  // Backwards, and with fractions truncated toward zero: 2.9 is column 2.
  ASSERT_EQ(FINDPATH(map, path, 0, 2.9, 0.5, -0.5, 0), 3);
  EXPECT_EQ(path(0, 0), 2);
  EXPECT_EQ(path(2, 0), 0);

  // No way through a wall or into a blocked goal leaves one element.
  tobli::test::CostMap walled(6, 4, 1);
  for (int y = 0; y < 4; ++y) walled.at(3, y) = 0;
  Load(map, walled);
  Mark(path);
  EXPECT_EQ(FINDPATH(map, path, 0, 0, 0, 5, 3), 0);
  EXPECT_EQ(path.nCount, 1);
  EXPECT_EQ(BOUNDS(path, 0), 1);
  EXPECT_EQ(BOUNDS(path, 1), 0);
  EXPECT_EQ(path(0), 0);

  Mark(path);
  map(3, 0) = 1;  // a gap in the wall, but the goal itself is blocked
  map(5, 3) = -1;
  EXPECT_EQ(FINDPATH(map, path, 0, 0, 0, 5, 3), 0);
  EXPECT_EQ(path.nCount, 1);
  map(5, 3) = 2;
  EXPECT_EQ(FINDPATH(map, path, 0, 0, 0, 5, 3), 9);
  EXPECT_EQ(path(3, 0), 3);  // through the gap
  EXPECT_EQ(path(3, 1), 0);
}

// Nothing is searched, and the path array keeps what it held, when start or goal are off the
// map (whatever number they are given as) or the same cell; also on maps that are not two-
// dimensional.
TEST_F(FindPath, StartOrGoalOffTheMapOrEqualLeavesThePathAlone) {
  KDIntArray map, path;
  DIM(map, 4, 4);
  for (double& v : std::span(map.pData, 16)) v = 1;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double far = 1e12;
  const double cases[][4] = {{-1, 0, 3, 3},  {0, 0, 4, 0},   {0, 4, 0, 0},     {0, 0, 3, -1.5},
                             {nan, 0, 3, 3}, {0, 0, far, 3}, {1, 1, 1.7, 1.2}, {2, 2, 2, 2}};
  for (const auto& c : cases) {
    Mark(path);
    EXPECT_EQ(FINDPATH(map, path, 0, c[0], c[1], c[2], c[3]), 0) << c[0] << "," << c[1];
    EXPECT_TRUE(Marked(path));
  }
  KDIntArray flat, never;
  DIM(flat, 5);
  for (double& v : std::span(flat.pData, 5)) v = 1;
  Mark(path);
  EXPECT_EQ(FINDPATH(flat, path, 0, 0, 0, 4, 0), 0);
  EXPECT_EQ(FINDPATH(never, path, 0, 0, 0, 1, 0), 0);
  EXPECT_TRUE(Marked(path));
}

// Costs count only relative to the largest: a map and the same map scaled give the same path,
// and the third argument changes nothing.
TEST_F(FindPath, CostsAreRelativeAndTheWeightArgumentIsIgnored) {
  std::mt19937 random(5);
  int differentFromUniform = 0;
  for (int trial = 0; trial < 60; ++trial) {
    tobli::test::CostMap costs = tobli::test::RandomMap(random, 24, 18, 0.2, 5);
    costs.at(1, 1) = costs.at(22, 16) = 1;
    KDIntArray map, scaled, uniform, a, b, c, d;
    Load(map, costs);
    for (double& v : costs.cells) v = v > 0 ? v * 8 : v;
    Load(scaled, costs);
    for (double& v : costs.cells) v = v > 0 ? 1 : v;
    Load(uniform, costs);
    double n = FINDPATH(map, a, 0, 1, 1, 22, 16);
    ASSERT_EQ(FINDPATH(scaled, b, 0, 1, 1, 22, 16), n);
    ASSERT_EQ(FINDPATH(map, c, 123.5, 1, 1, 22, 16), n);
    double m = FINDPATH(uniform, d, 0, 1, 1, 22, 16);
    for (int i = 0; i < n; ++i) {
      ASSERT_EQ(a(i, 0), b(i, 0));
      ASSERT_EQ(a(i, 1), b(i, 1));
      ASSERT_EQ(a(i, 0), c(i, 0));
      ASSERT_EQ(a(i, 1), c(i, 1));
    }
    bool same = m == n;
    for (int i = 0; same && i < n; ++i) same = a(i, 0) == d(i, 0) && a(i, 1) == d(i, 1);
    if (n > 0 && !same) ++differentFromUniform;
  }
  // The costs do steer the search: equal costs give other paths on some maps.
  EXPECT_GT(differentFromUniform, 5);
}

// Every path runs from the start to the goal over passable cells, one step left, right, up or
// down at a time, and visits no cell twice.
TEST_F(FindPath, PathsAreUnbrokenStraightStepsOverOpenCells) {
  std::mt19937 random(17);
  int found = 0;
  for (int trial = 0; trial < 200; ++trial) {
    int w = 2 + static_cast<int>(random() % 30), h = 2 + static_cast<int>(random() % 30);
    tobli::test::CostMap costs = tobli::test::RandomMap(random, w, h, 0.3, 4);
    int sx = static_cast<int>(random() % w), sy = static_cast<int>(random() % h);
    int gx = static_cast<int>(random() % w), gy = static_cast<int>(random() % h);
    if (sx == gx && sy == gy) continue;
    costs.at(gx, gy) = 1;
    KDIntArray map, path;
    Load(map, costs);
    double n = FINDPATH(map, path, 0, sx, sy, gx, gy);
    if (n == 0) continue;
    ++found;
    ASSERT_EQ(path(0, 0), sx);
    ASSERT_EQ(path(0, 1), sy);
    ASSERT_EQ(path(n - 1, 0), gx);
    ASSERT_EQ(path(n - 1, 1), gy);
    std::vector<bool> seen(w * h, false);
    for (int i = 0; i < n; ++i) {
      int x = static_cast<int>(path(i, 0)), y = static_cast<int>(path(i, 1));
      ASSERT_FALSE(seen[y * w + x]);
      seen[y * w + x] = true;
      if (i > 0) {
        ASSERT_GT(costs.at(x, y), 0);
        int step = std::abs(x - static_cast<int>(path(i - 1, 0))) +
                   std::abs(y - static_cast<int>(path(i - 1, 1)));
        ASSERT_EQ(step, 1) << "trial " << trial << " cell " << i;
      }
    }
  }
  EXPECT_GT(found, 100);
}

// Esc during a long search gives 0 and leaves the path array as it was; a short search never
// gets as far as asking (the first look only clears what was pressed before).
TEST_F(FindPath, StopDuringALongSearchLeavesThePathAlone) {
  SetFindPathStopCheck(AlwaysStop);
  KDIntArray map, path;
  Load(map, tobli::test::Serpentine(200, 101));
  Mark(path);
  EXPECT_EQ(FINDPATH(map, path, 0, 0, 0, 199, 200), 0);
  EXPECT_TRUE(Marked(path));
  KDIntArray small;
  Load(small, tobli::test::Serpentine(20, 11));
  EXPECT_EQ(FINDPATH(small, path, 0, 0, 0, 19, 20), 20 * 11 + 10);
}

// The stop question FINDPATH asks by default: is Esc held, or was it pressed since the search
// last asked (the search asks once as it starts, so a press before it does not count).
TEST(FindPathEscape, EscapeHeldOrTappedDuringTheSearchStopsItATapBeforeDoesNot) {
  tobli::test::ScopedTempDir dir;
  namespace platform = tobli::platform;
  platform::Select(platform::Kind::kHeadless);
  std::string why;
  ASSERT_TRUE(platform::OpenWindow(platform::WindowSpec{}, why)) << why;
  __CreateInputService();
  __CreateInputDevices(false);
  SetFindPathStopCheck(nullptr);

  KDIntArray map, path;
  Load(map, tobli::test::Serpentine(200, 101));
  Mark(path);
  platform::Event esc;
  esc.type = platform::EventType::kKeyDown;
  esc.key = 1;
  platform::PushEvent(esc);
  EXPECT_EQ(FINDPATH(map, path, 0, 0, 0, 199, 200), 0);
  EXPECT_TRUE(Marked(path));
  esc.type = platform::EventType::kKeyUp;
  platform::PushEvent(esc);
  EXPECT_EQ(FINDPATH(map, path, 0, 0, 0, 199, 200), 200 * 101 + 100);

  // A tap over before the search began, though the keyboard keeps it down for its frame.
  auto tap = [&esc] {
    esc.type = platform::EventType::kKeyDown;
    platform::PushEvent(esc);
    esc.type = platform::EventType::kKeyUp;
    platform::PushEvent(esc);
  };
  tap();
  EXPECT_EQ(FINDPATH(map, path, 0, 0, 0, 199, 200), 200 * 101 + 100);
  // A tap that comes and goes between two looks of the search (the first look is the one
  // as it starts).
  int looks = 0;
  platform::SetIdleHook([&] {
    if (++looks == 2) tap();
  });
  Mark(path);
  EXPECT_EQ(FINDPATH(map, path, 0, 0, 0, 199, 200), 0);
  EXPECT_TRUE(Marked(path));
  EXPECT_GE(looks, 2);
  platform::SetIdleHook({});

  __DestroyInputService();
  platform::CloseWindow();
}

// A search whose memory cannot be had ends the program with code 7, as an array's storage
// does: a result of 0 would read as "there is no path".
[[noreturn]] void SearchUnderAMemoryLimit() {
  static KDIntArray map, path;
  DIM(map, 2048, 2048);  // 32 MB of numbers; the search wants about 280 MB more
  long pages = 0;
  FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr || std::fscanf(statm, "%ld", &pages) != 1) std::exit(3);
  std::fclose(statm);
  rlim_t limit = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (64 << 20);
  rlimit rl;
  rl.rlim_cur = limit;
  rl.rlim_max = limit;
  if (setrlimit(RLIMIT_AS, &rl) != 0) std::exit(4);
  SetFindPathStopCheck(NeverStop);
  __dLn(0, 77);
  FINDPATH(map, path, 0, 0, 0, 5, 5);
  std::exit(5);
}

TEST(FindPathMemory, SearchWithoutItsMemoryEndsWithCode7) {
#if defined(TOBLI_ADDRESS_SANITIZER)
  GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#endif
  tobli::test::ScopedTempDir dir;
  EXPECT_EXIT(SearchUnderAMemoryLimit(), ::testing::ExitedWithCode(0), "");
  auto lines = tobli::test::ErrorLogLines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1], "7");
  EXPECT_EQ(lines[2], "77");
}

}  // namespace

// The index of the boxes' tiles that the box pass keeps during its update pass: each tile's
// boxes in table order, taken afresh after every change within the pass, and a pass that plays
// exactly as the table scans do. And the scans over the box table that read its columns as
// plain storage: they visit the entries the game's loops visit, never read past the columns,
// and the enemy pass's box points follow the table when a box is destroyed during the pass.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "audio/sound_log.h"
#include "box_table.h"
#include "box_test_support.h"
#include "core/isaac.h"
#include "game.h"
#include "golden_levels.h"
#include "state_digest.h"

namespace tobli::test {
namespace {

using tobli::game::BoxPlaces;

using BoxPlacesTest = BoxTest;

// Puts boxes on the given tiles (map coordinates), entry by entry.
void SetBoxes(const std::vector<std::pair<double, double>>& tiles) {
  maxbox = static_cast<double>(tiles.size());
  for (size_t b = 0; b < tiles.size(); ++b) {
    boxx(static_cast<double>(b)) = tiles[b].first;
    boxy(static_cast<double>(b)) = tiles[b].second;
  }
}

std::vector<int> OnTile(const BoxPlaces& places, double x, double y) {
  std::vector<int> entries;
  for (int b = places.First(x, y); b >= 0; b = places.Next(b)) entries.push_back(b);
  return entries;
}

TEST_F(BoxPlacesTest, EachTileListsItsBoxesInTableOrderAndATakeForgetsTheLastOrRefuses) {
  LoadForPlay(Level({{60}}));
  SetBoxes({{5, 5}, {7, 7}, {5, 5}, {5, 5}, {6, 5}, {0, 127}});
  BoxPlaces places;
  ASSERT_TRUE(places.Take());
  EXPECT_EQ(OnTile(places, 5, 5), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(OnTile(places, 6, 5), (std::vector<int>{4}));
  EXPECT_EQ(OnTile(places, 0, 127), (std::vector<int>{5}));
  EXPECT_EQ(places.First(9, 9), -1);
  // Positions that are no tile hold no box.
  EXPECT_EQ(places.First(5.5, 5), -1);
  EXPECT_EQ(places.First(-1, 5), -1);
  EXPECT_EQ(places.First(5, 128), -1);

  // A box that has moved is found on its new tile only; one removed is found nowhere.
  SetBoxes({{9, 9}, {7, 7}, {5, 5}, {5, 5}});
  ASSERT_TRUE(places.Take());
  EXPECT_EQ(OnTile(places, 5, 5), (std::vector<int>{2, 3}));
  EXPECT_EQ(OnTile(places, 9, 9), (std::vector<int>{0}));
  EXPECT_EQ(places.First(6, 5), -1);
  EXPECT_EQ(places.First(0, 127), -1);

  // A box off the map's tiles leaves the lookups to the scans.
  for (std::pair<double, double> off : {std::pair<double, double>{-1, 3}, {3, 128}, {2.5, 3}}) {
    SetBoxes({{3, 3}, off});
    EXPECT_FALSE(places.Take()) << off.first << ", " << off.second;
  }
}

TEST_F(BoxPlacesTest, AStepEndedEarlierInThePassBlocksALaterPushIntoItsTile) {
  // Two gems in the last frame of their steps toward each other: the first reaches column 2
  // and rolls on, the second reaches column 3 and is blocked by the first, which it stops.
  LoadForPlay(Level({{60, 5, 60, 60, 6, 60, 73}}));
  ASSERT_EQ(BoxAt(1, 0), 0);
  ASSERT_EQ(BoxAt(4, 0), 1);
  boxm(0) = kRight;
  boxdelay(0) = 1;
  boxm(1) = kLeft;
  boxdelay(1) = 1;
  Frames(1);
  EXPECT_EQ(boxx(0), 2 + kMargin);
  EXPECT_EQ(boxx(1), 3 + kMargin);
  EXPECT_EQ(boxm(1), 5);
  EXPECT_EQ(boxm(0), 5);
  EXPECT_EQ(SoundLogCount(9), 1u);
}

TEST_F(BoxPlacesTest, ARemovalEarlierInThePassLeavesTheFreedEntryAlone) {
  // The first gem is looked up (its tile is known from then on); the second stands on a block
  // that has risen and is destroyed; the last entry takes its place and is looked up there.
  LoadForPlay(Level({{5, 60, 6, 60, 7, 73}}));
  Cell(2, 0) = 101;
  Frames(1);
  ASSERT_EQ(maxbox, 2);
  EXPECT_EQ(boxlook(1), 7);
  EXPECT_EQ(boxx(1), 4 + kMargin);
  EXPECT_EQ(boxm(1), 5);
  // The freed entry keeps the motion killbox left it.
  EXPECT_EQ(boxm(2), 0);
  EXPECT_EQ(maxene, 1);
}

// The digest after every frame of a play of the level with random presses.
std::vector<uint64_t> PlayDigests(const LevelSpec& spec, uint32_t seed, bool places,
                                  const std::vector<std::vector<int>>& rings = {}) {
  constexpr uint64_t kFrames = 1200;
  ScopedTempDir dir;
  WriteLevelFile(1, spec);
  WriteFile("slot", "1\r\n");
  tobli::game::UseBoxPlaces(places);
  // The driver's seed is spread over the words an earlier play left in the generator: each
  // play starts from the generator's state at start-up.
  __g_ctx = RandomContext{};
  std::vector<uint64_t> digests;
  {
    tobli::game::HeadlessDriver driver(tobli::game::DriverOptions{seed, true});
    savefile_Str = "slot";
    ScriptRandomPresses(driver, seed, kFrames);
    driver.OnEveryFrame([&digests, &rings](uint64_t) {
      if (level == 1) LayRings(rings);
      digests.push_back(StateDigest());
    });
    // The frame counter runs on from earlier runs: sounds are told apart by their frame within
    // this one.
    uint64_t firstFrame = __g_FrameCount;
    driver.Run([] { MainGame(); }, kFrames);
    digests.push_back(SoundDigest(firstFrame));
  }
  tobli::game::UseBoxPlaces(true);
  return digests;
}

TEST(BoxPassPlaces, PlaysFrameByFrameAsTheTableScansDo) {
  std::vector<RingsLevelSpec> levels;
  std::vector<GoldenLevelShape> shapes = GoldenShapes();
  for (uint32_t seed = 1; seed <= 4; ++seed) levels.push_back(RingsLevel(seed));
  for (uint32_t seed = 1; seed <= 2; ++seed) {
    levels.push_back({GoldenLevel(seed, shapes[shapes.size() - 1]), {}});
    levels.push_back({GoldenLevel(seed + 10, shapes[shapes.size() - 2]), {}});
  }
  levels.push_back({RoomsLevel(60), {}});
  for (size_t k = 0; k < levels.size(); ++k) {
    uint32_t seed = static_cast<uint32_t>(k + 1);
    std::vector<uint64_t> scanned = PlayDigests(levels[k].level, seed, false, levels[k].rings);
    std::vector<uint64_t> indexed = PlayDigests(levels[k].level, seed, true, levels[k].rings);
    ASSERT_EQ(scanned.size(), indexed.size()) << "level " << k;
    for (size_t f = 0; f < scanned.size(); ++f) {
      ASSERT_EQ(scanned[f], indexed[f]) << "level " << k << " differs first at frame " << f + 1;
    }
  }
}

using tobli::game::TableEntries;

TEST(TableEntries, CountsTheEntriesATableLoopVisits) {
  EXPECT_EQ(TableEntries(0), 0);
  EXPECT_EQ(TableEntries(1), 1);
  EXPECT_EQ(TableEntries(100), 100);
  // for (e = 0; e <= 2.5 - 1; ...) visits 0 and 1.
  EXPECT_EQ(TableEntries(2.5), 2);
  EXPECT_EQ(TableEntries(0.5), 0);
  EXPECT_EQ(TableEntries(-3), 0);
  EXPECT_EQ(TableEntries(std::nan("")), 0);
  // A count beyond any table stays beyond it.
  EXPECT_GT(TableEntries(1e300), 100);
}

using TableScans = BoxTest;

// Runs the routine; it must end the program with the index error.
void ExpectIndexError(tobli::game::HeadlessDriver& driver, const std::function<void()>& routine) {
  tobli::game::RunResult result = driver.Run(routine);
  EXPECT_EQ(result.end, tobli::game::RunEnd::kProgramEnded);
  EXPECT_EQ(__g_error, 9);
}

TEST_F(TableScans, ACountBeyondTheColumnsEndsTheProgramInsteadOfReadingPastThem) {
  // Every scan meets the checked access of the entry past the columns before reading it.
  LoadForPlay(Level({{5, 60, 60, 73}}));
  ExpectIndexError(driver_, [] {
    maxbox = 101;
    pushbox(kMargin, kMargin);
  });
  LoadForPlay(Level({{5, 60, 60, 73}}));
  ExpectIndexError(driver_, [] {
    maxene = 1;
    enex(0) = eney(0) = 2 * 32 + kMargin * 32;
    enemode(0) = 0;
    maxbox = 150;
    moveenemies();
  });
}

TEST_F(TableScans, AnEnemyDoesNotMeetABoxAnotherDestroyedEarlierInThePass) {
  // A gem gliding right between two enemies, both within a tile of it: the first enemy and
  // the gem destroy each other, the second walks on.
  LoadForPlay(Level({{60, 60, 5, 60, 60, 60, 73}}));
  ASSERT_EQ(maxbox, 1);
  boxm(0) = kRight;
  boxdelay(0) = 8;
  double point = boxx(0) * 32 + 16;
  Do([point] {
    maxene = 2;
    for (double e = 0; e < 2; ++e) {
      eney(e) = boxy(0) * 32;
      enemode(e) = 0;
      enespd(e) = 0;
      enelook(e) = 1;
    }
    enex(0) = point - 10;
    enex(1) = point + 10;
    moveenemies();
  });
  EXPECT_EQ(maxbox, 0);
  EXPECT_EQ(enemode(0), 32);
  EXPECT_EQ(enemode(1), 0);
  EXPECT_EQ(enex(1), point + 11);
}

}  // namespace
}  // namespace tobli::test

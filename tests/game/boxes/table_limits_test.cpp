// The box and enemy tables at their 100 entries: nothing is written past them and the game
// goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "audio/sound_log.h"
#include "box_test_support.h"
#include "game.h"

namespace tobli::test {
namespace {

constexpr int kTableSize = 100;

using TableLimits = BoxTest;

// Row 0: the player, a crate and floor; row 1 a wall; then ten rows of ten bombs.
LevelSpec LevelWithFullBoxTable() {
  LevelSpec spec = FloorLevel(10, 12);
  spec.rows[0] = {60, 61, 60, 60, 60, 60, 60, 60, 60, 73};
  spec.rows[1].assign(10, 73);
  for (int r = 2; r < 12; ++r) spec.rows[r].assign(10, 8);
  return spec;
}

std::vector<std::pair<double, double>> BoxPlaces() {
  std::vector<std::pair<double, double>> places;
  for (double n = 0; n < maxbox; ++n) places.emplace_back(boxx(n), boxy(n));
  return places;
}

TEST_F(TableLimits, CrateNeedingA101stBoxStaysATileAndBlocksThePush) {
  // PlayMoves fails the test should the push write past the table and end the program.
  LoadForPlay(LevelWithFullBoxTable());
  ASSERT_EQ(maxbox, kTableSize);
  std::vector<std::pair<double, double>> before = BoxPlaces();

  PlayMoves(LevelWithFullBoxTable(), "R", 5);
  EXPECT_EQ(maxbox, kTableSize);
  EXPECT_EQ(BoxPlaces(), before);
  EXPECT_EQ(Cell(1, 0), 61);
  EXPECT_EQ(plyx, startx * 32);
  EXPECT_EQ(SoundLogCount(2), 0u);

  // Once a box has gone the crate can be pushed.
  Do([] { killbox(0); });
  EXPECT_EQ(PushCrate(1, 0, kRight), 1);
  EXPECT_EQ(maxbox, kTableSize);
}

TEST_F(TableLimits, FullEnemyTableShowsNoPicturesButTheBoxesStillGo) {
  LoadForPlay(Level({{61, 92, 73}, {61, 18, 73}, {5, 6, 7}}));
  maxene = kTableSize;
  for (int e = 0; e < kTableSize; ++e) enemode(e) = 50;
  EXPECT_EQ(PushCrate(0, 0, kRight), 1);
  EXPECT_EQ(PushCrate(0, 1, kRight), 1);
  Frames(16);
  EXPECT_EQ(maxene, kTableSize);
  for (int e = 0; e < kTableSize; ++e) EXPECT_EQ(enemode(e), 50) << e;
  EXPECT_EQ(maxbox, 0);
  // The crate fell, the other burnt, the gems gave their key: each with its sound.
  EXPECT_EQ(Cell(1, 0), 92);
  EXPECT_EQ(Cell(1, 1), 18);
  EXPECT_EQ(SoundLogCount(7), 1u);
  EXPECT_EQ(SoundLogCount(8), 1u);
  EXPECT_EQ(kys(4), 1);
  EXPECT_EQ(SoundLogCount(12), 1u);
}

TEST_F(TableLimits, LevelWithMoreThan100BoxTilesLoadsTheFirst100) {
  // Fifteen columns of seven bombs: 105 box tiles.
  LevelSpec spec = FloorLevel(15, 7);
  for (auto& row : spec.rows) row.assign(15, 8);
  LoadForPlay(spec);
  EXPECT_EQ(maxbox, kTableSize);
  // Boxes are made column by column: the last column keeps two, the rest is floor.
  EXPECT_GE(BoxAt(14, 1), 0);
  for (int r = 2; r < 7; ++r) {
    EXPECT_EQ(BoxAt(14, r), -1) << r;
    EXPECT_EQ(Cell(14, r), 60) << r;
  }
  std::vector<std::string> log = ErrorLogLines();
  EXPECT_NE(std::find(log.begin(), log.end(), "Too many boxes in levels/Level.1: 5 left as floor"),
            log.end());
}

}  // namespace
}  // namespace tobli::test

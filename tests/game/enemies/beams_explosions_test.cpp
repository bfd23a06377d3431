// The beam search over the map, and explosions: their stages, chains through rows of mines,
// a bomb destroyed on fire in the game loop, and mine fields larger than the explosion table.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "audio/sound_log.h"
#include "enemy_scenario.h"
#include "game.h"

namespace {

using namespace tobli::test;

class Beams : public EnemyScenario {};
class Explosions : public EnemyScenario {};

std::pair<double, double> BeamFrom(double c, double r, double code) {
  beam(c * 32, r * 32, code);
  return {beamp(0) / 32, beamp(1) / 32};
}

using Place = std::pair<double, double>;

TEST_F(Beams, TheSearchWrapsRoundTheMapAndASinglePadOrAMissingCodeStaysInPlace) {
  // The order of the pads of one code within the map is played in the enemy tests.
  WithLevel(FloorLevel(4, 4), [] {
    hit(9, 3) = 2;
    hit(1, 7) = 2;
    // From anywhere within a pixel tile the search starts at that tile.
    beam(9 * 32 + 31, 3 * 32 + 31, 2);
    EXPECT_EQ(beamp(0), 32);
    EXPECT_EQ(beamp(1), 7 * 32);
    // The last cell of the map is followed by the first.
    hit(127, 127) = 1;
    hit(0, 0) = 1;
    EXPECT_EQ(BeamFrom(127, 127, 1), Place(0, 0));
    EXPECT_EQ(BeamFrom(0, 0, 1), Place(127, 127));
    hit(20, 30) = 3;
    EXPECT_EQ(BeamFrom(20, 30, 3), Place(20, 30));
    // No cell holds code 4: a full turn of the map comes back to the start.
    EXPECT_EQ(BeamFrom(40, 50, 4), Place(40, 50));
  });
}

TEST_F(Explosions, RowOfMinesGoesOffOneMinePerThreeUpdates) {
  // Stored row: floor, the first explosion, three mines, floor.
  std::vector<std::vector<double>> rows;
  std::vector<uint64_t> soundFrames;
  WithLevel(Level({{60, 60, 19, 19, 19, 60}}), [&rows, &soundFrames] {
    createboom(1 + kMargin, kMargin);
    auto row = [] {
      std::vector<double> cells;
      for (int c = 1; c <= 4; ++c) cells.push_back(Cell(c, 0));
      return cells;
    };
    rows.push_back(row());
    for (int update = 1; update <= 12; ++update) {
      DLN();
      SHOWSCREEN();
      showboom();
      rows.push_back(row());
    }
    EXPECT_EQ(maxboom, 0);
    for (const SoundLogEntry& entry : SoundLog()) {
      EXPECT_EQ(entry.slot, 1);
      soundFrames.push_back(entry.frame);
    }
  });
  using Row = std::vector<double>;
  const std::vector<Row> expected = {
      {96, 19, 19, 19}, {95, 19, 19, 19}, {94, 19, 19, 19}, {60, 96, 19, 19}, {60, 95, 19, 19},
      {60, 94, 19, 19}, {60, 60, 96, 19}, {60, 60, 95, 19}, {60, 60, 94, 19}, {60, 60, 60, 96},
      {60, 60, 60, 95}, {60, 60, 60, 94}, {60, 60, 60, 60},
  };
  EXPECT_EQ(rows, expected);
  ASSERT_EQ(soundFrames.size(), 4u);
  for (size_t k = 1; k < soundFrames.size(); ++k) {
    EXPECT_EQ(soundFrames[k] - soundFrames[k - 1], 3u) << k;
  }
}

TEST_F(Explosions, BombPushedOntoFireExplodesAndSetsOffTheMinesBeside) {
  // The bomb glides onto the fire; the explosion shows there, burns down to floor at every
  // fifth frame of the game loop and sets off the mines after it one by one.
  UseLevel(Level({{60, 8, 18, 19, 19, 73}}));
  driver_.PressKey(kKeyRight, kLoaderFrames + 1);
  PlayPasses(90);
  EXPECT_EQ(Cell(1, 0), 60);
  EXPECT_EQ(Cell(2, 0), 60);
  EXPECT_EQ(Cell(3, 0), 60);
  EXPECT_EQ(Cell(4, 0), 60);
  EXPECT_EQ(maxboom, 0);
  EXPECT_EQ(maxbox, 0);
  // The bomb's explosion, its debris (on the burning tile: the blast) and the two mines.
  std::vector<uint64_t> blasts;
  bool burning = false;
  for (const SoundLogEntry& entry : SoundLog()) {
    if (entry.slot == 1) blasts.push_back(entry.frame);
    if (entry.slot == 8) burning = true;
  }
  EXPECT_FALSE(burning) << "the fire is taken by the explosion, so no fire sound";
  ASSERT_EQ(blasts.size(), 4u);
  EXPECT_EQ(blasts[0], blasts[1]);
  // Three updates, five frames apart; the first comes within five frames of the bomb.
  EXPECT_GT(blasts[2] - blasts[1], 10u);
  EXPECT_LE(blasts[2] - blasts[1], 15u);
  EXPECT_EQ(blasts[3] - blasts[2], 15u);
  EXPECT_EQ(deaths(), 0);
}

// A square field of mines.
LevelSpec MineField(int side) {
  LevelSpec level;
  level.rows.assign(side, std::vector<int>(side, 19));
  return level;
}

int ExplosionTiles(int side) {
  int tiles = 0;
  for (int c = 0; c < side; ++c) {
    for (int r = 0; r < side; ++r) {
      double v = Cell(c, r);
      if (v >= 94 && v <= 97) ++tiles;
    }
  }
  return tiles;
}

// A mine that a chain has reached but left in place: still a mine, next to burnt floor.
bool MineLeftWaiting(int side) {
  for (int c = 1; c < side - 1; ++c) {
    for (int r = 1; r < side - 1; ++r) {
      if (Cell(c, r) != 19) continue;
      if (Cell(c + 1, r) == 60 || Cell(c - 1, r) == 60 || Cell(c, r + 1) == 60 ||
          Cell(c, r - 1) == 60) {
        return true;
      }
    }
  }
  return false;
}

TEST_F(Explosions, MineFieldLargerThanTheTableBurnsDownWithoutOverflowing) {
  // Rings of mines grow by four a ring; from ring 25 on a ring needs more than the table's
  // 100 entries. Mines that find no free entry wait as mines and go off as entries come free.
  constexpr int kSide = 60;
  WithLevel(MineField(kSide), [] {
    createboom(30 + kMargin, 30 + kMargin);
    double most = 0;
    int updates = 0;
    bool waited = false;
    while (maxboom > 0 && updates < 1000) {
      showboom();
      ++updates;
      most = std::max(most, maxboom);
      ASSERT_EQ(ExplosionTiles(kSide), maxboom) << "every explosion tile has its entry";
      if (MineLeftWaiting(kSide)) waited = true;
    }
    EXPECT_EQ(maxboom, 0);
    EXPECT_EQ(most, 100);
    EXPECT_TRUE(waited);
    for (int c = 0; c < kSide; ++c) {
      for (int r = 0; r < kSide; ++r) ASSERT_EQ(Cell(c, r), 60) << c << ", " << r;
    }
    EXPECT_EQ(SoundLogCount(1), static_cast<uint64_t>(kSide * kSide));

    // Mines waiting when the level is loaded again do not go off in the new one.
    LoadLevel(0);
    createboom(30 + kMargin, 30 + kMargin);
    while (!(maxboom == 100 && MineLeftWaiting(kSide))) {
      showboom();
      ASSERT_GT(maxboom, 0) << "the field burnt down without mines waiting";
    }
    LoadLevel(0);
    ASSERT_EQ(maxboom, 0);
    // In the fresh field only the corner's neighbours may go off.
    createboom(kMargin, kMargin);
    for (int update = 0; update < 3; ++update) showboom();
    EXPECT_EQ(maxboom, 2);
    EXPECT_EQ(Cell(1, 0), 96);
    EXPECT_EQ(Cell(0, 1), 96);
    EXPECT_EQ(ExplosionTiles(kSide), 2);
  });
}

TEST_F(Explosions, FullTableRefusesANewExplosion) {
  WithLevel(FloorLevel(12, 12), [] {
    for (int k = 0; k < 100; ++k) createboom(k % 10 + kMargin, k / 10 + kMargin);
    ASSERT_EQ(maxboom, 100);
    hit(11 + kMargin, 11 + kMargin) = 18;
    createboom(11 + kMargin, 11 + kMargin);
    EXPECT_EQ(maxboom, 100);
    EXPECT_EQ(Cell(11, 11), 18);
    EXPECT_EQ(SoundLogCount(1), 100u);
  });
}

}  // namespace

// What the tiles do to the player, played through the game loop by moves: blocked steps,
// fragile floor, sweets and the exit, keys and doors, items, hazards, the checkpoint, ice and
// its curves, beamer pads, restart and giving up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game.h"
#include "play_test_support.h"
#include "support/test_support.h"

namespace {

using tobli::replay::ReplayOutcome;
using namespace tobli::test;

class Tiles : public ::testing::Test {
 protected:
  ScopedTempDir dir_;
};

uint64_t Sounds(const ReplayOutcome& outcome, int slot) {
  auto found = outcome.sounds.find(slot);
  return found == outcome.sounds.end() ? 0 : found->second;
}

TEST_F(Tiles, BlockedStepLeavesThePlayerStandingAndTheMapAsItWas) {
  struct Case {
    const char* what;
    std::vector<int> row;
  };
  const Case cases[] = {
      {"wall 73", {60, 73, 60}},           {"wall 79", {60, 79, 60}},
      {"raised block 101", {60, 101, 60}}, {"raised block 102", {60, 102, 60}},
      {"locked door 87", {60, 87, 60}},    {"locked door 90", {60, 90, 60}},
      {"silver door 91", {60, 91, 60}},    {"crate before a wall", {60, 61, 73}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReplayOutcome before = PlayMoves(Row(c.row), "");
    ReplayOutcome after = PlayMoves(Row(c.row), "R");
    EXPECT_EQ(after.x, 0);
    EXPECT_EQ(after.y, 0);
    EXPECT_EQ(after.map, before.map);
    EXPECT_EQ(after.sounds, before.sounds);
    EXPECT_EQ(after.boxes, 0);
    EXPECT_EQ(happened, 0);
    EXPECT_EQ(plym, 0);
  }
}

TEST_F(Tiles, FragileFloorDecaysOneStagePerStepOffIt) {
  const std::vector<int> row = {60, 9, 60};
  PlayMoves(Row(row), "R");
  EXPECT_EQ(Cell(1, 0), 9) << "standing on it changes nothing";
  PlayMoves(Row(row), "RR");
  EXPECT_EQ(Cell(1, 0), 29);
  PlayMoves(Row(row), "RRLL");
  EXPECT_EQ(Cell(1, 0), 49);
  ReplayOutcome broken = PlayMoves(Row(row), "RRLLRR");
  EXPECT_EQ(Cell(1, 0), 92);
  EXPECT_EQ(broken.x, 2);
  // The broken floor is void now: stepping into it puts the player back on the start tile.
  ReplayOutcome fallen = PlayMoves(Row(row), "RRLLRRL");
  EXPECT_EQ(fallen.x, 0);
}

TEST_F(Tiles, ExitOpensOnlyAfterTheLastSweetAndLoadsTheNextLevel) {
  ReplayOutcome early = PlayMoves(Row({60, 93, 14, 60}), "R");
  EXPECT_FALSE(early.completed);
  EXPECT_EQ(early.level, 1);
  EXPECT_EQ(early.x, 1);
  EXPECT_EQ(early.sweets, 1);

  ReplayOutcome oneLeft = PlayMoves(Row({60, 14, 93, 15}), "RR");
  EXPECT_FALSE(oneLeft.completed);
  EXPECT_EQ(oneLeft.sweets, 1);
  EXPECT_EQ(oneLeft.x, 2);

  ReplayOutcome done = PlayMoves(Row({60, 93, 14, 60}), "RRL");
  EXPECT_TRUE(done.completed);
  EXPECT_EQ(done.level, 2);
  EXPECT_EQ(done.x, 0) << "the player stands on the next level's start";
  EXPECT_EQ(Sounds(done, 13), 1u);
  EXPECT_EQ(Sounds(done, 6), 1u);
}

TEST_F(Tiles, KeysOpenTheMatchingDoorsAndAreUsedUp) {
  ReplayOutcome wrongDoor = PlayMoves(Row({60, 10, 88, 60}), "RR");
  EXPECT_EQ(wrongDoor.keys[0], 1);
  EXPECT_EQ(Cell(1, 0), 60);
  EXPECT_EQ(Cell(2, 0), 88);
  EXPECT_EQ(wrongDoor.x, 1);
  EXPECT_EQ(Sounds(wrongDoor, 11), 1u);

  // One key opens one door; the second door of its kind stays shut.
  ReplayOutcome twoDoors = PlayMoves(Row({60, 10, 87, 87, 60}), "4R");
  EXPECT_EQ(twoDoors.x, 2);
  EXPECT_EQ(twoDoors.keys[0], 0);
  EXPECT_EQ(Cell(2, 0), 60);
  EXPECT_EQ(Cell(3, 0), 87);
  EXPECT_EQ(Sounds(twoDoors, 5), 1u);

  ReplayOutcome allKinds = PlayMoves(Row({60, 11, 12, 13, 88, 89, 90, 60}), "7R");
  EXPECT_EQ(allKinds.x, 7);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(allKinds.keys[k], 0) << k;
  for (int c = 1; c <= 6; ++c) EXPECT_EQ(Cell(c, 0), 60) << c;
}

TEST_F(Tiles, ItemsAreCarriedUntilTheRemoverTakesThem) {
  const std::vector<int> row = {60, 85, 86, 105, 64, 60};
  ReplayOutcome carried = PlayMoves(Row(row), "3R");
  EXPECT_EQ(carried.saltbag, 1);
  EXPECT_EQ(carried.fireman, 1);
  EXPECT_EQ(carried.wellington, 1);
  for (int c = 1; c <= 3; ++c) EXPECT_EQ(Cell(c, 0), 60) << c;
  EXPECT_EQ(Sounds(carried, 12), 3u);

  ReplayOutcome removed = PlayMoves(Row(row), "4R");
  EXPECT_EQ(removed.saltbag, 0);
  EXPECT_EQ(removed.fireman, 0);
  EXPECT_EQ(removed.wellington, 0);
  EXPECT_EQ(Cell(4, 0), 64) << "the remover stays";
  EXPECT_EQ(Sounds(removed, 7), 1u);
}

TEST_F(Tiles, WaterAndFireNeedBootsAndSuit) {
  ReplayOutcome drowned = PlayMoves(Row({60, 4, 60}), "R");
  EXPECT_EQ(drowned.x, 0);
  EXPECT_EQ(drowned.deaths, 1);
  EXPECT_EQ(Sounds(drowned, 15), 1u);
  EXPECT_EQ(Cell(1, 0), 4);
  ReplayOutcome wading = PlayMoves(Row({60, 105, 4, 60}), "3R");
  EXPECT_EQ(wading.x, 3);
  EXPECT_EQ(wading.deaths, 0);
  EXPECT_EQ(Cell(2, 0), 4);

  ReplayOutcome burnt = PlayMoves(Row({60, 18, 60}), "R");
  EXPECT_EQ(burnt.x, 0);
  EXPECT_EQ(burnt.deaths, 1);
  EXPECT_EQ(Sounds(burnt, 8), 1u);
  ReplayOutcome suited = PlayMoves(Row({60, 86, 18, 60}), "3R");
  EXPECT_EQ(suited.x, 3);
  EXPECT_EQ(suited.deaths, 0);
  EXPECT_EQ(Cell(2, 0), 18);

  ReplayOutcome mine = PlayMoves(Row({60, 86, 19, 60}), "RR");
  EXPECT_EQ(mine.x, 0) << "the suit does not help on a mine";
}

TEST_F(Tiles, CheckpointMovesTheStart) {
  ReplayOutcome outcome = PlayMoves(Row({60, 106, 60, 4}), "3R");
  EXPECT_EQ(startx, 1 + kMargin);
  EXPECT_EQ(starty, kMargin);
  EXPECT_EQ(Cell(1, 0), 60);
  EXPECT_EQ(outcome.x, 1) << "after drowning the player is back on the checkpoint";
  EXPECT_EQ(Sounds(outcome, 12), 1u);
}

TEST_F(Tiles, SaltMeltsIceToSlushAndDirtIsCleared) {
  ReplayOutcome outcome = PlayMoves(Row({60, 85, 66, 63, 60}), "2R");
  EXPECT_EQ(outcome.x, 2) << "salted ice does not carry the player";
  EXPECT_EQ(Cell(2, 0), 62);
  outcome = PlayMoves(Row({60, 85, 66, 63, 60}), "3R");
  EXPECT_EQ(Cell(3, 0), 60);
  EXPECT_EQ(Sounds(outcome, 4), 2u);
}

TEST_F(Tiles, IceCarriesThePlayerUntilSomethingElseIsReached) {
  ReplayOutcome slid = PlayMoves(Row({60, 66, 67, 68, 60, 60}), "R");
  EXPECT_EQ(slid.x, 4);
  ReplayOutcome stopped = PlayMoves(Row({60, 66, 66, 73}), "R");
  EXPECT_EQ(stopped.x, 2) << "a wall stops the slide on the ice";
  ReplayOutcome carried = PlayMoves(Row({60, 84, 84, 60, 60}), "R");
  EXPECT_EQ(carried.x, 3);
  ReplayOutcome sentBack = PlayMoves(Row({60, 60, 83, 60}), "RR");
  EXPECT_EQ(sentBack.x, 1) << "a left conveyor sends the player back";
}

TEST_F(Tiles, IceCurvesTurnAsTheirTableSays) {
  // Directions 1 right, 2 left, 3 down, 4 up; 0 in the table: the direction is kept.
  const int stepX[5] = {0, 1, -1, 0, 0};
  const int stepY[5] = {0, 0, 0, 1, -1};
  const int turns[4][5] = {
      {0, 0, 3, 0, 1},  // 69
      {0, 3, 0, 0, 2},  // 70
      {0, 4, 0, 2, 0},  // 71
      {0, 0, 4, 1, 0},  // 72
  };
  const char keys[5] = {0, 'R', 'L', 'D', 'U'};
  for (int tile = 69; tile <= 72; ++tile) {
    for (int from = 1; from <= 4; ++from) {
      SCOPED_TRACE("tile " + std::to_string(tile) + " entered moving " + std::to_string(from));
      LevelSpec level = FloorLevel(5, 5);
      level.rows[2][2] = tile;
      level.startX = 2 - stepX[from];
      level.startY = 2 - stepY[from];
      int to = turns[tile - 69][from] != 0 ? turns[tile - 69][from] : from;
      ReplayOutcome outcome = PlayMoves(level, std::string(1, keys[from]));
      EXPECT_EQ(outcome.x, 2 + stepX[to]);
      EXPECT_EQ(outcome.y, 2 + stepY[to]);
    }
  }
}

TEST_F(Tiles, BeamerPadRunsTheBeamSequence) {
  ReplayOutcome walk = PlayMoves(Row({60, 60, 60, 60, 60}), "R");
  ReplayOutcome beamed = PlayMoves(Row({60, 2, 60, 2, 60}), "R");
  // The overlay closes and opens in 31 frames each.
  EXPECT_EQ(beamed.frames, walk.frames + 62);
  EXPECT_EQ(Sounds(beamed, 0), 1u);
  EXPECT_EQ(plyx, beamp(0));
  EXPECT_EQ(plyy, beamp(1));
  EXPECT_EQ(tobani, 120);
}

TEST_F(Tiles, RestartReloadsTheLevelAndGivingUpDoesNot) {
  const std::vector<int> row = {60, 10, 14, 60};
  ReplayOutcome restarted = PlayMoves(Row(row), "RRS");
  EXPECT_EQ(restarted.x, 0);
  EXPECT_EQ(restarted.keys[0], 0);
  EXPECT_EQ(restarted.sweets, 1);
  EXPECT_EQ(Cell(1, 0), 10);
  EXPECT_EQ(Cell(2, 0), 14);

  ReplayOutcome gaveUp = PlayMoves(Row(row), "RRQ");
  EXPECT_EQ(gaveUp.x, 0);
  EXPECT_EQ(gaveUp.keys[0], 1);
  EXPECT_EQ(gaveUp.sweets, 0);
  EXPECT_EQ(Cell(1, 0), 60);
}

}  // namespace

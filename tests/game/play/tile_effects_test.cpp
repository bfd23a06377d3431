// What the tiles do to the player, played through the game loop by moves: blocked steps,
// fragile floor, sweets and the exit, keys and doors, items, hazards, the checkpoint, ice and
// its curves, beamer pads, restart and giving up.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
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

TEST_F(Tiles, ExitOpensOnlyAfterTheLastSweetAndTheLastLevelsStartsTheSetOver) {
  ReplayOutcome early = PlayMoves(Row({60, 93, 14, 60}), "R");
  EXPECT_FALSE(early.completed);
  EXPECT_EQ(early.level, 1);
  EXPECT_EQ(early.x, 1);
  EXPECT_EQ(early.sweets, 1);

  ReplayOutcome oneLeft = PlayMoves(Row({60, 14, 93, 15}), "RR");
  EXPECT_FALSE(oneLeft.completed);
  EXPECT_EQ(oneLeft.sweets, 1);
  EXPECT_EQ(oneLeft.x, 2);

  // Once the sweet is eaten the exit is taken (the way to the next level, its sounds and the
  // frames are checked by the replay tool's tests). Levels 0 and 5, nothing after 5: the exit
  // of 5 leads to 0, not to an empty level 6.
  std::filesystem::remove_all("levels");
  WriteLevelFile(0, FloorLevel(4, 1));
  WriteLevelFile(5, Row({60, 93, 14, 60}));
  ReplayOutcome fromFive = PlayWritten(5, "RRL");
  EXPECT_TRUE(fromFive.completed);
  EXPECT_EQ(fromFive.level, 0);

  // A set of one level: its exit leads back to itself, and the run must still end as finished
  // (the level number alone cannot tell).
  WriteLevelFile(0, Row({60, 93, 14, 60}));
  ReplayOutcome single = PlayWritten(0, "RRL");
  EXPECT_TRUE(single.completed);
  EXPECT_EQ(single.level, 0);
  EXPECT_EQ(single.x, 0) << "back on the start tile of the level";
  EXPECT_EQ(single.sweets, 1) << "the level is loaded afresh, its sweet back in place";
  // Not taking the exit is not finishing, though the number stays the same too.
  EXPECT_FALSE(PlayWritten(0, "RR").completed);
}

TEST_F(Tiles, StepsChangeThePlayerTheTilesAndWhatIsCarried) {
  struct Case {
    const char* what;
    std::vector<int> row;
    const char* moves;
    int x;                   // where the player ends
    std::vector<int> after;  // the row's first cells at the end
    int deaths;
    int keys;                        // keys held at the end
    int items;                       // salt bag, fire suit and boots held at the end
    std::map<int, uint64_t> sounds;  // calls of these slots
  };
  const Case cases[] = {
      {"on fragile floor", {60, 9, 60}, "R", 1, {60, 9, 60}, 0, 0, 0, {}},
      {"fragile floor cracks", {60, 9, 60}, "RR", 2, {60, 29, 60}, 0, 0, 0, {}},
      {"and again", {60, 9, 60}, "RRLL", 0, {60, 49, 60}, 0, 0, 0, {}},
      {"and breaks", {60, 9, 60}, "RRLLRR", 2, {60, 92, 60}, 0, 0, 0, {}},
      {"broken floor is void", {60, 9, 60}, "RRLLRRL", 0, {60, 92, 60}, 1, 0, 0, {}},
      {"another door's key", {60, 10, 88, 60}, "RR", 1, {60, 60, 88, 60}, 0, 1, 0, {{11, 1}}},
      {"a key, one door", {60, 10, 87, 87, 60}, "4R", 2, {60, 60, 60, 87, 60}, 0, 0, 0, {{5, 1}}},
      {"each key its door", {60, 11, 12, 13, 88, 89, 90, 60}, "7R", 7, {}, 0, 0, 0, {}},
      {"items", {60, 85, 86, 105, 64, 60}, "3R", 3, {60, 60, 60, 60, 64}, 0, 0, 3, {{12, 3}}},
      {"the remover", {60, 85, 86, 105, 64, 60}, "4R", 4, {60, 60, 60, 60, 64}, 0, 0, 0, {{7, 1}}},
      {"water", {60, 4, 60}, "R", 0, {60, 4, 60}, 1, 0, 0, {{15, 1}}},
      {"boots", {60, 105, 4, 60}, "3R", 3, {60, 60, 4, 60}, 0, 0, 1, {}},
      {"fire", {60, 18, 60}, "R", 0, {60, 18, 60}, 1, 0, 0, {{8, 1}}},
      {"fire suit", {60, 86, 18, 60}, "3R", 3, {60, 60, 18, 60}, 0, 0, 1, {}},
      {"fire suit on a mine", {60, 86, 19, 60}, "RR", 0, {}, 1, 0, 1, {}},
      // Drowned after the checkpoint: back on it.
      {"checkpoint", {60, 106, 60, 4}, "3R", 1, {60, 60, 60, 4}, 1, 0, 0, {{12, 1}}},
      // Salted ice is slush and does not carry; salt clears dirt.
      {"salt on ice", {60, 85, 66, 63, 60}, "2R", 2, {60, 60, 62, 63, 60}, 0, 0, 1, {}},
      {"salt on dirt", {60, 85, 66, 63, 60}, "3R", 3, {60, 60, 62, 60, 60}, 0, 0, 1, {{4, 2}}},
      {"ice to floor", {60, 66, 67, 68, 60, 60}, "R", 4, {}, 0, 0, 0, {}},
      {"ice to a wall", {60, 66, 66, 73}, "R", 2, {}, 0, 0, 0, {}},
      {"conveyors", {60, 84, 84, 60, 60}, "R", 3, {}, 0, 0, 0, {}},
      {"a left conveyor", {60, 60, 83, 60}, "RR", 1, {}, 0, 0, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReplayOutcome outcome = PlayMoves(Row(c.row), c.moves);
    EXPECT_EQ(outcome.x, c.x);
    for (size_t k = 0; k < c.after.size(); ++k) {
      EXPECT_EQ(Cell(static_cast<int>(k), 0), c.after[k]) << k;
    }
    EXPECT_EQ(outcome.deaths, c.deaths);
    double keys = 0;
    for (double key : outcome.keys) keys += key;
    EXPECT_EQ(keys, c.keys);
    EXPECT_EQ(outcome.saltbag + outcome.fireman + outcome.wellington, c.items);
    for (const auto& [slot, calls] : c.sounds) EXPECT_EQ(Sounds(outcome, slot), calls) << slot;
  }
}

TEST_F(Tiles, IceCurvesTurnThePlayerAndLetHimOnStraightFromTheOtherSides) {
  // The curve is in the middle of a 5 x 5 floor; the player starts beside it and steps on,
  // glides and stands on the cell after it.
  struct Case {
    int tile;
    char key;
    int sx, sy, ex, ey;
  };
  const Case cases[] = {
      {69, 'L', 3, 2, 2, 3}, {69, 'U', 2, 3, 3, 2}, {70, 'R', 1, 2, 2, 3}, {70, 'U', 2, 3, 1, 2},
      {71, 'R', 1, 2, 2, 1}, {71, 'D', 2, 1, 1, 2}, {72, 'L', 3, 2, 2, 1}, {72, 'D', 2, 1, 3, 2},
      {69, 'R', 1, 2, 3, 2}, {71, 'U', 2, 3, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "tile " << c.tile << " entered with " << c.key);
    LevelSpec level = Level(FloorLevel(5, 5).rows, c.sx, c.sy);
    level.rows[2][2] = c.tile;
    ReplayOutcome outcome = PlayMoves(level, std::string(1, c.key));
    EXPECT_EQ(outcome.x, c.ex);
    EXPECT_EQ(outcome.y, c.ey);
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

// The exit of the last level of a set: the game starts the set over at level 0, and tools still
// see a finished level even when the level number comes back to the same value.
#include <gtest/gtest.h>

#include <string>

#include "game.h"
#include "move_script.h"
#include "play_test_support.h"
#include "support/test_support.h"

namespace {

namespace replay = tobli::replay;
using namespace tobli::test;

replay::ReplayOutcome PlayOnly(int number, const std::string& moves) {
  replay::ReplayRequest request;
  request.level = number;
  std::string why;
  EXPECT_TRUE(replay::ParseMoves(moves, request.moves, why)) << why;
  request.maxFrames = 20000;
  return replay::PlayLevel(request);
}

TEST(LastLevel, ExitStartsTheSetOverAndCountsAsFinished) {
  ScopedTempDir dir;
  // Levels 0 and 5, nothing after 5: the exit of 5 leads to 0, not to an empty level 6.
  WriteLevelFile(0, FloorLevel(4, 1));
  WriteLevelFile(5, Row({60, 93, 14, 60}));
  replay::ReplayOutcome fromFive = PlayOnly(5, "RRL");
  EXPECT_TRUE(fromFive.completed);
  EXPECT_EQ(fromFive.level, 0);
  EXPECT_FALSE(fromFive.programEnded);

  // A set of one level: its exit leads back to itself, and the run must still end as finished
  // (the level number alone cannot tell).
  WriteLevelFile(0, Row({60, 93, 14, 60}));
  replay::ReplayOutcome single = PlayOnly(0, "RRL");
  EXPECT_TRUE(single.completed);
  EXPECT_EQ(single.level, 0);
  EXPECT_EQ(single.x, 0) << "back on the start tile of the level";
  EXPECT_EQ(single.sweets, 1) << "the level is loaded afresh, its sweet back in place";

  // Not taking the exit is not finishing, though the number stays the same too.
  replay::ReplayOutcome unfinished = PlayOnly(0, "RR");
  EXPECT_FALSE(unfinished.completed);
}

}  // namespace

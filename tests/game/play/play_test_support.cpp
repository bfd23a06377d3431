#include "play_test_support.h"

#include <gtest/gtest.h>

#include "game.h"
#include "move_script.h"

namespace tobli::test {

replay::ReplayOutcome PlayMoves(const LevelSpec& level, const std::string& moves, int number) {
  WriteLevelFile(number, level);
  WriteLevelFile(number + 1, FloorLevel(3, 1));
  return PlayWritten(number, moves);
}

replay::ReplayOutcome PlayWritten(int number, const std::string& moves) {
  replay::ReplayRequest request;
  request.level = number;
  std::string why;
  EXPECT_TRUE(replay::ParseMoves(moves, request.moves, why)) << why;
  request.maxFrames = 20000;
  request.withMap = true;
  replay::ReplayOutcome outcome = replay::PlayLevel(request);
  EXPECT_FALSE(outcome.programEnded)
      << "error " << outcome.errorCode << " on line " << outcome.errorLine;
  EXPECT_FALSE(outcome.timeout);
  return outcome;
}

LevelSpec Row(const std::vector<int>& codes) {
  return Level({codes});
}

}  // namespace tobli::test

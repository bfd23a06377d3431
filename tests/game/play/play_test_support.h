// Small levels played by moves for the play tests.
#pragma once

#include <string>
#include <vector>

#include "level_builder.h"
#include "replay_session.h"

namespace tobli::test {

// Writes the level as "levels/Level.<number>" (and the next number as a one-row floor level,
// so that taking the exit has somewhere to go), then plays it with the move string.
replay::ReplayOutcome PlayMoves(const LevelSpec& level, const std::string& moves, int number = 1);
// Plays level `number` of the files already written with the move string; the run must not
// end the program nor reach the frame limit.
replay::ReplayOutcome PlayWritten(int number, const std::string& moves);

// A one-row level of the given codes, the player starting on cell 0.
LevelSpec Row(const std::vector<int>& codes);

}  // namespace tobli::test

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

// A one-row level of the given codes, the player starting on cell 0.
LevelSpec Row(const std::vector<int>& codes);

}  // namespace tobli::test

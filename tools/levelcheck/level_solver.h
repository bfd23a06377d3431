// A breadth-first search over the player's presses for levels without enemies, gems or bombs:
// walking, keys and doors, sweets, items, hazards, fragile floor, dirt, ice and conveyors,
// beamers, checkpoints, magnets and plates, toggles and blocks, and crates pushed one tile
// (crates that slide on ice included). It finds a shortest list of presses that takes the
// exit; the game itself (tobli-replay) remains the judge of any answer.
#pragma once

#include <cstddef>
#include <string>

#include "level_file.h"

namespace levelcheck {

struct SolveOptions {
  size_t maxStates = 4000000;  // the search gives up beyond this many distinct states
  bool allowGiveUp = false;    // Q (back to the start or checkpoint) counts as a move
};

enum class SolveStatus {
  kSolved,
  kNoSolution,     // every state reachable was tried
  kTooManyStates,  // the search gave up
  kUnsupported,    // the level holds what the search does not follow (enemies, gems, bombs)
};

struct SolveResult {
  SolveStatus status = SolveStatus::kNoSolution;
  std::string moves;  // one character a press: R L U D, and Q when allowed
  size_t states = 0;
  // Why the level is unsupported, or which moves were left out because the search cannot
  // follow them (a crate brought onto a conveyor).
  std::string why;
};

SolveResult SolveLevel(const Level& level, const SolveOptions& options);

// Runs of the same move written with counts, tokens apart: "RRRDD" gives "3R 2D".
std::string CompactMoves(const std::string& moves);

}  // namespace levelcheck

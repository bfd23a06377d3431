// Levels made from a seed for the behaviour check: every kind of tile the play reacts to,
// boxes of every look, enemies of every behaviour and speed, scattered at a chosen density; and
// the random presses they are played with.
#pragma once

#include <cstdint>
#include <vector>

#include "driver/headless_driver.h"
#include "level_builder.h"

namespace tobli::test {

struct GoldenLevelShape {
  int columns = 30;
  int rows = 20;
  int enemies = 20;  // at most 100
  int boxes = 20;    // rolling gems and bombs made by the loader
  int crates = 10;   // crate tiles the player can push
  // Share of the free cells, in percent, that get a tile other than plain floor.
  int clutter = 30;
};

// A level of that shape, the same for the same seed.
LevelSpec GoldenLevel(uint32_t seed, const GoldenLevelShape& shape);

// The shapes of the check's corpus: small and large, empty and crowded.
std::vector<GoldenLevelShape> GoldenShapes();

// A level of 48 by 32 tiles made of walled rooms, `count` enemies walking in them and `count`
// gems and bombs at rest, with ice, conveyors and a row of floor for mines near the bottom:
// the level the replay benchmark plays.
LevelSpec RoomsLevel(int count);

// A level of conveyor rings with gems and bombs on them and enemies walking between: the
// boxes go round, meet and block each other all the time. `rings` holds the conveyor code of
// every ring cell (0 elsewhere); the loader leaves floor under the boxes it makes, so a play
// calls LayRings after every frame to put the conveyors back where floor shows on a ring.
struct RingsLevelSpec {
  LevelSpec level;
  std::vector<std::vector<int>> rings;
};
RingsLevelSpec RingsLevel(uint32_t seed);
void LayRings(const std::vector<std::vector<int>>& rings);

// Scripts presses for frames 1 to `frames`, the same for the same seed: every few frames the
// held arrows change (none, one, or two at once), and now and then Space (restart) or Q (give
// up) is pressed.
void ScriptRandomPresses(tobli::game::HeadlessDriver& driver, uint32_t seed, uint64_t frames);

}  // namespace tobli::test

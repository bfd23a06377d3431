// Levels made from a seed for the behaviour check: every kind of tile the play reacts to,
// boxes of every look, enemies of every behaviour and speed, scattered at a chosen density.
#pragma once

#include <cstdint>
#include <vector>

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

}  // namespace tobli::test

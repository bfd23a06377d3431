// A fixture for the box tests: small levels loaded for play on the headless driver, the box
// pass run frame by frame, and the game loop played with a list of moves.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "driver/headless_driver.h"
#include "level_builder.h"
#include "support/test_support.h"

namespace tobli::test {

// Directions of the player and the boxes.
constexpr double kRight = 1;
constexpr double kLeft = 2;
constexpr double kDown = 3;
constexpr double kUp = 4;

class BoxTest : public ::testing::Test {
 protected:
  // Writes the level as number 1 and loads it for play; the player then stands in the margin,
  // out of every box's way (a gliding box crushes a player within 16 pixels). The sound log
  // starts empty.
  void LoadForPlay(const LevelSpec& spec);
  // Runs the box pass `frames` times, one frame each.
  void Frames(int frames);
  // Runs the routine on the driver; the run must end by returning.
  void Do(const std::function<void()>& routine);
  // Plays the game loop on level 1 with one tile move per letter of `moves` (R, L, D, U), each
  // given when the player stands; `settle` standing passes after the last move end the run.
  // `afterPass` (if set) is called at the end of every pass.
  void PlayMoves(const LevelSpec& spec, const std::string& moves, int settle = 20,
                 const std::function<void()>& afterPass = {});

  // The index of the first box on stored cell (c, r), or -1.
  static double BoxAt(int c, int r);
  // Puts the player on stored cell (c, r).
  static void PlacePlayer(int c, int r);
  // Starts the resting box on stored cell (c, r) toward `direction`, as a push does; the
  // result of pushbox.
  double PushBox(int c, int r, double direction);
  // The player's push of the crate tile on stored cell (c, r): a box is made and started.
  double PushCrate(int c, int r, double direction);

  ScopedTempDir dir_;
  tobli::game::HeadlessDriver driver_;
};

}  // namespace tobli::test

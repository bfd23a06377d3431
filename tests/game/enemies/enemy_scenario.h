// A level played through the game loop with the state of every pass recorded: the enemy
// table, the player and whether a death sequence was running.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "driver/headless_driver.h"
#include "level_builder.h"
#include "support/test_support.h"

namespace tobli::test {

// Map pixel of a stored column or row.
double Pixel(int stored);

struct EnemyEntry {
  double x = 0;
  double y = 0;
  double mode = 0;
  double look = 0;
};

struct PassRecord {
  std::vector<EnemyEntry> enemies;
  double plyx = 0;
  double plyy = 0;
  uint64_t frame = 0;  // the frame count the pass's sounds are logged with
};

// Calls of the voice slots 21 to 25 (the enemy remark).
int EnemyRemarks();

class EnemyScenario : public ::testing::Test {
 protected:
  EnemyScenario();
  ~EnemyScenario() override;

  void UseLevel(const LevelSpec& level) { UseSlotLevel(level); }
  // Plays the game loop for that many passes (the frames of death sequences not counted),
  // recording each pass as it ends. Fails the test when the program ends instead.
  void PlayPasses(int passes);
  // Loads the level for play without starting the game loop, then runs the routine.
  void WithLevel(const LevelSpec& spec, const std::function<void()>& routine);

  // Death sequences seen: separate stretches of frames shown with ALIVE at 0.
  int deaths() const { return deaths_; }
  // Frames shown with ALIVE at 0.
  int deathFrames() const { return deathFrames_; }

  ScopedTempDir dir_;
  game::HeadlessDriver driver_;
  std::vector<PassRecord> passes_;

 private:
  int deaths_ = 0;
  int deathFrames_ = 0;
};

}  // namespace tobli::test

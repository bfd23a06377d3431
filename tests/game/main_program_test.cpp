// The game program from its start: start values and the way through title and selection.
#include <gtest/gtest.h>

#include <filesystem>

#include "driver/headless_driver.h"
#include "game.h"
#include "level_builder.h"
#include "support/test_support.h"

namespace {

using tobli::game::DriverOptions;
using tobli::game::HeadlessDriver;
using tobli::game::RunEnd;
using tobli::game::RunResult;

constexpr uint64_t kHeadingFrames = 145;

class MainProgram : public ::testing::Test {
 protected:
  MainProgram() : driver_(DriverOptions{1, false}) {}
  tobli::test::ScopedTempDir dir_;
  HeadlessDriver driver_;
};

TEST_F(MainProgram, StartValuesAreSetBeforeTheFirstTitleFrame) {
  EXPECT_EQ(hit.nDims, -1);
  RunResult result = driver_.Run([] { __MainGameSub_(); }, 1);
  ASSERT_EQ(result.end, RunEnd::kFrameLimit);

  ASSERT_EQ(BOUNDS(hit, 0), 128);
  ASSERT_EQ(BOUNDS(hit, 1), 128);
  int nonZero = 0;
  for (int c = 0; c < 128; ++c) {
    for (int r = 0; r < 128; ++r) nonZero += hit(c, r) != 0 ? 1 : 0;
  }
  EXPECT_EQ(nonZero, 0);
  EXPECT_EQ(plyx, 10);
  EXPECT_EQ(plyy, 10);
  EXPECT_EQ(ALIVE, 1);
  EXPECT_EQ(EDITOR, 0);
  EXPECT_EQ(magnet, 1);
  EXPECT_EQ(tobani, 120);
  for (KDIntArray* table : {&enex, &eney, &enespd, &enemode, &enelook, &boxlook, &boxx, &boxy,
                            &boxm, &boxdelay, &bomx, &bomy}) {
    EXPECT_EQ(BOUNDS(*table, 0), 100);
  }
  EXPECT_EQ(BOUNDS(beamp, 0), 2);
  EXPECT_EQ(BOUNDS(kys, 0), 5);
  for (KDIntArray* list : {&kyshowx, &kyshowy, &kymove, &kylook}) EXPECT_EQ(BOUNDS(*list, 0), 9);
  const double phases[] = {0, 20, 40, 20};
  const double exit[] = {272, 93, 273, 93};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(pingpong(k), phases[k]);
    EXPECT_EQ(xitflash(k), exit[k]);
  }
}

TEST_F(MainProgram, SpaceOnTheTitleStartsAGameOfTheFirstSlot) {
  tobli::test::WriteFile("intro.txt", "Tobli is back\r\n");
  std::filesystem::create_directories("levels");
  tobli::test::WriteFile("levels/Level.01", "3\r\n");
  tobli::test::LevelSpec spec = tobli::test::FloorLevel(5, 4);
  spec.startX = 2;
  spec.startY = 3;
  tobli::test::WriteLevelFile(3, spec);

  // Space is still down when the selection looks at the keys: the first slot is confirmed at
  // once. The run ends on the game's first frame after its level was loaded.
  driver_.PressKey(57, kHeadingFrames + 2);
  int gameFrames = 0;
  driver_.OnEveryFrame([this, &gameFrames](uint64_t) {
    if (gameon != 0 && ++gameFrames == 3) driver_.Stop();
  });
  RunResult result = driver_.Run([] { __MainGameSub_(); }, 2000);
  ASSERT_EQ(result.end, RunEnd::kStopped);
  EXPECT_EQ(result.frames, kHeadingFrames + 2 + 3);
  EXPECT_EQ(savefile_Str, "levels/Level.01");
  EXPECT_EQ(EDITOR, 0);
  // The game took its level from the slot and put the player on its start tile.
  EXPECT_EQ(level, 3);
  EXPECT_EQ(file_Str, "levels/Level.3");
  EXPECT_EQ(plyx, (2 + 6) * 32);
  EXPECT_EQ(plyy, (3 + 6) * 32);
}

}  // namespace

// The player's death: the sound of each cause, the 25-frame fade over the running play field,
// the return to the last start tile with the world kept, and no second death during the fade.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "audio/sound_log.h"
#include "enemy_scenario.h"
#include "game.h"

namespace {

using namespace tobli::test;

class Death : public EnemyScenario {};

TEST_F(Death, EachCausePlaysItsSoundAndTheFadeShows25Frames) {
  struct Case {
    const char* cause;
    std::vector<int> sounds;
  };
  const Case cases[] = {{"W", {15}}, {"B", {1}}, {"M", {3}}, {"F", {8}},
                        {"S", {}},   {"H", {}},  {"Z", {}}};
  WithLevel(Level(FloorLevel(5, 5).rows, 2, 3), [this, &cases] {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.cause);
      plyx = Pixel(4) + 6;
      plyy = Pixel(0);
      wani = 3;
      tobani = 122;
      ClearSoundLog();
      uint64_t before = driver_.frame();
      deadplayer(c.cause);
      EXPECT_EQ(driver_.frame() - before, 25u);
      EXPECT_EQ(SoundSlots(), c.sounds);
      EXPECT_EQ(ALIVE, 1);
      EXPECT_EQ(plyx, Pixel(2));
      EXPECT_EQ(plyy, Pixel(3));
      EXPECT_EQ(wani, 1);
      EXPECT_EQ(tobani, 120);
    }
    // While a death sequence runs (or the game is being left) a death does nothing.
    ALIVE = 0;
    plyx = Pixel(4);
    ClearSoundLog();
    uint64_t before = driver_.frame();
    deadplayer("W");
    EXPECT_EQ(driver_.frame(), before);
    EXPECT_TRUE(SoundSlots().empty());
    EXPECT_EQ(plyx, Pixel(4));
    EXPECT_EQ(ALIVE, 0);
  });
}

TEST_F(Death, WaterPlaysOnlyTheWaterSoundVoidAndRaisedBlockNone) {
  struct Case {
    const char* what;
    LevelSpec level;
    int passes;
    std::vector<int> sounds;
  };
  const Case cases[] = {
      {"water", Level({{60, 4, 60}}), 20, {15}},
      {"void", Level({{60, 92}}), 20, {}},
      // The player waits on a lowered block; a walker reaching the toggle switch raises it.
      {"raised block",
       Level({{60, 81, 60, 60, 60, 60}, {73, 73, 73, 73, 73, 73}, {73, 60, 60, 60, 111, 73}}, 0, 0,
             {{1, 2, 0, 1, 1}}),
       40,
       {14}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClearSoundLog();
    UseLevel(c.level);
    driver_.PressKey(kKeyRight, kLoaderFrames + 1);
    PlayPasses(c.passes);
    EXPECT_EQ(deaths(), 1);
    EXPECT_EQ(deathFrames(), 25);
    EXPECT_EQ(SoundSlots(), c.sounds);
    EXPECT_EQ(plyx, Pixel(0));
    EXPECT_EQ(plyy, Pixel(0));
  }
}

TEST_F(Death, PlayerReturnsToTheLastStartTileWithTheWorldKept) {
  // Key, sweet, checkpoint, fire suit, fragile floor, floor, void; another sweet below.
  UseLevel(Level({{60, 10, 14, 106, 86, 9, 60, 92}, {15, 60, 60, 60, 60, 60, 60, 60}}, 0, 0));
  // Seven steps start 16 frames apart from the second pass; the key is let go before the
  // player is back at the checkpoint.
  driver_.HoldKey(kKeyRight, kLoaderFrames + 1, kLoaderFrames + 100);
  PlayPasses(120);
  EXPECT_EQ(deaths(), 1);
  EXPECT_EQ(plyx, Pixel(3)) << "the checkpoint";
  EXPECT_EQ(plyy, Pixel(0));
  EXPECT_EQ(level, 1) << "not reloaded";
  EXPECT_EQ(kys(0), 1);
  EXPECT_EQ(sweets, 1);
  EXPECT_EQ(fireman, 1);
  const std::vector<double> row = {Cell(0, 0), Cell(1, 0), Cell(2, 0), Cell(3, 0),
                                   Cell(4, 0), Cell(5, 0), Cell(6, 0), Cell(7, 0)};
  EXPECT_EQ(row, (std::vector<double>{60, 60, 60, 60, 60, 29, 60, 92}));
  EXPECT_EQ(Cell(0, 1), 15);
}

TEST_F(Death, TouchesDuringTheFadeCauseNoSecondDeath) {
  // An enemy walks into the dying player; then, in a second level, a crate glides onto it.
  bool touched = false;
  auto watch = [&touched](uint64_t) {
    if (ALIVE != 0) return;
    for (double n = 0; n < maxene; ++n) {
      if (enemode(n) >= 0 && enemode(n) < 32 && std::abs(enex(n) - plyx) < 16 &&
          std::abs(eney(n) - plyy) < 16) {
        touched = true;
      }
    }
    for (double b = 0; b < maxbox; ++b) {
      double y = boxy(b) * 32 + 32 - 2 * boxdelay(b);
      if (boxdelay(b) > 0 && std::abs(boxx(b) * 32 - plyx) < 16 && std::abs(y - plyy) < 16) {
        touched = true;
      }
    }
  };

  driver_.OnEveryFrame(watch);
  WithLevel(Level(FloorLevel(10, 3).rows, 0, 0, {{6, 1, 0, 2, 1}}), [this] {
    plyx = Pixel(4);
    plyy = Pixel(1);
    enemode(0) = 1;  // walking left, 4 pixels a frame
    uint64_t before = driver_.frame();
    deadplayer("F");
    EXPECT_EQ(driver_.frame() - before, 25u);
    EXPECT_EQ(SoundSlots(), (std::vector<int>{8}));
  });
  EXPECT_TRUE(touched) << "the enemy reached the player during the fade";

  touched = false;
  driver_.OnEveryFrame(watch);
  WithLevel(FloorLevel(10, 3), [this] {
    plyx = Pixel(4);
    plyy = Pixel(1);
    DLN();
    hit(4 + kMargin, kMargin) = 61;
    plym = 3;
    createbox(4 + kMargin, kMargin);
    ASSERT_EQ(pushbox(4 + kMargin, kMargin), 1);
    plym = 0;
    uint64_t before = driver_.frame();
    deadplayer("F");
    EXPECT_EQ(driver_.frame() - before, 25u);
    EXPECT_EQ(SoundLogCount(3), 0u);
    EXPECT_EQ(SoundLogCount(8), 1u);
    EXPECT_EQ(Cell(4, 1), 61) << "the crate came to rest where the player was";
  });
  EXPECT_TRUE(touched) << "the crate passed over the player during the fade";
}

}  // namespace

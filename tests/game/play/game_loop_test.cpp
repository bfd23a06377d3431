// The game loop under scripted keys: which arrow key wins, keys held while the player is
// carried, the command keys that end a game, the enemy reward and the full pick-up list.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "audio/sound_log.h"
#include "driver/headless_driver.h"
#include "game.h"
#include "level_builder.h"
#include "pass_observer.h"
#include "play_test_support.h"
#include "support/test_support.h"

namespace {

using tobli::game::HeadlessDriver;
using tobli::game::PassPoint;
using tobli::game::RunEnd;
using tobli::game::RunResult;
using namespace tobli::test;

class GameLoop : public ::testing::Test {
 protected:
  ~GameLoop() override { tobli::game::SetPassObserver({}); }

  RunResult Play(uint64_t frames) {
    return driver_.Run([] { MainGame(); }, frames);
  }

  ScopedTempDir dir_;
  HeadlessDriver driver_;
};

// A slot naming a level the set does not have starts the set over, and keeps level 0.
TEST_F(GameLoop, SlotOfALevelNoLongerThereStartsAtLevelZero) {
  WriteLevelFile(0, FloorLevel(3, 3));
  UseSlotLevel(FloorLevel(3, 3));
  WriteFile("slot", "7\r\n");
  driver_.PressKey(kKeyEnter, 10);
  EXPECT_EQ(Play(1000).end, RunEnd::kReturned);
  EXPECT_EQ(level, 0);
  EXPECT_EQ(hint_Str, "hint");
  EXPECT_EQ(ReadFile("slot"), "0\r\n");
}

TEST_F(GameLoop, RightBeatsLeftDownBeatsUpAndHorizontalBeatsVertical) {
  struct Case {
    std::vector<int> held;
    double direction;
  };
  const Case cases[] = {
      {{kKeyLeft, kKeyRight}, 1}, {{kKeyUp, kKeyDown}, 3},   {{kKeyRight, kKeyDown}, 1},
      {{kKeyLeft, kKeyUp}, 2},    {{kKeyLeft, kKeyDown}, 2}, {{kKeyUp}, 4},
  };
  UseSlotLevel(Level(FloorLevel(5, 5).rows, 2, 2));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.direction);
    for (int key : c.held) driver_.HoldKey(key, 0, 100);
    // Half a step: eight frames of walking.
    ASSERT_EQ(Play(kLoaderFrames + 8).end, RunEnd::kFrameLimit);
    EXPECT_EQ(plym, c.direction);
    double ddx = c.direction == 1 ? 1 : c.direction == 2 ? -1 : 0;
    double ddy = c.direction == 3 ? 1 : c.direction == 4 ? -1 : 0;
    EXPECT_EQ(plyx, (2 + kMargin) * 32 + 16 * ddx);
    EXPECT_EQ(plyy, (2 + kMargin) * 32 + 16 * ddy);
  }
}

TEST_F(GameLoop, ArrowKeysChangeNothingWhileThePlayerIsCarried) {
  for (int carrier : {66, 84}) {
    SCOPED_TRACE(carrier);
    LevelSpec level = Level(FloorLevel(6, 3).rows, 0, 1);
    level.rows[1] = {60, carrier, carrier, carrier, 60, 60};
    UseSlotLevel(level);
    // Right for the first pass, then up from the next frame on, all through the ride.
    driver_.HoldKey(kKeyRight, kLoaderFrames, kLoaderFrames + 1);
    driver_.HoldKey(kKeyUp, kLoaderFrames + 1, 1000);
    std::vector<std::pair<double, double>> readAt;
    tobli::game::SetPassObserver([&readAt, this](PassPoint point) {
      if (point != PassPoint::kArrowKeys) return;
      readAt.emplace_back(plyx / 32 - kMargin, plyy / 32 - kMargin);
      if (readAt.size() == 3) driver_.Stop();
    });
    ASSERT_EQ(Play(1000).end, RunEnd::kStopped);
    const std::vector<std::pair<double, double>> expected = {{0, 1}, {4, 1}, {4, 0}};
    EXPECT_EQ(readAt, expected);
  }
}

TEST_F(GameLoop, EnterEndsTheGameAndEOnlyLeavesInEditorMode) {
  UseSlotLevel(FloorLevel(3, 3));
  driver_.PressKey(kKeyEnter, 10);
  RunResult result = Play(1000);
  EXPECT_EQ(result.end, RunEnd::kReturned);
  // The pass that saw Enter still ends with its frame; then the Game Over picture stays for
  // 120 frames.
  EXPECT_EQ(result.frames, 11u + 120u);
  EXPECT_EQ(gameon, 0);
  EXPECT_EQ(ALIVE, 0);

  // A key typed while the picture stays cuts it short.
  UseSlotLevel(FloorLevel(3, 3));
  driver_.PressKey(kKeyEnter, 10);
  driver_.PressKey(kKeySpace, 40);
  result = Play(1000);
  EXPECT_EQ(result.end, RunEnd::kReturned);
  EXPECT_GT(result.frames, 11u);
  EXPECT_LT(result.frames, 50u);

  driver_.PressKey(kKeyE, 10);
  EXPECT_EQ(Play(100).end, RunEnd::kFrameLimit) << "E means nothing in a game of the slots";

  EDITOR = 1;
  driver_.PressKey(kKeyE, 10);
  result = Play(1000);
  EXPECT_EQ(result.end, RunEnd::kReturned);
  EXPECT_EQ(result.frames, 10u) << "the editor's E leaves before the pass's frame";
  EXPECT_EQ(ALIVE, 1);
}

TEST_F(GameLoop, PPausesOnceAndASecondPResumes) {
  UseSlotLevel(Level(FloorLevel(5, 5).rows, 2, 2));
  // Each press is held for six frames, as a hand does. While the game waits no frames are
  // shown, so the later presses come in as the script's next events.
  driver_.HoldKey(kKeyP, 10, 16);
  driver_.HoldKey(kKeyP, 20, 26);
  driver_.HoldKey(kKeyRight, 30, 31);
  std::vector<double> clock;
  tobli::game::SetPassObserver([&clock](PassPoint point) {
    if (point == PassPoint::kPassEnd) clock.push_back(backdelay);
  });
  RunResult result = Play(60);
  ASSERT_EQ(result.end, RunEnd::kFrameLimit);
  // The frames are the level loader's two, one a pass, and the one frame showing "Pause".
  EXPECT_EQ(result.frames - 2 - clock.size(), 1u);
  // The world stands still while paused: the background clock moves on once a pass.
  for (size_t n = 1; n < clock.size(); ++n) {
    EXPECT_EQ(clock[n], clock[n - 1] == 9 ? 0 : clock[n - 1] + 1) << "pass " << n;
  }
  // The game goes on after the second P: the player walked a tile.
  EXPECT_EQ(plyx, (3 + kMargin) * 32);
}

TEST_F(GameLoop, KeyThatEndsHelpOrPauseIsNotAlsoACommand) {
  // The player takes a key first; Enter would end the game, Space load the level again (the
  // key back on its tile), Q send the player back to the start. The closing key is held for
  // longer than the help's fade back to the play field.
  for (int opener : {kKeyF1, kKeyP}) {
    for (int closer : {kKeyEnter, kKeySpace, kKeyQ}) {
      SCOPED_TRACE(testing::Message() << opener << " then " << closer);
      UseSlotLevel(Row({60, 10, 60}));
      driver_.HoldKey(kKeyRight, kLoaderFrames, kLoaderFrames + 1);
      driver_.PressKey(opener, 25);
      driver_.HoldKey(closer, 30, 100);
      RunResult result = Play(140);
      EXPECT_EQ(result.end, RunEnd::kFrameLimit);
      EXPECT_EQ(gameon, 1);
      EXPECT_EQ(kys(0), 1);
      EXPECT_EQ(plyx, (1 + kMargin) * 32);
    }
  }
}

TEST_F(GameLoop, BlockRisingUnderThePlayerLeavesThemStandingOnTheStartTile) {
  // The start tile has a wall to its right; the player goes down a tile and then right, with
  // right held all the time. A block rises under the player either as they stand on a tile or
  // halfway through a step off it. Back on the start tile, the wall holds them, and no other
  // cell of the map changes (fragile floor lies in the row the death fade draws last).
  for (bool midStep : {false, true}) {
    SCOPED_TRACE(midStep);
    LevelSpec level = Level(FloorLevel(4, 2).rows, 0, 0);
    level.rows[0][1] = 73;
    UseSlotLevel(level);
    driver_.HoldKey(kKeyDown, kLoaderFrames, kLoaderFrames + 1);
    driver_.HoldKey(kKeyRight, kLoaderFrames + 1, 400);
    bool died = false;
    bool inWall = false;
    tobli::game::SetPassObserver([&](PassPoint point) {
      if (died && point == PassPoint::kPassEnd && plyy < (1 + kMargin) * 32 &&
          plyx > kMargin * 32) {
        inWall = true;
      }
      const double at = (midStep ? 1 + kMargin : 2 + kMargin) * 32 + (midStep ? 8 : 0);
      const PassPoint when = midStep ? PassPoint::kPassEnd : PassPoint::kArrowKeys;
      if (!died && point == when && plyx == at && plyy == (1 + kMargin) * 32) {
        Cell(midStep ? 1 : 2, 1) = 101;
        for (double c = 0; c < 128; c = c + 1) {
          for (double r = 18; r < 128; r = r + 1) hit(c, r) = 9;
        }
        died = true;
      }
    });
    ASSERT_EQ(Play(300).end, RunEnd::kFrameLimit);
    EXPECT_TRUE(died);
    EXPECT_FALSE(inWall);
    EXPECT_EQ(plyx, kMargin * 32);
    EXPECT_EQ(plyy, kMargin * 32);
    double changed = 0;
    for (double c = 0; c < 128; c = c + 1) {
      for (double r = 18; r < 128; r = r + 1) changed = changed + (hit(c, r) != 9 ? 1 : 0);
    }
    EXPECT_EQ(changed, 0);
  }
}

TEST_F(GameLoop, PlayerCaughtWhileBeamingStaysOnTheStartTile) {
  // The player steps on pad A; while the beam closes over the field an enemy reaches them. The
  // death puts them back on the start tile, and the beam does not take them from there to
  // the first pad after it (pad A again).
  UseSlotLevel(Row({60, 2, 60, 60, 2, 60}));
  driver_.HoldKey(kKeyRight, kLoaderFrames, kLoaderFrames + 1);
  bool caught = false;
  driver_.OnEveryFrame([&caught](uint64_t) {
    if (!caught && zoop > -400 && zoop < -300) {
      maxene = 1;
      enex(0) = plyx;
      eney(0) = plyy;
      enemode(0) = 0;
      enespd(0) = 0;
      enelook(0) = 1;
      caught = true;
    }
    if (ALIVE == 0) maxene = 0;  // the enemy goes with the death: it cannot catch them twice
  });
  ASSERT_EQ(Play(kLoaderFrames + 200).end, RunEnd::kFrameLimit);
  EXPECT_TRUE(caught);
  EXPECT_EQ(SoundLogCount(3), 1u);
  EXPECT_EQ(plyx, kMargin * 32);
  EXPECT_EQ(plyy, kMargin * 32);
}

TEST_F(GameLoop, EnemyRewardComesOnceWhenTheLastEnemyIsGone) {
  LevelSpec level = FloorLevel(6, 1);
  // The enemy is shut in between two walls, far from the player.
  level.rows[0][3] = 73;
  level.rows[0][5] = 73;
  level.enemies.push_back(LevelEnemy{4, 0, 0, 0, 1});
  UseSlotLevel(level);
  double keysWithEnemy = -1;
  driver_.At(30, [&keysWithEnemy] {
    keysWithEnemy = kys(4);
    maxene = 0;  // the last enemy is gone
  });
  double iconLook = -1;
  double iconCol = -1;
  driver_.At(32, [&iconLook, &iconCol] {
    if (kynum > 0) {
      iconLook = kylook(kynum - 1);
      iconCol = kyshowx(kynum - 1);
    }
  });
  Play(300);
  EXPECT_EQ(keysWithEnemy, 0);
  EXPECT_EQ(kys(4), 1);
  EXPECT_EQ(enemission, 1);
  EXPECT_EQ(SoundLogCount(12), 1u);
  EXPECT_EQ(iconLook, 14);
  EXPECT_EQ(iconCol, kMargin);
  // A level loaded without enemies has its reward taken already (the level file tests), so
  // it never comes there.
}

TEST_F(GameLoop, FullPickupListShowsNoNewIconButThePickupCounts) {
  UseSlotLevel(Row({60, 10, 60}));
  driver_.At(kLoaderFrames, [] {
    for (double k = 0; k < 9; k = k + 1) {
      kylook(k) = 99;
      kymove(k) = 0;
    }
    kynum = 9;
  });
  driver_.HoldKey(kKeyRight, kLoaderFrames, kLoaderFrames + 1);
  RunResult result = Play(kLoaderFrames + 20);
  ASSERT_EQ(result.end, RunEnd::kFrameLimit) << "error " << __g_error;
  EXPECT_EQ(kys(0), 1);
  EXPECT_EQ(SoundLogCount(11), 1u);
  EXPECT_EQ(kynum, 9);
  for (double k = 0; k < 9; k = k + 1) EXPECT_EQ(kylook(k), 99);

  // With room in the list the key's icon rises from its tile.
  driver_.HoldKey(kKeyRight, kLoaderFrames, kLoaderFrames + 1);
  Play(kLoaderFrames + 20);
  ASSERT_EQ(kynum, 1);
  EXPECT_EQ(kylook(0), 10);
  EXPECT_EQ(kyshowx(0), 1 + kMargin);
  EXPECT_EQ(kyshowy(0), kMargin);
}

}  // namespace

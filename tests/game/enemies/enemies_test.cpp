// Enemies played through the game loop: walkers and turners, chasers, boxes meeting enemies,
// beamer pads, magnets, mines and the other deadly tiles, contact with the player, and the
// picture objects that share the table.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "audio/sound_log.h"
#include "enemy_scenario.h"
#include "game.h"

namespace {

using namespace tobli::test;

class Enemies : public EnemyScenario {};

bool OnTile(const EnemyEntry& e) {
  return static_cast<long long>(e.x) % 32 == 0 && static_cast<long long>(e.y) % 32 == 0;
}

TEST_F(Enemies, WalkersReverseAtWallsPausingOneFrame) {
  struct Case {
    const char* what;
    LevelSpec level;
    bool vertical;
    double first;
    double second;
  };
  const Case cases[] = {
      {"horizontal",
       Level({{73, 73, 73, 73, 73, 73, 73},
              {73, 60, 60, 60, 60, 60, 73},
              {73, 73, 73, 73, 73, 73, 73},
              {60, 60, 60, 60, 60, 60, 60}},
             0, 3, {{1, 1, 0, 1, 1}}),
       false, 0, 1},
      {"vertical",
       Level({{73, 73, 73, 60},
              {73, 60, 73, 60},
              {73, 60, 73, 60},
              {73, 60, 73, 60},
              {73, 60, 73, 60},
              {73, 60, 73, 60},
              {73, 73, 73, 60}},
             3, 0, {{1, 1, 1, 1, 1}}),
       true, 6, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UseLevel(c.level);
    PlayPasses(300);
    ASSERT_EQ(passes_.size(), 300u);
    double previousPos = Pixel(1);
    double previousMode = c.first;
    int turns = 0;
    bool pausedBefore = false;
    for (size_t k = 0; k < passes_.size(); ++k) {
      SCOPED_TRACE(k + 1);
      ASSERT_EQ(passes_[k].enemies.size(), 1u);
      const EnemyEntry& e = passes_[k].enemies[0];
      double pos = c.vertical ? e.y : e.x;
      EXPECT_EQ(c.vertical ? e.x : e.y, Pixel(1)) << "stays on its line";
      EXPECT_TRUE(e.mode == c.first || e.mode == c.second) << e.mode;
      EXPECT_GE(pos, Pixel(1));
      EXPECT_LE(pos, Pixel(5));
      bool paused = pos == previousPos;
      bool turned = e.mode != previousMode;
      EXPECT_EQ(paused, turned) << "it stands still exactly in the frame it turns";
      if (paused) {
        EXPECT_TRUE(pos == Pixel(1) || pos == Pixel(5)) << "turns only at a wall";
        EXPECT_FALSE(pausedBefore) << "never pauses two frames running";
        ++turns;
      }
      pausedBefore = paused;
      previousPos = pos;
      previousMode = e.mode;
    }
    // 64 frames a length at two pixels a frame.
    EXPECT_EQ(turns, 4);
  }
}

TEST_F(Enemies, TurnersGoRoundAnOpenRoomOneTurnPerBlockedFrame) {
  std::vector<std::vector<int>> room = {{73, 73, 73, 73, 73, 73}, {73, 60, 60, 60, 60, 73},
                                        {73, 60, 60, 60, 60, 73}, {73, 60, 60, 60, 60, 73},
                                        {73, 60, 60, 60, 60, 73}, {73, 73, 73, 73, 73, 73},
                                        {60, 60, 60, 60, 60, 60}};
  struct Turn {
    double mode;
    int col;
    int row;
  };
  struct Case {
    const char* what;
    LevelEnemy enemy;
    std::vector<Turn> turns;
  };
  const Case cases[] = {
      {"clockwise", {1, 1, 2, 2, 1}, {{10, 4, 1}, {9, 4, 4}, {11, 1, 4}, {8, 1, 1}, {10, 4, 1}}},
      {"counter-clockwise",
       {1, 4, 3, 2, 1},
       {{15, 4, 4}, {13, 4, 1}, {14, 1, 1}, {12, 1, 4}, {15, 4, 4}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UseLevel(Level(room, 0, 6, {c.enemy}));
    // Three tiles a side at 8 frames a tile, plus the frame of each turn.
    PlayPasses(5 * 25);
    std::vector<Turn> seen;
    double mode = c.enemy.mode * 4;
    for (const PassRecord& pass : passes_) {
      const EnemyEntry& e = pass.enemies.at(0);
      if (e.mode == mode) continue;
      mode = e.mode;
      EXPECT_TRUE(OnTile(e));
      seen.push_back(
          {e.mode, static_cast<int>(e.x / 32) - kMargin, static_cast<int>(e.y / 32) - kMargin});
    }
    ASSERT_EQ(seen.size(), c.turns.size());
    for (size_t k = 0; k < seen.size(); ++k) {
      EXPECT_EQ(seen[k].mode, c.turns[k].mode) << k;
      EXPECT_EQ(seen[k].col, c.turns[k].col) << k;
      EXPECT_EQ(seen[k].row, c.turns[k].row) << k;
    }
  }
}

TEST_F(Enemies, ChaserStepsAlternatelyTowardThePlayersRowAndColumn) {
  // Player below and to the right: down, right, down, right ... one tile each.
  UseLevel(Level(FloorLevel(8, 8).rows, 6, 6, {{1, 1, 4, 2, 2}}));
  PlayPasses(64);
  std::vector<double> modesAtTiles;
  EnemyEntry before{Pixel(1), Pixel(1), 16, 2};
  for (const PassRecord& pass : passes_) {
    const EnemyEntry& e = pass.enemies.at(0);
    if (OnTile(before)) modesAtTiles.push_back(e.mode);
    before = e;
  }
  EXPECT_EQ(modesAtTiles, (std::vector<double>{18, 16, 18, 16, 18, 16, 18, 16}));
  EXPECT_EQ(before.x, Pixel(5));
  EXPECT_EQ(before.y, Pixel(5));
  EXPECT_EQ(deaths(), 0);

  // It catches the player with cause "M".
  ClearSoundLog();
  PlayPasses(80);
  EXPECT_GE(deaths(), 1);
  EXPECT_GE(SoundLogCount(3), 1u);

  // The player straight to its right: it keeps walking right, 2 pixels a frame, until it is
  // within 16 pixels (after 73 frames) and catches the player without moving on.
  ClearSoundLog();
  UseLevel(Level(FloorLevel(8, 8).rows, 6, 3, {{1, 3, 4, 1, 2}}));
  PlayPasses(74);
  for (const PassRecord& pass : passes_) {
    EXPECT_EQ(pass.enemies.at(0).mode, 16);
    EXPECT_EQ(pass.enemies.at(0).y, Pixel(3));
  }
  EXPECT_EQ(passes_[72].enemies.at(0).x, Pixel(1) + 146);
  EXPECT_EQ(passes_[73].enemies.at(0).x, Pixel(1) + 146);
  EXPECT_EQ(deaths(), 1);
  EXPECT_EQ(SoundLogCount(3), 1u);
}

TEST_F(Enemies, CratePushedIntoAWalkerDestroysBoth) {
  // The walker turns at the wall, walks to the crate, turns again and walks away; the crate
  // pushed after it catches it.
  UseLevel(Level(
      {{73, 73, 73, 73, 73, 73, 73}, {60, 61, 60, 60, 60, 73, 73}, {73, 73, 73, 73, 73, 73, 73}}, 0,
      1, {{4, 1, 0, 0, 1}}));
  driver_.HoldKey(kKeyRight, 70, 140);
  PlayPasses(160);

  int diedAt = -1;
  for (size_t k = 0; k < passes_.size(); ++k) {
    if (passes_[k].enemies.empty() || passes_[k].enemies[0].mode >= 32) {
      diedAt = static_cast<int>(k) + 1;
      break;
    }
  }
  ASSERT_GT(diedAt, 69) << "the walker lives until the crate is pushed";
  EXPECT_LT(diedAt, 75);
  ASSERT_EQ(maxene, 1);
  EXPECT_GE(enemode(0), 32);
  EXPECT_EQ(enelook(0), 4 * 1 + 142);
  EXPECT_EQ(maxbox, 0);
  for (int c = 1; c <= 4; ++c) EXPECT_EQ(Cell(c, 1), 60) << c;
  EXPECT_EQ(SoundLogCount(1), 1u) << "the enemy's death sound, on floor";
  EXPECT_EQ(EnemyRemarks(), 1);
  EXPECT_GE(SoundLogCount(2), 1u);
  EXPECT_EQ(deaths(), 0);
}

TEST_F(Enemies, RestingBombAheadDestroysTheEnemyWithoutAnExplosion) {
  // Walking right, the enemy is on tile (2, 1) after 8 frames and finds the bomb ahead.
  auto level = [](int boxTile) {
    return Level({{73, 73, 73, 73, 73, 73},
                  {73, 60, 60, boxTile, 60, 73},
                  {73, 73, 73, 73, 73, 73},
                  {60, 60, 60, 60, 60, 60}},
                 0, 3, {{1, 1, 0, 2, 1}});
  };
  UseLevel(level(8));
  PlayPasses(30);
  EXPECT_EQ(passes_[7].enemies.at(0).mode, 0);
  const EnemyEntry& dead = passes_[8].enemies.at(0);
  EXPECT_EQ(dead.mode, 32);
  EXPECT_EQ(dead.x, Pixel(2)) << "it does not move in the frame it dies";
  EXPECT_EQ(dead.look, 146);
  EXPECT_EQ(maxbox, 0);
  EXPECT_EQ(maxboom, 0);
  EXPECT_EQ(Cell(3, 1), 60);
  EXPECT_EQ(SoundLogCount(1), 1u);
  EXPECT_EQ(EnemyRemarks(), 0);

  // A resting gem ahead only turns it back.
  ClearSoundLog();
  UseLevel(level(5));
  PlayPasses(30);
  EXPECT_EQ(passes_[8].enemies.at(0).mode, 1);
  EXPECT_EQ(passes_[8].enemies.at(0).x, Pixel(2));
  EXPECT_EQ(passes_[9].enemies.at(0).x, Pixel(2) - 4);
  EXPECT_EQ(maxbox, 1);
  EXPECT_EQ(SoundLogCount(1), 0u);
}

TEST_F(Enemies, BeamerPadSendsAnEnemyToTheNextPadOfItsCodeAndItWalksOn) {
  // Pads of code 1 at (3, 0), (2, 2) and (4, 3) in scan order; a pad of code 0 between them
  // is passed over. The first walker steps onto (3, 0), the second onto (4, 3), the last pad
  // of the map, and goes round to the first.
  UseLevel(Level({{73, 60, 60, 1, 60, 60, 73},
                  {73, 73, 73, 73, 73, 0, 73},
                  {73, 60, 1, 60, 60, 60, 73},
                  {73, 60, 60, 60, 1, 60, 73},
                  {73, 73, 73, 73, 73, 73, 73},
                  {60, 60, 60, 60, 60, 60, 60}},
                 0, 5, {{1, 0, 0, 1, 1}, {2, 3, 0, 1, 2}}));
  PlayPasses(33);
  const PassRecord& arrived = passes_[31];
  EXPECT_EQ(arrived.enemies.at(0).x, Pixel(3));
  EXPECT_EQ(arrived.enemies.at(1).x, Pixel(4));

  const PassRecord& beamed = passes_[32];
  EXPECT_EQ(beamed.enemies.at(0).x, Pixel(2) + 2);
  EXPECT_EQ(beamed.enemies.at(0).y, Pixel(2));
  EXPECT_EQ(beamed.enemies.at(1).x, Pixel(3) + 2);
  EXPECT_EQ(beamed.enemies.at(1).y, Pixel(0));
  for (const EnemyEntry& e : beamed.enemies) EXPECT_EQ(e.mode, 0) << "same direction";
  // Sound 0 twice, both in the pass of the beam.
  std::vector<uint64_t> beamFrames;
  for (const SoundLogEntry& entry : SoundLog()) {
    if (entry.slot == 0) beamFrames.push_back(entry.frame);
  }
  EXPECT_EQ(beamFrames, (std::vector<uint64_t>(2, beamed.frame)));
}

TEST_F(Enemies, MagnetHoldsAnEnemyUntilAPlateIsPressed) {
  UseLevel(Level(
      {{73, 60, 60, 65, 60, 60, 73}, {73, 73, 73, 73, 73, 73, 73}, {60, 80, 60, 60, 60, 60, 60}}, 0,
      2, {{1, 0, 0, 1, 1}}));
  driver_.PressKey(kKeyRight, 101);
  PlayPasses(140);
  int onPlate = -1;
  int released = -1;
  for (size_t k = 32; k < passes_.size(); ++k) {
    if (onPlate < 0 && passes_[k].plyx == Pixel(1)) onPlate = static_cast<int>(k);
    if (released < 0 && passes_[k].enemies.at(0).x != Pixel(3)) released = static_cast<int>(k);
  }
  EXPECT_EQ(passes_[31].enemies.at(0).x, Pixel(3)) << "arrived on the magnet";
  ASSERT_GT(onPlate, 100);
  // The plate counts from the first pass that finds the player standing on it, after the
  // enemies have moved in that pass; the enemy walks on in the pass after.
  EXPECT_EQ(released, onPlate + 2);
  EXPECT_EQ(passes_.back().enemies.at(0).mode, 0);
}

TEST_F(Enemies, MineKillsAnEnemyStandingExactlyOnItAndBecomesFloor) {
  UseLevel(Level({{73, 60, 60, 19, 60, 73}, {73, 73, 73, 73, 73, 73}, {60, 60, 60, 60, 60, 60}}, 0,
                 2, {{1, 0, 0, 2, 3}}));
  PlayPasses(20);
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(passes_[k].enemies.at(0).mode, 0) << "crossing onto the mine, pass " << k + 1;
  }
  const EnemyEntry& dead = passes_[16].enemies.at(0);
  EXPECT_EQ(dead.mode, 32);
  EXPECT_EQ(dead.x, Pixel(3));
  EXPECT_EQ(dead.look, 4 * 3 + 142);
  EXPECT_EQ(Cell(3, 0), 60);
  EXPECT_EQ(SoundLogCount(1), 1u);
}

TEST_F(Enemies, EnemyOnARaisedBlockOrACrateTileDies) {
  struct Case {
    int tile;
    double left;
  };
  for (const Case& c : {Case{101, 101}, Case{102, 102}, Case{61, 60}, Case{19, 60}}) {
    SCOPED_TRACE(c.tile);
    ClearSoundLog();
    UseLevel(Level({{60, 60, c.tile, 60}}, 0, 0, {{2, 0, 0, 0, 1}}));
    PlayPasses(1);
    EXPECT_EQ(passes_[0].enemies.at(0).mode, 32);
    EXPECT_EQ(passes_[0].enemies.at(0).x, Pixel(2));
    EXPECT_EQ(Cell(2, 0), c.left);
    EXPECT_EQ(SoundLogCount(1), 1u);
  }
}

TEST_F(Enemies, PlayerWithin16PixelsOfAnActiveEnemyDies) {
  struct Case {
    double dx;
    double dy;
    double mode;
    bool dies;
  };
  const Case cases[] = {
      {15, 0, 0, true},  {-15, 0, 0, true},  {15, 15, 0, true},   {0, -15, 3, true},
      {16, 0, 0, false}, {0, 16, 0, false},  {-16, 8, 0, false},  {0, 0, -32, false},
      {0, 0, 32, false}, {0, 0, 130, false}, {0, 0, -140, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy << " mode " << c.mode);
    ClearSoundLog();
    UseLevel(Level(FloorLevel(9, 3).rows, 4, 1, {{7, 1, 0, 0, 1}}));
    driver_.At(kLoaderFrames, [&c] {
      enex(0) = Pixel(4) + c.dx;
      eney(0) = Pixel(1) + c.dy;
      enemode(0) = c.mode;
    });
    PlayPasses(1);
    EXPECT_EQ(deaths(), c.dies ? 1 : 0);
    EXPECT_EQ(deathFrames(), c.dies ? 25 : 0);
    EXPECT_EQ(SoundLogCount(3), c.dies ? 1u : 0u);
  }
}

TEST_F(Enemies, PictureObjectsAgeAndLeaveTheTable) {
  WithLevel(FloorLevel(4, 4), [] {
    // A dying entry ahead of a falling one: the falling one takes its place when it goes and
    // is not aged in that frame.
    maxene = 2;
    enemode(0) = 32;
    enelook(0) = 146;
    enemode(1) = -32;
    enelook(1) = 61;
    enex(1) = 300;
    for (int u = 1; u <= 98; ++u) moveenemies();
    EXPECT_EQ(enemode(0), 130);
    EXPECT_EQ(enemode(1), -130);
    moveenemies();
    ASSERT_EQ(maxene, 1);
    EXPECT_EQ(enemode(0), -130);
    EXPECT_EQ(enelook(0), 61);
    EXPECT_EQ(enex(0), 300);
    EXPECT_EQ(enemode(1), 32) << "the freed entry";
    moveenemies();
    moveenemies();
    EXPECT_EQ(enemode(0), -132);
    moveenemies();
    EXPECT_EQ(enemode(0), 132) << "past -132 a falling object is handed to the dying count";
    EXPECT_EQ(maxene, 1);
    moveenemies();
    EXPECT_EQ(maxene, 0);
  });
}

TEST_F(Enemies, KilledEnemyTakesItsDyingLookWithTheSoundOfItsTile) {
  WithLevel(Level({{60, 18, 60}}, 0, 0, {{1, 0, 0, 0, 3}, {2, 0, 0, 0, 16}}), [] {
    killenemy(0);
    killenemy(1);
    EXPECT_EQ(SoundSlots(), (std::vector<int>{8, 1}));
    EXPECT_EQ(enemode(0), 32);
    EXPECT_EQ(enelook(0), 4 * 3 + 142);
    EXPECT_EQ(enelook(1), 4 * 16 + 142);
  });
}

TEST_F(Enemies, SpeedsBeyondTheEditorsStillStopOnEveryTile) {
  // A hand-made speed of 10 would move 1024 pixels a frame, over walls and out of the map; a
  // step is at most a tile, so the enemy checks every tile and turns at the wall. A speed of
  // 1.5 moves by its whole part, 2 pixels, and still lands exactly on each tile.
  UseLevel(Level({{73, 60, 60, 60, 73}, {73, 60, 60, 60, 73}, {60, 60, 60, 60, 60}}, 0, 2,
                 {{1, 0, 0, 10, 1}, {1, 1, 0, 0, 1}}));
  driver_.At(kLoaderFrames, [] { enespd(1) = 1.5; });
  PlayPasses(16);
  std::vector<double> fast;
  for (int k = 0; k < 4; ++k) fast.push_back(passes_[k].enemies.at(0).x);
  EXPECT_EQ(fast, (std::vector<double>{Pixel(2), Pixel(3), Pixel(3), Pixel(2)}));
  EXPECT_EQ(passes_[2].enemies.at(0).mode, 1);
  EXPECT_EQ(passes_[15].enemies.at(1).x, Pixel(2));
  EXPECT_EQ(passes_[0].enemies.at(1).x, Pixel(1) + 2);
}

}  // namespace

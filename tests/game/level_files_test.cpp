// Level files and the save slot on the headless driver.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "driver/headless_driver.h"
#include "game.h"
#include "level_builder.h"
#include "support/test_support.h"

namespace {

using tobli::game::HeadlessDriver;
using tobli::game::RunEnd;
using tobli::game::RunResult;
using namespace tobli::test;

constexpr double kGame = 0;
constexpr double kEditor = 1;

class LevelFiles : public ::testing::Test {
 protected:
  RunResult Load(double number, double mode) {
    level = number;
    RunResult result = driver_.Run([mode] { LoadLevel(mode); });
    EXPECT_EQ(result.end, RunEnd::kReturned);
    return result;
  }
  int CountCells(double code) {
    int count = 0;
    for (int c = 0; c < 128; ++c) {
      for (int r = 0; r < 128; ++r) count += hit(c, r) == code ? 1 : 0;
    }
    return count;
  }

  ScopedTempDir dir_;
  HeadlessDriver driver_;
};

TEST_F(LevelFiles, GameLoadPlacesTheLevelBehindASixTileMargin) {
  LevelSpec spec;
  // Only 14 to 17 are sweets.
  spec.rows = {{73, 13, 14, 15}, {16, 93, 17, 18}};
  WriteLevelFile(1, spec);

  RunResult result = Load(1, kGame);
  // "Loading..." and "Done!" are each shown once.
  EXPECT_EQ(result.frames, 2u);
  EXPECT_EQ(file_Str, "levels/Level.1");
  EXPECT_EQ(maxx, 3);
  EXPECT_EQ(maxy, 1);
  EXPECT_EQ(startx, 6);
  EXPECT_EQ(starty, 6);
  EXPECT_EQ(xlevel, 14);
  EXPECT_EQ(ylevel, 12);
  EXPECT_EQ(hit(6, 6), 73);
  EXPECT_EQ(hit(8, 6), 14);
  EXPECT_EQ(hit(7, 7), 93);
  // Everything the level does not cover is void.
  EXPECT_EQ(CountCells(92), 128 * 128 - 8);
  EXPECT_EQ(hint_Str, "hint");
  EXPECT_EQ(sweets, 4);
  Load(1, kEditor);
  EXPECT_EQ(sweets, 4);
}

TEST_F(LevelFiles, GameLoadTurnsEnemiesIntoPixelsAndMakesRestingBoxesInColumnOrder) {
  LevelSpec spec = FloorLevel(6, 3);
  spec.enemies = {
      {0, 0, 0, 1, 1}, {1, 0, 1, 0, 2}, {2, 1, 2, 2, 3}, {3, 1, 3, 0, 15}, {5, 2, 4, 1, 17}};
  spec.rows[0][2] = 5;
  spec.rows[1][0] = 8;
  spec.rows[2][2] = 6;
  spec.rows[1][4] = 7;
  WriteLevelFile(2, spec);
  plym = 2;  // a created box takes the player's direction; the loader puts it at rest

  Load(2, kGame);
  ASSERT_EQ(maxene, 5);
  const double modes[] = {0, 6, 8, 12, 16};
  for (int e = 0; e < 5; ++e) {
    SCOPED_TRACE(e);
    EXPECT_EQ(enemode(e), modes[e]);
    EXPECT_EQ(enex(e), (spec.enemies[e].x + 6) * 32);
    EXPECT_EQ(eney(e), (spec.enemies[e].y + 6) * 32);
    EXPECT_EQ(enespd(e), spec.enemies[e].speed);
    EXPECT_EQ(enelook(e), spec.enemies[e].look);
  }
  // A level with enemies leaves their reward open.
  EXPECT_EQ(enemission, 0);

  ASSERT_EQ(maxbox, 4);
  // Column by column, each from the top: (0,1) 8, (2,0) 5, (2,2) 6, (4,1) 7.
  const double looks[] = {8, 5, 6, 7};
  const double columns[] = {0, 2, 2, 4};
  const double rows[] = {1, 0, 2, 1};
  for (int b = 0; b < 4; ++b) {
    SCOPED_TRACE(b);
    EXPECT_EQ(boxlook(b), looks[b]);
    EXPECT_EQ(boxx(b), columns[b] + 6);
    EXPECT_EQ(boxy(b), rows[b] + 6);
    EXPECT_EQ(boxm(b), 5);
    EXPECT_EQ(boxdelay(b), -1);
    EXPECT_EQ(hit(boxx(b), boxy(b)), 60);
  }
}

TEST_F(LevelFiles, GameLoadResetsKeysItemsMissionsAndThePickUpList) {
  WriteLevelFile(6, FloorLevel(2, 2));
  for (int k = 0; k < 5; ++k) kys(k) = 2;
  fireman = saltbag = wellington = 1;
  onice = 1;
  magnet = 0;
  boxmission = 1;
  maxboom = 3;
  kynum = 4;

  Load(6, kGame);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(kys(k), 0) << k;
  EXPECT_EQ(fireman + saltbag + wellington + onice, 0);
  EXPECT_EQ(magnet, 1);
  EXPECT_EQ(boxmission, 0);
  EXPECT_EQ(maxboom, 0);
  EXPECT_EQ(kynum, 0);
  // Without enemies there is no enemy reward to earn.
  EXPECT_EQ(enemission, 1);
}

TEST_F(LevelFiles, ShortRowsGiveCode0AndAnEmptyHintReadsNoData) {
  std::filesystem::create_directories("levels");
  WriteFile("levels/Level.8", "003001000000000\r\n060061062063\r\n064\r\n\r\n");
  Load(8, kGame);
  EXPECT_EQ(hit(6, 7), 64);
  EXPECT_EQ(hit(7, 7), 0);
  EXPECT_EQ(hit(9, 7), 0);
  EXPECT_EQ(hit(9, 6), 63);
  EXPECT_EQ(hint_Str, "NO_DATA");
}

TEST_F(LevelFiles, GameLoadWritesTheLevelReachedIntoTheSaveSlot) {
  std::filesystem::create_directories("levels");
  WriteFile("levels/Level.02", "1\r\n");
  savefile_Str = "levels/Level.02";
  Load(12, kGame);
  EXPECT_EQ(ReadFile("levels/Level.02"), "12\r\n");  // on disk at once, not at the next read

  // An editor load leaves the slot alone.
  Load(13, kEditor);
  HeadlessDriver::FlushTextFiles();
  EXPECT_EQ(ReadFile("levels/Level.02"), "12\r\n");

  // A slot played for the first time gets its file.
  savefile_Str = "levels/Level.03";
  Load(4, kGame);
  EXPECT_EQ(ReadFile("levels/Level.03"), "4\r\n");
}

// An editor map with every cell void, the start at (1, 1) and no enemies.
void ClearEditorMap() {
  for (int c = 0; c < 128; ++c) {
    for (int r = 0; r < 128; ++r) hit(c, r) = 92;
  }
  startx = starty = 1;
  maxene = 0;
}

TEST_F(LevelFiles, SavedLevelLoadsBackIntoTheSameEditorMap) {
  ClearEditorMap();
  const int codes[] = {73, 60, 14, 5, 93, 109, 4, 111, 0, 100};
  for (int c = 1; c <= 12; ++c) {
    for (int r = 1; r <= 7; ++r) hit(c, r) = codes[(c * 7 + r) % 10];
  }
  hit(12, 7) = 92;  // the used area's corner may be void
  hit(30, 2) = 61;  // a lone cell widens the level
  startx = 4;
  starty = 5;
  maxene = 2;
  enex(0) = 3, eney(0) = 2, enemode(0) = 2, enespd(0) = 1, enelook(0) = 3;
  enex(1) = 11, eney(1) = 7, enemode(1) = 4, enespd(1) = 2, enelook(1) = 17;
  hint_Str = "Push the crate onto the target";

  double before[128][128];
  for (int c = 0; c < 128; ++c) {
    for (int r = 0; r < 128; ++r) before[c][r] = hit(c, r);
  }
  level = 20;
  EXPECT_EQ(driver_.Run([] { SaveLevel(); }).end, RunEnd::kReturned);
  HeadlessDriver::FlushTextFiles();
  EXPECT_EQ(maxx, 30);
  EXPECT_EQ(maxy, 7);

  ClearEditorMap();
  hint_Str = "";
  Load(20, kEditor);
  for (int c = 1; c <= 30; ++c) {
    for (int r = 1; r <= 7; ++r) ASSERT_EQ(hit(c, r), before[c][r]) << c << "," << r;
  }
  EXPECT_EQ(startx, 4);
  EXPECT_EQ(starty, 5);
  ASSERT_EQ(maxene, 2);
  EXPECT_EQ(enex(1), 11);
  EXPECT_EQ(eney(1), 7);
  EXPECT_EQ(enemode(1), 4);
  EXPECT_EQ(enespd(1), 2);
  EXPECT_EQ(enelook(1), 17);
  EXPECT_EQ(hint_Str, "Push the crate onto the target");
}

TEST(LevelFields, ThreeCharacterFieldsRoundTrip) {
  EXPECT_EQ(GetStrFromNum_Str(5), "005");
  EXPECT_EQ(GetStrFromNum_Str(61), "061");
  for (int n = 0; n <= 999; ++n) {
    KDStr field = GetStrFromNum_Str(n);
    ASSERT_EQ(field.Length(), 3) << n;
    ASSERT_EQ(GetNumFromStr(KDStr("xyz") + field, 1), n);
  }
  // Values outside 0 to 999 do not fit and come out longer.
  EXPECT_EQ(GetStrFromNum_Str(-1), "00-1");
  EXPECT_EQ(GetStrFromNum_Str(1000), "1000");
  EXPECT_EQ(GetNumFromStr("abc060", 0), 0);
  EXPECT_EQ(GetNumFromStr("abc060", 1), 60);
  EXPECT_EQ(GetNumFromStr("060", 1), 0);
}

}  // namespace

// Malformed level files: each loads, in the game and in the editor, as the level its fields
// define (values the map cannot hold brought into range, with a line in the error log), and
// each can be played until the player quits. The loader writes nothing but the save slot's file.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalogue_support.h"
#include "driver/headless_driver.h"
#include "game.h"
#include "support/test_support.h"

namespace {

using tobli::catalogue::GameCase;
using tobli::game::HeadlessDriver;
using tobli::game::RunEnd;
using tobli::game::RunResult;
using tobli::test::ErrorLogLines;

constexpr int kMapSide = 128;
constexpr int kGameMargin = 6;
constexpr int kEditorMargin = 1;
const char kLevelFile[] = "levels/Level.1";
const char kSaveFile[] = "levels/Level.01";
const char kOutOfRange[] = "Level file out of range: levels/Level.1";
const char kBoxesLeft[] = "Too many boxes in levels/Level.1: 49 left as floor";

// What the game load leaves; fields without a value are not pinned down.
struct LevelCase {
  std::optional<int> maxx, maxy, startX, startY, enemies, boxes, sweets;
  std::optional<std::string> hint;
  std::vector<std::string> log;  // lines the error log holds after the load
};

const std::map<std::string, LevelCase>& Levels() {
  static const std::map<std::string, LevelCase> levels = {
      // Every header field beyond what the map holds: the largest level, start and enemy count.
      {"header_too_large.lvl", {99, 99, 99, 99, 100, 0, 1, "NO_DATA", {kOutOfRange}}},
      {"header_negative.lvl", {0, 0, 0, 0, 0, 0, 0, "hint", {kOutOfRange}}},
      {"header_non_numeric.lvl", {0, 0, 0, 0, 0, 0, 0, "hint", {}}},
      {"header_start_outside.lvl", {2, 0, 50, 90, 0, 0, 1, "hint", {}}},
      {"header_short.lvl", {2, 0, 0, 0, 0, 0, 1, "hint", {}}},
      // Lines past 255 are never read; the level uses lines up to 201.
      {"three_hundred_lines.lvl", {3, 99, 0, 0, 100, 0, 0, "The hint of a long file", {}}},
      {"tile_codes_beyond.lvl", {4, 0, 0, 0, 0, 0, 0, "codes -1 and 999", {}}},
      // "5000" takes four characters: the later fields of its row shift (500, 006, 009).
      {"tile_code_5000.lvl", {3, 0, 0, 0, 0, 1, 0, "a four-digit code shifts the row", {}}},
      // 150 enemies: the table's 100, and the hint read from the line after the hundredth.
      {"enemies_over_100.lvl", {3, 1, 0, 0, 100, 0, 0, "002001000001001", {kOutOfRange}}},
      // 149 box tiles: the table's 100 boxes; the rest become floor.
      {"boxes_over_100.lvl", {19, 14, 0, 0, 0, 100, 0, "too many boxes", {kBoxesLeft}}},
      {"enemy_values_beyond.lvl", {3, 3, 0, 0, 4, 0, 0, "enemy fields beyond", {kOutOfRange}}},
      // Short and missing rows read as code 0 where they give no field.
      {"rows_short_and_missing.lvl", {9, 5, 0, 0, 0, 0, 0, "NO_DATA", {}}},
      {"empty.lvl", {0, 0, 0, 0, 0, 0, 0, "NO_DATA", {}}},
      {"binary_garbage.lvl", {}},
      // A NUL ends the line it is in.
      {"nul_bytes.lvl", {2, 0, 0, 0, 0, 0, 0, "nul", {}}},
  };
  return levels;
}

bool IsSweet(double code) {
  return code >= 14 && code <= 17;
}

// What holds after any load: everything used lies inside the map, cells outside the stored
// level are void, the sweet count is the number of sweet cells, the tables are within bounds.
void ExpectLevelFitsTheMap(int margin) {
  EXPECT_LE(margin + maxx + 5, kMapSide);
  EXPECT_LE(margin + maxy + 5, kMapSide);
  EXPECT_TRUE(startx >= margin && startx < kMapSide && starty >= margin && starty < kMapSide);
  EXPECT_TRUE(maxene >= 0 && maxene <= BOUNDS(enex, 0));
  EXPECT_TRUE(maxbox >= 0 && maxbox <= BOUNDS(boxx, 0));
  int sweetCells = 0;
  int strayCells = 0;
  for (int c = 0; c < kMapSide; ++c) {
    for (int r = 0; r < kMapSide; ++r) {
      bool inside = c >= margin && c <= margin + maxx && r >= margin && r <= margin + maxy;
      if (!inside && hit(c, r) != 92) ++strayCells;
      if (IsSweet(hit(c, r))) ++sweetCells;
    }
  }
  EXPECT_EQ(strayCells, 0);
  EXPECT_EQ(sweets, sweetCells);
}

void ExpectCase(const LevelCase& expected) {
  auto check = [](const char* what, const std::optional<int>& want, double got, int margin = 0) {
    if (want) {
      EXPECT_EQ(got, *want + margin) << what;
    }
  };
  check("maxx", expected.maxx, maxx);
  check("maxy", expected.maxy, maxy);
  check("start x", expected.startX, startx, kGameMargin);
  check("start y", expected.startY, starty, kGameMargin);
  check("enemies", expected.enemies, maxene);
  check("boxes", expected.boxes, maxbox);
  check("sweets", expected.sweets, sweets);
  if (expected.hint) {
    EXPECT_EQ(hint_Str, expected.hint->c_str());
  }
  std::vector<std::string> log = ErrorLogLines();
  for (const std::string& line : expected.log) {
    EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << line;
  }
  if (expected.log.empty()) {
    EXPECT_TRUE(log.empty()) << log.front();
  }
}

TEST(CatalogueLevels, GameAndEditorLoadTheLevelTheFieldsDefine) {
  // Every file of the catalogue has an expectation, and every expectation a file.
  tobli::catalogue::ExpectEveryFileCovered("levels", Levels());
  for (const auto& [file, expected] : Levels()) {
    SCOPED_TRACE(file);
    GameCase run("levels", file, kLevelFile, kSaveFile);
    level = 1;

    RunResult game = run.driver().Run([] { LoadLevel(0); });
    ASSERT_EQ(game.end, RunEnd::kReturned);
    ExpectCase(expected);
    ExpectLevelFitsTheMap(kGameMargin);
    // Box tiles have all become boxes or floor.
    for (int c = 0; c < kMapSide; ++c) {
      for (int r = 0; r < kMapSide; ++r) EXPECT_FALSE(hit(c, r) >= 5 && hit(c, r) <= 8);
    }
    double gameMaxx = maxx;
    double gameMaxy = maxy;
    double gameEnemies = maxene;

    RunResult editor = run.driver().Run([] { LoadLevel(1); });
    ASSERT_EQ(editor.end, RunEnd::kReturned);
    ExpectLevelFitsTheMap(kEditorMargin);
    EXPECT_EQ(maxx, gameMaxx);
    EXPECT_EQ(maxy, gameMaxy);
    EXPECT_EQ(maxene, gameEnemies);
    EXPECT_EQ(maxbox, 0);
    run.ExpectOnlyOwnFilesChanged();
  }
}

// Arrows, a restart, a give-up and a pause, then Enter.
void ScriptPlay(HeadlessDriver& driver) {
  const int arrows[] = {205, 208, 203, 200, 205, 205, 208};
  uint64_t f = 3;
  for (int key : arrows) {
    driver.HoldKey(key, f, f + 40);
    f += 48;
  }
  driver.HoldKey(57, f, f + 2);  // Space: the level again
  f += 20;
  driver.HoldKey(208, f, f + 64);
  f += 70;
  driver.HoldKey(16, f, f + 2);  // Q: give up
  f += 60;
  driver.HoldKey(25, f, f + 1);  // P: pause, then any key
  driver.HoldKey(30, f + 3, f + 4);
  f += 10;
  driver.HoldKey(28, f, f + 100);  // Enter
}

TEST(CatalogueLevels, EachLevelPlaysUntilThePlayerQuits) {
  for (const auto& [file, expected] : Levels()) {
    SCOPED_TRACE(file);
    GameCase run("levels", file, kLevelFile, kSaveFile, "1\r\n");
    ScriptPlay(run.driver());
    RunResult result = run.driver().Run([] { MainGame(); }, 5000);
    EXPECT_EQ(result.end, RunEnd::kReturned)
        << "error " << __g_error << " at line " << __g_errorline << " of file " << __g_debugfile;
    run.ExpectOnlyOwnFilesChanged();
  }
}

}  // namespace

// Reading level files strictly (what the editor writes reads back whole; every line the game
// would misread is reported with its line number), and the checks of single levels and sets.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ascii_level.h"
#include "level_file.h"
#include "level_lint.h"
#include "support/test_support.h"

namespace {

using namespace levelcheck;
using levelcheck::test::AsciiLevel;

bool Has(const std::vector<std::string>& problems, const std::string& text) {
  for (const std::string& p : problems) {
    if (p.find(text) != std::string::npos) return true;
  }
  return false;
}

bool Mentions(const ParsedLevel& parsed, const std::string& text) {
  return Has(parsed.problems, text);
}

TEST(LevelFile, WrittenLevelsReadBackWithEitherLineEndAndOutsideIsVoid) {
  Level level = AsciiLevel({"#####", "#@.a#", "#.E.#", "#####"});
  EXPECT_EQ(level.At(3, 1), 14);
  EXPECT_EQ(level.At(-1, 0), 92);
  EXPECT_EQ(level.At(5, 0), 92);
  EXPECT_EQ(level.At(0, 4), 92);
  level.enemies.push_back({2, 2, 4, 1, 17});
  level.hint = "Mind the gap";
  std::string text = LevelText(level);
  EXPECT_EQ(text.substr(0, 17), "004003001001001\r\n");
  EXPECT_NE(text.find("073073073073073\r\n"), std::string::npos);
  EXPECT_NE(text.find("002002004001017\r\nMind the gap\r\n"), std::string::npos);

  std::string lf;
  for (char c : text) {
    if (c != '\r') lf += c;
  }
  for (const std::string& form : {text, lf}) {
    ParsedLevel parsed = ParseLevel(form);
    ASSERT_TRUE(parsed.ok()) << parsed.problems.front();
    EXPECT_EQ(parsed.level.cells, level.cells);
    EXPECT_EQ(parsed.level.startX, 1);
    EXPECT_EQ(parsed.level.startY, 1);
    ASSERT_EQ(parsed.level.enemies.size(), 1u);
    EXPECT_EQ(parsed.level.enemies[0].look, 17);
    EXPECT_EQ(parsed.level.hint, "Mind the gap");
    EXPECT_EQ(parsed.lineCount, 7);
  }
}

TEST(LevelFile, MalformedLinesAMisplacedHintAndTooLongFilesAreReportedByNumber) {
  // A row one field short, a field that is no number, a missing enemy line.
  EXPECT_TRUE(Mentions(ParseLevel("001001000000000\n060060\n060\nhint\n"),
                       "line 2 (map row 1) has 3 characters, not 6"));
  EXPECT_TRUE(Mentions(ParseLevel("001000000000000\n0600x0\nhint\n"),
                       "line 1 (map row 0): field 1 is not three digits"));
  EXPECT_TRUE(Mentions(ParseLevel("000000000000001\n060\nhint\n"), "line 2 (enemy 0)"));
  EXPECT_TRUE(Mentions(ParseLevel("00000000000\n060\nhint\n"), "line 0 (header)"));
  EXPECT_TRUE(Mentions(ParseLevel(""), "line 0 (header) is missing"));
  // The hint must be the last line and not empty.
  EXPECT_TRUE(ParseLevel("000000000000000\n093\nhint\n").ok());
  EXPECT_TRUE(Mentions(ParseLevel("000000000000000\n093\n"), "(the hint) is missing or empty"));
  EXPECT_TRUE(Mentions(ParseLevel("000000000000000\n093\n\n"), "(the hint) is missing or empty"));
  EXPECT_TRUE(Mentions(ParseLevel("000000000000000\n093\nhint\nmore\n"), "goes on after"));
  // 254 rows and the header, hint and one enemy line make 257 lines.
  std::string text = "000253000000001\n";
  for (int r = 0; r < 254; ++r) text += "060\n";
  text += "000000000000001\nhint\n";
  EXPECT_TRUE(Mentions(ParseLevel(text), "the file has 257 lines; the game reads only 256"));

  ParsedLevel missing = ReadLevelFile("/nonexistent/levels/Level.0");
  ASSERT_EQ(missing.problems.size(), 1u);
  EXPECT_NE(missing.problems[0].find("cannot read"), std::string::npos);
}

Level Sound() {
  return AsciiLevel({"#####", "#@.a#", "#..E#", "#####"});
}

TEST(LevelLint, ASoundLevelPassesAndTheStartMustBeSomewhereToStand) {
  EXPECT_TRUE(LintLevel(Sound()).empty());
  for (int code : {73, 101, 87, 91, 4, 18, 19, 92, 5, 8, 61, 65}) {
    Level level = Sound();
    level.cells[level.startY * level.Width() + level.startX] = code;
    EXPECT_TRUE(Has(LintLevel(level), "the start (1, 1) is on a")) << code;
  }
  Level outside = Sound();
  outside.startX = 5;
  EXPECT_TRUE(Has(LintLevel(outside), "the start (5, 1) lies outside the level"));
}

TEST(LevelLint, SweetsExitTilesAndPadsAreChecked) {
  EXPECT_TRUE(Has(LintLevel(AsciiLevel({"@.E"})), "there are no sweets"));
  EXPECT_TRUE(Has(LintLevel(AsciiLevel({"@.a"})), "there is no exit"));
  EXPECT_TRUE(Has(LintLevel(AsciiLevel({"@0aE"})), "beamer pad 0 has no partner"));
  EXPECT_TRUE(LintLevel(AsciiLevel({"@0aE0"})).empty());
  Level odd = AsciiLevel({"@.aE"});
  odd.cells[1] = 96;  // an explosion stage is never stored
  EXPECT_TRUE(Has(LintLevel(odd), "cell (1, 0) holds 96, which is no tile"));
  odd.cells[1] = 108;  // the pebble floor is
  EXPECT_TRUE(LintLevel(odd).empty());
}

TEST(LevelLint, EnemiesMustBeOnesTheEditorCouldPlace) {
  Level level = AsciiLevel({"#######", "#@...a#", "#....E#", "#######"});
  level.enemies = {{3, 1, 5, 0, 1}, {3, 2, 0, 3, 1}, {4, 1, 0, 0, 9}, {4, 2, 4, 0, 2},
                   {0, 0, 0, 0, 1}, {1, 1, 0, 0, 1}, {2, 1, 0, 0, 1}, {2, 1, 1, 0, 3},
                   {9, 9, 0, 0, 1}, {5, 1, 0, 0, 1}};
  std::vector<std::string> problems = LintLevel(level);
  EXPECT_TRUE(Has(problems, "enemy 0 has mode 5"));
  EXPECT_TRUE(Has(problems, "enemy 1 has speed 3"));
  EXPECT_TRUE(Has(problems, "enemy 2 has look 9"));
  EXPECT_TRUE(Has(problems, "enemy 3 chases but does not have the chaser's look 17"));
  EXPECT_TRUE(Has(problems, "enemy 4 stands on a wall at (0, 0)"));
  EXPECT_TRUE(Has(problems, "enemy 5 stands on the player's start"));
  EXPECT_TRUE(Has(problems, "enemy 7 shares its cell (2, 1) with another"));
  EXPECT_TRUE(Has(problems, "enemy 8 stands outside the level at (9, 9)"));
  EXPECT_TRUE(Has(problems, "enemy 9 stands on a sweet at (5, 1)"));
  EXPECT_FALSE(Has(problems, "enemy 6 "));
}

TEST(LevelLint, TablesAndSizeKeepToTheGamesLimits) {
  Level crowded = AsciiLevel({"@aE" + std::string(50, 'C'), std::string(51, 'C') + ".."});
  EXPECT_TRUE(Has(LintLevel(crowded), "101 boxes and crates do not fit the box table of 100"));
  crowded.cells[3] = 60;
  EXPECT_FALSE(Has(LintLevel(crowded), "box table"));
  crowded.enemies.push_back({51, 1, 0, 0, 1});
  EXPECT_TRUE(Has(LintLevel(crowded), "1 enemies and 100 boxes may overflow the enemy table"));

  Level wide = AsciiLevel({"@aE" + std::string(97, '.')});
  EXPECT_TRUE(Has(LintLevel(wide), "the level is 100 by 1 cells; the editor holds 99 by 99"));
  Level widest = AsciiLevel({"@aE" + std::string(96, '.')});
  EXPECT_TRUE(LintLevel(widest).empty());
}

TEST(LevelLint, HintsWrapAsTheGameWrapsThem) {
  // 17 pixels a character in a panel 440 wide; a word keeps to the row while its trailing
  // blank starts within the width.
  EXPECT_EQ(HintRows("ab cd"), 1);
  EXPECT_EQ(HintRows(std::string(25, 'w')), 1);
  EXPECT_EQ(HintRows(std::string(26, 'w')), 2);  // too wide: it starts on the second row
  EXPECT_EQ(HintRows(std::string(12, 'w') + " " + std::string(12, 'w')), 1);
  EXPECT_EQ(HintRows(std::string(13, 'w') + " " + std::string(12, 'w')), 2);
  EXPECT_EQ(HintRows(std::string(25, 'w') + "   "), 1);  // trailing blanks show nothing
  EXPECT_EQ(HintRows(std::string(12, 'w') + "  " + std::string(12, 'w')), 2);
  Level level = Sound();
  level.hint.clear();
  for (int word = 0; word < 8; ++word) level.hint += std::string(25, 'w') + " ";
  EXPECT_TRUE(LintLevel(level).empty());
  level.hint += "more";
  EXPECT_TRUE(Has(LintLevel(level), "the hint needs 9 rows; its panel holds 8"));
  level.hint = "caf\xe9";
  EXPECT_TRUE(Has(LintLevel(level), "a character the fonts do not have (code 233)"));
}

class LevelSetTest : public ::testing::Test {
 protected:
  void Write(int n, const Level& level) {
    tobli::test::WriteFile(dir.File("Level." + std::to_string(n)), LevelText(level));
  }
  void Lists(const std::string& catalog, const std::string& solutions) {
    tobli::test::WriteFile(dir.File("catalog.txt"), catalog);
    tobli::test::WriteFile(dir.File("solutions.txt"), solutions);
  }
  tobli::test::ScopedTempDir dir;
};

TEST_F(LevelSetTest, ASoundSetPassesAndSaveSlotsAreNoLevels) {
  Write(0, Sound());
  Write(1, Sound());
  tobli::test::WriteFile(dir.File("Level.01"), "3\r\n");
  Lists("# titles\n0 | One | walking\n1 | Two | walking\n", "0 RD\n\n# two\n1 RD\n");
  SetReport report = LintLevelSet(dir.path(), SetOptions{});
  EXPECT_EQ(report.levels, 2);
  EXPECT_TRUE(report.problems.empty()) << report.problems.front();
}

TEST_F(LevelSetTest, GapsMissingLinesAndBadLevelsAreReported) {
  Write(0, Sound());
  Write(1, AsciiLevel({"@.E"}));
  Write(3, Sound());
  Lists("0 | One | walking\n0 | Again | walking\nno bar here\n", "1 RR\n7 RR\n");
  SetReport report = LintLevelSet(dir.path(), SetOptions{});
  EXPECT_EQ(report.levels, 2);
  EXPECT_TRUE(Has(report.problems, "Level.3 follows Level.1"));
  EXPECT_TRUE(Has(report.problems, "Level.1: there are no sweets"));
  EXPECT_TRUE(Has(report.problems, "Level.0: 2 catalog lines, not one"));
  EXPECT_TRUE(Has(report.problems, "Level.1: 0 catalog lines, not one"));
  EXPECT_TRUE(Has(report.problems, "catalog.txt:3: not 'N | title | mechanics'"));
  EXPECT_TRUE(Has(report.problems, "Level.0: 0 solution lines, not one"));
  EXPECT_TRUE(Has(report.problems, "solutions.txt solves Level.7, which is not shipped"));

  std::filesystem::remove(dir.File("Level.0"));
  EXPECT_TRUE(Has(LintLevelSet(dir.path(), SetOptions{}).problems, "holds no Level.0"));
}

TEST_F(LevelSetTest, CoverageNamesWhatNoLevelUses) {
  Level level = Sound();
  level.enemies.push_back({2, 2, 0, 0, 1});
  Write(0, level);
  Lists("0 | One | walking\n", "0 RD\n");
  SetReport plain = LintLevelSet(dir.path(), SetOptions{});
  EXPECT_TRUE(plain.problems.empty());
  SetReport full = LintLevelSet(dir.path(), SetOptions{true});
  EXPECT_TRUE(Has(full.problems, "no level holds tile 61 (crate)"));
  EXPECT_TRUE(Has(full.problems, "no level has a chaser"));
  EXPECT_FALSE(Has(full.problems, "tile 93 "));
  EXPECT_FALSE(Has(full.problems, "horizontal walker"));
  EXPECT_FALSE(Has(full.problems, "tile 108"));
}

}  // namespace

// Reading level files strictly: what the editor writes reads back whole; every line the game
// would misread is reported with its line number.
#include <gtest/gtest.h>

#include <string>

#include "ascii_level.h"
#include "level_file.h"

namespace {

using namespace levelcheck;

bool Mentions(const ParsedLevel& parsed, const std::string& text) {
  for (const std::string& p : parsed.problems) {
    if (p.find(text) != std::string::npos) return true;
  }
  return false;
}

TEST(LevelFile, WrittenLevelsReadBackWithEitherLineEnd) {
  Level level = test::AsciiLevel({"#####", "#@.a#", "#.E.#", "#####"});
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

TEST(LevelFile, OutsideTheLevelIsVoid) {
  Level level = test::AsciiLevel({"@a", "E."});
  EXPECT_EQ(level.At(1, 0), 14);
  EXPECT_EQ(level.At(-1, 0), 92);
  EXPECT_EQ(level.At(2, 0), 92);
  EXPECT_EQ(level.At(0, 2), 92);
}

TEST(LevelFile, MalformedLinesAreReportedByNumber) {
  // A row one field short, a field that is no number, a missing enemy line.
  EXPECT_TRUE(Mentions(ParseLevel("001001000000000\n060060\n060\nhint\n"),
                       "line 2 (map row 1) has 3 characters, not 6"));
  EXPECT_TRUE(Mentions(ParseLevel("001000000000000\n0600x0\nhint\n"),
                       "line 1 (map row 0): field 1 is not three digits"));
  EXPECT_TRUE(Mentions(ParseLevel("000000000000001\n060\nhint\n"), "line 2 (enemy 0)"));
  EXPECT_TRUE(Mentions(ParseLevel("00000000000\n060\nhint\n"), "line 0 (header)"));
  EXPECT_TRUE(Mentions(ParseLevel(""), "line 0 (header) is missing"));
}

TEST(LevelFile, TheHintMustBeTheLastLineAndNotEmpty) {
  EXPECT_TRUE(ParseLevel("000000000000000\n093\nhint\n").ok());
  EXPECT_TRUE(Mentions(ParseLevel("000000000000000\n093\n"), "(the hint) is missing or empty"));
  EXPECT_TRUE(Mentions(ParseLevel("000000000000000\n093\n\n"), "(the hint) is missing or empty"));
  EXPECT_TRUE(Mentions(ParseLevel("000000000000000\n093\nhint\nmore\n"), "goes on after"));
}

TEST(LevelFile, FilesBeyondTheLinesTheGameReadsAreRefused) {
  // 254 rows and the header, hint and one enemy line make 257 lines.
  std::string text = "000253000000001\n";
  for (int r = 0; r < 254; ++r) text += "060\n";
  text += "000000000000001\nhint\n";
  ParsedLevel parsed = ParseLevel(text);
  EXPECT_TRUE(Mentions(parsed, "the file has 257 lines; the game reads only 256"));

  ParsedLevel missing = ReadLevelFile("/nonexistent/levels/Level.0");
  ASSERT_EQ(missing.problems.size(), 1u);
  EXPECT_NE(missing.problems[0].find("cannot read"), std::string::npos);
}

}  // namespace

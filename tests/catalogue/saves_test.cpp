// Save files holding garbage: the game reads the level reached from line 0 as a number (text
// that holds none reads as 0, a negative number as 0), plays that level and writes the number
// back to line 0. The other lines of the file are kept, up to the 256 a text file holds. Each
// case has a level file of the number read, so the game plays it (a slot naming a level
// without its file starts at level 0).
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <vector>

#include "catalogue_support.h"
#include "driver/headless_driver.h"
#include "game.h"
#include "support/test_support.h"

namespace {

using tobli::game::RunEnd;
using tobli::game::RunResult;
using tobli::test::ReadFile;

const char kSaveFile[] = "levels/Level.02";
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// File name → the level the game reads from it.
const std::map<std::string, double>& Saves() {
  static const std::map<std::string, double> saves = {
      {"binary_garbage.sav", 0},
      {"not_a_number.sav", 0},
      {"negative.sav", 0},
      {"fraction.sav", 3.7},
      {"huge.sav", 1e300},
      // Only decimal numbers are read: the words "inf" and "nan" hold none.
      {"infinity.sav", 0},
      {"nan.sav", 0},
      // 1022 sevens: more than a double holds.
      {"long_line.sav", kInfinity},
      {"nul_first.sav", 0},
      {"empty.sav", 0},
      {"three_hundred_lines.sav", 0},
  };
  return saves;
}

// The lines of a file as the text cache holds them: split at LF, a CR before it dropped.
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

TEST(CatalogueSaves, GameStartsAtTheNumberReadAndWritesItBack) {
  tobli::catalogue::ExpectEveryFileCovered("saves", Saves());
  for (const auto& [file, expected] : Saves()) {
    SCOPED_TRACE(file);
    tobli::catalogue::GameCase run("saves", file, kSaveFile, kSaveFile);
    const std::string levelFile = "levels/Level." + FormatNumber(expected);
    // One cell of floor, the player on it, no enemies; the hint names the file.
    run.WriteBeforeRun(levelFile, "000000000000000\r\n060\r\n" + levelFile + "\r\n");
    std::vector<std::string> oldLines = Lines(ReadFile(kSaveFile));
    run.driver().HoldKey(28, 5, 80);  // Enter: the game ends

    RunResult result = run.driver().Run([] { MainGame(); }, 2000);
    ASSERT_EQ(result.end, RunEnd::kReturned);
    EXPECT_EQ(level, expected);
    EXPECT_EQ(file_Str, levelFile.c_str());
    EXPECT_EQ(hint_Str, levelFile.c_str());

    tobli::game::HeadlessDriver::FlushTextFiles();
    std::vector<std::string> lines = Lines(ReadFile(kSaveFile));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], FormatNumber(level));
    // The rest as it was, cut at the 256 lines the text cache holds and at the first NUL.
    size_t kept = std::min<size_t>(oldLines.size(), 256);
    ASSERT_EQ(lines.size(), std::max<size_t>(kept, 1));
    for (size_t i = 1; i < kept; ++i) {
      EXPECT_EQ(lines[i], std::string(oldLines[i].c_str()).substr(0, 1024)) << "line " << i;
    }
    run.ExpectOnlyOwnFilesChanged();
  }
}

}  // namespace

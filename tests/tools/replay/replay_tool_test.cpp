// The built replay tool on small levels written by the tests: completing a level, blocked
// presses, repeat counts, deaths, the map, the frame limit, bad arguments and solution checks;
// and the move strings it reads.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "level_builder.h"
#include "move_script.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace tobli::test;

// Runs the built tool with the given arguments.
ProcessRun Replay(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {REPLAY_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunProcess(argv);
}

// The text of one top-level value of the tool's JSON line ("" when the key is missing).
std::string Value(const std::string& json, const std::string& key) {
  std::string name = "\"" + key + "\":";
  size_t at = json.find(name);
  if (at == std::string::npos) return "";
  at += name.size();
  char open = json[at];
  char close = open == '[' ? ']' : open == '{' ? '}' : 0;
  size_t end = close != 0 ? json.find(close, at) + 1 : json.find_first_of(",}", at);
  return json.substr(at, end - at);
}

// Fails for every key whose value in the JSON line is not the one given.
void ExpectValues(const std::string& json,
                  const std::vector<std::pair<std::string, std::string>>& want) {
  for (const auto& [key, value] : want) EXPECT_EQ(Value(json, key), value) << key << ": " << json;
}

class ReplayTool : public ::testing::Test {
 protected:
  // Plays level 1 of the test's folder; the tool must finish with status 0.
  std::string Play(const std::string& moves, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"--dir", dir_.path(), "--level", "1", "--moves", moves};
    args.insert(args.end(), extra.begin(), extra.end());
    ProcessRun run = Replay(args);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << "one line: " << run.out;
    return run.out;
  }

  LevelSpec Row(const std::vector<int>& codes) {
    LevelSpec level;
    level.rows.push_back(codes);
    return level;
  }

  ScopedTempDir dir_;
};

TEST_F(ReplayTool, LevelWalkedToItsExitCompletesAndReportsTheNextLevel) {
  WriteLevelFile(1, Row({60, 14, 60, 93}));
  LevelSpec next = FloorLevel(4, 3);
  next.startX = 2;
  next.startY = 1;
  WriteLevelFile(2, next);
  // Frames: two loader frames, three steps of 16, and the loader's two frames of the next
  // level, shown within the pass that took the exit. The map comes only with --map.
  ExpectValues(Play("3R"), {{"completed", "true"},
                            {"timeout", "false"},
                            {"level", "2"},
                            {"x", "2"},
                            {"y", "1"},
                            {"sweets", "0"},
                            {"deaths", "0"},
                            {"alive", "true"},
                            {"keys", "[0,0,0,0,0]"},
                            {"sounds", "{\"6\":1,\"13\":1}"},
                            {"frames", "53"},
                            {"map", ""}});
  ExpectValues(Play("2R"), {{"completed", "false"}, {"level", "1"}, {"x", "2"}, {"frames", "35"}});
}

TEST_F(ReplayTool, BlockedPressIsUsedUpAndCountsRepeat) {
  LevelSpec level = Row({73, 60, 60, 60, 60});
  level.startX = 1;
  WriteLevelFile(1, level);
  std::string walked = Play("R");
  std::string blockedFirst = Play("LR");
  EXPECT_EQ(Value(blockedFirst, "x"), "2");
  EXPECT_EQ(std::stoi(Value(blockedFirst, "frames")), std::stoi(Value(walked, "frames")) + 1)
      << "the blocked press takes one pass";

  // A wait is 16 frames of standing still, from the pass that would have read the next
  // press; the run ends when the last wait is over.
  int oneWait = std::stoi(Value(Play("R."), "frames"));
  EXPECT_EQ(oneWait, std::stoi(Value(walked, "frames")) - 1 + 16);
  EXPECT_EQ(std::stoi(Value(Play("R2."), "frames")), oneWait + 16);
  EXPECT_EQ(Value(Play("R.R"), "x"), "3");
}

TEST_F(ReplayTool, DeathsAreCounted) {
  WriteLevelFile(1, Row({60, 4, 60, 18, 60}));
  ExpectValues(Play("R"), {{"deaths", "1"}, {"alive", "true"}, {"x", "0"}});
  EXPECT_EQ(Value(Play("RQ"), "deaths"), "2") << "giving up is a death too";
}

TEST_F(ReplayTool, MapShowsACrateMoved) {
  WriteLevelFile(1, Row({60, 61, 60, 60}));
  EXPECT_EQ(Value(Play("", {"--map"}), "map"), "[\"060061060060\"]");
  ExpectValues(Play("R", {"--map"}), {{"x", "1"}, {"map", "[\"060060061060\"]"}});
}

TEST_F(ReplayTool, FrameLimitEndsARunThatNeverStops) {
  // Two conveyors hand the player back and forth for ever.
  WriteLevelFile(1, Row({60, 84, 83}));
  ExpectValues(Play("R", {"--max-frames", "500"}),
               {{"timeout", "true"}, {"completed", "false"}, {"frames", "500"}});
}

TEST_F(ReplayTool, BadArgumentsExitWithTwo) {
  WriteLevelFile(1, Row({60, 60}));
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--level", "1"},
      {"--moves", "R"},
      {"--level", "x", "--moves", "R"},
      {"--level", "-1", "--moves", "R"},
      {"--level", "1", "--moves", "RZ"},
      {"--level", "1", "--moves", "R", "--max-frames", "0"},
      {"--level", "1", "--moves", "R", "--frames", "10"},
      {"--level", "1", "--moves"},
      {"--dir", "no-such-folder", "--level", "1", "--moves", "R"},
      {"--check", "no-such-file"},
      {"--check", "s.txt", "--level", "1"},
      {"--check", "."},
      {"--level", "7", "--moves", "R"},
  };
  WriteFile("s.txt", "1 R\n");
  for (const std::vector<std::string>& args : bad) {
    std::string shown;
    for (const std::string& a : args) shown += a + " ";
    SCOPED_TRACE(shown);
    ProcessRun run = Replay(args);
    EXPECT_EQ(run.code, 2);
    EXPECT_FALSE(run.err.empty());
    EXPECT_TRUE(run.out.empty());
  }
}

TEST_F(ReplayTool, CheckPassesOnlyWhenEverySolutionCompletes) {
  WriteLevelFile(1, Row({60, 14, 93}));
  WriteLevelFile(2, Row({60, 60, 93}));
  WriteLevelFile(3, Row({60, 60}));
  WriteFile("good.txt", "# solutions\n1 2R\n\n2 R R\r\n");
  ProcessRun good = Replay({"--dir", dir_.path(), "--check", "good.txt"});
  EXPECT_EQ(good.code, 0) << good.out << good.err;
  EXPECT_NE(good.out.find("level 1: pass"), std::string::npos) << good.out;
  EXPECT_NE(good.out.find("level 2: pass"), std::string::npos) << good.out;

  WriteFile("bad.txt", "1 2R\n2 R\n");
  ProcessRun oneFails = Replay({"--dir", dir_.path(), "--check", "bad.txt"});
  EXPECT_EQ(oneFails.code, 1);
  EXPECT_NE(oneFails.out.find("level 1: pass"), std::string::npos) << oneFails.out;
  EXPECT_NE(oneFails.out.find("level 2: FAIL"), std::string::npos) << oneFails.out;

  WriteFile("broken.txt", "1 2R\nlevel two\n");
  ProcessRun broken = Replay({"--dir", dir_.path(), "--check", "broken.txt"});
  EXPECT_EQ(broken.code, 1);
  EXPECT_NE(broken.out.find("line 2: FAIL"), std::string::npos) << broken.out;

  // A level without its file fails (the game would play level 0 in its place), and so does a
  // file with no solution in it.
  WriteLevelFile(0, Row({60, 93}));
  WriteFile("gone.txt", "1 2R\n7 R\n");
  ProcessRun gone = Replay({"--dir", dir_.path(), "--check", "gone.txt"});
  EXPECT_EQ(gone.code, 1);
  EXPECT_NE(gone.out.find("level 7: FAIL"), std::string::npos) << gone.out;
  WriteFile("none.txt", "# to come\n");
  EXPECT_EQ(Replay({"--dir", dir_.path(), "--check", "none.txt"}).code, 1);

  // A result that could not be written is no success.
  ProcessRun full =
      RunProcess({"/bin/sh", "-c", std::string(REPLAY_PATH) + " --check good.txt > /dev/full"});
  EXPECT_EQ(full.code, 1) << full.err;
}

using tobli::replay::ParseMoves;

std::string Expand(const std::string& text) {
  std::vector<char> moves;
  std::string why;
  EXPECT_TRUE(ParseMoves(text, moves, why)) << text << ": " << why;
  return std::string(moves.begin(), moves.end());
}

TEST(MoveScript, CountsRepeatTheTokenAfterThemAndWhiteSpaceIsIgnored) {
  EXPECT_EQ(Expand("3R"), "RRR");
  EXPECT_EQ(Expand("R2L.S Q"), "RLL.SQ");
  EXPECT_EQ(Expand("10."), "..........");
  EXPECT_EQ(Expand(" U\tD\r\n 2 D "), "UDDD");
  EXPECT_EQ(Expand("0RL"), "L");
  EXPECT_EQ(Expand(""), "");
}

TEST(MoveScript, UnknownTokensAndCountsWithoutATokenAreRefused) {
  std::vector<char> moves;
  std::string why;
  std::string tooMany;  // each count is allowed, their sum is not
  for (int i = 0; i <= 10; ++i) tooMany += "1000000.";
  for (const std::string& bad :
       std::vector<std::string>{"r", "RX", "3", "R2", "-R", "1000001R", tooMany}) {
    why.clear();
    EXPECT_FALSE(ParseMoves(bad, moves, why)) << bad;
    EXPECT_FALSE(why.empty()) << bad;
  }
}

}  // namespace

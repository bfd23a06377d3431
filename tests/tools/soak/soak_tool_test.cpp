// A soak that would play something else than it was asked to play says so and fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace {

using tobli::test::ProcessRun;
using tobli::test::RunProcess;
using tobli::test::ScopedTempDir;
using tobli::test::WriteFile;

ProcessRun Soak(std::vector<std::string> args) {
  args.insert(args.begin(), SOAK_PATH);
  return RunProcess(args);
}

TEST(SoakTool, AFolderWithoutLevelsOrALevelNotInTheSetIsRefused) {
  ScopedTempDir dir;
  std::filesystem::create_directories("empty");
  ProcessRun empty = Soak({"--levels", "empty", "--frames", "100"});
  EXPECT_EQ(empty.code, 1);
  EXPECT_NE(empty.err.find("no level files in"), std::string::npos) << empty.err;

  std::filesystem::create_directories("set");
  WriteFile("set/Level.0", "000000000000000\r\n060\r\nhint\r\n");
  ProcessRun missing = Soak({"--levels", "set", "--replay", "5:1", "--frames", "100"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("level 5 is not in the set"), std::string::npos) << missing.err;

  ProcessRun played = Soak({"--levels", "set", "--replay", "0:1", "--frames", "100"});
  EXPECT_EQ(played.code, 0) << played.err;
}

}  // namespace

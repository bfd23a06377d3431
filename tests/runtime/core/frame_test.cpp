#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "core/error_log.h"
#include "runtime.h"
#include "support/test_support.h"

namespace {

using tobli::test::ErrorLogLines;
using tobli::test::ScopedTempDir;

TEST(CommandLine, ProgramNameIsRemovedByTheQuotingRule) {
  EXPECT_EQ(__StripProgramName("tobli"), "");
  EXPECT_EQ(__StripProgramName("  tobli  -x y"), "-x y");
  EXPECT_EQ(__StripProgramName("\"/my games/tobli\"   level 3"), "level 3");
  EXPECT_EQ(__StripProgramName("\t\"unterminated name"), "");
  EXPECT_EQ(__StripProgramName("a\tb"), "b");
}

TEST(ErrorLog, LinesAreAppendedWithCrLfAndPlantedLinksAreNotFollowed) {
  ScopedTempDir dir;
  __AppendErrorLog("first");
  __AppendErrorLog("second");
  EXPECT_EQ(tobli::test::ReadFile(__ErrorLogPath()), "first\r\nsecond\r\n");
  __DeleteErrorLog();
  EXPECT_FALSE(tobli::test::FileExists(__ErrorLogPath()));

  // A planted symbolic link is not followed.
  std::string victim = dir.File("victim.txt");
  tobli::test::WriteFile(victim, "precious");
  ASSERT_EQ(symlink(victim.c_str(), __ErrorLogPath().c_str()), 0);
  __AppendErrorLog("attack");
  EXPECT_EQ(tobli::test::ReadFile(victim), "precious");
}

TEST(ProgramEnd, EndWritesFiveLinesWithTheCurrentLine) {
  ScopedTempDir dir;
  EXPECT_EXIT(
      {
        __dLn(1, 120);
        END();
      },
      ::testing::ExitedWithCode(0), "");
  auto lines = ErrorLogLines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "-End On Line");
  EXPECT_EQ(lines[1], "0");
  EXPECT_EQ(lines[2], "120");
  EXPECT_EQ(lines[3], "120");
  EXPECT_EQ(lines[4], "1");
}

TEST(ProgramEnd, ExitStepsRunInOrderOnce) {
  ScopedTempDir dir;
  EXPECT_EXIT(
      {
        static std::string order;
        __AtProcessExit(kExitStepClearMediaArchive, [] { order += "m"; });
        __AtProcessExit(kExitStepFlushTextCache, [] { order += "f"; });
        __AtProcessExit(kExitStepClearDataArchive, [] {
          order += "d";
          __AppendErrorLog(order.c_str());
        });
        __EndProgram();
      },
      ::testing::ExitedWithCode(0), "");
  auto lines = ErrorLogLines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[5], "fd");
}

TEST(ProgramEnd, ErrorKeepsCodeAndLineUntilTheEnd) {
  __dLn(0, 33);
  EXPECT_EQ(__Error(3), 3);
  EXPECT_EQ(__g_error, 3);
  EXPECT_EQ(__g_errorline, 33);
  __g_error = 0;
}

}  // namespace

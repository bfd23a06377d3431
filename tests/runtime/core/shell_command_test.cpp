#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/builtins.h"
#include "core/shell_command.h"
#include "support/test_support.h"

namespace {

using tobli::test::FileExists;
using tobli::test::ScopedTempDir;
using Args = std::vector<std::string>;

TEST(SplitCommandLine, BlanksSeparateQuotesGroupAndBackslashEscapesOnlyAQuote) {
  EXPECT_EQ(SplitCommandLine("prog a  b\tc"), (Args{"prog", "a", "b", "c"}));
  EXPECT_EQ(SplitCommandLine("  prog  "), (Args{"prog"}));
  EXPECT_EQ(SplitCommandLine(""), Args{});
  EXPECT_EQ(SplitCommandLine("prog \"a b; c\" d"), (Args{"prog", "a b; c", "d"}));
  EXPECT_EQ(SplitCommandLine("prog x\"y z\"w"), (Args{"prog", "xy zw"}));
  EXPECT_EQ(SplitCommandLine("prog \"\" end"), (Args{"prog", "", "end"}));
  EXPECT_EQ(SplitCommandLine("prog \"open to the end"), (Args{"prog", "open to the end"}));

  // A backslash escapes only a quote.
  EXPECT_EQ(SplitCommandLine("prog \\\"a b\\\""), (Args{"prog", "\"a", "b\""}));
  EXPECT_EQ(SplitCommandLine("prog \"say \\\"hi\\\"\""), (Args{"prog", "say \"hi\""}));
  EXPECT_EQ(SplitCommandLine("prog C:\\dir\\file"), (Args{"prog", "C:\\dir\\file"}));
  EXPECT_EQ(SplitCommandLine("prog a\\"), (Args{"prog", "a\\"}));
}

TEST(Shellcmd, WaitingGivesTheExitCodeAndAMissingProgramIsNotStarted) {
  ScopedTempDir dir;
  double code = 99;
  EXPECT_EQ(SHELLCMD("sh -c \"exit 7\"", 1, 0, code), 1);
  EXPECT_EQ(code, 7);
  EXPECT_EQ(SHELLCMD("true", 1, 1, code), 1);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(SHELLCMD("sh -c \"kill -9 $$\"", 1, 0, code), 1);
  EXPECT_EQ(code, 128 + 9);

  // A missing program is not started.
  EXPECT_EQ(SHELLCMD("no-such-program-here --help", 1, 0, code), 0);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(SHELLCMD("", 1, 0, code), 0);
  EXPECT_EQ(SHELLCMD("   ", 0, 0, code), 0);
}

TEST(Shellcmd, WithoutWaitingReturnsAtOnceAndLeavesTheCodeAtZero) {
  ScopedTempDir dir;
  double code = 99;
  EXPECT_EQ(SHELLCMD("sh -c \"sleep 2; touch late; exit 5\"", 0, 0, code), 1);
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(FileExists("late"));
  for (int i = 0; i < 200 && !FileExists("late"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(FileExists("late"));
}

TEST(Shellcmd, ShellSyntaxInAnArgumentStaysText) {
  ScopedTempDir dir;
  double code = -1;
  ASSERT_EQ(SHELLCMD("touch \"notes;touch smuggled\" plain", 1, 0, code), 1);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(FileExists("notes;touch smuggled"));
  EXPECT_TRUE(FileExists("plain"));
  EXPECT_FALSE(FileExists("smuggled"));
  ASSERT_EQ(SHELLCMD("touch \"say \\\"hi\\\"\" $HOME`id`", 1, 0, code), 1);
  EXPECT_TRUE(FileExists("say \"hi\""));
  EXPECT_TRUE(FileExists("$HOME`id`"));
}

TEST(Shellcmd, ProgramInheritsNoDescriptorsBeyondTheStandardOnes) {
  ScopedTempDir dir;
  int fd = open("held.txt", O_WRONLY | O_CREAT, 0644);  // deliberately not close-on-exec
  ASSERT_GE(fd, 3);
  std::string command = "sh -c \"test -e /proc/self/fd/" + std::to_string(fd) + "\"";
  double code = -1;
  EXPECT_EQ(SHELLCMD(command.c_str(), 1, 0, code), 1);
  close(fd);
  EXPECT_EQ(code, 1);  // test -e failed: the descriptor was not handed on
  EXPECT_EQ(SHELLCMD("sh -c \"test -e /proc/self/fd/2\"", 1, 0, code), 1);
  EXPECT_EQ(code, 0);
}

// A hidden program writes nowhere; a shown one writes to this program's standard output.
TEST(Shellcmd, AHiddenProgramStaysOffTheTerminal) {
  ScopedTempDir dir;
  int out = open("out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(out, 0);
  fflush(stdout);
  int saved = dup(STDOUT_FILENO);
  dup2(out, STDOUT_FILENO);
  double code = -1;
  EXPECT_EQ(SHELLCMD("sh -c \"echo hidden; echo hidden >&2; read x; exit 3\"", 1, 0, code), 1);
  EXPECT_EQ(code, 3);  // reading at once found the end of /dev/null
  EXPECT_EQ(SHELLCMD("sh -c \"echo shown\"", 1, 1, code), 1);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  close(out);
  EXPECT_EQ(tobli::test::ReadFile("out.txt"), "shown\n");
}

}  // namespace

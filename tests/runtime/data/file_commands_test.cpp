#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "data/file_commands.h"
#include "data/wild_match.h"
#include "gfx/lumetra.h"
#include "support/gl_test_support.h"
#include "text_file_fixture.h"

namespace {

using tobli::test::ReadFile;
using tobli::test::WriteFile;

TEST(WildMatch, StarsQuestionMarksLetterCaseAndBacktracking) {
  struct Case {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {{"*.TXT", "notes.txt", true},
               {"*.txt", "NOTES.TXT", true},
               {"?.*", ".x", false},
               {"?.*", "a.x", true},
               {"?.*", "ab.x", false},
               {"a?c", "a.c", false},
               {"*", "", true},
               {"*", ".hidden", true},
               {"**", "x", true},
               {"", "", true},
               {"", "x", false},
               {"x", "", false},
               {"*.*", "noext", false},
               {"*.*", "a.b.c", true},
               {"*x", "abx", true},
               {"*x", "abxy", false},
               {"*ab", "aab", true},
               {"a*b*c", "aXbYbZc", true},
               {"a*c", "ab", false},
               {"a*c*", "abcd", true},
               {"Level.?", "level.3", true},
               {"Level.?", "Level.12", false},
               {"*.bmp", "pic.bmp.bak", false}};
  for (const Case& c : cases) {
    EXPECT_EQ(szWildMatch(c.pattern, c.name), c.match) << c.pattern << " / " << c.name;
  }

  // After a mismatch the last star widens its run; the earlier stars keep theirs.
  EXPECT_TRUE(szWildMatch("*a*b", "xaxb"));
  EXPECT_TRUE(szWildMatch("*.?", "a.b.c"));
  EXPECT_FALSE(szWildMatch("*.?", "a.bc"));
}

std::set<std::string> Names(KDStrArray& list, int from, int to) {
  std::set<std::string> names;
  for (int i = from; i < to; ++i) names.insert(Text(list(i)));
  return names;
}

TEST_F(TextFileTest, FileListPutsDirectoriesFirstAndFiltersOnlyFiles) {
  WriteFile("notes.txt", "n");
  WriteFile("Readme.TXT", "r");
  WriteFile("pic.bmp", "p");
  WriteFile(".x", "x");
  WriteFile("a.b", "a");
  ASSERT_EQ(mkdir("levels", 0755), 0);
  ASSERT_EQ(mkdir("old.txt", 0755), 0);
  ASSERT_EQ(symlink("levels", "linked"), 0);

  KDStrArray list;
  double result = GETFILELIST("*.TXT", list);
  EXPECT_EQ(result, 5 * 65536 + 2);
  ASSERT_EQ(BOUNDS(list, 0), 7);
  EXPECT_EQ(Names(list, 0, 5), (std::set<std::string>{".", "..", "levels", "old.txt", "linked"}));
  EXPECT_EQ(Names(list, 5, 7), (std::set<std::string>{"notes.txt", "Readme.TXT"}));

  result = GETFILELIST("?.*", list);
  EXPECT_EQ(result, 5 * 65536 + 1);
  EXPECT_EQ(Text(list(5)), "a.b");

  result = GETFILELIST("*.none", list);
  EXPECT_EQ(result, 5 * 65536);
  EXPECT_EQ(BOUNDS(list, 0), 5);
}

TEST_F(TextFileTest, FileExistsOnlyForPlainReadableFiles) {
  WriteFile("here.txt", "");
  ASSERT_EQ(mkdir("folder", 0755), 0);
  ASSERT_EQ(mkfifo("pipe", 0644), 0);
  EXPECT_EQ(DOESFILEEXIST("here.txt"), 1);
  EXPECT_EQ(DOESFILEEXIST("missing.txt"), 0);
  EXPECT_EQ(DOESFILEEXIST("folder"), 0);
  EXPECT_EQ(DOESFILEEXIST("pipe"), 0);  // and it does not hang
  EXPECT_EQ(DOESFILEEXIST(""), 0);
}

// Dialog programs stood in for by scripts on a private PATH.
class FileRequestTest : public TextFileTest {
 protected:
  void SetUp() override {
    TextFileTest::SetUp();
    const char* path = std::getenv("PATH");
    oldPath_ = path != nullptr ? path : "";
    ASSERT_EQ(mkdir("bin", 0755), 0);
    bin_ = dir.File("bin");
    setenv("PATH", bin_.c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", oldPath_.c_str(), 1);
    TextFileTest::TearDown();
  }
  // A dialog that records its arguments one per line and then runs body.
  void MakeDialog(const std::string& name, const std::string& body) {
    std::string script = "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > " +
                         dir.File(name + ".args") + "\n" + body + "\n";
    std::string file = bin_ + "/" + name;
    WriteFile(file, script);
    ASSERT_EQ(chmod(file.c_str(), 0755), 0);
  }
  std::string Args(const std::string& name) { return ReadFile(dir.File(name + ".args")); }

  std::string bin_;
  std::string oldPath_;
};

TEST_F(FileRequestTest, NoDialogProgramOrACancelledOrEmptyChoiceGivesNoFile) {
  EXPECT_EQ(Text(FILEREQUEST_Str(1, "All|*.*")), "NO_FILE");

  // So does a dialog that is cancelled or gives an empty choice.
  MakeDialog("zenity", "exit 1");
  EXPECT_EQ(Text(FILEREQUEST_Str(1, "All|*.*")), "NO_FILE");
  MakeDialog("zenity", "exit 0");
  EXPECT_EQ(Text(FILEREQUEST_Str(1, "All|*.*")), "NO_FILE");
}

TEST_F(FileRequestTest, ZenityChoiceComesBackWithForwardSlashes) {
  MakeDialog("zenity", "echo 'C:\\games\\level.txt'");
  std::string cwd = dir.path();
  EXPECT_EQ(Text(FILEREQUEST_Str(1, "Levels|*.lvl;*.txt|All|*.*")), "C:/games/level.txt");
  EXPECT_EQ(Args("zenity"), "--file-selection\n--filename=" + cwd +
                                "/\n--file-filter=Levels | *.lvl *.txt\n--file-filter=All | *.*\n");
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof(here)), nullptr);
  EXPECT_EQ(std::string(here), cwd);

  EXPECT_EQ(Text(FILEREQUEST_Str(0, "")), "C:/games/level.txt");
  EXPECT_EQ(Args("zenity"), "--file-selection\n--save\n--filename=" + cwd + "/\n");
}

TEST_F(FileRequestTest, KdialogServesWhenZenityIsMissing) {
  MakeDialog("kdialog", "echo /home/player/save.txt");
  std::string cwd = dir.path();
  EXPECT_EQ(Text(FILEREQUEST_Str(0, "Levels|*.lvl;*.txt|All|*.*")), "/home/player/save.txt");
  EXPECT_EQ(Args("kdialog"), "--getsavefilename\n" + cwd + "/\n*.lvl *.txt|Levels\n*.*|All\n");
  // zenity is preferred once it is there.
  MakeDialog("zenity", "echo /from/zenity");
  EXPECT_EQ(Text(FILEREQUEST_Str(1, "")), "/from/zenity");
}

TEST_F(FileRequestTest, FullScreenModeIsBackAfterTheDialog) {
  tobli::test::HeadlessRenderer renderer;
  ASSERT_NE(pLum, nullptr);
  __KD_FULLSCREEN = 1;
  ASSERT_TRUE(pLum->DoFullscreen());
  MakeDialog("zenity", "echo /picked.txt");
  EXPECT_EQ(Text(FILEREQUEST_Str(1, "")), "/picked.txt");
  EXPECT_TRUE(pLum->bFullscreen);
  MakeDialog("zenity", "exit 1");
  EXPECT_EQ(Text(FILEREQUEST_Str(0, "")), "NO_FILE");
  EXPECT_TRUE(pLum->bFullscreen);
  __KD_FULLSCREEN = 0;
  pLum->DoWindowed();
}

}  // namespace

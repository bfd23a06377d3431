#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "archive_builder.h"
#include "core/error_log.h"
#include "data/file_commands.h"
#include "runtime.h"
#include "text_file_fixture.h"

namespace {

using tobli::test::ErrorLogLines;
using tobli::test::FileExists;
using tobli::test::ReadFile;
using tobli::test::WriteFile;

std::string GetLine(const char* file, double line) {
  KDStr text = "untouched";
  GETFILE(file, line, text);
  return Text(text);
}

std::string Lines(int first, int last, const char* stem) {
  std::string out;
  for (int i = first; i <= last; ++i) out += stem + std::to_string(i) + "\r\n";
  return out;
}

TEST_F(TextFileTest, PutPastTheEndPadsWithEmptyLines) {
  WriteFile("f.txt", "a\r\nb\r\nc\r\n");
  PUTFILE("f.txt", 10, "x");
  EXPECT_EQ(__g_FastFile.nLast, 10);
  __g_FastFile.FillBuffer(nullptr);
  EXPECT_EQ(ReadFile("f.txt"), "a\r\nb\r\nc\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nx\r\n");
  EXPECT_EQ(__g_error, 0);
}

TEST_F(TextFileTest, MissingLinesAndBadLineNumbers) {
  WriteFile("f.txt", "a\nb\nc\n");
  __dLn(0, 33);
  EXPECT_EQ(GetLine("f.txt", 5), "NO_DATA");
  EXPECT_EQ(GetLine("f.txt", 2.9), "c");
  EXPECT_EQ(GetLine("f.txt", -0.5), "a");
  EXPECT_EQ(__g_error, 0);

  EXPECT_EQ(GetLine("f.txt", 256), "NO_DATA");
  EXPECT_EQ(__g_error, 7);
  EXPECT_EQ(__g_errorline, 33);
  for (double bad : {-1.0, 65536.0, 65536.0 + 2, 1e300, -1e300}) {
    __g_error = 0;
    EXPECT_EQ(GetLine("f.txt", bad), "NO_DATA") << bad;
    EXPECT_EQ(__g_error, 7) << bad;
  }
  double value = 5;
  GETFILE("f.txt", 300, value);
  EXPECT_EQ(value, 0);

  // A line number that would wrap onto a real line stores nothing.
  __g_error = 0;
  PUTFILE("f.txt", 256, "no");
  EXPECT_EQ(__g_error, 7);
  __g_error = 0;
  PUTFILE("f.txt", 65536, "no");
  EXPECT_EQ(__g_error, 7);
  EXPECT_EQ(__g_FastFile.bDirty, 0);
  __g_FastFile.FillBuffer(nullptr);
  EXPECT_EQ(ReadFile("f.txt"), "a\nb\nc\n");
}

TEST_F(TextFileTest, LineEndsAndTrailingControlBytes) {
  WriteFile("f.txt", "one\r\ntwo\nx\ty\t\nspaces  \r\n\r\n\xE9t\xE9\nmid\rcr\nlast");
  EXPECT_EQ(GetLine("f.txt", 0), "one");
  EXPECT_EQ(GetLine("f.txt", 1), "two");
  EXPECT_EQ(GetLine("f.txt", 2), "x\ty");
  EXPECT_EQ(GetLine("f.txt", 3), "spaces  ");
  EXPECT_EQ(GetLine("f.txt", 4), "NO_DATA");
  EXPECT_EQ(GetLine("f.txt", 5), "\xE9t");
  EXPECT_EQ(GetLine("f.txt", 6), "mid\rcr");
  EXPECT_EQ(GetLine("f.txt", 7), "last");
  EXPECT_EQ(__g_FastFile.nLast, 7);
}

TEST_F(TextFileTest, LastLineIndexFollowsTheBytesRead) {
  struct Case {
    const char* contents;
    int last;
  } cases[] = {{"", 0}, {"a", 0}, {"a\n", 0}, {"a\nb", 1}, {"a\nb\n", 1}, {"a\n\n", 1}};
  for (const Case& c : cases) {
    WriteFile("f.txt", c.contents);
    ASSERT_EQ(__g_FastFile.FillBuffer("f.txt"), 0);
    EXPECT_EQ(__g_FastFile.nLast, c.last) << '"' << c.contents << '"';
    EXPECT_STREQ(__g_FastFile.szName, "f.txt");
    __g_FastFile.FillBuffer(nullptr);
  }
  // An empty file takes a first line.
  WriteFile("f.txt", "");
  PUTFILE("f.txt", 0, "x");
  __g_FastFile.FillBuffer(nullptr);
  EXPECT_EQ(ReadFile("f.txt"), "x\r\n");
}

TEST_F(TextFileTest, NumericForms) {
  WriteFile("f.txt", "12 apples\napples\n  -3.5e2x\n");
  double value = -1;
  GETFILE("f.txt", 0, value);
  EXPECT_EQ(value, 12);
  GETFILE("f.txt", 1, value);
  EXPECT_EQ(value, 0);
  GETFILE("f.txt", 2, value);
  EXPECT_EQ(value, -350);
  GETFILE("f.txt", 9, value);
  EXPECT_EQ(value, 0);
  value = 4;
  GETFILE("missing.txt", 0, value);
  EXPECT_EQ(value, 0);

  PUTFILE("f.txt", 0, 1000000.0);
  PUTFILE("f.txt", 1, 0.5);
  PUTFILE("f.txt", 2, -7.0);
  __g_FastFile.FillBuffer(nullptr);
  EXPECT_EQ(ReadFile("f.txt"), "1e+006\r\n0.5\r\n-7\r\n");
}

TEST_F(TextFileTest, OnlyTheFirst256LinesAreHeldAndWrittenBack) {
  WriteFile("big.txt", Lines(0, 299, "line "));
  EXPECT_EQ(GetLine("big.txt", 255), "line 255");
  EXPECT_EQ(__g_FastFile.nLast, 255);
  // Reading alone never rewrites the file.
  __g_FastFile.FillBuffer(nullptr);
  EXPECT_EQ(ReadFile("big.txt"), Lines(0, 299, "line "));

  PUTFILE("big.txt", 0, "changed");
  __g_FastFile.FillBuffer(nullptr);
  EXPECT_EQ(ReadFile("big.txt"), "changed\r\n" + Lines(1, 255, "line "));
}

TEST_F(TextFileTest, MissingFiles) {
  EXPECT_EQ(GetLine("missing.txt", 0), "NO_FILE");
  EXPECT_EQ(__g_error, 0);  // not found at all: no code

  PUTFILE("missing.txt", 0, "x");
  EXPECT_EQ(__g_error, 3);
  EXPECT_FALSE(FileExists("missing.txt"));
  EXPECT_EQ(__g_FastFile.szName[0], 0);
  __g_FastFile.FillBuffer(nullptr);
  EXPECT_FALSE(FileExists("missing.txt"));

  // An empty name never matches the empty cache.
  __g_error = 0;
  PUTFILE("", 0, "x");
  EXPECT_EQ(__g_error, 3);
  EXPECT_EQ(__g_FastFile.bDirty, 0);

  // Found, but not a file that can be read: "NO_FILE" and code 3.
  ASSERT_EQ(mkdir("folder", 0755), 0);
  __g_error = 0;
  KDStr text;
  EXPECT_EQ(GetFile("folder", 0, text), 3);
  EXPECT_EQ(Text(text), "NO_FILE");
  EXPECT_EQ(__g_error, 3);
  EXPECT_EQ(__g_FastFile.FillBuffer("missing.txt"), 3);
}

TEST_F(TextFileTest, SwitchingFilesWritesTheDirtyOneBackAtOnce) {
  WriteFile("a.txt", "a0\r\na1\r\n");
  WriteFile("b.txt", "b0\r\n");
  PUTFILE("a.txt", 1, "new");
  EXPECT_EQ(GetLine("a.txt", 1), "new");
  EXPECT_EQ(ReadFile("a.txt"), "a0\r\na1\r\n");  // still only in the cache
  EXPECT_EQ(GetLine("b.txt", 0), "b0");
  EXPECT_EQ(ReadFile("a.txt"), "a0\r\nnew\r\n");
  EXPECT_EQ(GetLine("a.txt", 1), "new");
  // Names are compared exactly: another spelling of the same file re-reads it.
  PUTFILE("a.txt", 0, "first");
  EXPECT_EQ(GetLine("./a.txt", 0), "first");
}

// Writing now puts the changes on disk and keeps the file cached; a write that fails keeps
// the changes, to be written when the cache turns to another file.
TEST_F(TextFileTest, WritingNowKeepsTheFileCachedAndAFailureKeepsTheChanges) {
  WriteFile("a.txt", "a0\r\n");
  EXPECT_TRUE(__WriteTextFileNow());  // nothing cached
  PUTFILE("a.txt", 1, "new");
  EXPECT_TRUE(__WriteTextFileNow());
  EXPECT_EQ(ReadFile("a.txt"), "a0\r\nnew\r\n");
  WriteFile("a.txt", "changed behind the cache\r\n");
  EXPECT_EQ(GetLine("a.txt", 1), "new");  // still served from the cache
  EXPECT_TRUE(__WriteTextFileNow());      // nothing changed since: not written again
  EXPECT_EQ(ReadFile("a.txt"), "changed behind the cache\r\n");

  ASSERT_EQ(mkdir("gone", 0755), 0);
  WriteFile("gone/f.txt", "old\n");
  PUTFILE("gone/f.txt", 0, "kept");
  std::filesystem::rename("gone", "away");
  EXPECT_FALSE(__WriteTextFileNow());
  ASSERT_EQ(ErrorLogLines().size(), 1u);
  std::filesystem::rename("away", "gone");
  __g_FastFile.FillBuffer(nullptr);
  EXPECT_EQ(ReadFile("gone/f.txt"), "kept\r\n");
}

TEST_F(TextFileTest, WriteBackReplacesTheFileWhole) {
  WriteFile("f.txt", "old\n");
  ASSERT_EQ(chmod("f.txt", 0640), 0);
  ASSERT_EQ(symlink("f.txt", "link.txt"), 0);
  PUTFILE("link.txt", 0, "through the link");
  __g_FastFile.FillBuffer(nullptr);
  EXPECT_EQ(ReadFile("f.txt"), "through the link\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink("link.txt"));
  struct stat info;
  ASSERT_EQ(stat("f.txt", &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  // No temporary file is left beside it.
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 2);

  ASSERT_EQ(mkdir("elsewhere", 0755), 0);
  WriteFile("f.txt", "old\n");
  PUTFILE("f.txt", 0, "new");
  ASSERT_EQ(chdir("elsewhere"), 0);
  __g_FastFile.FillBuffer(nullptr);
  ASSERT_EQ(chdir(".."), 0);
  EXPECT_EQ(ReadFile("f.txt"), "new\r\n");
  EXPECT_FALSE(FileExists("elsewhere/f.txt"));
}

TEST_F(TextFileTest, FailedWriteBackIsLogged) {
  ASSERT_EQ(mkdir("gone", 0755), 0);
  WriteFile("gone/f.txt", "old\n");
  PUTFILE("gone/f.txt", 0, "new");
  std::filesystem::remove_all("gone");
  __g_FastFile.FillBuffer(nullptr);
  auto lines = ErrorLogLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "Text file not written: gone/f.txt");
  EXPECT_EQ(__g_FastFile.szName[0], 0);
  EXPECT_EQ(__g_FastFile.bDirty, 0);
}

TEST_F(TextFileTest, LongLinesAreCutTo1024Characters) {
  std::string longLine(2000, 'L');
  std::string exact(1024, 'E');
  WriteFile("f.txt", longLine + "\r\n" + exact + "\r\nnext\n" + std::string(1023, 'R') + "\r");
  ASSERT_EQ(__g_FastFile.FillBuffer("f.txt"), 0);
  EXPECT_EQ(std::strlen(__g_FastFile.szLine[0]), 1024u);
  EXPECT_EQ(std::string(__g_FastFile.szLine[1]), exact);
  EXPECT_EQ(std::string(__g_FastFile.szLine[2]), "next");
  EXPECT_EQ(std::string(__g_FastFile.szLine[3]), std::string(1023, 'R') + "\r");
  // A text holds 1022 characters: the command gives the first 1022 of a longer line.
  EXPECT_EQ(GetLine("f.txt", 0), std::string(1022, 'L'));
  PUTFILE("f.txt", 2, "changed");
  __g_FastFile.FillBuffer(nullptr);
  EXPECT_EQ(ReadFile("f.txt"), std::string(1024, 'L') + "\r\n" + exact + "\r\nchanged\r\n" +
                                   std::string(1023, 'R') + "\r\r\n");
}

TEST_F(TextFileTest, TheEndOfTheProgramWritesTheCacheBack) {
  WriteFile("f.txt", "old\n");
  EXPECT_EXIT(
      {
        PUTFILE("f.txt", 0, "written at the end");
        END();
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadFile("f.txt"), "written at the end\r\n");
}

TEST_F(TextFileTest, GetFileFetchesThroughTheDataArchive) {
  tobli::test::WriteArchive("test.vez", {{"notes.txt", "alpha\r\nbeta\r\n"}});
  SETDEZEZER("test.vez", "");
  EXPECT_EQ(GetLine("notes.txt", 1), "beta");
  EXPECT_EQ(GetLine("NOTES.TXT", 0), "alpha");
  EXPECT_EQ(GetLine("other.txt", 0), "NO_FILE");
  EXPECT_EQ(__g_error, 0);
  // PUTFILE works on plain files only: the member cannot be changed or created.
  PUTFILE("notes.txt", 0, "x");
  EXPECT_EQ(__g_error, 3);
  EXPECT_FALSE(FileExists("notes.txt"));
  // A plain file wins over the member.
  WriteFile("notes.txt", "plain\n");
  EXPECT_EQ(GetLine("notes.txt", 0), "plain");
}

}  // namespace

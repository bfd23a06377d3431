#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "data/file_system.h"
#include "support/test_support.h"

namespace {

using tobli::test::ReadFile;
using tobli::test::ScopedTempDir;
using tobli::test::WriteFile;

TEST(FileSystem, OpenModes) {
  ScopedTempDir dir;
  QMFileSystem file;
  EXPECT_FALSE(file.Open("missing", QMFileSystem::kRead));
  EXPECT_FALSE(file.IsOpen());

  ASSERT_TRUE(file.Open("f", QMFileSystem::kWrite));
  EXPECT_TRUE(file.Write("hello", 5));
  ASSERT_TRUE(file.Open("f", QMFileSystem::kAppend));
  EXPECT_TRUE(file.Write(" world", 6));
  file.Close();
  EXPECT_EQ(ReadFile("f"), "hello world");

  ASSERT_TRUE(file.Open("f", QMFileSystem::kRead));
  EXPECT_EQ(file.Size(), 11);
  char buffer[32] = {};
  EXPECT_EQ(file.Seek(-5, QMFileSystem::kFromEnd), 6);
  EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 5);
  EXPECT_EQ(std::string(buffer), "world");
  EXPECT_EQ(file.Seek(-1, QMFileSystem::kFromStart), -1);
  EXPECT_EQ(file.Read(buffer, 4), 0);
  EXPECT_FALSE(file.Write("x", 1)) << "a file opened for reading takes no writes";

  ASSERT_TRUE(file.Open("f", QMFileSystem::kWrite));
  file.Close();
  EXPECT_EQ(ReadFile("f"), "");
  ASSERT_TRUE(file.Open("new", QMFileSystem::kAppend));
  file.Close();
  EXPECT_TRUE(tobli::test::FileExists("new"));
}

TEST(FileSystem, OnlyRegularFilesOpenAndHandlesClose) {
  ScopedTempDir dir;
  QMFileSystem file;
  ASSERT_EQ(mkdir("folder", 0700), 0);
  ASSERT_EQ(mkfifo("pipe", 0600), 0);
  // A pipe with no writer must neither block the open nor count as a file.
  EXPECT_FALSE(file.Open("folder", QMFileSystem::kRead));
  EXPECT_FALSE(file.Open("pipe", QMFileSystem::kRead));
  EXPECT_FALSE(file.Open("pipe", QMFileSystem::kWrite));
  EXPECT_FALSE(file.IsOpen());

  WriteFile("f", "x");
  int handle;
  {
    QMFileSystem scoped;
    ASSERT_TRUE(scoped.Open("f", QMFileSystem::kRead));
    handle = scoped.hFile;
  }
  EXPECT_EQ(fcntl(handle, F_GETFD), -1) << "the destructor closes the handle";
}

}  // namespace

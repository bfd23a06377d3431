// Two runs of the generator on the same sources give the same bytes, so the archives change
// only when a source does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "media_names.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

int RunMediagen(const std::string& out, const std::string& media = tobli::test::MediaSourceDir(),
                const std::string& redirect = "") {
  std::string command = std::string("'") + MEDIAGEN_PATH + "' --media '" + media + "' --out '" +
                        out + "' --espeak '" + ESPEAK_PATH + "' --lame '" + LAME_PATH + "'" +
                        redirect;
  return std::system(command.c_str());
}

TEST(MediaGenerator, TwoRunsGiveByteIdenticalFiles) {
  tobli::test::ScopedTempDir dir;
  ASSERT_EQ(RunMediagen(dir.File("one")), 0);
  ASSERT_EQ(RunMediagen(dir.File("two")), 0);
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir.File("one"))) {
    if (!entry.is_regular_file()) continue;
    std::string rel = fs::relative(entry.path(), dir.File("one")).string();
    EXPECT_EQ(tobli::test::ReadFile(entry.path().string()),
              tobli::test::ReadFile(dir.File("two/" + rel)))
        << rel << " differs between two runs";
    ++files;
  }
  // Every file the archives hold, plus the two member lists and the music.
  EXPECT_EQ(files, static_cast<int>(tobli::test::MediaArchiveNames().size()) + 3);
  // The second run wrote no file the first did not.
  int second = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir.File("two")))
    second += entry.is_regular_file();
  EXPECT_EQ(second, files);
}

TEST(MediaGenerator, ABrokenSourceFailsTheRunAndSaysWhere) {
  tobli::test::ScopedTempDir dir;
  fs::copy(tobli::test::MediaSourceDir(), dir.File("media"));
  tobli::test::WriteFile(dir.File("media/intro.txt"),
                         "A line far too long for the title screen's width\n");
  EXPECT_NE(RunMediagen(dir.File("out"), dir.File("media"), " 2> '" + dir.File("err.txt") + "'"),
            0);
  EXPECT_NE(tobli::test::ReadFile(dir.File("err.txt")).find("intro.txt:1: longer than 38"),
            std::string::npos);
}

#ifdef VEZ_PATH
TEST(MediaGenerator, TheBuiltArchivesVerify) {
  for (const char* archive : {"media.vez", "music.vez"}) {
    std::string command = std::string("'") + VEZ_PATH + "' verify '" + tobli::test::StageDir() +
                          "/" + archive + "' > /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << archive;
  }
}
#endif

}  // namespace

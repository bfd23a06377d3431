#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "archive_builder.h"
#include "data/archive.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using tobli::test::ProcessRun;
using tobli::test::ReadFile;
using tobli::test::RunProcess;
using tobli::test::ScopedTempDir;
using tobli::test::WriteFile;

// Runs the built tool with the given arguments.
ProcessRun Vez(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {VEZ_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunProcess(argv);
}

std::string Noise(size_t size) {
  std::mt19937 random(11);
  std::string data(size, 0);
  for (char& c : data) c = static_cast<char>(random());
  return data;
}

// A small media folder: a file at the top, nested folders, an empty file and noise.
void MakeMedia() {
  fs::create_directories("media/gfx");
  fs::create_directories("media/sound");
  WriteFile("media/intro.txt", "Welcome to the caves.\n");
  WriteFile("media/gfx/Tobli1.bmp", std::string(5000, 'B'));
  WriteFile("media/sound/Tobli.mp3", Noise(30000));
  WriteFile("media/sound/empty.wav", "");
}

std::string Fetch(const std::string& archive, const std::string& name) {
  QMDezeZer slot;
  slot.szFile = archive.c_str();
  KDStr request(name.c_str());
  if (!ExtractMember(slot, request)) return "<none>";
  return ReadFile(request.GetStrData());
}

TEST(VezTool, PackListVerifyExtractRoundTrip) {
  ScopedTempDir dir;
  MakeMedia();
  ProcessRun pack = Vez({"pack", "media.vez", "-C", "media", "intro.txt", "gfx", "sound"});
  ASSERT_EQ(pack.code, 0) << pack.err;

  ProcessRun list = Vez({"list", "media.vez"});
  ASSERT_EQ(list.code, 0) << list.err;
  std::istringstream lines(list.out);
  std::vector<std::string> names;
  std::string name;
  int64_t offset, packed, unpacked, expectedOffset = 0;
  std::vector<int64_t> sizes;
  while (lines >> name >> offset >> packed >> unpacked) {
    names.push_back(name);
    EXPECT_EQ(offset, expectedOffset) << "blocks follow each other from the start";
    expectedOffset += packed;
    sizes.push_back(unpacked);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"intro.txt", "gfx/Tobli1.bmp", "sound/Tobli.mp3",
                                             "sound/empty.wav"}));
  EXPECT_EQ(sizes, (std::vector<int64_t>{22, 5000, 30000, 0}));

  ProcessRun verify = Vez({"verify", "media.vez"});
  EXPECT_EQ(verify.code, 0) << verify.err;

  ProcessRun extract = Vez({"extract", "media.vez", "-C", "out"});
  ASSERT_EQ(extract.code, 0) << extract.err;
  for (const char* file : {"intro.txt", "gfx/Tobli1.bmp", "sound/Tobli.mp3", "sound/empty.wav"}) {
    EXPECT_EQ(ReadFile(std::string("out/") + file), ReadFile(std::string("media/") + file)) << file;
  }
  // The runtime reads what the tool writes.
  EXPECT_EQ(Fetch("media.vez", "sound/Tobli.mp3"), ReadFile("media/sound/Tobli.mp3"));
  EXPECT_EQ(Fetch("media.vez", "GFX/tobli1.BMP"), std::string(5000, 'B'));
}

TEST(VezTool, PackedFolderSkipsItselfExtractsByNameAndRidesOnAnotherFile) {
  ScopedTempDir dir;
  MakeMedia();
  // Packed twice into the folder it packs: the archive never holds itself.
  ASSERT_EQ(Vez({"pack", "media/all.vez", "-C", "media", "."}).code, 0);
  ASSERT_EQ(Vez({"pack", "media/all.vez", "-C", "media", "."}).code, 0);
  ProcessRun list = Vez({"list", "media/all.vez"});
  EXPECT_EQ(list.out.find("all.vez"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("gfx/Tobli1.bmp\t"), std::string::npos) << list.out;

  // Named members, in any case; a name not there fails the run, not the others.
  ProcessRun one = Vez({"extract", "media/all.vez", "-C", "one", "SOUND/tobli.mp3"});
  EXPECT_EQ(one.code, 0) << one.err;
  EXPECT_EQ(ReadFile("one/sound/Tobli.mp3"), ReadFile("media/sound/Tobli.mp3"));
  EXPECT_FALSE(fs::exists("one/intro.txt"));
  ProcessRun missing = Vez({"extract", "media/all.vez", "-C", "two", "intro.txt", "nothing.bmp"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("nothing.bmp"), std::string::npos);
  EXPECT_TRUE(fs::exists("two/intro.txt"));

  std::string host = Noise(12345);
  WriteFile("game", host);
  ProcessRun append = Vez({"append", "game", "media/all.vez"});
  ASSERT_EQ(append.code, 0) << append.err;
  std::string grown = ReadFile("game");
  EXPECT_EQ(grown.compare(0, host.size(), host), 0) << "the host's bytes stay as they were";
  list = Vez({"list", "game"});
  ASSERT_EQ(list.code, 0);
  EXPECT_NE(list.out.find("intro.txt\t-"), std::string::npos) << list.out;
  EXPECT_EQ(Vez({"verify", "game"}).code, 0);
  EXPECT_EQ(Fetch("game", "sound/Tobli.mp3"), ReadFile("media/sound/Tobli.mp3"));
  // An archive that already rides on a file can be appended again.
  WriteFile("second", "x");
  ASSERT_EQ(Vez({"append", "second", "game"}).code, 0);
  EXPECT_EQ(Fetch("second", "intro.txt"), "Welcome to the caves.\n");
}

TEST(VezTool, BadArgumentsAreUsageErrors) {
  ScopedTempDir dir;
  MakeMedia();
  ProcessRun none = Vez({});
  EXPECT_EQ(none.code, 2);
  EXPECT_NE(none.err.find("usage:"), std::string::npos);
  EXPECT_EQ(Vez({"--help"}).code, 0);
  EXPECT_EQ(Vez({"shrink", "a.vez"}).code, 2);
  EXPECT_EQ(Vez({"pack", "a.vez"}).code, 2);
  EXPECT_EQ(Vez({"pack", "a.vez", "-C"}).code, 2);
  EXPECT_EQ(Vez({"pack", "a.vez", "-C", "media", "-C", "media", "intro.txt"}).code, 2);
  EXPECT_EQ(Vez({"pack", "a.vez", "-x", "media/intro.txt"}).code, 2);
  EXPECT_EQ(Vez({"pack", "a.vez", "-C", "nowhere", "intro.txt"}).code, 2);
  EXPECT_EQ(Vez({"pack", "a.vez", "-C", "media", "../media/intro.txt"}).code, 2);
  ProcessRun missing = Vez({"pack", "a.vez", "-C", "media", "intro.txt", "missing.bmp"});
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.err.find("missing.bmp"), std::string::npos);
  WriteFile("media/INTRO.TXT", "twin");
  EXPECT_EQ(Vez({"pack", "a.vez", "-C", "media", "intro.txt", "INTRO.TXT"}).code, 2);
  EXPECT_FALSE(fs::exists("a.vez")) << "a failed pack leaves no archive";
  EXPECT_EQ(Vez({"list"}).code, 2);
  EXPECT_EQ(Vez({"append", "nofile", "a.vez"}).code, 2);
  EXPECT_EQ(Vez({"verify", "a.vez", "b.vez"}).code, 2);
}

TEST(VezTool, BadArchivesAreReported) {
  ScopedTempDir dir;
  WriteFile("short.vez", "ab");
  WriteFile("garbage.vez", Noise(1000) + tobli::test::Le32(5000));
  for (const char* archive : {"short.vez", "garbage.vez", "missing.vez"}) {
    EXPECT_EQ(Vez({"list", archive}).code, 1) << archive;
    EXPECT_EQ(Vez({"verify", archive}).code, 1) << archive;
    EXPECT_EQ(Vez({"extract", archive, "-C", "out"}).code, 1) << archive;
  }

  // One member's block damaged (its stream outruns the stated length): verify names it,
  // extract writes the others only.
  std::string bytes = tobli::test::WriteArchive(
      "damaged.vez", {{"good.txt", "fine"}, {"bad.txt", std::string(4000, 'q')}});
  size_t badStart = tobli::test::PackBlock("fine").size();
  bytes.replace(badStart, 4, tobli::test::Le32(10));
  WriteFile("damaged.vez", bytes);
  ProcessRun verify = Vez({"verify", "damaged.vez"});
  EXPECT_EQ(verify.code, 1);
  EXPECT_NE(verify.err.find("bad.txt"), std::string::npos) << verify.err;
  EXPECT_EQ(verify.err.find("good.txt"), std::string::npos) << verify.err;
  EXPECT_EQ(Vez({"extract", "damaged.vez", "-C", "out"}).code, 1);
  EXPECT_EQ(ReadFile("out/good.txt"), "fine");
  EXPECT_FALSE(fs::exists("out/bad.txt"));

  // A directory may run to the end of the file without its zero byte; one that stops inside
  // an entry has lost members, which no command passes over in silence.
  std::string block = tobli::test::PackBlock("fine");
  std::string entry = tobli::test::RawEntry("good.txt", 0, static_cast<int32_t>(block.size()));
  WriteFile("open.vez", block + entry + tobli::test::Le32(static_cast<uint32_t>(block.size())));
  EXPECT_EQ(Vez({"verify", "open.vez"}).code, 0);
  std::string lost = tobli::test::RawEntry("lost.txt", 0, static_cast<int32_t>(block.size()));
  WriteFile("cut.vez", block + entry + lost.substr(0, 5) +
                           tobli::test::Le32(static_cast<uint32_t>(block.size())));
  ProcessRun cut = Vez({"verify", "cut.vez"});
  EXPECT_EQ(cut.code, 1);
  EXPECT_NE(cut.err.find("directory ends inside an entry"), std::string::npos) << cut.err;
  ProcessRun cutList = Vez({"list", "cut.vez"});
  EXPECT_EQ(cutList.code, 1);
  EXPECT_NE(cutList.out.find("good.txt\t"), std::string::npos) << cutList.out;
  EXPECT_EQ(Vez({"append", "damaged.vez", "cut.vez"}).code, 1);
  EXPECT_EQ(ReadFile("damaged.vez"), bytes) << "nothing appended from a damaged directory";
}

TEST(VezTool, ExtractKeepsMembersInsideTheFolder) {
  ScopedTempDir dir;
  tobli::test::WriteArchive("evil.vez", {{"../escaped.txt", "x"},
                                         {dir.File("absolute.txt"), "x"},
                                         {"a/./b.txt", "x"},
                                         {"fine/ok.txt", "ok"},
                                         {"FINE/OK.TXT", "a later member of the same name"}});
  ProcessRun extract = Vez({"extract", "evil.vez", "-C", "out"});
  EXPECT_EQ(extract.code, 1);
  EXPECT_EQ(ReadFile("out/fine/ok.txt"), "ok");  // the first of a name counts, as in the game
  EXPECT_FALSE(fs::exists("out/FINE"));
  EXPECT_FALSE(fs::exists("escaped.txt"));
  EXPECT_FALSE(fs::exists("out/a"));
  EXPECT_FALSE(fs::exists(dir.File("absolute.txt")));
}

}  // namespace

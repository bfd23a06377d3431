#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "archive_builder.h"
#include "core/frame.h"
#include "data/archive.h"
#include "data/archive_directory.h"
#include "data/compression.h"
#include "data/little_endian.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using tobli::test::Le32;
using tobli::test::PackBlock;
using tobli::test::RawEntry;
using tobli::test::ReadFile;
using tobli::test::ScopedTempDir;
using tobli::test::TestMember;
using tobli::test::WriteArchive;
using tobli::test::WriteFile;

uint32_t ReadLittleEndianAt(const std::string& bytes, size_t at) {
  return ReadLittleEndian32(reinterpret_cast<const unsigned char*>(bytes.data()) + at);
}

uint32_t ReadLittleEndianTail(const std::string& bytes) {
  return ReadLittleEndianAt(bytes, bytes.size() - 4);
}

std::string ExtractName(uint32_t offset, uint32_t size, const std::string& name) {
  char text[64];
  std::snprintf(text, sizeof(text), "~vez%X%x", offset, size);
  return text + name;
}

// Every extract anywhere under dir.
std::vector<std::string> Extracts(const std::string& dir) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (entry.path().filename().string().rfind("~vez", 0) == 0) found.push_back(entry.path());
  }
  return found;
}

// Fetches name through a slot reading archive; returns the fetched file's contents, or
// "<none>" when the fetch yields nothing.
std::string Fetch(QMDezeZer& slot, const std::string& name) {
  KDStr request(name.c_str());
  if (!ExtractMember(slot, request)) return "<none>";
  return ReadFile(request.GetStrData());
}

QMDezeZer SlotFor(const std::string& archive) {
  QMDezeZer slot;
  slot.szFile = archive.c_str();
  return slot;
}

TEST(ArchiveFetch, PlainFileBeatsItsMember) {
  ScopedTempDir dir;
  WriteArchive("a.vez", {{"tile.bmp", "member"}});
  WriteFile("tile.bmp", "plain");
  QMDezeZer slot = SlotFor("a.vez");
  KDStr name("tile.bmp");
  ASSERT_TRUE(ExtractMember(slot, name));
  EXPECT_EQ(name, "tile.bmp");
  EXPECT_EQ(ReadFile("tile.bmp"), "plain");
  EXPECT_EQ(slot.szTemp, "");
  // A folder of that name is no plain file: the member is fetched.
  fs::create_directory("gfx.bmp");
  WriteArchive("b.vez", {{"gfx.bmp", "member"}});
  slot.szFile = "b.vez";
  EXPECT_EQ(Fetch(slot, "gfx.bmp"), "member");
}

TEST(ArchiveFetch, NamesMatchTheRequestsEndIgnoringCaseFirstMatchWinningMissesEmptyIt) {
  ScopedTempDir dir;
  WriteArchive("a.vez", {{"art/tile.bmp", "nested"}, {"tile.bmp", "flat"}, {"Wall.BMP", "wall"}});
  QMDezeZer slot = SlotFor("a.vez");
  EXPECT_EQ(Fetch(slot, "ART/Tile.BMP"), "nested");
  EXPECT_EQ(Fetch(slot, "gfx/TILE.bmp"), "flat");
  EXPECT_EQ(Fetch(slot, "x/wall.bmp"), "wall");
  // A backslash is not a slash: only the flat member serves it.
  EXPECT_EQ(Fetch(slot, "art\\tile.bmp"), "flat");
  WriteArchive("b.vez", {{"art/tile.bmp", "nested"}});
  slot.szFile = "b.vez";
  EXPECT_EQ(Fetch(slot, "art\\tile.bmp"), "<none>");

  // The first match in directory order wins.
  WriteArchive("c.vez", {{"tile.bmp", "first"}, {"art/tile.bmp", "second"}});
  slot.szFile = "c.vez";
  EXPECT_EQ(Fetch(slot, "art/tile.bmp"), "first");

  // A miss, a request shorter than every member included, yields nothing and empties the name;
  // with no archive to read the name is left alone.
  slot.szFile = "a.vez";
  KDStr shorter("e.bmp");
  EXPECT_FALSE(ExtractMember(slot, shorter));
  EXPECT_EQ(shorter, "");
  KDStr empty("");
  EXPECT_FALSE(ExtractMember(slot, empty));
  QMDezeZer missing = SlotFor("missing.vez");
  KDStr name("tile.bmp");
  EXPECT_FALSE(ExtractMember(missing, name));
  EXPECT_EQ(name, "tile.bmp");
}

TEST(ArchiveFetch, EmptySlotUsesPlainFilesOnly) {
  ScopedTempDir dir;
  WriteArchive("a.vez", {{"tile.bmp", "member"}});
  WriteFile("plain.txt", "plain");
  testing::internal::CaptureStdout();
  SETDEZEZER("", "a.vez");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Setting box:\nSetting box:a.vez\n");
  EXPECT_EQ(Fetch(__g_DezeZer_Data, "plain.txt"), "plain");
  EXPECT_EQ(Fetch(__g_DezeZer_Data, "tile.bmp"), "<none>");
  EXPECT_EQ(Fetch(__g_DezeZer_Media, "tile.bmp"), "member");
  // A path beyond the slot's capacity leaves the slot empty instead of cut short.
  std::string longPath(QMDezeZer::kMaxPath + 1, 'a');
  testing::internal::CaptureStdout();
  SETDEZEZER(longPath.c_str(), "");
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(__g_DezeZer_Data.szFile, "");
  EXPECT_TRUE(Extracts(dir.path()).empty()) << "SETDEZEZER deletes the media extract";
  __g_DezeZer_Data.Clear();
  __g_DezeZer_Media.Clear();
}

TEST(ArchiveFetch, NegativeTrailerCountsFromTheEnd) {
  ScopedTempDir dir;
  std::string host(70000, 'H');
  std::string bytes =
      WriteArchive("game", {{"a.txt", "alpha"}, {"sound/b.wav", "beta"}}, true, host);
  ASSERT_EQ(bytes.compare(0, host.size(), host), 0);
  int32_t trailer = static_cast<int32_t>(ReadLittleEndianTail(bytes));
  EXPECT_LT(trailer, 0);
  QMDezeZer slot = SlotFor("game");
  EXPECT_EQ(Fetch(slot, "a.txt"), "alpha");
  EXPECT_EQ(Fetch(slot, "voice/../sound/b.wav"), "beta");
  // The same archive alone, without the host in front, reads the same.
  WriteFile("alone.vez", bytes.substr(host.size()));
  slot.szFile = "alone.vez";
  EXPECT_EQ(Fetch(slot, "sound/b.wav"), "beta");
}

TEST(ArchiveFetch, OneExtractPerSlotInAPrivateDirectoryLongNamesKeepingTheirEnding) {
  ScopedTempDir dir;
  std::string bytes = WriteArchive("a.vez", {{"sound/Tobli.mp3", "music"}, {"b.txt", "bee"}});
  QMDezeZer slot = SlotFor("a.vez");
  KDStr name("sound/Tobli.mp3");
  ASSERT_TRUE(ExtractMember(slot, name));
  std::string first = name.GetStrData();
  EXPECT_EQ(first, slot.szTemp.GetStrData());
  uint32_t packed = static_cast<uint32_t>(PackBlock("music").size());
  EXPECT_EQ(fs::path(first).filename(), ExtractName(0, packed, "sound_Tobli.mp3"));
  fs::path privateDir = fs::path(first).parent_path();
  EXPECT_EQ(privateDir.parent_path(), fs::path(dir.path()));
  struct stat info;
  ASSERT_EQ(stat(privateDir.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  EXPECT_EQ(Fetch(slot, "b.txt"), "bee");
  std::vector<std::string> left = Extracts(dir.path());
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(fs::path(left[0]).filename(),
            ExtractName(packed, static_cast<uint32_t>(PackBlock("bee").size()), "b.txt"));
  EXPECT_FALSE(fs::exists(first));

  // A member name too long for the slot's path keeps its ending.
  std::string longName = std::string(240, 'n') + ".bmp";
  WriteArchive("long.vez", {{longName, "long"}});
  slot.szFile = "long.vez";
  KDStr request(longName.c_str());
  ASSERT_TRUE(ExtractMember(slot, request));
  std::string path = request.GetStrData();
  EXPECT_LE(path.size(), static_cast<size_t>(QMDezeZer::kMaxPath));
  EXPECT_EQ(path.substr(path.size() - 8), "nnnn.bmp");
  EXPECT_EQ(ReadFile(path), "long");

  slot.Clear();
  EXPECT_TRUE(Extracts(dir.path()).empty());
  EXPECT_FALSE(fs::exists(privateDir));
}

TEST(ArchiveFetch, NewTemporaryDirectoryGetsANewPrivateDirectory) {
  ScopedTempDir outer;
  WriteArchive(outer.File("a.vez"), {{"a.txt", "alpha"}});
  QMDezeZer slot = SlotFor(outer.File("a.vez"));
  ASSERT_EQ(Fetch(slot, "a.txt"), "alpha");
  std::string oldDir = slot.szDir.GetStrData();
  {
    ScopedTempDir inner;
    ASSERT_EQ(Fetch(slot, "a.txt"), "alpha");
    EXPECT_EQ(fs::path(slot.szTemp.GetStrData()).parent_path().parent_path(),
              fs::path(inner.path()));
    EXPECT_FALSE(fs::exists(oldDir));
  }
  // The inner folder, private directory included, is gone: the next fetch makes a fresh one.
  ASSERT_EQ(Fetch(slot, "a.txt"), "alpha");
  EXPECT_EQ(Extracts(outer.path()).size(), 1u);
}

struct Broken {
  const char* what;
  std::string bytes;
};

std::vector<Broken> BrokenArchives() {
  std::string block = PackBlock("payload");
  int32_t n = static_cast<int32_t>(block.size());
  auto withDirectory = [&](const std::string& entries) {
    return block + entries + std::string(1, 0) + Le32(static_cast<uint32_t>(n));
  };
  std::string hostile = block;
  hostile.replace(0, 4, Le32(0xFFFFFFFF));
  auto alone = [](const std::string& b) {
    return b + RawEntry("a.txt", 0, static_cast<int32_t>(b.size())) + std::string(1, 0) +
           Le32(static_cast<uint32_t>(b.size()));
  };
  std::string stream = PackBlock(std::string(3000, 'z') + "tail");
  std::string overlong = stream;
  overlong.replace(0, 4, Le32(100));
  return {
      {"empty file", ""},
      {"shorter than the trailer", "abc"},
      {"trailer past the end", block + RawEntry("a.txt", 0, n) + Le32(100000)},
      {"negative trailer past the start", block + Le32(static_cast<uint32_t>(-1000))},
      {"trailer pointing at itself", block + Le32(static_cast<uint32_t>(n))},
      {"offset past the end", withDirectory(RawEntry("a.txt", 5000, n))},
      {"block running past the end", withDirectory(RawEntry("a.txt", 1, n))},
      {"offset and size overflowing", withDirectory(RawEntry("a.txt", 0x7fffffff, 0x7fffffff))},
      {"negative size", withDirectory(RawEntry("a.txt", 0, -5))},
      {"negative offset in the from-start form", withDirectory(RawEntry("a.txt", -4, 4))},
      {"block smaller than its header", withDirectory(RawEntry("a.txt", 0, 3))},
      {"entry cut short", block + std::string(1, 40) + "a.txt" + Le32(static_cast<uint32_t>(n))},
      {"4 GiB unpacked length", alone(hostile)},
      {"stream cut short", alone(stream.substr(0, stream.size() - 2))},
      {"stream longer than its stated length", alone(overlong)},
  };
}

TEST(ArchiveFetch, BrokenArchivesYieldNothing) {
  for (const Broken& broken : BrokenArchives()) {
    ScopedTempDir dir;
    WriteFile("bad.vez", broken.bytes);
    QMDezeZer slot = SlotFor("bad.vez");
    KDStr name("a.txt");
    EXPECT_FALSE(ExtractMember(slot, name)) << broken.what;
    EXPECT_EQ(name, "") << broken.what;
    EXPECT_EQ(slot.szTemp, "") << broken.what;
    EXPECT_TRUE(Extracts(dir.path()).empty()) << broken.what;
  }
}

TEST(ArchiveDirectoryWalk, BufferedReadsFindTheSameEntriesAsFieldReads) {
  ScopedTempDir dir;
  // Enough entries that the directory crosses several read chunks at every alignment.
  std::vector<TestMember> members;
  for (int i = 0; i < 1500; ++i) {
    members.push_back({std::string(1 + i % 200, 'a' + i % 26) + std::to_string(i), "m"});
  }
  std::string bytes = WriteArchive("many.vez", members);

  // The plain reading, one field at a time.
  std::vector<ArchiveEntry> expected;
  size_t at = ReadLittleEndianTail(bytes);
  while (at < bytes.size() && bytes[at] != 0) {
    size_t length = static_cast<unsigned char>(bytes[at]);
    if (at + 1 + length + 8 > bytes.size()) break;
    ArchiveEntry e;
    e.name = bytes.substr(at + 1, length);
    e.offset = static_cast<int32_t>(ReadLittleEndianAt(bytes, at + 1 + length));
    e.size = static_cast<int32_t>(ReadLittleEndianAt(bytes, at + 5 + length));
    expected.push_back(e);
    at += 1 + length + 8;
  }
  ASSERT_EQ(expected.size(), members.size());

  QMFileSystem file;
  ASSERT_TRUE(file.Open("many.vez", QMFileSystem::kRead));
  FileArchiveSource fileSource(file);
  MemoryArchiveSource memorySource(reinterpret_cast<const unsigned char*>(bytes.data()),
                                   bytes.size());
  for (ArchiveSource* source :
       {static_cast<ArchiveSource*>(&fileSource), static_cast<ArchiveSource*>(&memorySource)}) {
    ArchiveDirectory directory(*source);
    ASSERT_TRUE(directory.Start());
    ArchiveEntry entry;
    size_t i = 0;
    while (directory.Next(entry)) {
      ASSERT_LT(i, expected.size());
      EXPECT_EQ(entry.name, expected[i].name);
      EXPECT_EQ(entry.offset, expected[i].offset);
      EXPECT_EQ(entry.size, expected[i].size);
      ++i;
    }
    EXPECT_EQ(i, expected.size());
  }
  QMDezeZer slot = SlotFor("many.vez");
  EXPECT_EQ(Fetch(slot, members.back().name), "m");
}

TEST(ArchiveFetch, FailedWriteLeavesNoPartialExtract) {
  ScopedTempDir dir;
  std::string big(200000, 0);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7919 >> 3);
  WriteArchive("a.vez", {{"big.bin", big}});
  EXPECT_EXIT(
      {
        // Files may not grow past 4 KiB: the extract's write fails part-way.
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit;
        limit.rlim_cur = limit.rlim_max = 4096;
        setrlimit(RLIMIT_FSIZE, &limit);
        QMDezeZer slot = SlotFor("a.vez");
        KDStr name("big.bin");
        bool fetched = ExtractMember(slot, name);
        bool clean = Extracts(dir.path()).empty();
        _exit(!fetched && clean && name == "" ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST(ArchiveFetch, ProcessExitRemovesExtractsAfterTheTextCacheFlush) {
  ScopedTempDir dir;
  WriteArchive("a.vez", {{"a.txt", "alpha"}, {"b.txt", "beta"}});
  EXPECT_EXIT(
      {
        testing::internal::CaptureStdout();
        SETDEZEZER("a.vez", "a.vez");
        KDStr a("a.txt");
        KDStr b("b.txt");
        ExtractMember(__g_DezeZer_Data, a);
        ExtractMember(__g_DezeZer_Media, b);
        WriteFile("paths", std::string(a.GetStrData()) + "\n" + b.GetStrData() + "\n");
        // Stands in for the text-file cache flush, which runs before the archives' clean-up.
        __AtProcessExit(kExitStepFlushTextCache, [] {
          bool both = fs::exists(__g_DezeZer_Data.szTemp.GetStrData()) &&
                      fs::exists(__g_DezeZer_Media.szTemp.GetStrData());
          WriteFile("at-flush", both ? "present" : "missing");
        });
        __EndProgram();
      },
      testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadFile("at-flush"), "present");
  std::string paths = ReadFile("paths");
  std::string a = paths.substr(0, paths.find('\n'));
  std::string b = paths.substr(paths.find('\n') + 1);
  b.pop_back();
  ASSERT_NE(a, b) << "each slot extracts into its own directory";
  EXPECT_FALSE(fs::exists(a));
  EXPECT_FALSE(fs::exists(b));
  EXPECT_FALSE(fs::exists(fs::path(a).parent_path()));
  EXPECT_FALSE(fs::exists(fs::path(b).parent_path()));
}

}  // namespace

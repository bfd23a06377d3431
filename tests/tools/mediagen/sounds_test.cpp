// The sounds and the archive member lists the build made, checked the way the game reads them.
// The tune is decoded and timed by the mixer in runtime_load_test.cpp; the intro's lines are
// held to the screen by the generator itself (sources_test.cpp), which the build runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "audio/wav_reader.h"
#include "media_names.h"
#include "support/test_support.h"

namespace {

using tobli::test::MediaArchiveNames;
using tobli::test::MediaOutDir;
using tobli::test::ReadFile;
using tobli::test::SoundNames;

TEST(MediaSounds, EveryEffectAndVoiceIsAudible16BitMonoTheLoaderAccepts) {
  std::vector<std::string> names = SoundNames();
  for (size_t slot = 0; slot < names.size(); ++slot) {
    std::string path = MediaOutDir() + "/" + names[slot];
    std::string bytes = ReadFile(path);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr) << names[slot];
    WavHeader h;
    bool ok = ReadWavHeader(f, bytes.size(), h);
    std::fclose(f);
    ASSERT_TRUE(ok) << names[slot];
    EXPECT_EQ(h.format.channels, 1) << names[slot];
    EXPECT_EQ(h.format.samplesPerSec, 22050u) << names[slot];
    EXPECT_EQ(h.format.bitsPerSample, 16) << names[slot];
    EXPECT_EQ(h.format.blockAlign, 2) << names[slot];
    ASSERT_EQ(h.dataSize, bytes.size() - 44) << names[slot];
    double seconds = h.dataSize / 2 / 22050.0;
    bool voice = slot >= 17;
    EXPECT_GE(seconds, voice ? 0.3 : 0.1) << names[slot];
    EXPECT_LE(seconds, voice ? 3.0 : 1.5) << names[slot];
    int peak = 0;
    for (size_t i = 44; i + 1 < bytes.size(); i += 2) {
      int s = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                   static_cast<uint8_t>(bytes[i + 1]) << 8);
      peak = std::max(peak, std::abs(s));
    }
    EXPECT_GT(peak, 16000) << names[slot] << " is too quiet";
  }
}

std::vector<std::string> ReadList(const std::string& path) {
  std::vector<std::string> names;
  std::istringstream in(ReadFile(path));
  std::string line;
  while (std::getline(in, line))
    if (!line.empty()) names.push_back(line);
  return names;
}

bool EndsWithIgnoringCase(const std::string& name, const std::string& entry) {
  if (entry.size() > name.size()) return false;
  return std::equal(entry.begin(), entry.end(), name.end() - entry.size(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

TEST(MediaArchives, MembersAreExactlyWhatTheGameAsksForAndEachFindsItself) {
  std::vector<std::string> members = ReadList(MediaOutDir() + "/media.list");
  std::vector<std::string> wanted = MediaArchiveNames();
  EXPECT_EQ(std::set<std::string>(members.begin(), members.end()),
            std::set<std::string>(wanted.begin(), wanted.end()));
  EXPECT_EQ(members.size(), wanted.size());
  // The archive serves a request by the first entry that ends the requested name; no member
  // may be shadowed by an earlier one. The game also asks for "smalfont.bmp" in small letters.
  wanted.push_back("smalfont.bmp");
  for (const std::string& name : wanted) {
    auto first = std::find_if(members.begin(), members.end(),
                              [&](const std::string& e) { return EndsWithIgnoringCase(name, e); });
    ASSERT_NE(first, members.end()) << name;
    EXPECT_TRUE(EndsWithIgnoringCase(*first, name)) << name << " is served by " << *first;
  }
  EXPECT_EQ(ReadList(MediaOutDir() + "/music.list"), std::vector<std::string>{"sound/Tobli.mp3"});
}

}  // namespace

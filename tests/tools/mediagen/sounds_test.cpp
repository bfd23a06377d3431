// The sounds, the music, the intro text and the archive member lists the build made, checked
// the way the game reads them.
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

namespace {

using tobli::test::MediaArchiveNames;
using tobli::test::MediaOutDir;
using tobli::test::Slurp;
using tobli::test::SoundNames;

TEST(MediaSounds, EveryEffectAndVoiceIsAudible16BitMonoTheLoaderAccepts) {
  std::vector<std::string> names = SoundNames();
  ASSERT_EQ(names.size(), 41u);
  for (size_t slot = 0; slot < names.size(); ++slot) {
    std::string path = MediaOutDir() + "/" + names[slot];
    std::string bytes = Slurp(path);
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

// Walks the MP3 frames of the file; the number of seconds they hold, or -1 when the file is
// not a clean run of frames (an optional tag at either end aside).
double Mp3Seconds(const std::string& data) {
  size_t at = 0;
  if (data.compare(0, 3, "ID3") == 0 && data.size() >= 10) {
    size_t size =
        (data[6] & 0x7F) << 21 | (data[7] & 0x7F) << 14 | (data[8] & 0x7F) << 7 | (data[9] & 0x7F);
    at = 10 + size;
  }
  static const int kBitrates[2][16] = {
      {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},  // MPEG 1
      {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}};     // MPEG 2 and 2.5
  static const int kRates[3][3] = {
      {44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
  double seconds = 0;
  while (at + 4 <= data.size()) {
    if (data.size() - at == 128 && data.compare(at, 3, "TAG") == 0) break;
    auto b = [&](size_t i) { return static_cast<uint8_t>(data[at + i]); };
    if (b(0) != 0xFF || (b(1) & 0xE0) != 0xE0) return -1;
    int version = (b(1) >> 3) & 3;  // 3 MPEG 1, 2 MPEG 2, 0 MPEG 2.5
    int layer = (b(1) >> 1) & 3;    // 1 is layer III
    int bitrate = b(2) >> 4, rateIndex = (b(2) >> 2) & 3, padding = (b(2) >> 1) & 1;
    if (version == 1 || layer != 1 || bitrate == 0 || bitrate == 15 || rateIndex == 3) return -1;
    bool mpeg1 = version == 3;
    int rate = kRates[mpeg1 ? 0 : version == 2 ? 1 : 2][rateIndex];
    int kbps = kBitrates[mpeg1 ? 0 : 1][bitrate];
    size_t length = (mpeg1 ? 144 : 72) * kbps * 1000 / rate + padding;
    seconds += (mpeg1 ? 1152.0 : 576.0) / rate;
    at += length;
  }
  return at == data.size() || data.size() - at == 128 ? seconds : -1;
}

TEST(MediaMusic, TheTitleTuneIsACleanMp3OfMoreThanAMinute) {
  std::string mp3 = Slurp(MediaOutDir() + "/sound/Tobli.mp3");
  ASSERT_FALSE(mp3.empty());
  double seconds = Mp3Seconds(mp3);
  EXPECT_GE(seconds, 60.0);
  EXPECT_LE(seconds, 120.0);
  // A cut file does not walk to its end.
  EXPECT_LT(Mp3Seconds(mp3.substr(0, mp3.size() - 100)), 0);
}

TEST(MediaIntro, EveryLineFitsTheScreenAndNoneEndsTheScrollerEarly) {
  std::string text = Slurp(MediaOutDir() + "/intro.txt");
  ASSERT_FALSE(text.empty());
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  ASSERT_GE(lines.size(), 10u);
  ASSERT_LE(lines.size(), 256u);
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string l = lines[i];
    // As the game reads a line: control characters at its end are dropped.
    while (!l.empty() && static_cast<signed char>(l.back()) <= 31) l.pop_back();
    EXPECT_FALSE(l.empty()) << "line " << i << " would end the intro there";
    EXPECT_LE(l.size(), 38u) << "line " << i;
    for (char c : l) EXPECT_TRUE(c >= 32 && c < 127) << "line " << i;
  }
}

std::vector<std::string> ReadList(const std::string& path) {
  std::vector<std::string> names;
  std::istringstream in(Slurp(path));
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

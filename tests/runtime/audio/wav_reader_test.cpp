// The WAV header rules: the fixed 36 bytes, 14 bytes skipped after a longer fmt chunk, one
// "fact" chunk skipped, "data" required, and every size checked against the file.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "audio/wav_reader.h"
#include "audio_fixture.h"

namespace {

using tobli::test::Le32;
using tobli::test::WavFile;

// Reads the header from the bytes; on success also the bytes that follow it (up to 8).
bool Read(const std::string& bytes, WavHeader& header, std::string* next = nullptr) {
  std::string copy = bytes;
  std::FILE* file = fmemopen(copy.data(), copy.size(), "rb");
  if (file == nullptr) return false;
  bool ok = ReadWavHeader(file, copy.size(), header);
  if (ok && next != nullptr) {
    char buffer[8];
    size_t got = std::fread(buffer, 1, sizeof(buffer), file);
    next->assign(buffer, got);
  }
  std::fclose(file);
  return ok;
}

TEST(WavReader, PlainFileGivesItsFormatAndLeavesTheFileAtTheSamples) {
  WavHeader header;
  std::string next;
  ASSERT_TRUE(Read(WavFile(2, 44100, 16, "ABCDEFGH"), header, &next));
  EXPECT_EQ(header.format.channels, 2);
  EXPECT_EQ(header.format.samplesPerSec, 44100u);
  EXPECT_EQ(header.format.blockAlign, 4);
  EXPECT_EQ(header.format.bitsPerSample, 16);
  EXPECT_EQ(header.dataSize, 8u);
  EXPECT_EQ(next, "ABCDEFGH");
}

TEST(WavReader, ALongerFmtChunkSkipsExactly14BytesAndOneFactChunkIsSkipped) {
  WavHeader header;
  std::string next;
  // An 18-byte fmt chunk: its 2 extra bytes and 12 more are skipped, whatever they hold.
  std::string filler = std::string(2, '\0') + std::string(12, '\xEE');
  ASSERT_TRUE(Read(WavFile(2, 22050, 16, "wxyz", 18, filler), header, &next));
  EXPECT_EQ(header.dataSize, 4u);
  EXPECT_EQ(next, "wxyz");
  // With only the 2 extra bytes before "data", the header read lands inside the data chunk.
  EXPECT_FALSE(Read(WavFile(2, 22050, 16, std::string(64, 'q'), 18, std::string(2, '\0')), header));
  // The skip does not depend on the size given, as long as it is not 16.
  ASSERT_TRUE(Read(WavFile(1, 8000, 8, "s", 50, std::string(14, '\x01')), header, &next));
  EXPECT_EQ(next, "s");

  // One fact chunk is skipped.
  std::string fact = "fact" + Le32(4) + "1234";
  ASSERT_TRUE(Read(WavFile(1, 11025, 8, "pcm!", 16, "", fact), header, &next));
  EXPECT_EQ(next, "pcm!");
  // A second one is not: the chunk after the first must be "data".
  EXPECT_FALSE(Read(WavFile(1, 11025, 8, "pcm!", 16, "", fact + fact), header));
}

TEST(WavReader, FilesWithoutDataTooShortOrWithChunksPastTheirEndAreRefused) {
  WavHeader header;
  std::string full = WavFile(1, 11025, 8, "abc");
  EXPECT_FALSE(Read(full.substr(0, 35), header));  // fewer than 36 bytes
  EXPECT_FALSE(Read(full.substr(0, 40), header));  // no complete chunk header
  EXPECT_FALSE(Read(WavFile(1, 11025, 8, "abc", 16, "", "LIST" + Le32(0)), header));
  std::string renamed = full;
  renamed.replace(36, 4, "date");
  EXPECT_FALSE(Read(renamed, header));
  EXPECT_FALSE(Read(WavFile(1, 11025, 8, "abc", 18, std::string(10, '\0')), header));

  std::string file = WavFile(1, 11025, 8, "abcd");
  ASSERT_TRUE(Read(file, header));
  // The data size claims more bytes than the file has.
  std::string tooBig = file;
  tooBig.replace(40, 4, Le32(5));
  EXPECT_FALSE(Read(tooBig, header));
  tooBig.replace(40, 4, Le32(0xFFFFFFF0u));
  EXPECT_FALSE(Read(tooBig, header));
  // So does a fact chunk.
  std::string fact = "fact" + Le32(0x7FFFFFFF) + "1234";
  EXPECT_FALSE(Read(WavFile(1, 11025, 8, "abcd", 16, "", fact), header));
  // A data chunk that ends exactly at the end of the file is whole; trailing bytes are fine.
  std::string exact = file;
  exact.replace(40, 4, Le32(4));
  EXPECT_TRUE(Read(exact, header));
  EXPECT_TRUE(Read(file + "trailing", header));
}

}  // namespace

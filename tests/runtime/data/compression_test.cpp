#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "data/compression.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Pack(const Bytes& data) {
  QMCompression codec;
  int size = codec.Pack(data.data(), static_cast<long>(data.size()));
  EXPECT_EQ(size, codec.nOut);
  return Bytes(codec.pOut, codec.pOut + codec.nOut);
}

Bytes MixedData(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes data;
  std::string text = "The figure walks from tile to tile and pushes the crate. ";
  while (data.size() < size) {
    switch (random() % 3) {
      case 0:
        data.insert(data.end(), text.begin(), text.end());
        break;
      case 1:
        data.insert(data.end(), 300, static_cast<unsigned char>(random()));
        break;
      default:
        for (int i = 0; i < 200; ++i) data.push_back(static_cast<unsigned char>(random()));
    }
  }
  data.resize(size);
  return data;
}

uint32_t HeaderOf(const Bytes& block) {
  return block[0] | block[1] << 8 | block[2] << 16 | static_cast<uint32_t>(block[3]) << 24;
}

void SetHeader(Bytes& block, uint32_t length) {
  for (int i = 0; i < 4; ++i) block[i] = static_cast<unsigned char>(length >> (8 * i));
}

TEST(Compression, RoundTripsWithinTheWorstCaseBound) {
  std::mt19937 random(7);
  Bytes noise(1 << 20);
  for (auto& b : noise) b = static_cast<unsigned char>(random());
  std::vector<Bytes> inputs = {Bytes{'x'}, MixedData(5000, 1), MixedData(3 << 20, 2), noise,
                               Bytes(16 << 20, 0)};
  for (const Bytes& input : inputs) {
    Bytes block = Pack(input);
    ASSERT_GE(block.size(), 4u);
    EXPECT_EQ(HeaderOf(block), input.size());
    EXPECT_LE(block.size(), QMCompression::MaxPackedLength(input.size()));
    QMCompression codec;
    int length = codec.UnPack(block.data(), static_cast<int>(block.size()));
    // Sixteen MiB of zeros is about as dense as a stream gets: the length check must let it in.
    ASSERT_EQ(length, static_cast<int>(input.size())) << "input of " << input.size();
    EXPECT_FALSE(codec.bError);
    EXPECT_TRUE(std::equal(input.begin(), input.end(), codec.pOut));
  }
}

TEST(Compression, EmptyInputIsAHeaderAndAnEmptyStream) {
  QMCompression codec;
  ASSERT_EQ(codec.Pack(nullptr, 0), 7);
  Bytes block(codec.pOut, codec.pOut + codec.nOut);
  EXPECT_EQ(block, (Bytes{0, 0, 0, 0, 0x11, 0, 0}));
  EXPECT_EQ(codec.UnPack(block.data(), 7), 0);
  EXPECT_FALSE(codec.bError);
  EXPECT_EQ(codec.nOut, 0);
}

TEST(Compression, TruncatedBlocksFail) {
  Bytes block = Pack(MixedData(20000, 3));
  QMCompression codec;
  for (size_t cut = 0; cut < block.size(); cut += (cut < 40 ? 1 : 97)) {
    EXPECT_EQ(codec.UnPack(block.data(), static_cast<int>(cut)), 0) << "cut at " << cut;
    EXPECT_TRUE(codec.bError);
  }
  EXPECT_EQ(codec.UnPack(nullptr, 100), 0);
}

TEST(Compression, StatedLengthBoundsTheOutput) {
  Bytes input = MixedData(10000, 4);
  Bytes block = Pack(input);
  QMCompression codec;

  // A header longer than the stream: the shorter real length comes out.
  SetHeader(block, 12000);
  EXPECT_EQ(codec.UnPack(block.data(), static_cast<int>(block.size())), 10000);
  EXPECT_TRUE(std::equal(input.begin(), input.end(), codec.pOut));

  // A stream longer than the header: it stops there and fails.
  SetHeader(block, 6000);
  EXPECT_EQ(codec.UnPack(block.data(), static_cast<int>(block.size())), 0);
  EXPECT_TRUE(codec.bError);
  EXPECT_LE(codec.nOut, 6000);
  EXPECT_TRUE(std::equal(codec.pOut, codec.pOut + codec.nOut, input.begin()));

  // Bytes after the stream's end marker are not part of any valid block.
  SetHeader(block, 10000);
  Bytes padded = block;
  padded.push_back(0);
  EXPECT_EQ(codec.UnPack(padded.data(), static_cast<int>(padded.size())), 0);
}

TEST(Compression, ImpossibleLengthsAreRefusedBeforeAllocating) {
  Bytes block = Pack(Bytes(100, 'a'));
  uint64_t limit = QMCompression::MaxUnpackedLength(block.size() - 4);
  QMCompression codec;
  for (uint64_t stated : {uint64_t{0xFFFFFFFF}, uint64_t{0x80000000}, limit + 1}) {
    SetHeader(block, static_cast<uint32_t>(stated));
    EXPECT_EQ(codec.UnPack(block.data(), static_cast<int>(block.size())), 0) << stated;
    EXPECT_TRUE(codec.bError);
    EXPECT_EQ(codec.pOut, nullptr);
    EXPECT_EQ(codec.nOut, 0);
  }
  SetHeader(block, static_cast<uint32_t>(limit));
  EXPECT_EQ(codec.UnPack(block.data(), static_cast<int>(block.size())), 100);
}

TEST(Compression, ModeAndBadInputs) {
  Bytes block = Pack(Bytes(50, 'q'));
  QMCompression codec;
  codec.nMode = 2;
  codec.Clear();
  EXPECT_EQ(codec.nMode, 2);
  EXPECT_EQ(codec.UnPack(block.data(), static_cast<int>(block.size())), 0);
  codec.nMode = QMCompression::kModeLzo;
  EXPECT_EQ(codec.UnPack(block.data(), static_cast<int>(block.size())), 50);
  codec.Clear();
  EXPECT_EQ(codec.pOut, nullptr);
  EXPECT_EQ(codec.nOut, 0);
  EXPECT_EQ(codec.Pack(block.data(), -1), 0);
  EXPECT_TRUE(codec.bError);
  EXPECT_EQ(codec.Pack(block.data(), QMCompression::kMaxPackInput + 1), 0);
}

}  // namespace

#include "gfx/bmp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/gfx/bmp_files.h"
#include "runtime/gfx/lit_area.h"
#include "support/test_support.h"

namespace {

using namespace tobli::test;

bool Decode(const std::string& bytes, BmpPicture& picture) {
  return DecodeBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), picture);
}
bool DecodeSize(const std::string& bytes, int& w, int& h) {
  return DecodeBmpSize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), w, h);
}

TEST(BmpReader, FivePixelRowsArePaddedToWholeWords) {
  auto pixels = Gradient(5, 3);
  std::string file24 = MakeBmp24(5, 3, pixels);
  ASSERT_EQ(file24.size(), 54u + 16 * 3);
  BmpPicture picture;
  ASSERT_TRUE(Decode(file24, picture));
  EXPECT_EQ(picture.width, 5);
  EXPECT_EQ(picture.height, 3);
  EXPECT_EQ(picture.pixels, pixels);

  std::vector<uint32_t> palette = {0x000000, 0x8000FF, 0x00FF00, 0xFF0000, 0x123456};
  std::vector<uint8_t> indices = {0, 1, 2, 3, 4, 4, 3, 2, 1, 0};
  std::string file8 = MakeBmp8(5, 2, palette, indices);
  ASSERT_EQ(file8.size(), 54u + 4 * 5 + 8 * 2);
  ASSERT_TRUE(Decode(file8, picture));
  ASSERT_EQ(picture.pixels.size(), indices.size());
  for (size_t i = 0; i < indices.size(); ++i) EXPECT_EQ(picture.pixels[i], palette[indices[i]]);
}

TEST(BmpReader, BottomUpAndTopDownFilesGiveTheSamePicture) {
  auto pixels = Gradient(4, 3);
  std::string bottomUp = MakeBmp24(4, 3, pixels);
  std::string topDown = MakeBmp24(4, -3, pixels);
  ASSERT_NE(bottomUp, topDown);
  BmpPicture a;
  BmpPicture b;
  ASSERT_TRUE(Decode(bottomUp, a));
  ASSERT_TRUE(Decode(topDown, b));
  EXPECT_EQ(a.pixels, pixels);
  EXPECT_EQ(b.pixels, pixels);
  EXPECT_EQ(b.height, 3);
  // The last row of a bottom-up file is the picture's top line.
  EXPECT_EQ(static_cast<uint8_t>(bottomUp[54 + 12 * 2 + 2]), a.At(0, 0) & 0xFF);
  int w = 0;
  int h = 0;
  ASSERT_TRUE(DecodeSize(topDown, w, h));
  EXPECT_EQ(w, 4);
  EXPECT_EQ(h, 3);
}

TEST(BmpReader, PaletteFollowsALongerInformationHeader) {
  // A file with the 124-byte header: its palette starts after it, not at byte 40.
  std::vector<uint32_t> palette = {0x0000FF, 0x00FF00};
  std::string base = MakeBmp8(2, 1, palette, {1, 0});
  std::string file = base.substr(0, 14);
  std::string info = base.substr(14, 40);
  PutLe32(info, 0, 124);
  info += std::string(124 - 40, '\x77');
  file += info + base.substr(54);
  PutLe32(file, kBmpDataOffsetField, static_cast<uint32_t>(14 + 124 + 4 * palette.size()));
  BmpPicture picture;
  ASSERT_TRUE(Decode(file, picture));
  EXPECT_EQ(picture.At(0, 0), 0x00FF00u);
  EXPECT_EQ(picture.At(1, 0), 0x0000FFu);
}

TEST(BmpReader, OtherDepthsAndIndicesBeyondThePaletteDoNotDecode) {
  std::string file16 = BmpHeaders(6, 4, 16, 0) + std::string(BmpStride(6, 16) * 4, '\x11');
  int w = 0;
  int h = 0;
  EXPECT_TRUE(DecodeSize(file16, w, h));
  EXPECT_EQ(w, 6);
  EXPECT_EQ(h, 4);
  BmpPicture picture;
  EXPECT_FALSE(Decode(file16, picture));
  EXPECT_TRUE(picture.pixels.empty());

  // A run-length packed 8-bit file is not decoded as if it were raw rows.
  std::string packed = MakeBmp8(4, 4, {0, 0xFFFFFF}, std::vector<uint8_t>(16, 1));
  PutLe32(packed, kBmpCompressionField, 1);
  EXPECT_FALSE(Decode(packed, picture));

  // Palette indices beyond the palette are refused.
  std::vector<uint32_t> palette = {0x000000, 0xFFFFFF};
  EXPECT_TRUE(Decode(MakeBmp8(2, 2, palette, {0, 1, 1, 0}), picture));
  EXPECT_FALSE(Decode(MakeBmp8(2, 2, palette, {0, 1, 2, 0}), picture));
  EXPECT_TRUE(picture.pixels.empty());
  // An 8-bit file with no palette at all names only colours it does not have.
  EXPECT_FALSE(Decode(MakeBmp8(2, 2, {}, {0, 0, 0, 0}), picture));
}

// Headers that cannot be true are refused by both readers, before anything is sized from them.
TEST(BmpReader, ImpossibleHeadersAreRefused) {
  const std::string good = MakeSolidBmp24(8, 8, 0x808080);
  auto forged = [&](size_t field, uint32_t value) {
    std::string bytes = good;
    PutLe32(bytes, field, value);
    return bytes;
  };
  struct Case {
    const char* what;
    std::string bytes;
  };
  std::vector<Case> cases = {
      {"empty", ""},
      {"not BM", "BN" + good.substr(2)},
      {"file header only", good.substr(0, 14)},
      {"information block cut short", good.substr(0, 40)},
      {"pixel offset beyond the file", forged(kBmpDataOffsetField, 0x7FFFFFF0)},
      {"pixel offset inside the headers", forged(kBmpDataOffsetField, 30)},
      {"zero width", forged(kBmpWidthField, 0)},
      {"negative width", forged(kBmpWidthField, static_cast<uint32_t>(-8))},
      {"zero height", forged(kBmpHeightField, 0)},
      {"height without magnitude", forged(kBmpHeightField, 0x80000000u)},
      {"rows beyond the file", forged(kBmpHeightField, 9)},
      {"product passes 32 bits", forged(kBmpWidthField, 0x10000)},
      {"huge both ways", forged(kBmpHeightField, 0x7FFFFFFF)},
      {"depth that does not exist", forged(kBmpBitsField, 7)},
      {"last pixel byte missing", good.substr(0, good.size() - 1)},
  };
  {
    std::string both = forged(kBmpWidthField, 0x7FFFFFFF);
    PutLe32(both, kBmpHeightField, 0x7FFFFFFF);
    cases.push_back({"widest and tallest", both});
  }
  for (const Case& c : cases) {
    BmpPicture picture;
    int w = -1;
    int h = -1;
    EXPECT_FALSE(Decode(c.bytes, picture)) << c.what;
    EXPECT_TRUE(picture.pixels.empty()) << c.what;
    if (c.bytes.size() != good.size() - 1) {
      EXPECT_FALSE(DecodeSize(c.bytes, w, h)) << c.what;
      EXPECT_EQ(w, 0) << c.what;
      EXPECT_EQ(h, 0) << c.what;
    }
  }
}

TEST(BmpReader, FilesOnDiskReadLikeBuffers) {
  ScopedTempDir dir;
  auto pixels = Gradient(7, 5);
  WriteFile("pic.bmp", MakeBmp24(7, 5, pixels));
  BmpPicture picture;
  ASSERT_TRUE(ReadBmpFile("pic.bmp", picture));
  EXPECT_EQ(picture.pixels, pixels);
  int w = 0;
  int h = 0;
  ASSERT_TRUE(ReadBmpSize("pic.bmp", w, h));
  EXPECT_EQ(w, 7);
  EXPECT_EQ(h, 5);

  EXPECT_FALSE(ReadBmpFile("missing.bmp", picture));
  EXPECT_FALSE(ReadBmpSize("missing.bmp", w, h));
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
  // A directory opens on this platform but is no picture.
  EXPECT_FALSE(ReadBmpFile(dir.path().c_str(), picture));
  EXPECT_FALSE(ReadBmpSize(nullptr, w, h));
}

}  // namespace

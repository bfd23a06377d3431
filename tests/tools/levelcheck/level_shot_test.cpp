// Level pictures drawn from a folder of made-up sprites: layers, the colour key, water added
// to what is below, figures lifted 8 pixels, missing sprites left out, and the BMP written.
#include <gtest/gtest.h>

#include <string>

#include "ascii_level.h"
#include "level_shot.h"
#include "support/test_support.h"

namespace {

using namespace levelcheck;

constexpr uint32_t kKey = 0x008000FF;
constexpr uint32_t kBack = 0x00101010;

// A 32 x 32 sprite of one colour, or of the colour key with one pixel of that colour.
void WriteSprite(int n, uint32_t colour, bool onePixel, int px = 0, int py = 0) {
  Image sprite;
  sprite.width = sprite.height = 32;
  sprite.pixels.assign(32 * 32, onePixel ? kKey : colour);
  if (onePixel) sprite.pixels[py * 32 + px] = colour;
  ASSERT_TRUE(WriteBmp(sprite, "Tobli" + std::to_string(n) + ".bmp"));
}

class LevelShotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSprite(97, kBack, false);
    WriteSprite(73, 0x00808080, false);
    Image floor;
    floor.width = floor.height = 32;
    floor.pixels.assign(32 * 32, 0x0040C0E0);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 4; ++x) floor.pixels[y * 32 + x] = kKey;
    }
    ASSERT_TRUE(WriteBmp(floor, "Tobli60.bmp"));
    WriteSprite(4, 0x00200000, false);
    WriteSprite(14, 0x000000FF, true, 16, 16);
    WriteSprite(93, 0x0000FF00, false);
    WriteSprite(120, 0x00FF00FF, true, 5, 5);
    WriteSprite(126, 0x00123456, true, 6, 6);
  }
  tobli::test::ScopedTempDir dir;
};

TEST_F(LevelShotTest, CellsFiguresAndBackgroundLandInTheirPlacesAndTheBmpReadsBack) {
  Level level = test::AsciiLevel({"#@w.", " aE."});
  level.enemies.push_back({3, 1, 1, 0, 1});  // walks up and down: its picture faces down
  SpriteSet sprites(dir.path());
  Image image = RenderLevel(level, sprites);
  ASSERT_EQ(image.width, 6 * 32);
  ASSERT_EQ(image.height, 4 * 32);
  EXPECT_EQ(image.At(0, 0), kBack);                   // the border
  EXPECT_EQ(image.At(40, 40), 0x00808080u);           // wall (0, 0)
  EXPECT_EQ(image.At(65, 33), kBack);                 // keyed corner of the floor at (1, 0)
  EXPECT_EQ(image.At(74, 52), 0x0040C0E0u);           // the floor itself
  EXPECT_EQ(image.At(69, 29), 0x00FF00FFu);           // the player, 8 pixels up
  EXPECT_EQ(image.At(101, 37), 0x00301010u);          // water added to the background
  EXPECT_EQ(image.At(37, 69), kBack);                 // void is not drawn
  EXPECT_EQ(image.At(80, 80), 0x000000FFu);           // the sweet's one pixel
  EXPECT_EQ(image.At(67, 67), kBack);                 // and its keyed rest
  EXPECT_EQ(image.At(128 + 6, 56 + 6), 0x00123456u);  // the enemy, lifted like the player
  EXPECT_TRUE(sprites.Missing().empty());

  ASSERT_TRUE(WriteBmp(image, "shot.bmp"));
  BmpPicture back;
  ASSERT_TRUE(ReadBmpFile("shot.bmp", back));
  ASSERT_EQ(back.width, image.width);
  ASSERT_EQ(back.height, image.height);
  EXPECT_EQ(back.pixels, image.pixels);
  EXPECT_FALSE(WriteBmp(image, "no-such-folder/shot.bmp"));
}

TEST_F(LevelShotTest, MissingSpritesAreNamedAndLeaveTheBackground) {
  Level level = test::AsciiLevel({"@C"});
  SpriteSet sprites(dir.path());
  Image image = RenderLevel(level, sprites, 0);
  ASSERT_EQ(sprites.Missing().size(), 1u);
  EXPECT_EQ(sprites.Missing()[0], 61);
  EXPECT_EQ(image.At(48, 16), kBack);
  sprites.Get(61);
  EXPECT_EQ(sprites.Missing().size(), 1u);  // asked for once only
}

}  // namespace

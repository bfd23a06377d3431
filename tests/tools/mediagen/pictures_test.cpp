// The pictures the build made, read with the game's own BMP reader: sizes, transparency where
// things are drawn over other things, animation frames that really move, and fonts whose every
// printable character is there.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "gfx/bmp.h"
#include "media_names.h"

namespace {

using tobli::test::MediaOutDir;
using tobli::test::SpriteName;

constexpr uint32_t kKey = 0x8000FF;

BmpPicture Load(const std::string& name) {
  BmpPicture pic;
  EXPECT_TRUE(ReadBmpFile((MediaOutDir() + "/" + name).c_str(), pic)) << name;
  return pic;
}

std::vector<BmpPicture> LoadSprites() {
  std::vector<BmpPicture> sprites;
  for (int n = 0; n < 280; ++n) sprites.push_back(Load(SpriteName(n)));
  return sprites;
}

// Sprites drawn over other pictures: boxes, debris, editor markers and pointer, figures and
// the status bar icons. Every other sprite is a map cell or background and must cover its
// whole square, or the abyss would show through its holes.
std::set<int> SeeThroughSprites() {
  std::set<int> keyed = {107, 110, 112, 113, 114, 115, 116, 117, 118, 119};
  for (int c = 5; c <= 8; ++c) keyed.insert({c, c + 20, c + 40});
  for (int look : {0, 1, 2, 3, 4, 15, 16, 17})
    for (int frame : {0, 20, 40})
      for (int dir = 0; dir < 4; ++dir) keyed.insert(120 + 4 * look + frame + dir);
  for (int n = 260; n <= 268; ++n) keyed.insert(n);
  return keyed;
}

size_t CountKey(const BmpPicture& pic) {
  size_t n = 0;
  for (uint32_t p : pic.pixels) n += p == kKey;
  return n;
}

TEST(MediaSprites, EverySlotHoldsATileWithTransparencyOnlyWhereThingsStandOnOthers) {
  std::vector<BmpPicture> sprites = LoadSprites();
  std::set<int> keyed = SeeThroughSprites();
  for (int n = 0; n < 280; ++n) {
    const BmpPicture& s = sprites[n];
    ASSERT_EQ(s.width, 32) << n;
    ASSERT_EQ(s.height, 32) << n;
    size_t key = CountKey(s);
    if (keyed.count(n)) {
      EXPECT_GT(key, 0u) << "sprite " << n << " should let the floor show around it";
      EXPECT_GE(s.pixels.size() - key, 40u) << "sprite " << n << " is (almost) empty";
    } else {
      EXPECT_EQ(key, 0u) << "sprite " << n << " has see-through holes";
    }
  }
}

// The three frames n, n + 20 and n + 40 of an animated sprite all differ.
void ExpectThreeFramesDiffer(const std::vector<BmpPicture>& sprites, int n) {
  EXPECT_NE(sprites[n].pixels, sprites[n + 20].pixels) << n;
  EXPECT_NE(sprites[n].pixels, sprites[n + 40].pixels) << n;
  EXPECT_NE(sprites[n + 20].pixels, sprites[n + 40].pixels) << n;
}

TEST(MediaSprites, AnimatedCellsMoveAndFiguresFaceFourWaysWalkAndStandFreeOfTheirCorners) {
  std::vector<BmpPicture> sprites = LoadSprites();
  // Fragile floor (9) is not animated: 29 and 49 are its later stages.
  for (int c = 0; c < 20; ++c)
    if (c != 9) ExpectThreeFramesDiffer(sprites, c);
  for (int look : {0, 1, 2, 3, 4, 15, 16, 17}) {
    int base = 120 + 4 * look;
    for (int frame : {0, 20, 40})
      for (int a = 0; a < 4; ++a) {
        const BmpPicture& s = sprites[base + frame + a];
        for (int corner : {0, 31, 31 * 32, 32 * 32 - 1})
          EXPECT_EQ(s.pixels[corner], kKey) << "figure " << base + frame + a;
        for (int b = a + 1; b < 4; ++b)
          EXPECT_NE(s.pixels, sprites[base + frame + b].pixels)
              << "look " << look << " looks the same in two directions";
      }
    for (int dir = 0; dir < 4; ++dir) ExpectThreeFramesDiffer(sprites, base + dir);
  }
}

TEST(MediaSprites, PiecesThatMeanDifferentThingsLookDifferent) {
  std::vector<BmpPicture> sprites = LoadSprites();
  const std::vector<std::vector<int>> groups = {
      {0, 1, 2, 3},                              // beamer pads of four codes
      {5, 6, 7, 8},                              // three gems and the bomb
      {9, 29, 49, 60},                           // fragile floor stages and floor
      {10, 11, 12, 13},                          // keys
      {14, 15, 16, 17},                          // sweets
      {66, 69, 70, 71, 72},                      // ice and its curves
      {73, 74, 75, 76, 77, 78, 79},              // wall pieces
      {81, 82, 101, 102},                        // lowered and raised blocks
      {83, 84, 103, 104},                        // conveyors
      {87, 88, 89, 90, 91},                      // doors
      {93, 272, 273},                            // exit closed and open
      {94, 95, 96},                              // explosion stages
      {65, 274},                                 // magnet on and off
      {110, 112, 113, 114, 115},                 // mode markers
      {116, 117, 118},                           // speed markers
      {261, 262, 263, 264, 265, 266, 267, 268},  // status bar icons
  };
  for (const auto& g : groups)
    for (size_t i = 0; i < g.size(); ++i)
      for (size_t j = i + 1; j < g.size(); ++j)
        EXPECT_NE(sprites[g[i]].pixels, sprites[g[j]].pixels) << g[i] << " and " << g[j];
}

void CheckFont(const std::string& name, int cellHeight) {
  BmpPicture font = Load(name);
  ASSERT_EQ(font.width, 256) << name;
  ASSERT_EQ(font.height, 8 * cellHeight) << name;
  auto cell = [&](int c) {
    std::vector<uint32_t> px;
    for (int y = 0; y < cellHeight; ++y)
      for (int x = 0; x < 16; ++x)
        px.push_back(font.pixels[((c / 16) * cellHeight + y) * 256 + (c % 16) * 16 + x]);
    return px;
  };
  std::set<std::vector<uint32_t>> seen;
  for (int c = 0; c < 128; ++c) {
    std::vector<uint32_t> px = cell(c);
    int ink = 0;
    for (uint32_t p : px) ink += p != 0;
    if (c > 32 && c < 127) {
      EXPECT_GE(ink, 8) << name << ": no letter for '" << static_cast<char>(c) << "'";
      EXPECT_TRUE(seen.insert(px).second)
          << name << ": '" << static_cast<char>(c) << "' looks like another character";
    } else {
      EXPECT_EQ(ink, 0) << name << ": cell " << c << " should be blank";
    }
    // The side columns stay black, so a letter never runs into the next one's cell.
    for (int y = 0; y < cellHeight; ++y) {
      EXPECT_EQ(px[y * 16], 0u) << name << " cell " << c;
      EXPECT_EQ(px[y * 16 + 15], 0u) << name << " cell " << c;
    }
  }
}

TEST(MediaFonts, EveryPrintableCharacterHasItsOwnLetterInItsCell) {
  CheckFont("Smalfont.bmp", 20);
  CheckFont("BigFont.bmp", 24);
}

TEST(MediaScreens, FullScreensAndHeadingsFitWhereTheGameDrawsThem) {
  for (const char* name : {"Title.bmp", "GameSelect.bmp", "Help.bmp", "Gameover.bmp"}) {
    BmpPicture pic = Load(name);
    EXPECT_EQ(pic.width, 640) << name;
    EXPECT_EQ(pic.height, 480) << name;
  }
  // Heading 1 comes in from x = -256 to 64, heading 2 from 640 to 280, heading 3 rises to
  // (200, 24) and stays at (200, 20): each starts off screen and ends on it.
  BmpPicture h1 = Load("Heading1.bmp"), h2 = Load("Heading2.bmp"), h3 = Load("Heading3.bmp");
  EXPECT_LE(h1.width, 256);
  EXPECT_LE(50 + h1.height, 480);
  EXPECT_LE(280 + h2.width, 640);
  EXPECT_LE(50 + h2.height, 480);
  EXPECT_LE(200 + h3.width, 640);
  EXPECT_LE(24 + h3.height, 480);
  for (const BmpPicture* h : {&h1, &h2, &h3}) {
    size_t key = CountKey(*h);
    EXPECT_GT(key, 0u);
    EXPECT_GT(h->pixels.size() - key, h->pixels.size() / 10);
  }
}

}  // namespace

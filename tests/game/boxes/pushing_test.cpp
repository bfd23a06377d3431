// Pushing boxes: the player's pushes in the game loop, what a box may enter, and the crate
// targets.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "audio/sound_log.h"
#include "box_test_support.h"
#include "game.h"

namespace tobli::test {
namespace {

using Pushing = BoxTest;

TEST_F(Pushing, CrateOnFloorGlidesSixteenFramesAndIsATileAgain) {
  std::vector<double> steps;
  PlayMoves(Level({{60, 61, 60, 60, 73}}), "R", 5, [&steps] {
    if (maxbox > 0) steps.push_back(boxdelay(0));
  });
  // The frame of the push, then one frame per two pixels; the sixteenth frame ends the step.
  std::vector<double> expected;
  for (double d = 16; d >= 1; --d) expected.push_back(d);
  EXPECT_EQ(steps, expected);
  EXPECT_EQ(maxbox, 0);
  EXPECT_EQ(Cell(1, 0), 60);
  EXPECT_EQ(Cell(2, 0), 61);
  EXPECT_EQ(plyx, (1 + kMargin) * 32);
  // One from the box's step, one more from the player control.
  EXPECT_EQ(SoundLogCount(2), 2u);
  // A level without targets never gives the crate key.
  EXPECT_EQ(boxmission, 0);
  EXPECT_EQ(kys(4), 0);
  EXPECT_EQ(SoundLogCount(12), 0u);
}

TEST_F(Pushing, CoveringTheLastTargetGivesTheSilverKeyOnce) {
  LevelSpec spec = Level({
      {60, 60, 60, 60, 60, 73},
      {60, 61, 100, 60, 60, 73},
      {60, 61, 100, 60, 60, 73},
      {73, 73, 73, 73, 73, 73},
  });
  spec.startY = 1;
  double keysWhenFirstCovered = -1;
  PlayMoves(spec, "RLDR", 20, [&keysWhenFirstCovered] {
    double first = BoxAt(2, 1);
    if (keysWhenFirstCovered < 0 && first >= 0 && boxm(first) == 5) {
      keysWhenFirstCovered = kys(4);
    }
  });
  // The first crate rests on its target as a box; one target still open gives nothing.
  EXPECT_EQ(keysWhenFirstCovered, 0);
  ASSERT_EQ(maxbox, 2);
  EXPECT_EQ(boxlook(BoxAt(2, 1)), 61);
  EXPECT_EQ(boxlook(BoxAt(2, 2)), 61);
  EXPECT_EQ(SoundLogCount(14), 2u);
  // The second one completes the mission: one key, its sound, its icon at the player's tile.
  EXPECT_EQ(boxmission, 1);
  EXPECT_EQ(kys(4), 1);
  EXPECT_EQ(SoundLogCount(12), 1u);
  ASSERT_EQ(kynum, 1);
  EXPECT_EQ(kylook(0), 14);
  EXPECT_EQ(kyshowx(0), 1 + kMargin);
  EXPECT_EQ(kyshowy(0), 2 + kMargin);

  // Off the target and back on: the target sounds again, the key does not come again.
  EXPECT_EQ(PushBox(2, 2, kRight), 1);
  Frames(16);
  EXPECT_EQ(Cell(3, 2), 61);
  EXPECT_EQ(PushCrate(3, 2, kLeft), 1);
  Frames(16);
  EXPECT_GE(BoxAt(2, 2), 0);
  EXPECT_EQ(kys(4), 1);
  EXPECT_EQ(SoundLogCount(12), 1u);
  EXPECT_EQ(SoundLogCount(14), 3u);
}

TEST_F(Pushing, EachKindOfBoxEntersOnlyItsTiles) {
  const std::vector<int> everyBox = {4,  9,  29, 49, 60, 65, 66, 67,  68,  69,  70, 71,
                                     72, 80, 81, 82, 83, 84, 92, 100, 103, 104, 109};
  const std::vector<int> bombsOnly = {18, 19};
  const std::vector<int> noBox = {0,  3,  10, 14, 61, 62, 63,  64,  73,  79,
                                  85, 86, 87, 91, 93, 94, 101, 102, 105, 106};
  // Row r: a bomb pushed right into the code, then a gem pushed right into it.
  std::vector<int> codes;
  for (const auto* list : {&everyBox, &bombsOnly, &noBox}) {
    codes.insert(codes.end(), list->begin(), list->end());
  }
  LevelSpec spec;
  for (int code : codes) spec.rows.push_back({8, code, 73, 5, code, 73});
  LoadForPlay(spec);

  for (size_t r = 0; r < codes.size(); ++r) {
    int code = codes[r];
    SCOPED_TRACE(code);
    bool intoFire = code == 18 || code == 19;
    bool free = intoFire || std::find(everyBox.begin(), everyBox.end(), code) != everyBox.end();
    EXPECT_EQ(PushBox(0, static_cast<int>(r), kRight), free ? 1 : 0);
    EXPECT_EQ(PushBox(3, static_cast<int>(r), kRight), free && !intoFire ? 1 : 0);
  }

  // No box on the tile, or none at all: nothing moves.
  Do([] { EXPECT_EQ(pushbox(1 + kMargin, kMargin), 0); });
  double boxes = maxbox;
  maxbox = 0;
  Do([] { EXPECT_EQ(pushbox(kMargin, kMargin), 0); });
  maxbox = boxes;
}

TEST_F(Pushing, BlockedGemStopsAGemMovingOnTheSameAxisOnly) {
  LoadForPlay(Level({{5, 6, 60, 73}, {60, 60, 60, 73}}));
  double other = BoxAt(1, 0);
  boxm(other) = kLeft;
  EXPECT_EQ(PushBox(0, 0, kRight), 0);
  EXPECT_EQ(boxm(other), 5);
  EXPECT_EQ(boxm(BoxAt(0, 0)), 5);
  EXPECT_EQ(SoundLogCount(9), 1u);

  // Moving across the pusher's axis, it goes on.
  boxm(other) = kDown;
  EXPECT_EQ(PushBox(0, 0, kRight), 0);
  EXPECT_EQ(boxm(other), kDown);
  EXPECT_EQ(SoundLogCount(9), 2u);
}

TEST_F(Pushing, MagnetHoldsABoxUntilAPlateIsPressed) {
  // Row 0: a bomb on a magnet; row 1: a bomb that can be moved onto a plate.
  LoadForPlay(Level({{60, 8, 60, 60, 80, 73}, {60, 60, 60, 8, 60, 73}}));
  Cell(1, 0) = 65;
  auto magnetHolds = [this] {
    double holds = -1;
    Do([&holds] { holds = magnetcheck(); });
    return holds;
  };
  EXPECT_EQ(magnetHolds(), 1);
  magnet = 1;
  EXPECT_EQ(PushBox(1, 0, kRight), 0);

  // The player on the plate.
  PlacePlayer(4, 0);
  EXPECT_EQ(magnetHolds(), 0);
  PlacePlayer(0, 0);

  // A box on a plate.
  Cell(3, 1) = 80;
  EXPECT_EQ(magnetHolds(), 0);
  Cell(3, 1) = 60;

  // An enemy on the plate, anywhere within the tile.
  maxene = 1;
  enex(0) = (4 + kMargin) * 32 + 31;
  eney(0) = kMargin * 32;
  EXPECT_EQ(magnetHolds(), 0);
  enex(0) = (5 + kMargin) * 32;
  EXPECT_EQ(magnetHolds(), 1);

  magnet = 0;
  EXPECT_EQ(PushBox(1, 0, kRight), 1);
}

}  // namespace
}  // namespace tobli::test

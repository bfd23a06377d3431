// The play-field drawing's own state, headless: the scroll position and the ageing of the
// pick-up icons.
#include <gtest/gtest.h>

#include "driver/headless_driver.h"
#include "game.h"
#include "support/test_support.h"

namespace {

using tobli::game::HeadlessDriver;

class Display : public ::testing::Test {
 protected:
  Display() {
    for (double c = 0; c < 128; c = c + 1) {
      for (double r = 0; r < 128; r = r + 1) hit(c, r) = 92;
    }
  }
  // A level of the given stored size as the loader places it (margin 6).
  void LevelSize(double columns, double rows) {
    maxx = columns - 1;
    maxy = rows - 1;
    xlevel = 6 + maxx + 5;
    ylevel = 6 + maxy + 5;
  }

  tobli::test::ScopedTempDir dir_;
  HeadlessDriver driver_;
};

TEST_F(Display, ViewFollowsThePlayerWithinTheUsedMap) {
  LevelSize(60, 40);  // 70 by 50 tiles used
  plyx = 1000;
  plyy = 800;
  displaygame();
  EXPECT_EQ(offsx, 1000 - 304);
  EXPECT_EQ(offsy, 800 - 208);

  // At the far edges the view stops at the used map's end.
  plyx = 70 * 32 - 100;
  plyy = 50 * 32 - 50;
  displaygame();
  EXPECT_EQ(offsx, 70 * 32 - 640);
  EXPECT_EQ(offsy, 50 * 32 - 480);

  // Near the top left corner the margin's first column and row stay off screen.
  plyx = 7 * 32;
  plyy = 6 * 32;
  displaygame();
  EXPECT_EQ(offsx, 32);
  EXPECT_EQ(offsy, 32);

  // A level smaller than the screen: the lower bound wins.
  LevelSize(3, 2);
  plyx = 8 * 32;
  plyy = 7 * 32;
  displaygame();
  EXPECT_EQ(offsx, 32);
  EXPECT_EQ(offsy, 32);
}

TEST_F(Display, PickupIconsLive101FramesAndAFinishedOneTakesTheLastPlace) {
  LevelSize(3, 2);
  kynum = 1;
  kymove(0) = 0;
  kylook(0) = 10;
  for (int frame = 0; frame < 100; ++frame) displaygame();
  EXPECT_EQ(kynum, 1);
  EXPECT_EQ(kymove(0), 100);
  displaygame();
  EXPECT_EQ(kynum, 0);

  // The oldest entry ends: the youngest takes its place and is aged in the same frame.
  kynum = 3;
  const double ages[] = {100, 40, 5};
  const double looks[] = {8, 9, 10};
  for (int k = 0; k < 3; ++k) {
    kymove(k) = ages[k];
    kylook(k) = looks[k];
    kyshowx(k) = 7 + k;
  }
  displaygame();
  ASSERT_EQ(kynum, 2);
  EXPECT_EQ(kylook(0), 10);
  EXPECT_EQ(kyshowx(0), 9);
  EXPECT_EQ(kymove(0), 6);
  EXPECT_EQ(kylook(1), 9);
  EXPECT_EQ(kymove(1), 41);

  // An entry in the middle ends: the pass starts over, so the one before it ages twice.
  kymove(0) = 30;
  kymove(1) = 100;
  displaygame();
  ASSERT_EQ(kynum, 1);
  EXPECT_EQ(kylook(0), 10);
  EXPECT_EQ(kymove(0), 32);
}

}  // namespace

// Moving the window over the map: arrow keys, the pointer at the screen's edges, the
// overview, and keypad + and - that switch level files.
#include <gtest/gtest.h>

#include <vector>

#include "editor_script.h"
#include "game.h"

namespace tobli::test {
namespace {

TEST_F(EditorTest, PointerAtTheLeftEdgeScrollsOneTilePerFrameDownToZero) {
  WriteLevelFile(0, FloorLevel(30, 20));
  script_.Press(keys::kRight, 5);
  uint64_t edge = script_.frame();
  script_.MoveTo(0, 200);
  script_.Wait(10);
  std::vector<double> seen;
  driver_.OnEveryFrame([&seen, edge](uint64_t frame) {
    if (frame >= edge) seen.push_back(offsx);
  });
  script_.Leave();
  RunEditor();

  // Frame `edge` shows the window at 5; each later pass moves it by one until it is at 0.
  ASSERT_GE(seen.size(), 8u);
  EXPECT_EQ(std::vector<double>(seen.begin(), seen.begin() + 8),
            (std::vector<double>{5, 5, 4, 3, 2, 1, 0, 0}));
  EXPECT_EQ(offsy, 0);
}

TEST_F(EditorTest, ScrollingStopsAtTheLastWindowOfTheMap) {
  WriteLevelFile(0, FloorLevel(30, 20));
  // The pointer at the bottom right corner pushes both ways for longer than the map is wide.
  script_.MoveTo(640, 480);
  script_.Wait(120);
  script_.MoveTo(300, 200);
  script_.Press(keys::kRight, 3);
  script_.Leave();
  RunEditor();

  EXPECT_EQ(offsx, 80);
  EXPECT_EQ(offsy, 85);
}

TEST_F(EditorTest, OverviewClickPutsTheWindowAroundTheClickedCell) {
  WriteLevelFile(0, FloorLevel(30, 20));
  script_.Press(keys::kM);
  script_.Click({200, 160});
  driver_.At(script_.frame(), [] {
    EXPECT_EQ(offsx, 40);
    EXPECT_EQ(offsy, 33);
  });
  script_.Wait(2);
  script_.Press(keys::kM);
  script_.Click({639, 479});
  driver_.At(script_.frame(), [] {
    EXPECT_EQ(offsx, 80);
    EXPECT_EQ(offsy, 85);
  });
  script_.Wait(2);
  script_.Press(keys::kM);
  script_.Click({20, 12});
  script_.Leave();
  RunEditor();

  EXPECT_EQ(offsx, 0);
  EXPECT_EQ(offsy, 0);
  // The clicks chose places; none of them painted.
  for (int c = 1; c <= 30; ++c) {
    for (int r = 1; r <= 20; ++r) ASSERT_EQ(hit(c, r), 60) << c << "," << r;
  }
}

TEST_F(EditorTest, KeypadPlusAndMinusStepOneLevelPerPressWithinZeroTo100) {
  LevelSpec last = FloorLevel(3, 2);
  last.hint = "last";
  WriteLevelFile(100, last);
  LevelSpec before = FloorLevel(4, 2);
  before.hint = "before";
  WriteLevelFile(99, before);

  level = 100;
  script_.Press(keys::kPadPlus);
  driver_.At(script_.frame() + 3, [] {
    EXPECT_EQ(level, 100);
    EXPECT_EQ(hint_Str, "last");
  });
  script_.Wait(4);
  // Held for many frames, minus still steps once.
  script_.Press(keys::kPadMinus, 12);
  script_.Wait(3);
  script_.Leave();
  RunEditor();
  EXPECT_EQ(level, 99);
  EXPECT_EQ(hint_Str, "before");

  level = 0;
  EditorScript atZero(driver_);
  atZero.Press(keys::kPadMinus);
  atZero.Wait(3);
  atZero.Leave();
  RunEditor();
  EXPECT_EQ(level, 0);
  EXPECT_EQ(file_Str, "levels/Level.0");
}

}  // namespace
}  // namespace tobli::test

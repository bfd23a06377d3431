// Painting with the mouse: rectangles dragged either way, wall pieces shaped from their
// neighbours, and the palette that hands out tools 0 to 80 only. (The start tool is used by
// the test game in files_test.cpp, which starts where it was put.)
#include <gtest/gtest.h>

#include <string>

#include "editor_script.h"
#include "game.h"

namespace tobli::test {
namespace {

TEST_F(EditorTest, DragFromLowerRightToUpperLeftPaintsTheWholeRectangle) {
  WriteLevelFile(0, FloorLevel(20, 15));
  script_.PickTool(kFragileTool);
  script_.Drag(CellPoint(10, 12), CellPoint(4, 3));
  // A click without dragging paints its one cell.
  script_.Click(CellPoint(15, 14));
  script_.Leave();
  RunEditor();

  for (int c = 1; c <= 20; ++c) {
    for (int r = 1; r <= 15; ++r) {
      bool inside = (c >= 4 && c <= 10 && r >= 3 && r <= 12) || (c == 15 && r == 14);
      ASSERT_EQ(hit(c, r), inside ? 9 : 60) << c << "," << r;
    }
  }
}

TEST_F(EditorTest, WallsTakeThePieceThatMatchesTheirWallNeighbours) {
  LevelSpec level = FloorLevel(20, 15);
  // Loaded walls keep their codes until the first rectangle is painted.
  level.rows[13][14] = level.rows[13][15] = level.rows[13][16] = 73;
  WriteLevelFile(0, level);
  driver_.At(kFirstPassFrame + 2, [] {
    EXPECT_EQ(hit(15, 14), 73);
    EXPECT_EQ(hit(16, 14), 73);
  });

  // The wall is the tool the editor starts with.
  script_.Wait(3);
  script_.Drag(CellPoint(2, 2), CellPoint(4, 4));   // a 3 x 3 block
  script_.Drag(CellPoint(8, 2), CellPoint(12, 2));  // an outline of four lines
  script_.Drag(CellPoint(8, 6), CellPoint(12, 6));
  script_.Drag(CellPoint(8, 2), CellPoint(8, 6));
  script_.Drag(CellPoint(12, 6), CellPoint(12, 2));
  script_.Click(CellPoint(17, 9));                   // a single wall
  script_.Drag(CellPoint(2, 10), CellPoint(6, 10));  // a horizontal line
  script_.Drag(CellPoint(18, 2), CellPoint(18, 5));  // a vertical line
  script_.Leave();
  RunEditor();

  // Columns 2 to 18 of rows 2 to 10, each cell's code less 70 ('.' floor): 3 a lone or inner
  // wall, 4 a horizontal and 5 a vertical piece, 6 to 9 the corners.
  const char* want[] = {
      "637...64447.....5", "333...5...5.....5", "839...5...5.....5",
      "......5...5.....5", "......84449......", ".................",
      ".................", "...............3.", "44444............",
  };
  for (int r = 2; r <= 10; ++r) {
    std::string row;
    for (int c = 2; c <= 18; ++c) {
      row += hit(c, r) == 60 ? '.' : static_cast<char>('0' + static_cast<int>(hit(c, r)) - 70);
    }
    EXPECT_EQ(row, want[r - 2]) << "row " << r;
  }
  // The loaded line was shaped as well, once shaping had begun.
  for (int c = 15; c <= 17; ++c) EXPECT_EQ(hit(c, 14), 74) << c;
}

TEST_F(EditorTest, WallsAtTheMapsEdgeAreShapedWithoutLookingPastIt) {
  // drawcorners on its own: walls down column 0 and along row 104 (beyond the part the
  // cursor reaches) are shaped from the neighbours that exist.
  game::RunResult result = driver_.Run([] {
    for (double c = 0; c < 128; c = c + 1) {
      for (double r = 0; r < 128; r = r + 1) hit(c, r) = 92;
    }
    for (double r = 0; r <= 2; r = r + 1) hit(0, r) = 73;
    for (double c = 100; c <= 104; c = c + 1) hit(c, 104) = 73;
    hit(105, 104) = 73;  // outside the pass: left as it is
    drawcorners();
  });
  ASSERT_EQ(result.end, game::RunEnd::kReturned);
  EXPECT_EQ(hit(0, 0), 75);
  EXPECT_EQ(hit(0, 1), 75);
  EXPECT_EQ(hit(0, 2), 75);
  // Cells from column 100 on do not look to their right.
  EXPECT_EQ(hit(100, 104), 73);
  EXPECT_EQ(hit(101, 104), 74);
  EXPECT_EQ(hit(104, 104), 74);
  EXPECT_EQ(hit(105, 104), 73);
}

TEST_F(EditorTest, PaletteStaysOpenUntilACellUpTo80IsClicked) {
  // Cell 85 (a void cell beyond the tools) and cell 120 keep it open; cell 80 is taken.
  script_.Wait(1);
  script_.Click(PaletteCell(85));
  script_.Click(PaletteCell(120));
  script_.Click(PaletteCell(80));
  double tool = -1;
  game::RunResult result = driver_.Run([&tool] {
    InitEditor();
    tool = tileselect();
  });
  ASSERT_EQ(result.end, game::RunEnd::kReturned);
  EXPECT_EQ(tool, 80);
  EXPECT_GE(result.frames, 12u) << "the palette closed before the third click";

  // The pointer's rightmost position, x = 640, is still the last column of the row.
  EditorScript edge(driver_, 1);
  edge.Click({640, 16});
  result = driver_.Run([&tool] {
    InitEditor();
    tool = tileselect();
  });
  ASSERT_EQ(result.end, game::RunEnd::kReturned);
  EXPECT_EQ(tool, 19);
}

}  // namespace
}  // namespace tobli::test

// Edits are taken back with Z and made again with Y, one press a step: painting (with the
// shaping of walls that follows it), enemies, clearing and loading the level again. And the
// box of keys that tells about them.
#include <gtest/gtest.h>

#include "editor_script.h"
#include "game.h"

namespace tobli::test {
namespace {

class Undo : public EditorTest {
 protected:
  void SetUp() override {
    LevelSpec spec = FloorLevel(8, 6);
    spec.hint = "kept";
    WriteLevelFile(3, spec);
    WriteLevelFile(4, FloorLevel(5, 5));
    ::level = 3;
  }
  // Checks, once the script's actions so far have been read, what the level holds.
  void ExpectAt(double x, double y, double code, double enemies) {
    const uint64_t frame = script_.frame() + 1;
    driver_.At(frame, [=] {
      EXPECT_EQ(hit(x, y), code) << "frame " << frame;
      EXPECT_EQ(maxene, enemies) << "frame " << frame;
    });
    script_.Wait(2);
  }
  void ClearAll() {
    driver_.HoldKey(keys::kC, script_.frame(), script_.frame() + 2);
    driver_.HoldKey(keys::kSpace, script_.frame(), script_.frame() + 2);
    script_.Wait(3);
  }
};

TEST_F(Undo, StepsBackThroughEditsAndForwardAgain) {
  script_.PickTool(kFragileTool);
  script_.Click(CellPoint(2, 2));
  script_.PickTool(kEnemyTool);
  script_.Click(CellPoint(3, 3));
  ClearAll();
  ExpectAt(2, 2, 92, 0);

  script_.Press(keys::kZ, 3);  // held: one step only
  ExpectAt(2, 2, 9, 1);
  script_.Press(keys::kZ);
  ExpectAt(2, 2, 9, 0);
  script_.Press(keys::kZ);
  ExpectAt(2, 2, 60, 0);
  script_.Press(keys::kZ);  // nothing older
  ExpectAt(2, 2, 60, 0);
  script_.Press(keys::kY);
  script_.Wait(1);
  script_.Press(keys::kY);
  ExpectAt(2, 2, 9, 1);
  driver_.At(script_.frame(), [] { EXPECT_EQ(enelook(0), 1); });

  // A new edit ends the way forward.
  script_.PickTool(kFragileTool);
  script_.Click(CellPoint(5, 5));
  script_.Press(keys::kY);
  ExpectAt(2, 2, 9, 1);
  script_.Press(keys::kZ);
  ExpectAt(5, 5, 60, 1);
  script_.Leave();
  RunEditor();
}

// Painting walls reshapes every wall of the map in the next pass; one Z takes both back.
// Loading the level again drops the edits, and Z brings them back.
TEST_F(Undo, WallsWithTheirShapingAndAReloadAreOneStepEach) {
  script_.Wait(2);
  script_.Drag(CellPoint(2, 2), CellPoint(4, 2));  // the wall is the first tool
  ExpectAt(3, 2, 74, 0);
  script_.Press(keys::kL);
  script_.Continue();
  ExpectAt(3, 2, 60, 0);
  script_.Press(keys::kZ);
  ExpectAt(3, 2, 74, 0);
  script_.Press(keys::kZ);
  ExpectAt(3, 2, 60, 0);
  driver_.At(script_.frame(), [] {
    EXPECT_EQ(hit(2, 2), 60);
    EXPECT_EQ(hit(4, 2), 60);
  });
  script_.Press(keys::kEnter);  // back where it was saved: one Enter leaves
  RunEditor();
  EXPECT_EQ(hint_Str, "kept");
}

// Walls written by hand and never shaped (73 stands alone; stored row 4 is the map's row 5)
// are shaped with the first paint.
// Taking that paint back keeps them shaped, so Y still has it to make again; and another
// level of unshaped walls, loaded while shaping is on, has no edits to ask about.
TEST_F(Undo, UnshapedWallsAreNoEditOfTheirOwn) {
  LevelSpec spec = FloorLevel(8, 6);
  for (int x = 1; x <= 5; ++x) spec.rows[4][x] = 73;
  WriteLevelFile(3, spec);
  WriteLevelFile(4, spec);
  script_.PickTool(kFragileTool);
  script_.Click(CellPoint(2, 2));
  ExpectAt(3, 5, 74, 0);
  script_.Press(keys::kZ);
  ExpectAt(2, 2, 60, 0);
  script_.Press(keys::kY);
  ExpectAt(2, 2, 9, 0);
  script_.Press(keys::kS);
  script_.Continue();
  script_.Press(keys::kPadPlus);
  script_.Wait(2);
  ExpectAt(3, 5, 74, 0);
  script_.Press(keys::kEnter);  // nothing edited here: one Enter leaves
  RunEditor();
}

// Another level number starts afresh: Z there does not bring back the other level's edits.
TEST_F(Undo, AnotherLevelNumberHasNothingToTakeBack) {
  script_.PickTool(kFragileTool);
  script_.Click(CellPoint(2, 2));
  script_.Press(keys::kS);
  script_.Continue();
  script_.Press(keys::kPadPlus);
  script_.Wait(2);
  script_.Press(keys::kZ);
  ExpectAt(2, 2, 60, 0);
  driver_.At(script_.frame(), [] { EXPECT_EQ(::level, 4); });
  script_.Press(keys::kEnter);
  RunEditor();
}

// F1 shows the keys until a key or a button is pressed; what closes the box does nothing else.
TEST_F(Undo, TheKeysBoxTakesTheClickOrKeyThatClosesIt) {
  script_.PickTool(kFragileTool);
  script_.Click(CellPoint(2, 2));
  script_.Press(keys::kF1);
  script_.Wait(2);
  script_.Click(CellPoint(5, 5));  // closes the box: paints nothing
  ExpectAt(5, 5, 60, 0);
  script_.Press(keys::kF1);
  script_.Wait(2);
  script_.Press(keys::kZ, 3);  // closes the box: takes nothing back
  ExpectAt(2, 2, 9, 0);
  script_.Press(keys::kZ);
  ExpectAt(2, 2, 60, 0);
  script_.Press(keys::kEnter);
  RunEditor();
}

}  // namespace
}  // namespace tobli::test

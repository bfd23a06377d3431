// The editor's work with level files and the rest of the program: save and load, a level
// number without a file, test games, the hint, clearing, and the way in from the title.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor_script.h"
#include "game.h"

namespace tobli::test {
namespace {

TEST_F(EditorTest, SaveThenLoadGivesBackTheSavedLevel) {
  LevelSpec level = FloorLevel(12, 9);
  level.hint = "keep";
  WriteLevelFile(3, level);
  ::level = 3;

  script_.Drag(CellPoint(2, 2), CellPoint(5, 3));  // walls
  script_.PickTool(kEnemyTool);
  script_.Click(CellPoint(8, 8));
  script_.Press(keys::kS);
  script_.Continue();
  script_.Wait(3);
  // Changes after the save: void over the walls, an enemy deleted, the start moved.
  script_.PickTool(0);
  script_.Drag(CellPoint(1, 1), CellPoint(6, 6));
  script_.MoveTo(CellPoint(8, 8));
  script_.Press(keys::kDelete);
  script_.PickTool(kStartTool);
  script_.Click(CellPoint(10, 9));
  script_.Press(keys::kL);
  script_.Continue();
  script_.Wait(3);
  script_.Leave();
  RunEditor();

  EXPECT_EQ(hit(2, 2), 76);
  EXPECT_EQ(hit(5, 3), 79);
  EXPECT_EQ(hit(1, 1), 60);
  EXPECT_EQ(hit(6, 6), 60);
  ASSERT_EQ(maxene, 1);
  EXPECT_EQ(enex(0), 8);
  EXPECT_EQ(eney(0), 8);
  EXPECT_EQ(startx, 1);
  EXPECT_EQ(starty, 1);
  EXPECT_EQ(hint_Str, "keep");
}

TEST_F(EditorTest, KeyThatEndsTheWaitAfterSaveOrLoadIsNotAlsoACommand) {
  WriteLevelFile(0, FloorLevel(8, 6));
  // Every key is held for six frames, as a hand does: S and L longer than their own screens,
  // and Enter, which ends each wait, would leave the editor.
  for (int key : {keys::kS, keys::kL}) {
    script_.Press(key, 6);
    script_.Press(keys::kEnter, 6);
  }
  // Still in the editor: a click paints.
  script_.PickTool(kFragileTool);
  script_.Click(CellPoint(3, 3));
  script_.Leave();
  RunEditor();

  EXPECT_EQ(hit(3, 3), 9);
}

TEST_F(EditorTest, SavingALevelNumberWithoutAFileCreatesIt) {
  ::level = 7;
  ASSERT_FALSE(FileExists("levels/Level.7"));
  script_.PickTool(kFloorTool);
  script_.Drag(CellPoint(2, 2), CellPoint(5, 4));
  script_.Press(keys::kS);
  script_.Continue();
  script_.Wait(3);
  script_.Leave();
  RunEditor();

  // A missing file loads as one cell of code 0 at the start, with the hint "NO_FILE".
  std::string text = LevelText(7);
  EXPECT_EQ(text.substr(0, 17), "005004000000000\r\n");
  EXPECT_EQ(text.substr(17, 20), "000092092092092092\r\n");

  // The saved level loads back into the editor.
  ::level = 7;
  game::RunResult result = driver_.Run([] {
    for (double c = 0; c < 128; c = c + 1) {
      for (double r = 0; r < 128; r = r + 1) hit(c, r) = 0;
    }
    LoadLevel(1);
  });
  ASSERT_EQ(result.end, game::RunEnd::kReturned);
  for (int c = 2; c <= 5; ++c) {
    for (int r = 2; r <= 4; ++r) EXPECT_EQ(hit(c, r), 60) << c << "," << r;
  }
  EXPECT_EQ(hit(1, 1), 0);
  EXPECT_EQ(hit(6, 4), 92);
  EXPECT_EQ(hint_Str, "NO_FILE");
}

// The key that ends the test game's Game Over picture early is no command once the editor is
// back: a held Enter must not also leave the editor.
TEST_F(EditorTest, KeyThatSkipsTheTestGamesLastPictureDoesNotLeaveTheEditor) {
  WriteLevelFile(0, FloorLevel(8, 6));
  script_.Press(keys::kT);
  script_.Wait(10);
  script_.Press(keys::kEnter);  // ends the test game
  script_.Wait(20);
  script_.Press(keys::kEnter, 6);  // skips the picture, held as a hand does
  script_.Wait(10);
  script_.PickTool(kFragileTool);
  script_.Click(CellPoint(3, 3));
  script_.Leave();
  RunEditor();
  EXPECT_EQ(hit(3, 3), 9) << "still in the editor after the picture";
}

TEST_F(EditorTest, TestGameSavesPlaysAndReturnsToTheEditorWindowAsItWas) {
  // The test game plays level 0, the level edited here.
  WriteLevelFile(0, FloorLevel(30, 20));
  script_.Press(keys::kRight, 2);
  script_.PickTool(kStartTool);
  script_.Click(CellPoint(19, 13, 2, 0));
  script_.Press(keys::kT);
  double gamePlayerX = -1;
  double gamePlayerY = -1;
  double gameEditor = -1;
  double gameScrollX = -1;
  // E leaves a test game.
  script_.Wait(15);
  uint64_t leaveGame = script_.frame();
  driver_.OnEveryFrame([&](uint64_t frame) {
    if (frame != leaveGame) return;
    gamePlayerX = plyx;
    gamePlayerY = plyy;
    gameEditor = EDITOR;
    gameScrollX = offsx;
  });
  script_.Press(keys::kE);
  script_.Wait(5);
  driver_.At(script_.frame(), [] {
    EXPECT_EQ(offsx, 2);
    EXPECT_EQ(offsy, 0);
  });
  // Back in the editor, painting lands on the cell under the pointer.
  script_.PickTool(kFragileTool);
  script_.Click(CellPoint(10, 10, 2, 0));
  script_.Leave();
  RunEditor();

  // The game started on the start tile set in the editor: the level had been saved.
  EXPECT_EQ(gamePlayerX, (18 + 6) * 32);
  EXPECT_EQ(gamePlayerY, (12 + 6) * 32);
  EXPECT_EQ(gameEditor, 1);
  // The game's view was scrolled in pixels, far past the editor's last window.
  EXPECT_GT(gameScrollX, 108);
  EXPECT_EQ(startx, 19);
  EXPECT_EQ(starty, 13);
  EXPECT_EQ(hit(10, 10), 9);
  EXPECT_EQ(hit(11, 10), 60);
}

TEST_F(EditorTest, TestGamePlaysTheEditedLevelAndLeavesTheChosenSlotAlone) {
  // Level 5, being edited: the exit right of the start and no sweets. The slot chosen earlier
  // in this run stands at level 2.
  LevelSpec edited;
  edited.rows = {{60, 93, 60, 60}};
  WriteLevelFile(5, edited);
  WriteLevelFile(2, FloorLevel(3, 3));
  WriteFile("levels/Level.01", "2\r\n");
  savefile_Str = "levels/Level.01";
  ::level = 5;

  script_.Press(keys::kT);
  // In the test game: a step right onto the exit (there is no level 6: it leads to level 0).
  script_.Wait(6);
  script_.Press(keys::kRight, 4);
  script_.Wait(40);
  script_.Press(keys::kE);
  script_.Wait(5);
  script_.Leave();
  double firstGameLevel = -1;
  const double exitsBefore = exitsTaken;
  driver_.OnEveryFrame([&](uint64_t) {
    if (gameon != 0 && firstGameLevel < 0) firstGameLevel = level;
  });
  RunEditor();

  EXPECT_EQ(firstGameLevel, 5);
  EXPECT_EQ(exitsTaken, exitsBefore + 1) << "the exit was taken";
  // The editor comes back to the level it was editing, and the slot keeps its own progress.
  EXPECT_EQ(level, 5);
  EXPECT_EQ(hit(2, 1), 93);
  EXPECT_EQ(savefile_Str, "levels/Level.01");
  game::HeadlessDriver::FlushTextFiles();
  EXPECT_EQ(ReadFile("levels/Level.01"), "2\r\n");
}

TEST_F(EditorTest, HintIsEditedInPlaceAndItsEnterDoesNotLeaveTheEditor) {
  LevelSpec level = FloorLevel(8, 6);
  level.hint = "ab";
  WriteLevelFile(0, level);
  script_.Press(keys::kH, 4);  // held for a few frames, as a hand does
  script_.Press(keys::kG);
  script_.Press(keys::kO);
  script_.Press(keys::kBackspace);
  script_.Press(keys::kO);
  script_.Press(keys::kEnter, 6);
  // Still in the editor: a click paints.
  script_.PickTool(kFloorTool);
  script_.Click(CellPoint(12, 12));
  script_.Press(keys::kS);
  script_.Continue();
  script_.Wait(3);
  script_.Leave();
  RunEditor();

  EXPECT_EQ(hint_Str, "abgo");
  EXPECT_EQ(hit(12, 12), 60);
  std::string text = LevelText(0);
  EXPECT_EQ(text.substr(text.size() - 6), "abgo\r\n");
}

TEST_F(EditorTest, CAndSpaceTogetherClearTheMapAndEnemiesButNotStartOrHint) {
  LevelSpec level = FloorLevel(8, 6);
  level.startX = 3;
  level.startY = 2;
  level.enemies = {{1, 1, 0, 0, 1}, {2, 2, 0, 0, 2}};
  level.hint = "stays";
  WriteLevelFile(0, level);

  // Either key alone does nothing.
  script_.Press(keys::kC);
  script_.Press(keys::kSpace);
  driver_.At(script_.frame(), [] {
    EXPECT_EQ(maxene, 2);
    EXPECT_EQ(hit(1, 1), 60);
  });
  driver_.HoldKey(keys::kC, script_.frame(), script_.frame() + 2);
  driver_.HoldKey(keys::kSpace, script_.frame() + 1, script_.frame() + 3);
  script_.Wait(5);
  script_.Leave();
  RunEditor();

  EXPECT_EQ(maxene, 0);
  for (int e = 0; e < 100; ++e) ASSERT_EQ(enelook(e), 0) << e;
  for (int c = 0; c <= 99; ++c) {
    for (int r = 0; r <= 99; ++r) ASSERT_EQ(hit(c, r), 92) << c << "," << r;
  }
  EXPECT_EQ(startx, 4);
  EXPECT_EQ(starty, 3);
  EXPECT_EQ(hint_Str, "stays");
}

TEST_F(EditorTest, ETitleKeyEntersTheEditorAndEnterLeavesItForOneGame) {
  constexpr uint64_t kHeadingFrames = 145;
  WriteFile("intro.txt", "Tobli is back\r\n");
  WriteLevelFile(0, FloorLevel(8, 6));
  driver_.PressKey(keys::kE, kHeadingFrames + 2);
  double editorFrames = 0;
  double editorWhenGameBegan = -1;
  driver_.OnEveryFrame([&](uint64_t) {
    if (hitgfx.nDims == 1 && gameon == 0) editorFrames = editorFrames + 1;
    if (gameon != 0) {
      editorWhenGameBegan = EDITOR;
      driver_.Stop();
    }
  });
  driver_.PressKey(keys::kEnter, kHeadingFrames + 30);
  game::RunResult result = driver_.Run([] { __MainGameSub_(); }, 3000);
  ASSERT_EQ(result.end, game::RunEnd::kStopped);
  EXPECT_GT(editorFrames, 10);
  EXPECT_EQ(editorWhenGameBegan, 0);
  EXPECT_EQ(savefile_Str, "");
}

}  // namespace
}  // namespace tobli::test

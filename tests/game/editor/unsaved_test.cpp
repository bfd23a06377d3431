// Edits that are not saved are not lost without a word: leaving the level for another number
// or leaving the editor asks first, and only the same key again drops them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor_script.h"
#include "game.h"

namespace tobli::test {
namespace {

class UnsavedEdits : public EditorTest {
 protected:
  void SetUp() override {
    WriteLevelFile(3, FloorLevel(8, 6));
    WriteLevelFile(4, FloorLevel(5, 5));
    saved_ = LevelText(3);
    ::level = 3;
  }
  // Paints one fragile cell: an edit of level 3.
  void Edit(int x, int y) {
    script_.PickTool(kFragileTool);
    script_.Click(CellPoint(x, y));
  }
  std::string saved_;
};

// A saved level is on disk when the editor says "Done", not only once another file is read or
// the program ends: a crash or a killed program afterwards cannot lose it.
TEST_F(UnsavedEdits, ASavedLevelIsOnDiskAtOnce) {
  Edit(2, 2);
  script_.Press(keys::kS);
  driver_.At(script_.frame() + 1, [this] {
    const std::string onDisk = ReadFile("levels/Level.3");
    EXPECT_NE(onDisk, saved_);
    EXPECT_NE(onDisk.find("060009060"), std::string::npos) << onDisk;  // the fragile cell
  });
  script_.Continue();
  script_.Leave();
  RunEditor();
}

// A save that cannot be written leaves the edits "not saved": leaving still asks.
TEST_F(UnsavedEdits, ASaveThatCannotBeWrittenStillAsksBeforeLeaving) {
  Edit(2, 2);
  // A folder where the file should go: nothing can replace it.
  driver_.At(script_.frame(), [] {
    std::filesystem::remove("levels/Level.3");
    std::filesystem::create_directories("levels/Level.3/in the way");
  });
  script_.Press(keys::kS);
  script_.Continue();
  driver_.At(script_.frame(), [this] {
    std::filesystem::remove_all("levels/Level.3");
    WriteFile("levels/Level.3", saved_);
  });
  script_.Press(keys::kEnter);
  script_.Continue();  // the question came: another key stays
  Edit(3, 3);          // still in the editor: a click paints
  script_.Leave();
  RunEditor();
  EXPECT_EQ(hit(3, 3), 9);
}

TEST_F(UnsavedEdits, AnotherKeyAtTheQuestionStaysWithTheEdits) {
  Edit(2, 2);
  script_.Press(keys::kEnter);
  script_.Continue();  // neither S nor Enter: back to editing
  Edit(3, 3);          // still in the editor: a click paints
  script_.Press(keys::kPadPlus);
  script_.Continue();
  driver_.At(script_.frame() + 2, [] { EXPECT_EQ(::level, 3) << "plus was called off"; });
  script_.Wait(3);
  script_.Leave();
  RunEditor();

  EXPECT_EQ(hit(2, 2), 9);
  EXPECT_EQ(hit(3, 3), 9);
  EXPECT_EQ(LevelText(3), saved_) << "leaving with Enter twice drops the edits";
  EXPECT_TRUE(__QuitAllowed()) << "the quit guard goes with the editor";
}

TEST_F(UnsavedEdits, SaveAtTheQuestionKeepsTheEditsAndGoesOn) {
  Edit(2, 2);
  script_.Press(keys::kPadPlus);
  script_.Press(keys::kS);
  script_.Wait(3);
  script_.Press(keys::kEnter);  // level 4 untouched: one Enter leaves
  RunEditor();

  EXPECT_EQ(::level, 4);
  EXPECT_NE(LevelText(3), saved_);
  ::level = 3;
  LoadLevel(1);
  EXPECT_EQ(hit(2, 2), 9);
}

TEST_F(UnsavedEdits, SameKeyAgainDropsTheEditsAndASaveEndsTheQuestions) {
  Edit(2, 2);
  script_.Press(keys::kPadPlus);
  script_.Press(keys::kPadPlus);
  script_.Wait(3);
  driver_.At(script_.frame(), [] { EXPECT_EQ(::level, 4); });
  Edit(1, 1);
  script_.Press(keys::kS);  // saved: no question when leaving
  script_.Continue();
  script_.Wait(3);
  script_.Press(keys::kEnter);
  RunEditor();

  EXPECT_EQ(LevelText(3), saved_);
  ::level = 4;
  LoadLevel(1);
  EXPECT_EQ(hit(1, 1), 9);
}

TEST_F(UnsavedEdits, EscAsksToo) {
  constexpr int kEsc = 1;
  Edit(2, 2);
  script_.Press(kEsc);
  script_.Continue();  // stays: the program goes on
  Edit(3, 3);
  script_.Press(kEsc);
  script_.Press(keys::kS);  // saves, then the program ends
  game::RunResult result = driver_.Run([] { maineditor(); }, 5000);
  EXPECT_EQ(result.end, game::RunEnd::kProgramEnded);
  ::level = 3;
  LoadLevel(1);
  EXPECT_EQ(hit(2, 2), 9);
  EXPECT_EQ(hit(3, 3), 9);

  // Nothing to lose: Esc ends the program at once.
  EditorScript plain(driver_);
  plain.Press(kEsc);
  result = driver_.Run([] { maineditor(); }, 5000);
  EXPECT_EQ(result.end, game::RunEnd::kProgramEnded);
  EXPECT_LT(result.frames, 10u);
}

// Esc in the middle of typing the hint, or closing the window, does not end the program over
// the edits either: the question comes once the editor is back in its loop.
TEST_F(UnsavedEdits, EscWhileTypingTheHintAndClosingTheWindowAskToo) {
  constexpr int kEsc = 1;
  script_.Press(keys::kH);
  script_.Press(keys::kA);
  script_.Press(kEsc);  // held back: the line goes on
  script_.Press(keys::kA);
  script_.Press(keys::kEnter);
  script_.Wait(2);
  script_.Continue();  // at the question: stay
  driver_.At(script_.frame() + 2, [] {
    EXPECT_EQ(std::string(hint_Str.GetStrData()), "hintaa") << "the line went on after Esc";
    tobli::platform::PushEvent({tobli::platform::EventType::kQuit});
  });
  script_.Wait(3);
  script_.Continue();  // the close asked too: stay again
  script_.Leave();
  RunEditor();
  EXPECT_EQ(LevelText(3), saved_) << "nothing was saved behind the designer's back";

  // At the question, Esc again ends the program.
  EditorScript again(driver_);
  again.Press(keys::kH);
  again.Press(keys::kA);
  again.Press(keys::kEnter);
  again.Press(kEsc);
  again.Wait(2);
  again.Press(kEsc);
  EXPECT_EQ(driver_.Run([] { maineditor(); }, 5000).end, game::RunEnd::kProgramEnded);
}

// The palette waits for a click, but a quit asked over it does not wait: the palette gives way
// and the question comes (and "stay" goes back to editing with the tool as it was).
TEST_F(UnsavedEdits, EscOverThePaletteAsksAtOnce) {
  constexpr int kEsc = 1;
  Edit(2, 2);
  driver_.MouseButton(1, true, script_.frame());
  driver_.MouseButton(1, false, script_.frame() + 1);
  script_.Wait(3);
  script_.Press(kEsc);
  script_.Wait(2);
  script_.Continue();
  script_.Click(CellPoint(4, 4));  // still the fragile-floor tool
  script_.Leave();
  RunEditor();
  EXPECT_EQ(hit(2, 2), 9);
  EXPECT_EQ(hit(4, 4), 9);
}

// A quit asked while another question is up is not lost: it answers "stay", and the quit's
// own question follows (S there saves, then the program ends).
TEST_F(UnsavedEdits, QuitDuringAnotherQuestionIsAskedNext) {
  constexpr int kEsc = 1;
  Edit(2, 2);
  script_.Press(keys::kEnter);
  script_.Press(kEsc);
  script_.Wait(2);
  script_.Press(keys::kS);
  game::RunResult result = driver_.Run([] { maineditor(); }, 5000);
  EXPECT_EQ(result.end, game::RunEnd::kProgramEnded);
  EXPECT_NE(LevelText(3), saved_) << "saved before the end";

  // The same with a close request of the window during the question for keypad +.
  ::level = 3;
  EditorScript again(driver_);
  again.PickTool(kFloorTool);
  again.Click(CellPoint(2, 2));
  again.Press(keys::kPadPlus);
  driver_.At(again.frame() + 1,
             [] { tobli::platform::PushEvent({tobli::platform::EventType::kQuit}); });
  again.Wait(3);
  again.Press(kEsc);  // the quit's question: Esc again ends the program
  result = driver_.Run([] { maineditor(); }, 5000);
  EXPECT_EQ(result.end, game::RunEnd::kProgramEnded);
  EXPECT_EQ(::level, 3) << "the close answered the question for plus with stay";
}

}  // namespace
}  // namespace tobli::test

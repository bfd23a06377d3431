// Enemies placed, replaced and removed with the mouse and the keys, the chasing look, the full
// table that refuses one more, and entries left over from the level before.
#include <gtest/gtest.h>

#include <string>

#include "editor_script.h"
#include "game.h"

namespace tobli::test {
namespace {

struct Entry {
  double x, y, look, speed, mode;
};

Entry EntryAt(int e) {
  return {enex(e), eney(e), enelook(e), enespd(e), enemode(e)};
}

void ExpectEntry(int e, Entry want) {
  Entry got = EntryAt(e);
  EXPECT_EQ(got.x, want.x) << "entry " << e;
  EXPECT_EQ(got.y, want.y) << "entry " << e;
  EXPECT_EQ(got.look, want.look) << "entry " << e;
  EXPECT_EQ(got.speed, want.speed) << "entry " << e;
  EXPECT_EQ(got.mode, want.mode) << "entry " << e;
}

TEST_F(EditorTest, EnemiesArePlacedReplacedOnTheirCellAndDeleted) {
  LevelSpec level = FloorLevel(15, 12);
  level.enemies.push_back({2, 2, 3, 1, 2});  // at editor cell (3, 3)
  WriteLevelFile(0, level);

  script_.Press(keys::kSix);  // speed 2
  script_.Press(keys::kF6);   // mode 1
  script_.PickTool(kEnemyTool);
  script_.Click(CellPoint(5, 5));
  driver_.At(script_.frame(), [] {
    ASSERT_EQ(maxene, 2);
    ExpectEntry(1, {5, 5, 1, 2, 1});
  });
  // Another look on the same cell replaces the enemy there; so does one on the loaded enemy.
  script_.PickTool(kEnemyLook3Tool);
  script_.Click(CellPoint(5, 5));
  script_.Click(CellPoint(3, 3));
  driver_.At(script_.frame(), [] {
    ASSERT_EQ(maxene, 2);
    ExpectEntry(0, {3, 3, 3, 2, 1});
    ExpectEntry(1, {5, 5, 3, 2, 1});
  });
  // Delete on the first enemy: the last entry moves into its place.
  script_.MoveTo(CellPoint(3, 3));
  script_.Press(keys::kDelete);
  // Backspace where no enemy stands changes nothing.
  script_.MoveTo(CellPoint(9, 9));
  script_.Press(keys::kBackspace);
  // In the chasing mode any look placed is shown, and kept, as look 17.
  script_.Press(keys::kF4);
  script_.Click(CellPoint(6, 4));
  script_.Press(keys::kS);
  script_.Continue();
  script_.Wait(3);
  script_.Leave();
  RunEditor();

  ASSERT_EQ(maxene, 2);
  ExpectEntry(0, {5, 5, 3, 2, 1});
  ExpectEntry(1, {6, 4, 17, 2, 4});
  EXPECT_EQ(enelook(2), 0);
  // Saved as stored cell (5, 3), mode 4, speed 2, look 17, just before the hint.
  std::string text = LevelText(0);
  EXPECT_NE(text.find("\r\n005003004002017\r\nhint\r\n"), std::string::npos) << text;
}

TEST_F(EditorTest, FullEnemyTableRefusesAnotherEnemyAndTheEditorStaysUp) {
  LevelSpec level = FloorLevel(15, 12);
  for (int k = 0; k < 100; ++k) level.enemies.push_back({k % 10, k / 10, 0, 0, 1});
  WriteLevelFile(0, level);

  script_.PickTool(kEnemyLook3Tool);
  script_.Click(CellPoint(14, 12));  // a free cell: refused
  script_.Click(CellPoint(1, 1));    // an enemy's cell: replaced
  driver_.At(script_.frame(), [] {
    EXPECT_EQ(maxene, 100);
    EXPECT_EQ(enelook(0), 3);
  });
  // With one removed there is room again.
  script_.MoveTo(CellPoint(10, 10));
  script_.Press(keys::kDelete);
  script_.Click(CellPoint(14, 12));
  script_.Press(keys::kS);
  script_.Continue();
  script_.Wait(3);
  script_.Leave();
  RunEditor();

  ASSERT_EQ(maxene, 100);
  ExpectEntry(99, {14, 12, 3, 0, 0});
  EXPECT_EQ(LevelText(0).substr(12, 3), "100");
}

TEST_F(EditorTest, EnemiesLeftFromTheLevelBeforeAreNotPartOfTheLevel) {
  // Level 0 has three enemies, level 1 one: after keypad + the table's entries 1 and 2 still
  // hold level 0's enemies, beyond maxene.
  LevelSpec first = FloorLevel(15, 12);
  first.enemies = {{4, 4, 0, 0, 1}, {6, 6, 0, 0, 2}, {8, 8, 0, 0, 3}};
  WriteLevelFile(0, first);
  LevelSpec second = FloorLevel(15, 12);
  second.enemies = {{1, 1, 0, 0, 4}};
  WriteLevelFile(1, second);

  script_.Press(keys::kPadPlus);
  script_.Wait(3);
  // Delete on a left-over enemy must not take the level's own.
  script_.MoveTo(CellPoint(7, 7));
  script_.Press(keys::kDelete);
  driver_.At(script_.frame(), [] {
    EXPECT_EQ(maxene, 1);
    EXPECT_EQ(enelook(0), 4);
  });
  // An enemy placed on a left-over one becomes part of the level.
  script_.PickTool(kEnemyTool);
  script_.Click(CellPoint(9, 9));
  script_.Leave();
  RunEditor();

  EXPECT_EQ(level, 1);
  ASSERT_EQ(maxene, 2);
  ExpectEntry(0, {2, 2, 4, 0, 0});
  ExpectEntry(1, {9, 9, 1, 0, 0});
}

}  // namespace
}  // namespace tobli::test

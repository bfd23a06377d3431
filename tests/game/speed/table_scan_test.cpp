// The scans over the box table that read its columns as plain storage: they visit the entries
// the game's loops visit, never read past the columns, and the enemy pass's box points follow
// the table when a box is destroyed during the pass.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "box_table.h"
#include "box_test_support.h"
#include "game.h"

namespace tobli::test {
namespace {

using tobli::game::TableEntries;

TEST(TableEntries, CountsTheEntriesATableLoopVisits) {
  EXPECT_EQ(TableEntries(0), 0);
  EXPECT_EQ(TableEntries(1), 1);
  EXPECT_EQ(TableEntries(100), 100);
  // for (e = 0; e <= 2.5 - 1; ...) visits 0 and 1.
  EXPECT_EQ(TableEntries(2.5), 2);
  EXPECT_EQ(TableEntries(0.5), 0);
  EXPECT_EQ(TableEntries(-3), 0);
  EXPECT_EQ(TableEntries(std::nan("")), 0);
  // A count beyond any table stays beyond it.
  EXPECT_GT(TableEntries(1e300), 100);
}

using TableScans = BoxTest;

// Runs the routine; it must end the program with the index error.
void ExpectIndexError(tobli::game::HeadlessDriver& driver, const std::function<void()>& routine) {
  tobli::game::RunResult result = driver.Run(routine);
  EXPECT_EQ(result.end, tobli::game::RunEnd::kProgramEnded);
  EXPECT_EQ(__g_error, 9);
}

TEST_F(TableScans, ACountBeyondTheColumnsEndsTheProgramInsteadOfReadingPastThem) {
  // Every scan meets the checked access of the entry past the columns before reading it.
  LoadForPlay(Level({{5, 60, 60, 73}}));
  ExpectIndexError(driver_, [] {
    maxbox = 101;
    pushbox(kMargin, kMargin);
  });
  LoadForPlay(Level({{5, 60, 60, 73}}));
  ExpectIndexError(driver_, [] {
    maxene = 1;
    enex(0) = eney(0) = 2 * 32 + kMargin * 32;
    enemode(0) = 0;
    maxbox = 150;
    moveenemies();
  });
}

TEST_F(TableScans, AnEnemyDoesNotMeetABoxAnotherDestroyedEarlierInThePass) {
  // A gem gliding right between two enemies, both within a tile of it: the first enemy and
  // the gem destroy each other, the second walks on.
  LoadForPlay(Level({{60, 60, 5, 60, 60, 60, 73}}));
  ASSERT_EQ(maxbox, 1);
  boxm(0) = kRight;
  boxdelay(0) = 8;
  double point = boxx(0) * 32 + 16;
  Do([point] {
    maxene = 2;
    for (double e = 0; e < 2; ++e) {
      eney(e) = boxy(0) * 32;
      enemode(e) = 0;
      enespd(e) = 0;
      enelook(e) = 1;
    }
    enex(0) = point - 10;
    enex(1) = point + 10;
    moveenemies();
  });
  EXPECT_EQ(maxbox, 0);
  EXPECT_EQ(enemode(0), 32);
  EXPECT_EQ(enemode(1), 0);
  EXPECT_EQ(enex(1), point + 11);
}

}  // namespace
}  // namespace tobli::test

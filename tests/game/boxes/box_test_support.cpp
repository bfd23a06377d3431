#include "box_test_support.h"

#include "audio/sound_log.h"
#include "game.h"
#include "pass_observer.h"

namespace tobli::test {

using tobli::game::PassPoint;
using tobli::game::RunEnd;

void BoxTest::LoadForPlay(const LevelSpec& spec) {
  WriteLevelFile(1, spec);
  level = 1;
  savefile_Str = "levels/Level.01";
  Do([] {
    LoadLevel(0);
    initlevel();
  });
  PlacePlayer(-2, -2);
  ClearSoundLog();
}

void BoxTest::Frames(int frames) {
  Do([frames] {
    for (int k = 0; k < frames; ++k) {
      DLN();
      showboxes();
      DLN();
      SHOWSCREEN();
    }
  });
}

void BoxTest::Do(const std::function<void()>& routine) {
  tobli::game::RunResult result = driver_.Run(routine);
  ASSERT_EQ(result.end, RunEnd::kReturned) << "error " << __g_error << " on line " << __g_errorline;
}

void BoxTest::PlayMoves(const LevelSpec& spec, const std::string& moves, int settle,
                        const std::function<void()>& afterPass) {
  WriteLevelFile(1, spec);
  WriteFile("levels/Level.01", "1\r\n");
  savefile_Str = "levels/Level.01";
  ClearSoundLog();

  size_t next = 0;
  uint64_t keyFrame = 0;
  int standing = 0;
  tobli::game::SetPassObserver([&](PassPoint point) {
    if (point == PassPoint::kPassEnd) {
      if (afterPass) afterPass();
      return;
    }
    if (point != PassPoint::kArrowKeys) return;
    // A key given for the next pass is read there; nothing more is asked until then.
    if (driver_.frame() <= keyFrame) return;
    if (next < moves.size()) {
      char move = moves[next++];
      int key = move == 'R' ? 205 : move == 'L' ? 203 : move == 'D' ? 208 : 200;
      keyFrame = driver_.frame() + 1;
      driver_.PressKey(key, keyFrame);
      return;
    }
    if (++standing > settle) driver_.Stop();
  });
  tobli::game::RunResult result = driver_.Run([] { MainGame(); }, 20000);
  tobli::game::SetPassObserver({});
  EXPECT_EQ(result.end, RunEnd::kStopped) << "error " << __g_error << " on line " << __g_errorline;
  EXPECT_EQ(next, moves.size());
}

double BoxTest::BoxAt(int c, int r) {
  for (double n = 0; n < maxbox; ++n) {
    if (boxx(n) == c + kMargin && boxy(n) == r + kMargin) return n;
  }
  return -1;
}

void BoxTest::PlacePlayer(int c, int r) {
  plyx = (c + kMargin) * 32;
  plyy = (r + kMargin) * 32;
}

double BoxTest::PushBox(int c, int r, double direction) {
  double n = BoxAt(c, r);
  EXPECT_GE(n, 0) << "no box on " << c << ", " << r;
  double moved = 0;
  if (n < 0) return moved;
  Do([&] {
    boxm(n) = direction;
    moved = pushbox(c + kMargin, r + kMargin);
  });
  return moved;
}

double BoxTest::PushCrate(int c, int r, double direction) {
  EXPECT_EQ(Cell(c, r), 61);
  double moved = 0;
  Do([&] {
    plym = direction;
    createbox(c + kMargin, r + kMargin);
    moved = pushbox(c + kMargin, r + kMargin);
  });
  return moved;
}

}  // namespace tobli::test

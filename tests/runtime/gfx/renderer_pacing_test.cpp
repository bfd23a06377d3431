// Frame pacing on the headless platform's virtual clock: exact, no real time involved.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "core/error_log.h"
#include "gfx/lumetra.h"
#include "platform/platform.h"
#include "runtime.h"
#include "support/gl_test_support.h"
#include "support/test_support.h"

namespace {

namespace platform = tobli::platform;
using tobli::test::ErrorLogLines;
using tobli::test::HeadlessRenderer;
using tobli::test::ScopedTempDir;

constexpr double kFrame = 1000.0 / 60.0;
// The virtual counter ticks in microseconds; a release may land up to one tick after its slot.
constexpr double kTick = 0.0011;

double Now() {
  return pLum->AccurateTime();
}

TEST(FramePacing, SixtyIdleFramesTakeOneSecondWithoutDrift) {
  HeadlessRenderer renderer;
  SHOWSCREEN();  // the first frame after start-up is released at once
  double start = Now();
  for (int i = 0; i < 60; ++i) {
    SHOWSCREEN();
    EXPECT_NEAR(Now() - start, (i + 1) * kFrame, kTick) << "frame " << i;
  }
  EXPECT_NEAR(Now() - start, 1000.0, kTick);
  // The schedule is absolute: ten seconds later rounding has not added up.
  for (int i = 0; i < 600; ++i) SHOWSCREEN();
  EXPECT_NEAR(Now() - start, 11000.0, kTick);
  EXPECT_NEAR(GETTIMER(), kFrame, kTick);
}

TEST(FramePacing, OverlongFrameWaitsForTheNextGridPointWithoutABurst) {
  HeadlessRenderer renderer;
  SHOWSCREEN();
  double grid = Now();  // slots at grid + k * kFrame
  SHOWSCREEN();
  ASSERT_NEAR(Now() - grid, kFrame, kTick);
  // The game spends 75 ms on this frame: the frame is shown at once, without a wait ...
  platform::AdvanceVirtualClock(75.0);
  double late = Now();
  EXPECT_NEAR(pLum->FlipScreens(), 1.0, kTick);
  EXPECT_NEAR(Now(), late, kTick);
  // ... and the next one waits for the slot after it (grid + 6 frames = 100 ms), then every
  // frame takes a whole slot again: no short frames make up for the lost ones.
  double waited = pLum->FlipScreens();
  EXPECT_NEAR(Now() - grid, 6 * kFrame, kTick);
  EXPECT_NEAR(waited, 6 * kFrame - (kFrame + 75.0) + 1, kTick);
  for (int k = 7; k < 12; ++k) {
    pLum->FlipScreens();
    EXPECT_NEAR(Now() - grid, k * kFrame, kTick) << "slot " << k;
  }
}

TEST(FramePacing, FrameCapFollowsLimitFps) {
  HeadlessRenderer renderer;
  EXPECT_DOUBLE_EQ(pLum->dFrameTime, kFrame);
  LIMITFPS(59.9);  // truncated toward zero
  EXPECT_DOUBLE_EQ(pLum->dFrameTime, 1000.0 / 59);
  for (double cap : {0.0, -3.0, -0.5, 0.99}) {
    LIMITFPS(cap);
    EXPECT_DOUBLE_EQ(pLum->dFrameTime, 2.0) << cap;
  }
  // Values no int can hold are capped, not converted: the cap stays a sane positive time.
  LIMITFPS(1e300);
  EXPECT_GT(pLum->dFrameTime, 0.0);
  EXPECT_LT(pLum->dFrameTime, 1e-6);
  LIMITFPS(-1e300);
  EXPECT_DOUBLE_EQ(pLum->dFrameTime, 2.0);
  LIMITFPS(std::numeric_limits<double>::quiet_NaN());
  EXPECT_DOUBLE_EQ(pLum->dFrameTime, 2.0);

  // The new cap applies from the next frame's slot on: at 500 frames per second one slot
  // later, then every 2 ms.
  LIMITFPS(0);
  SHOWSCREEN();
  SHOWSCREEN();
  double start = Now();
  for (int i = 0; i < 10; ++i) SHOWSCREEN();
  EXPECT_NEAR(Now() - start, 20.0, kTick);
}

TEST(FrameTimers, StartValuesAndNeverAZeroFrame) {
  HeadlessRenderer renderer;
  EXPECT_EQ(GETTIMER(), 1.0);
  EXPECT_EQ(GETTIMERALL(), 0.0);
  // The first two frames fall on the same clock reading: GETTIMER says 1, not 0.
  SHOWSCREEN();
  SHOWSCREEN();
  EXPECT_EQ(GETTIMER(), 1.0);
  EXPECT_EQ(GETTIMERALL(), 0.0);
  SHOWSCREEN();
  EXPECT_NEAR(GETTIMER(), kFrame, kTick);
  EXPECT_NEAR(GETTIMERALL(), kFrame, kTick);
  // GETTIMERALL counts to the start of the latest SHOWSCREEN, not to its end.
  platform::AdvanceVirtualClock(5);
  SHOWSCREEN();
  EXPECT_NEAR(GETTIMERALL(), 2 * kFrame + 5, kTick);
  EXPECT_NEAR(GETTIMER(), kFrame + 5, kTick);
}

TEST(FrameClock, MillisecondTimerPathPacesInWholeMilliseconds) {
  HeadlessRenderer renderer;
  platform::AdvanceVirtualClock(1234.9);
  EXPECT_EQ(pLum->bPerfCounter, 1);
  EXPECT_NEAR(Now(), 1234.9, kTick);
  pLum->bPerfCounter = 0;
  EXPECT_EQ(Now(), 1234.0);
  pLum->dNextFrame = Now();
  pLum->FlipScreens();
  double start = Now();
  for (int i = 0; i < 60; ++i) pLum->FlipScreens();
  // Whole-millisecond readings: the schedule still holds within one millisecond.
  EXPECT_NEAR(Now() - start, 1000.0, 1.0);
}

TEST(FrameClock, FrameHookRunsOncePerFrameAfterTheClockMoved) {
  HeadlessRenderer renderer;
  SHOWSCREEN();
  std::vector<double> seen;
  platform::SetFrameHook([&] { seen.push_back(Now()); });
  uint64_t frames = __g_FrameCount;
  double start = Now();
  for (int i = 0; i < 3; ++i) SHOWSCREEN();
  ASSERT_EQ(seen.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(seen[i] - start, (i + 1) * kFrame, kTick);
  EXPECT_EQ(__g_FrameCount, frames + 3);
}

platform::Event Key(platform::EventType type, int key) {
  platform::Event event;
  event.type = type;
  event.key = key;
  return event;
}

// Runs frames with a hook that logs each presented frame, then holds the keys and calls
// SHOWSCREEN once more at line 77: the program must end without presenting that frame.
void EndWithKeysHeld(std::vector<int> keys) {
  HeadlessRenderer renderer;
  platform::SetFrameHook([] { __AppendErrorLog("presented"); });
  SHOWSCREEN();
  for (int key : keys) platform::PushEvent(Key(platform::EventType::kKeyDown, key));
  __dLn(0, 77);
  SHOWSCREEN();
  __AppendErrorLog("SHOWSCREEN returned");
}

// Esc, or left Alt with F4, ends the program without presenting the frame.
TEST(QuitKeys, EscOrLeftAltWithF4EndsTheProgramWithoutPresentingTheFrame) {
  for (const std::vector<int>& keys : {std::vector<int>{0x01}, std::vector<int>{0x38, 0x3E}}) {
    SCOPED_TRACE(keys.size() == 1 ? "Esc" : "left Alt + F4");
    ScopedTempDir dir;
    EXPECT_EXIT(EndWithKeysHeld(keys), ::testing::ExitedWithCode(0), "");
    // One frame presented, then the end record at line 77 and nothing after SHOWSCREEN.
    auto lines = ErrorLogLines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "presented");
    tobli::test::ExpectEndRecord(0, 77);
    EXPECT_EQ(lines[4], "77");
  }
}

TEST(QuitKeys, F4AloneOrAReleasedEscKeepsRunning) {
  ScopedTempDir dir;
  HeadlessRenderer renderer;
  platform::PushEvent(Key(platform::EventType::kKeyDown, 0x3E));
  SHOWSCREEN();
  platform::PushEvent(Key(platform::EventType::kKeyDown, 0x01));
  platform::PushEvent(Key(platform::EventType::kKeyUp, 0x01));
  SHOWSCREEN();
  platform::PushEvent(Key(platform::EventType::kKeyUp, 0x3E));
  SHOWSCREEN();
  EXPECT_TRUE(ErrorLogLines().empty());
}

// A routine's quit guard is asked by the quit keys and by a close request; while it says no,
// the program goes on.
int gGuardAsked = 0;
TEST(QuitKeys, AQuitGuardThatSaysNoKeepsTheProgramRunning) {
  ScopedTempDir dir;
  HeadlessRenderer renderer;
  struct GuardScope {
    GuardScope() {
      __SetQuitGuard([] {
        ++gGuardAsked;
        return false;
      });
    }
    ~GuardScope() { __SetQuitGuard(nullptr); }
  } guard;
  platform::PushEvent(Key(platform::EventType::kKeyDown, 0x01));
  SHOWSCREEN();
  platform::PushEvent(Key(platform::EventType::kKeyUp, 0x01));
  platform::PushEvent(platform::Event{platform::EventType::kQuit});
  SHOWSCREEN();
  EXPECT_EQ(gGuardAsked, 2);
  EXPECT_TRUE(ErrorLogLines().empty());
}

TEST(WindowMessages, CloseRequestWhileWaitingEndsTheProgram) {
  ScopedTempDir dir;
  EXPECT_EXIT(
      {
        HeadlessRenderer renderer;
        SHOWSCREEN();
        __g_error = 0;
        __dLn(0, 12);
        // The close request arrives while the frame is being presented: the wait dispatches it.
        platform::SetFrameHook([] {
          platform::SetFrameHook({});
          platform::PushEvent(platform::Event{platform::EventType::kQuit});
        });
        pLum->FlipScreens();
        pLum->FlipScreens();
        __AppendErrorLog("still running");
        std::exit(1);
      },
      ::testing::ExitedWithCode(0), "");
  auto lines = ErrorLogLines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "-End On Line");
  EXPECT_EQ(lines[3], "12");
}

}  // namespace

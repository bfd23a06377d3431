// The headless driver itself: when scripted input is seen, and every way a run ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/headless_driver.h"
#include "game.h"
#include "runtime.h"
#include "support/test_support.h"

namespace {

using tobli::game::HeadlessDriver;
using tobli::game::RunEnd;
using tobli::game::RunResult;

class Driver : public ::testing::Test {
 protected:
  tobli::test::ScopedTempDir dir_;
  HeadlessDriver driver_;
};

TEST_F(Driver, HeldKeyIsSeenFromItsFirstFrameUpToItsLast) {
  driver_.HoldKey(57, 3, 5);
  std::vector<double> seen;
  RunResult result = driver_.Run([&seen] {
    for (int pass = 0; pass < 8; ++pass) {
      seen.push_back(KEY(57));
      SHOWSCREEN();
    }
  });
  EXPECT_EQ(result.end, RunEnd::kReturned);
  EXPECT_EQ(result.frames, 8u);
  EXPECT_EQ(seen, (std::vector<double>{0, 0, 0, 1, 1, 0, 0, 0}));
}

TEST_F(Driver, WaitsWithoutFramesGoOnWithTheScript) {
  // A wait for the release of a key, polling without showing frames, sees the release.
  driver_.HoldKey(57, 2, 40);
  RunResult result = driver_.Run([] {
    while (KEY(57) == 0) SHOWSCREEN();
    while (KEY(57) != 0) {
    }
  });
  EXPECT_EQ(result.end, RunEnd::kReturned);
  EXPECT_EQ(result.frames, 2u);

  // KEYWAIT gets the next scripted key that types a character.
  driver_.PressKey(30, 50);
  result = driver_.Run([] { KEYWAIT(); });
  EXPECT_EQ(result.end, RunEnd::kReturned);
  EXPECT_EQ(result.frames, 0u);

  // Input that never comes ends the run as stalled.
  EXPECT_EQ(driver_.Run([] { KEYWAIT(); }).end, RunEnd::kStalled);
}

TEST_F(Driver, RunsStopAtTheFrameLimitOrWhenACallbackSaysSo) {
  auto forever = [] {
    for (;;) SHOWSCREEN();
  };
  RunResult result = driver_.Run(forever, 30);
  EXPECT_EQ(result.end, RunEnd::kFrameLimit);
  EXPECT_EQ(result.frames, 30u);

  driver_.At(12, [this] { driver_.Stop(); });
  result = driver_.Run(forever, 30);
  EXPECT_EQ(result.end, RunEnd::kStopped);
  EXPECT_EQ(result.frames, 12u);

  std::vector<uint64_t> frames;
  driver_.OnEveryFrame([this, &frames](uint64_t frame) {
    frames.push_back(frame);
    if (frame == 3) driver_.Stop();
  });
  driver_.Run(forever, 30);
  EXPECT_EQ(frames, (std::vector<uint64_t>{1, 2, 3}));
}

TEST_F(Driver, ProgramEndIsCaughtAndTheNextRunStartsAfresh) {
  // Esc ends the program in SHOWSCREEN; the end's log is written and kept.
  driver_.HoldKey(1, 4, 6);
  RunResult result = driver_.Run([] {
    for (;;) SHOWSCREEN();
  });
  EXPECT_EQ(result.end, RunEnd::kProgramEnded);
  EXPECT_EQ(result.frames, 4u);
  std::vector<std::string> log = tobli::test::ErrorLogLines();
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(log[log.size() - 5], "-End On Line");

  // The services are back for the next run, with no key held.
  std::vector<double> seen;
  driver_.PressKey(28, 1);
  result = driver_.Run([&seen] {
    for (int pass = 0; pass < 3; ++pass) {
      seen.push_back(KEY(28) + KEY(1));
      SHOWSCREEN();
    }
  });
  EXPECT_EQ(result.end, RunEnd::kReturned);
  EXPECT_EQ(seen, (std::vector<double>{0, 1, 0}));
}

TEST_F(Driver, RuntimeErrorEndsTheRunWithItsCode) {
  RunResult result = driver_.Run([] {
    DLN();
    kys(5) = 1;
  });
  EXPECT_EQ(result.end, RunEnd::kProgramEnded);
  EXPECT_EQ(__g_error, 9);
}

TEST(DriverSeed, TwoDriversWithTheSameSeedDrawTheSameNumbers) {
  auto draw = [] {
    tobli::game::HeadlessDriver driver;
    std::vector<double> numbers;
    for (int i = 0; i < 8; ++i) numbers.push_back(RND(1000000));
    return numbers;
  };
  EXPECT_EQ(draw(), draw());
}

TEST(GameState, NamesReachTheGlobalsAndClearingRestoresTheProgramStart) {
  *FindGameNumber("plyx") = 77;
  EXPECT_EQ(plyx, 77);
  EXPECT_EQ(FindGameArray("hit"), &hit);
  EXPECT_EQ(FindGameText("hint_Str"), &hint_Str);
  EXPECT_EQ(FindGameNumber("nothing"), nullptr);
  DIM(kys, 5);
  hint_Str = "x";
  ClearGameState();
  EXPECT_EQ(plyx, 0);
  EXPECT_EQ(kys.nDims, -1);
  EXPECT_EQ(hint_Str, "");
}

}  // namespace

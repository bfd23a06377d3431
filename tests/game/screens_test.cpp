// Title, intro text, slot selection and text boxes on the headless driver, and the game program
// from its start through title and selection into a game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "audio/sound_log.h"
#include "box_text.h"
#include "driver/headless_driver.h"
#include "game.h"
#include "level_builder.h"
#include "runtime/gfx/bmp_files.h"
#include "support/test_support.h"

namespace {

using tobli::game::HeadlessDriver;
using tobli::game::RunEnd;
using tobli::game::RunResult;
using namespace tobli::test;

// Frames the three headings take to come in: 41 + 46 + 58.
constexpr uint64_t kHeadingFrames = 145;

std::string Lines(int count) {
  std::string text;
  for (int k = 0; k < count; ++k) text += "line " + std::to_string(k) + "\r\n";
  return text;
}

class Screens : public ::testing::Test {
 protected:
  ScopedTempDir dir_;
  HeadlessDriver driver_;
};

TEST_F(Screens, TitleLeavesWithSpaceEnterOrEOnlyOnceTheIntroScrolls) {
  WriteFile("intro.txt", Lines(3));
  // Keys during the headings do not leave the title.
  driver_.PressKey(kKeySpace, 20);
  driver_.PressKey(kKeyE, 100);
  EXPECT_EQ(driver_.Run([] { TitleScreen(); }, 400).end, RunEnd::kFrameLimit);
  EXPECT_EQ(EDITOR, 0);

  for (int key : {kKeySpace, kKeyEnter, kKeyE}) {
    SCOPED_TRACE(key);
    EDITOR = 0;
    driver_.HoldKey(key, kHeadingFrames + 5, kHeadingFrames + 7);
    RunResult result = driver_.Run([] { TitleScreen(); }, 1000);
    EXPECT_EQ(result.end, RunEnd::kReturned);
    EXPECT_EQ(result.frames, kHeadingFrames + 5);
    EXPECT_EQ(EDITOR, key == kKeyE ? 1 : 0);
  }
}

TEST_F(Screens, MissingIntroEndsTheTitleOnceTheHeadingsAreIn) {
  double scrolled = -1;
  RunResult result = driver_.Run([&scrolled] {
    TitleScreen();
    scrolled = WideScroller("intro.txt");
  });
  EXPECT_EQ(result.end, RunEnd::kReturned);
  EXPECT_EQ(result.frames, kHeadingFrames);
  EXPECT_EQ(scrolled, 0);
  EXPECT_EQ(EDITOR, 0);
}

// The lowest position the text reaches before it starts again from the bottom edge.
double LowestScrollPosition(HeadlessDriver& driver, const std::string& intro) {
  WriteFile("intro.txt", intro);
  std::vector<double> positions;
  driver.OnEveryFrame([&positions](uint64_t) { positions.push_back(zt); });
  driver.Run([] { WideScroller("intro.txt"); }, 2000);
  auto lowest = std::min_element(positions.begin(), positions.end());
  if (lowest == positions.end() || lowest + 1 == positions.end()) {
    ADD_FAILURE() << "the text never started over";
    return 0;
  }
  // The text starts again from the bottom edge right after its lowest position.
  EXPECT_EQ(*(lowest + 1), 480);
  return *lowest;
}

TEST_F(Screens, IntroScrollsUntilItsLastLineHasLeftTheTop) {
  // A font of 10 x 20 pixel cells: lines are 24 pixels apart.
  WriteFile("BigFont.bmp", MakeSolidBmp24(160, 160, 0xFFFFFF));
  driver_.Run([] { LOADFONT("BigFont.bmp", 0); });
  double fw = 0, fh = 0;
  GETFONTSIZE(fw, fh);
  ASSERT_EQ(fh, 20);

  // Ten lines scroll from 480 to -240, 0.4 pixels a frame.
  double lowest = LowestScrollPosition(driver_, Lines(10));
  EXPECT_GE(lowest, -240 - 1e-6);
  EXPECT_LT(lowest, -240 + 0.4);

  // An empty line ends the text: three lines scroll to -72.
  lowest = LowestScrollPosition(driver_, Lines(3) + "\r\n" + Lines(6));
  EXPECT_GE(lowest, -72 - 1e-6);
  EXPECT_LT(lowest, -72 + 0.4);
}

TEST_F(Screens, EachArrowPressMovesTheSelectionOneSlot) {
  // Down three times, then Enter: the third press finds the last slot already selected.
  driver_.PressKey(kKeyDown, 2);
  driver_.At(4, [] {
    EXPECT_EQ(b_Str, "B");
    EXPECT_EQ(savefile_Str, "levels/Level.02");
  });
  driver_.PressKey(kKeyDown, 5);
  driver_.At(7, [] { EXPECT_EQ(c_Str, "C"); });
  driver_.PressKey(kKeyDown, 8);
  driver_.PressKey(kKeyEnter, 11);
  RunResult result = driver_.Run([] { ChooseGame(); }, 100);
  EXPECT_EQ(result.end, RunEnd::kReturned);
  EXPECT_EQ(result.frames, 11u);
  EXPECT_EQ(savefile_Str, "levels/Level.03");
  EXPECT_EQ(a_Str, "a");
  EXPECT_EQ(b_Str, "b");
  EXPECT_EQ(c_Str, "C");

  // Up from the first slot keeps the first slot.
  driver_.PressKey(kKeyDown, 1);
  driver_.PressKey(kKeyUp, 3);
  driver_.PressKey(kKeyUp, 5);
  driver_.PressKey(kKeySpace, 7);
  result = driver_.Run([] { ChooseGame(); }, 100);
  EXPECT_EQ(result.end, RunEnd::kReturned);
  EXPECT_EQ(savefile_Str, "levels/Level.01");
  EXPECT_EQ(a_Str, "A");
}

TEST_F(Screens, EnterThatConfirmsTheSlotDoesNotAlsoEndTheGame) {
  // Enter is held as a hand holds a key: past the frames the game takes to load its level.
  WriteLevelFile(1, FloorLevel(4, 3));
  WriteFile("levels/Level.01", "1\r\n");
  driver_.HoldKey(kKeyEnter, 1, 10);
  RunResult result = driver_.Run(
      [] {
        ChooseGame();
        MainGame();
      },
      60);
  EXPECT_EQ(result.end, RunEnd::kFrameLimit);
  EXPECT_EQ(savefile_Str, "levels/Level.01");
  EXPECT_EQ(gameon, 1);
  EXPECT_EQ(ALIVE, 1);
}

TEST_F(Screens, TalkPlaysAGatedVoiceOnlyOnEvery21stCall) {
  ClearSoundLog();
  for (int call = 1; call <= 20; ++call) talk("s");
  EXPECT_TRUE(SoundLog().empty());
  talk("s");
  ASSERT_EQ(SoundLog().size(), 1u);
  EXPECT_GE(SoundLog()[0].slot, 35);
  EXPECT_LE(SoundLog()[0].slot, 38);
  EXPECT_EQ(voicedelay, 0);

  // Ungated voices play on every call and still count toward the gate; the 21st call resets
  // the count even when its code has no gated voice.
  ClearSoundLog();
  for (int call = 1; call <= 20; ++call) talk("x");
  talk("e");
  std::vector<int> slots = SoundSlots();
  ASSERT_EQ(slots.size(), 21u);
  for (int k = 0; k < 20; ++k) EXPECT_TRUE(slots[k] >= 26 && slots[k] <= 29) << slots[k];
  EXPECT_TRUE(slots[20] >= 21 && slots[20] <= 25) << slots[20];
  EXPECT_EQ(voicedelay, 0);
  talk("w");
  EXPECT_EQ(SoundLog().size(), 21u);
}

TEST(MainProgram, SpaceOnTheTitleStartsAGameOfTheFirstSlot) {
  ScopedTempDir dir;
  HeadlessDriver driver(tobli::game::DriverOptions{1, false});
  WriteFile("intro.txt", "Tobli is back\r\n");
  WriteLevelFile(3, Level(FloorLevel(5, 4).rows, 2, 3));
  WriteFile("levels/Level.01", "3\r\n");

  // Space is still down when the selection looks at the keys: the first slot is confirmed at
  // once. The run ends on the game's first frame after its level was loaded.
  driver.PressKey(kKeySpace, kHeadingFrames + 2);
  int gameFrames = 0;
  driver.OnEveryFrame([&driver, &gameFrames](uint64_t) {
    if (gameon != 0 && ++gameFrames == 3) driver.Stop();
  });
  RunResult result = driver.Run([] { __MainGameSub_(); }, 2000);
  ASSERT_EQ(result.end, RunEnd::kStopped);
  EXPECT_EQ(result.frames, kHeadingFrames + 2 + 3);
  EXPECT_EQ(savefile_Str, "levels/Level.01");
  EXPECT_EQ(a_Str, "A");
  EXPECT_EQ(EDITOR, 0);
  // The game took its level from the slot and put the player on its start tile.
  EXPECT_EQ(level, 3);
  EXPECT_EQ(file_Str, "levels/Level.3");
  EXPECT_EQ(plyx, (2 + 6) * 32);
  EXPECT_EQ(plyy, (3 + 6) * 32);
}

struct Placed {
  std::string word;
  double x;
  double y;
  bool operator==(const Placed&) const = default;
};

std::vector<Placed> Layout(const char* text, double x, double y, double width) {
  std::vector<Placed> result;
  for (const PlacedWord& placed : LayOutBoxText(text, x, y, width)) {
    result.push_back({placed.word.ToStdString(), placed.x, placed.y});
  }
  return result;
}

TEST(BoxText, WordsWrapWhenTheyWouldPassTheWidth) {
  // The second word needs 2*17 + 51 = 85 pixels: past 60, within 100.
  EXPECT_EQ(Layout("ab cd", 100, 40, 60),
            (std::vector<Placed>{{"ab ", 100, 40}, {"cd ", 100, 65}}));
  EXPECT_EQ(Layout("ab cd", 100, 40, 100),
            (std::vector<Placed>{{"ab ", 100, 40}, {"cd ", 151, 40}}));
  // A word wider than the width stands alone on its own line, even the first one.
  EXPECT_EQ(Layout("abcdefgh", 10, 0, 60), (std::vector<Placed>{{"abcdefgh ", 10, 25}}));
  EXPECT_EQ(Layout("ab abcdefgh cd", 0, 0, 60),
            (std::vector<Placed>{{"ab ", 0, 0}, {"abcdefgh ", 0, 25}, {"cd ", 0, 50}}));
  // Every blank ends a word, so a double blank prints a lone blank.
  EXPECT_EQ(Layout("a  b", 0, 0, 400),
            (std::vector<Placed>{{"a ", 0, 0}, {" ", 34, 0}, {"b ", 51, 0}}));
  EXPECT_EQ(Layout("", 0, 0, 100), (std::vector<Placed>{{" ", 0, 0}}));
}

}  // namespace

// The line editor INPUT: its editing rules pass by pass, and whole runs on the headless
// platform with keys scripted frame by frame.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "gfx/lumetra.h"
#include "input/input_commands.h"
#include "input/line_editor.h"
#include "input_fixture.h"

namespace {

using tobli::test::InputTest;
using tobli::test::PressKey;
using tobli::test::ReleaseKey;

constexpr int kBackspace = 0x0E;
constexpr int kEnter = 0x1C;

TEST(LineEditor, CursorBlinksWithAPeriodOf42PassesWithoutKeysOnly) {
  LineEditor editor("hint");
  std::string pattern;
  for (int pass = 1; pass <= 84; ++pass) {
    editor.Take(0);
    pattern += editor.CursorShown() ? '_' : '.';
  }
  // Hidden for the first 20 passes, then 21 shown, 21 hidden, ...
  std::string expected = std::string(20, '.') + std::string(21, '_') + std::string(21, '.') +
                         std::string(21, '_') + std::string(1, '.');
  EXPECT_EQ(pattern, expected);
  EXPECT_EQ(editor.Drawn(), "hint");
  editor.Take(0);
  EXPECT_EQ(editor.Drawn(), "hint");

  // Typed keys do not move the blink.
  LineEditor typed("");
  for (int pass = 0; pass < 20; ++pass) typed.Take(0);
  typed.Take('x');
  EXPECT_FALSE(typed.CursorShown());
  typed.Take(0);  // the 21st pass without a key
  EXPECT_TRUE(typed.CursorShown());
  EXPECT_EQ(typed.Drawn(), "x_");

  // A line longer than the room shows its end and the cursor; one that fits shows whole.
  for (char c : std::string("bcdef")) typed.Take(c);
  EXPECT_EQ(typed.Drawn(4), "def_");
  EXPECT_EQ(typed.Drawn(7), "xbcdef_");
  EXPECT_EQ(typed.Drawn(40), "xbcdef_");
  EXPECT_EQ(typed.Text(), "xbcdef") << "only the drawing is cut";
}

TEST(LineEditor, BackspaceOnAnEmptyLineAndEnterAddNothing) {
  LineEditor editor("");
  EXPECT_FALSE(editor.Take(8));
  EXPECT_EQ(editor.Text(), "");
  editor.Take('a');
  editor.Take('b');
  editor.Take(8);
  EXPECT_EQ(editor.Text(), "a");
  EXPECT_TRUE(editor.Take(10));
  EXPECT_EQ(editor.Text(), "a");
}

// Runs the given actions at the frames given (counted from 1), one presented frame each.
class FrameScript {
 public:
  explicit FrameScript(std::map<int, std::function<void()>> actions)
      : actions_(std::move(actions)) {
    tobli::platform::SetFrameHook([this] {
      ++frame_;
      auto found = actions_.find(frame_);
      if (found != actions_.end()) found->second();
    });
  }
  ~FrameScript() { tobli::platform::SetFrameHook({}); }
  int frames() const { return frame_; }

 private:
  std::map<int, std::function<void()>> actions_;
  int frame_ = 0;
};

using LineInputTest = InputTest;

TEST_F(LineInputTest, EditsTheVariablesTextUntilEnter) {
  CreateDevices();
  bool grabbedMeanwhile = false;
  FrameScript script({
      {1, [] { PressKey(0x2E); }},  // C, held for three frames: typed once
      {4, [] { ReleaseKey(0x2E); }},
      {5, [] { PressKey(kBackspace); }},
      {6, [] { ReleaseKey(kBackspace); }},
      {7, [] { PressKey(0x2A); }},  // Shift + D
      {8, [] { PressKey(0x20); }},
      {9,
       [&] {
         ReleaseKey(0x20);
         ReleaseKey(0x2A);
         grabbedMeanwhile = pLum->surfaces[3].nCols > 0;
       }},
      {10, [] { PressKey(kEnter); }},
  });
  KDStr text = "ab";
  INPUT(text, 10.7, 20.2);
  EXPECT_EQ(text, "abD");
  EXPECT_TRUE(grabbedMeanwhile);
  EXPECT_EQ(pLum->surfaces[3].nCols, 0);  // freed on return
  EXPECT_EQ(script.frames(), 10);         // the first frame, then one per pass before Enter
}

// Fast typing: whole presses, a doubled letter among them, come and go between two passes of
// the line editor. Each one is a character, in the order typed.
TEST_F(LineInputTest, KeysPressedAndLetGoBetweenTwoPassesAreAllTyped) {
  CreateDevices();
  auto tap = [](int key) {
    PressKey(key);
    ReleaseKey(key);
  };
  FrameScript script({
      {1, [&] { tap(0x26), tap(0x26), tap(0x18); }},  // l l o
      {2,
       [&] {
         PressKey(0x2A);  // Shift + W, then o
         tap(0x11);
         ReleaseKey(0x2A);
         tap(0x18);
       }},
      {3, [&] { tap(kBackspace), tap(0x18), tap(kEnter), tap(0x1E); }},  // the a after Enter
  });
  KDStr text = "he";
  INPUT(text, 0, 0);
  EXPECT_EQ(text, "helloWo");
  EXPECT_EQ(script.frames(), 3);
  EXPECT_EQ(INKEY_Str(), "") << "nothing typed in the line is left over for later";
}

// Backspace on an empty line is the editor's own rule (LineEditor above); here the numeric
// form, which starts from an empty line too.
TEST_F(LineInputTest, ANumberTakesTheLeadingNumberOfTheTypedLine) {
  CreateDevices();
  FrameScript script({{1, [] {
                         for (int key : {0x05, 0x03, 0x2D, kEnter}) PressKey(key), ReleaseKey(key);
                       }}});  // 4 2 x Enter
  double number = 7;          // the editing starts from an empty line, not from the number
  INPUT(number, 0, 0);
  EXPECT_EQ(number, 42);
}

}  // namespace

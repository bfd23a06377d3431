// KEYWAIT and MOUSEWAIT on scripted input: what ends them, and what ends the program meanwhile.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "core/frame.h"
#include "input/dxinput.h"
#include "input/input_commands.h"
#include "input_fixture.h"

namespace {

using tobli::test::ErrorLogLines;
using tobli::test::IdleScript;
using tobli::test::InputTest;
using tobli::test::MoveMouse;
using tobli::test::PressButton;
using tobli::test::PressKey;
using tobli::test::ReleaseButton;
using tobli::test::ReleaseKey;

using WaitTest = InputTest;

TEST_F(WaitTest, KeyWaitIgnoresKeysWithoutACharacterAndEndsOnOneThatTypes) {
  CreateDevices();
  IdleScript script({
      [] { PressKey(0xCB); },                            // Left
      [] { PressKey(0x2A); },                            // left Shift
      [] { PressKey(0x3B); },                            // F1
      [] { PressKey(0x1D); },                            // left Ctrl
      [] { ReleaseKey(0xCB); }, [] { PressKey(0x1F); },  // S
  });
  EXPECT_EQ(KEYWAIT(), 0);
  // Had a key without a character ended the wait, steps would be left.
  EXPECT_EQ(script.Left(), 0u);
}

TEST_F(WaitTest, KeyWaitEndsOnEnterAndOnBackspace) {
  CreateDevices();
  for (int key : {0x1C, 0x0E, 0x9C}) {
    IdleScript script({[] {}, [key] { PressKey(key); }});
    EXPECT_EQ(KEYWAIT(), 0);
    EXPECT_EQ(script.Left(), 0u) << key;
    ReleaseKey(key);
  }
}

TEST_F(WaitTest, KeyWaitNeedsAFreshPressOfAKeyThatHasAlreadyTyped) {
  CreateDevices();
  PressKey(0x1E);
  EXPECT_EQ(INKEY_Str(), "a");  // A has typed once and is still held
  // Idle turns between the release and the press let the wait see the key up.
  IdleScript script(
      {[] {}, [] { ReleaseKey(0x1E); }, [] {}, [] {}, [] {}, [] {}, [] { PressKey(0x1E); }});
  KEYWAIT();
  EXPECT_EQ(script.Left(), 0u);
}

TEST_F(WaitTest, MouseWaitWaitsForTheButtonsToBeReleasedThenForAPress) {
  CreateDevices();
  SETMOUSE(10, 10);
  PressButton(0);  // still held from before: the game has read it down
  pDXin->AnyMouse();
  IdleScript script({
      [] { MoveMouse(30, 30); },
      [] { ReleaseButton(0); },
      [] {},
      [] { PressButton(1); },
  });
  EXPECT_EQ(MOUSEWAIT(), 0);
  EXPECT_EQ(script.Left(), 0u);
  // The motion read during the wait is not added to the pointer.
  double x, y, b1, b2;
  MOUSESTATE(x, y, b1, b2);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 10);
  EXPECT_EQ(b2, 1);
}

// A touchpad tap goes down and up between two readings; it still ends the wait.
TEST_F(WaitTest, MouseWaitEndsOnATap) {
  CreateDevices();
  IdleScript script({[] {},
                     [] {
                       PressButton(0);
                       ReleaseButton(0);
                     }});
  EXPECT_EQ(MOUSEWAIT(), 0);
  EXPECT_EQ(script.Left(), 0u);
  double x, y, b1, b2;
  MOUSESTATE(x, y, b1, b2);
  EXPECT_EQ(b1, 0);  // read down once, by the wait
}

TEST_F(WaitTest, EscOrClosingTheWindowDuringEitherWaitEndsTheProgram) {
  CreateDevices();
  struct Case {
    const char* what;
    bool mouseWait;
    std::vector<std::function<void()>> steps;
  } cases[] = {
      {"Esc in MOUSEWAIT", true, {[] { PressKey(0x01); }}},
      // Esc types no character, yet it ends KEYWAIT too.
      {"Esc in KEYWAIT", false, {[] { PressKey(0xCB); }, [] { PressKey(0x01); }}},
      {"closing in KEYWAIT",
       false,
       {[] { PressKey(0xC8); },
        [] { tobli::platform::PushEvent({tobli::platform::EventType::kQuit}); }}},
  };
  size_t logged = 0;
  for (const Case& c : cases) {
    EXPECT_EXIT(
        {
          IdleScript script(c.steps);
          c.mouseWait ? MOUSEWAIT() : KEYWAIT();
          std::exit(3);
        },
        ::testing::ExitedWithCode(0), "")
        << c.what;
    auto lines = ErrorLogLines();
    ASSERT_EQ(lines.size(), logged + 5) << c.what;
    EXPECT_EQ(lines[logged], "-End On Line") << c.what;
    logged = lines.size();
  }
}

// A quit guard that says no keeps KEYWAIT waiting through Esc; a key that types ends it.
TEST_F(WaitTest, KeyWaitAsksTheQuitGuard) {
  CreateDevices();
  struct GuardScope {
    GuardScope() {
      __SetQuitGuard([] { return false; });
    }
    ~GuardScope() { __SetQuitGuard(nullptr); }
  } guard;
  IdleScript script({[] { PressKey(0x01); }, [] { ReleaseKey(0x01); }, [] { PressKey(0x1F); }});
  EXPECT_EQ(KEYWAIT(), 0);
  EXPECT_EQ(script.Left(), 0u);
  EXPECT_TRUE(ErrorLogLines().empty());
}

}  // namespace

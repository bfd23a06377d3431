// The keyboard on scripted events: KEY, INKEY_Str, the quit keys, and the fallbacks when the
// platform has no input service or keyboard.
#include <gtest/gtest.h>

#include "core/services.h"
#include "gfx/screen_commands.h"
#include "input/dxinput.h"
#include "input/input_commands.h"
#include "input_fixture.h"

namespace {

using tobli::test::ErrorLogLines;
using tobli::test::InputTest;
using tobli::test::PressKey;
using tobli::test::PushFocus;
using tobli::test::ReleaseKey;

constexpr int kLeft = 203;
constexpr int kA = 0x1E;
constexpr int kOne = 0x02;
constexpr int kLeftShift = 0x2A;
constexpr int kRightShift = 0x36;
constexpr int kEnter = 0x1C;

using KeyboardTest = InputTest;

TEST_F(KeyboardTest, KeyReadsTheHeldKeyByTheLowEightBitsOfItsNumber) {
  ASSERT_EQ(CreateDevices(), kInputOk);
  EXPECT_EQ(KEY(kLeft), 0);
  PressKey(kLeft);
  EXPECT_EQ(KEY(kLeft), 1);
  EXPECT_EQ(KEY(256 + kLeft), 1);
  EXPECT_EQ(KEY(kLeft + 0.9), 1);
  EXPECT_EQ(KEY(kLeft - 256), 1);
  EXPECT_EQ(KEY(205), 0);
  ReleaseKey(kLeft);
  EXPECT_EQ(KEY(kLeft), 0);
}

// A key pressed and let go between two readings (a quick tap, or a long frame) is not lost:
// it reads as down for a run of readings, types its character once, and then comes up.
TEST_F(KeyboardTest, ATapBetweenTwoReadingsIsSeenAndTypesOnce) {
  CreateDevices();
  EXPECT_EQ(KEY(kLeft), 0);
  PressKey(kLeft);
  ReleaseKey(kLeft);
  EXPECT_EQ(KEY(kEnter), 0) << "another key read first does not use the tap up";
  EXPECT_EQ(KEY(kLeft), 1);
  EXPECT_EQ(KEY(kLeft), 1) << "down for every reading of the pass";
  SHOWSCREEN();
  EXPECT_EQ(KEY(kLeft), 0) << "up once the pass's frame is shown: one pass sees the tap";
  // Where no time passes, as in a loop waiting for the key to come up, it comes up too.
  PressKey(kLeft);
  ReleaseKey(kLeft);
  int readings = 0;
  while (KEY(kLeft) != 0 && readings < 100000) ++readings;
  EXPECT_GT(readings, 0);
  EXPECT_LT(readings, 100000);

  PressKey(kA);
  ReleaseKey(kA);
  PressKey(kA);  // pressed again before anything read: still one tap being held
  EXPECT_EQ(INKEY_Str(), "a");
  EXPECT_EQ(INKEY_Str(), "");
  ReleaseKey(kA);  // its press has been read: up at once
  EXPECT_EQ(INKEY_Str(), "");
  PressKey(kA);
  ReleaseKey(kA);
  EXPECT_EQ(INKEY_Str(), "a") << "a second tap of the same key types again";

  // Typing the same letter twice fast: the key comes up and goes down again between two
  // readings, and its state never reads as up. It is still a second character.
  PressKey(kOne);
  EXPECT_EQ(INKEY_Str(), "1");
  ReleaseKey(kOne);
  PressKey(kOne);
  EXPECT_EQ(INKEY_Str(), "1");
  EXPECT_EQ(INKEY_Str(), "") << "held, it types once";
  ReleaseKey(kOne);
}

// A held key typing once, and typing again after a release, are checked with the taps above.
TEST_F(KeyboardTest, WhileALowerKeyIsHeldOthersTypeNothing) {
  CreateDevices();
  PressKey(kOne);
  EXPECT_EQ(INKEY_Str(), "1");
  PressKey(kA);
  EXPECT_EQ(INKEY_Str(), "");
  ReleaseKey(kOne);
  // The search now finds A first: a character other than the last one counts as new.
  EXPECT_EQ(INKEY_Str(), "a");
}

TEST_F(KeyboardTest, ShiftMakesCapitalsAndTheLayoutsShiftedCharacters) {
  CreateDevices();
  PressKey(kLeftShift);
  EXPECT_EQ(INKEY_Str(), "");  // Shift alone types nothing
  PressKey(kA);
  EXPECT_EQ(INKEY_Str(), "A");
  ReleaseKey(kA);
  ReleaseKey(kLeftShift);
  EXPECT_EQ(INKEY_Str(), "");
  PressKey(kRightShift);
  PressKey(kOne);
  EXPECT_EQ(INKEY_Str(), "!");
}

TEST_F(KeyboardTest, EnterAndBackspaceGiveControlCharactersOtherKeysWithoutTextGiveNone) {
  CreateDevices();
  EXPECT_EQ(pDXin->Scan2Ascii(kEnter), 10);
  EXPECT_EQ(pDXin->Scan2Ascii(0x9C), 10);  // keypad Enter
  EXPECT_EQ(pDXin->Scan2Ascii(0x0E), 8);
  for (int k : {0x01, 0x0F, 0x1D, 0x2A, 0x36, 0x38, 0x3A, 0x3B, 0x45, 0xC8, 0xCB, 0xDD, 0xB8}) {
    EXPECT_EQ(pDXin->Scan2Ascii(k), 0) << k;
  }
  EXPECT_EQ(pDXin->Scan2Ascii(0x39), ' ');
  // The keypad's operators type; its digits (sharing their codes with the cursor keys) do not.
  EXPECT_EQ(pDXin->Scan2Ascii(0x37), '*');
  EXPECT_EQ(pDXin->Scan2Ascii(0x4A), '-');
  EXPECT_EQ(pDXin->Scan2Ascii(0x4E), '+');
  EXPECT_EQ(pDXin->Scan2Ascii(0x47), 0);
  EXPECT_EQ(pDXin->Scan2Ascii(300), 0);
}

TEST_F(KeyboardTest, QuitKeysAreEscAndLeftAltWithF4AndKeysAreLetGoWithTheFocus) {
  CreateDevices();
  __RefreshKeyboard();
  EXPECT_FALSE(__QuitKeysDown());
  PressKey(0xB8);  // right Alt with F4 does not quit
  PressKey(0x3E);
  __RefreshKeyboard();
  EXPECT_FALSE(__QuitKeysDown());
  PressKey(0x38);
  __RefreshKeyboard();
  EXPECT_TRUE(__QuitKeysDown());
  ReleaseKey(0x38);
  ReleaseKey(0x3E);
  PressKey(0x01);
  __RefreshKeyboard();
  EXPECT_TRUE(__QuitKeysDown());

  // Keys held when the focus goes are let go.
  PressKey(kLeft);
  EXPECT_EQ(KEY(kLeft), 1);
  PushFocus(false);
  EXPECT_EQ(KEY(kLeft), 0);
  PushFocus(true);
  EXPECT_EQ(KEY(kLeft), 0);
}

TEST_F(KeyboardTest, WithoutAnInputServiceKeysGoThroughTheVirtualKeyTable) {
  tobli::platform::input::InputDevices none;
  none.service = false;
  EXPECT_EQ(CreateDevices(true, none), kNoInputService);
  ASSERT_EQ(ErrorLogLines(), std::vector<std::string>{"No DX_Input"});
  EXPECT_EQ(pDXin->pKeyboard, nullptr);
  EXPECT_EQ(pDXin->pMouse, nullptr);
  // The German layout of the table: Z and Y change places; unlisted codes have no key.
  EXPECT_EQ(pDXin->nVK[0x15], 0x5A);
  EXPECT_EQ(pDXin->nVK[0x2C], 0x59);
  EXPECT_EQ(pDXin->nVK[0x54], 255);
  EXPECT_EQ(pDXin->nVK[0xCB], 0x25);

  PressKey(kLeft);
  EXPECT_EQ(KEY(kLeft), 1);
  ReleaseKey(kLeft);
  EXPECT_EQ(KEY(kLeft), 0);
  // Both Shift keys are one virtual key; scan code 0 stands for Enter; Caps Lock has none.
  PressKey(kRightShift);
  EXPECT_EQ(KEY(kLeftShift), 1);
  PressKey(kEnter);
  EXPECT_EQ(KEY(0), 1);
  PressKey(0x3A);
  EXPECT_EQ(KEY(0x3A), 0);
  ReleaseKey(kRightShift);
  ReleaseKey(kEnter);
  // Characters still come, with the Shift rule.
  EXPECT_EQ(INKEY_Str(), "");
  PressKey(kLeftShift);
  PressKey(kA);
  EXPECT_EQ(INKEY_Str(), "A");
}

TEST_F(KeyboardTest, AKeyboardThatCannotBeTakenIsLoggedKeptAndTakenLater) {
  tobli::platform::input::InputDevices devices;
  devices.keyboardAcquired = false;
  EXPECT_EQ(CreateDevices(false, devices), kNoKeyboard);
  EXPECT_EQ(ErrorLogLines(), std::vector<std::string>{"No DX_KB"});
  ASSERT_NE(pDXin->pKeyboard, nullptr);
  PressKey(kLeft);
  EXPECT_EQ(KEY(kLeft), 0);  // the read fails; the old state stays
  tobli::platform::input::SetHeadlessInputDevices({});
  EXPECT_EQ(KEY(kLeft), 0);  // this read takes the device again
  EXPECT_EQ(KEY(kLeft), 1);
}

}  // namespace

// The SDL scancodes (USB HID usage numbers) to DirectInput scan codes, for every key the game,
// the editor and the frame read, and for the extended keys of a full PC keyboard.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform_impl.h"

namespace {

using tobli::platform::sdl::DikFromSdlScancode;
using tobli::platform::sdl::SdlScancodeFromDik;

struct KeyCase {
  const char* name;
  int usage;  // USB HID keyboard usage = SDL scancode
  int dik;
};

// clang-format off
constexpr KeyCase kKeys[] = {
    // The frame's quit keys; the game's movement, command, title and selection keys; the
    // editor's keys; Shift for typing in INPUT.
    {"Esc", 41, 1}, {"left Alt", 226, 56}, {"F4", 61, 62}, {"Up", 82, 200}, {"Left", 80, 203},
    {"Right", 79, 205}, {"Down", 81, 208}, {"Enter", 40, 28}, {"Space", 44, 57}, {"Q", 20, 16},
    {"E", 8, 18}, {"P", 19, 25}, {"F1", 58, 59}, {"T", 23, 20}, {"H", 11, 35}, {"S", 22, 31},
    {"L", 15, 38}, {"C", 6, 46}, {"M", 16, 50}, {"4", 33, 5}, {"5", 34, 6}, {"6", 35, 7},
    {"F5", 62, 63}, {"F6", 63, 64}, {"F7", 64, 65}, {"F8", 65, 66}, {"Delete", 76, 211},
    {"Backspace", 42, 14}, {"keypad +", 87, 78}, {"keypad -", 86, 74}, {"left Shift", 225, 0x2A},
    {"right Shift", 229, 0x36},
    // The extended and keypad keys of a full PC keyboard have scan codes of their own.
    {"keypad Enter", 88, 0x9C}, {"keypad /", 84, 0xB5}, {"right Alt", 230, 0xB8},
    {"Home", 74, 0xC7}, {"Page Up", 75, 0xC9}, {"End", 77, 0xCF}, {"Page Down", 78, 0xD1},
    {"Insert", 73, 0xD2}, {"right Ctrl", 228, 0x9D}, {"left Ctrl", 224, 0x1D},
    {"left Windows", 227, 0xDB}, {"right Windows", 231, 0xDC}, {"Menu", 101, 0xDD},
    {"keypad 7", 95, 0x47}, {"keypad 8", 96, 0x48}, {"keypad 9", 97, 0x49}, {"keypad 4", 92, 0x4B},
    {"keypad 5", 93, 0x4C}, {"keypad 6", 94, 0x4D}, {"keypad 1", 89, 0x4F}, {"keypad 2", 90, 0x50},
    {"keypad 3", 91, 0x51}, {"keypad 0", 98, 0x52}, {"keypad .", 99, 0x53}, {"keypad *", 85, 0x37},
    {"Num Lock", 83, 0x45}, {"Caps Lock", 57, 0x3A}, {"F2", 59, 0x3C}, {"F3", 60, 0x3D},
    {"F9", 66, 0x43}, {"F10", 67, 0x44}, {"F11", 68, 0x57}, {"F12", 69, 0x58},
    {"Scroll Lock", 71, 0x46}, {"Pause", 72, 0xC5}, {"Print Screen", 70, 0xB7}, {"Tab", 43, 0x0F},
    {"grave", 53, 0x29}, {"backslash", 49, 0x2B}, {"102nd key", 100, 0x56},
};
// clang-format on

TEST(KeyMap, EveryKeyTheGameReadsAndEveryExtendedKeyHasItsScanCode) {
  for (const KeyCase& key : kKeys) {
    EXPECT_EQ(DikFromSdlScancode(key.usage), key.dik) << key.name;
    EXPECT_EQ(SdlScancodeFromDik(key.dik), key.usage) << key.name;
  }
}

TEST(KeyMap, LettersFollowTheKeyboardRows) {
  // The scan codes run along the rows of the keyboard, not the alphabet.
  const std::string rows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
  const int rowStart[] = {0x10, 0x1E, 0x2C};
  for (int r = 0; r < 3; ++r) {
    for (size_t i = 0; i < rows[r].size(); ++i) {
      int usage = 4 + (rows[r][i] - 'a');  // HID usages 4..29 are a..z
      EXPECT_EQ(DikFromSdlScancode(usage), rowStart[r] + static_cast<int>(i)) << rows[r][i];
    }
  }
  // The digit row: 1..9 then 0.
  for (int d = 0; d < 10; ++d) EXPECT_EQ(DikFromSdlScancode(30 + d), 2 + d) << d;
}

TEST(KeyMap, EveryScanCodeLeadsBackToAKeyThatGivesIt) {
  int mapped = 0;
  for (int dik = 1; dik < 256; ++dik) {
    int usage = SdlScancodeFromDik(dik);
    if (usage == 0) continue;
    ++mapped;
    EXPECT_EQ(DikFromSdlScancode(usage), dik) << dik;
  }
  EXPECT_GE(mapped, 100);  // a full PC keyboard
}

}  // namespace

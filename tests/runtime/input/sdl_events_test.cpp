// Real SDL events, pushed into SDL's own queue, reach the keyboard state and the mouse through
// the same path as scripted ones. SDL_PushEvent does not change SDL's keyboard state, so these
// pass only because the state is made from the events.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <string>

#include "core/frame.h"
#include "core/services.h"
#include "input/dxinput.h"
#include "input/input_commands.h"
#include "platform/audio_platform.h"
#include "support/gl_test_support.h"
#include "support/test_support.h"

namespace {

namespace platform = tobli::platform;

class SdlEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!tobli::test::HaveDisplay()) GTEST_SKIP() << "no X display";
    platform::Select(platform::Kind::kSdl);
    std::string why;
    platform::WindowSpec spec;
    spec.title = "input";
    ASSERT_TRUE(platform::OpenWindow(spec, why)) << why;
    platform::ShowWindow(true);
    __CreateInputService();
    pDXin->CreateDInput(true);
    __g_mx = __g_my = 0;
  }
  void TearDown() override {
    __DestroyInputService();
    platform::CloseWindow();
  }

  static void PushKey(SDL_Scancode code, bool down, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = code;
    e.key.keysym.sym = SDL_GetKeyFromScancode(code);
    e.key.keysym.mod = mod;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  // A key press with the text the keyboard's layout makes of it.
  static void PushTypedKey(SDL_Scancode code, Uint16 mod, const char* text) {
    PushKey(code, true, mod);
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, text, sizeof e.text.text);
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  static void PushWindowEvent(Uint8 what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = what;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }

  // The title of the test's window (the only one open).
  static std::string WindowTitle() {
    std::string title;
    for (Uint32 id = 1; id < 10000; ++id) {
      if (SDL_Window* window = SDL_GetWindowFromID(id)) title = SDL_GetWindowTitle(window);
    }
    return title;
  }
  static constexpr int kLastVoice = 511;

  tobli::test::ScopedTempDir dir_;
};

TEST_F(SdlEventsTest, KeyEventsBecomeScanCodes) {
  PushKey(SDL_SCANCODE_LEFT, true);
  EXPECT_EQ(KEY(203), 1);
  EXPECT_EQ(SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_LEFT], 0);  // SDL's own state knows nothing
  PushKey(SDL_SCANCODE_LEFT, false);
  EXPECT_EQ(KEY(203), 0);
  PushKey(SDL_SCANCODE_KP_ENTER, true);
  EXPECT_EQ(KEY(0x9C), 1);
  PushKey(SDL_SCANCODE_KP_ENTER, false);
}

TEST_F(SdlEventsTest, TheLayoutGivesTheCharactersOfKeys) {
  EXPECT_EQ(pDXin->Scan2Ascii(0x1E), 'a');
  EXPECT_EQ(pDXin->Scan2Ascii(0x39), ' ');
  EXPECT_EQ(pDXin->Scan2Ascii(0x4E), '+');
  EXPECT_EQ(pDXin->Scan2Ascii(0x47), 0);  // keypad 7 shares its code with Home
  EXPECT_EQ(pDXin->Scan2Ascii(0xC8), 0);
  PushKey(SDL_SCANCODE_RSHIFT, true);
  PushKey(SDL_SCANCODE_B, true);
  EXPECT_EQ(INKEY_Str(), "B");
  PushKey(SDL_SCANCODE_B, false);
  PushKey(SDL_SCANCODE_RSHIFT, false);
}

// The key right of 0 types '-' and '_' on one layout, 'ß' and '?' on another: what Shift
// makes of a key is taken from the text its press brings, not from a fixed table.
TEST_F(SdlEventsTest, ShiftedCharactersFollowTheLayout) {
  PushKey(SDL_SCANCODE_LSHIFT, true, KMOD_LSHIFT);
  PushTypedKey(SDL_SCANCODE_MINUS, KMOD_LSHIFT, "?");
  EXPECT_EQ(INKEY_Str(), "?");
  PushKey(SDL_SCANCODE_MINUS, false, KMOD_LSHIFT);
  // With Ctrl held the text is not what the key types alone, so it teaches nothing.
  PushTypedKey(SDL_SCANCODE_SLASH, KMOD_LSHIFT | KMOD_LCTRL, "!");
  KEY(0);  // handles the waiting events
  EXPECT_EQ(pDXin->Scan2Ascii(0x35), '?');
  PushKey(SDL_SCANCODE_SLASH, false, KMOD_LSHIFT);
  PushKey(SDL_SCANCODE_LSHIFT, false);
}

// Typed text (INPUT) takes the characters the layout typed, AltGr ones included; a key that
// types no text (Backspace) still gives its own character.
TEST_F(SdlEventsTest, TypingTakesTheLayoutsText) {
  pDXin->StartTyping();
  PushTypedKey(SDL_SCANCODE_Q, KMOD_RALT | KMOD_MODE, "@");  // AltGr+Q on one layout
  PushKey(SDL_SCANCODE_Q, false);
  PushTypedKey(SDL_SCANCODE_A, KMOD_CAPS, "A");  // Caps Lock: the capital the user sees
  PushKey(SDL_SCANCODE_A, false);
  PushKey(SDL_SCANCODE_BACKSPACE, true);
  PushKey(SDL_SCANCODE_BACKSPACE, false);
  KEY(0);  // handles the waiting events
  EXPECT_EQ(pDXin->NextTyped(), '@');
  EXPECT_EQ(pDXin->NextTyped(), 'A');
  EXPECT_EQ(pDXin->NextTyped(), 8);
  EXPECT_EQ(pDXin->NextTyped(), 0);
}

// F9 and F10 silence the music and the sound effects and bring them back; the window's title
// says what is off. They are the window's keys: the game never sees them.
TEST_F(SdlEventsTest, F9AndF10SwitchMusicAndSoundsOffAndOn) {
  namespace audio = tobli::platform::audio;
  std::string why;
  ASSERT_TRUE(audio::OpenOutput(audio::OutputSpec{22050, 2, 16}, why)) << why;
  platform::SetWindowTitle("Tobli");
  PushKey(SDL_SCANCODE_F9, true);
  EXPECT_EQ(KEY(0x43), 0);  // F9's code: handled before it could reach the game
  PushKey(SDL_SCANCODE_F9, false);
  EXPECT_EQ(Mix_VolumeMusic(-1), 0);
  EXPECT_EQ(Mix_Volume(0, -1), MIX_MAX_VOLUME);
  EXPECT_EQ(WindowTitle(), "Tobli (music off)");
  PushKey(SDL_SCANCODE_F10, true);
  KEY(0);
  EXPECT_EQ(Mix_Volume(0, -1), 0);
  EXPECT_EQ(WindowTitle(), "Tobli (music and sounds off)");
  // Reopening the output keeps the player's choice.
  audio::CloseOutput();
  ASSERT_TRUE(audio::OpenOutput(audio::OutputSpec{22050, 2, 16}, why)) << why;
  EXPECT_EQ(Mix_VolumeMusic(-1), 0);
  EXPECT_EQ(Mix_Volume(kLastVoice, -1), 0);
  PushKey(SDL_SCANCODE_F9, true);
  PushKey(SDL_SCANCODE_F10, true);
  KEY(0);
  EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
  EXPECT_EQ(Mix_Volume(kLastVoice, -1), MIX_MAX_VOLUME);
  EXPECT_EQ(WindowTitle(), "Tobli");
  audio::CloseOutput();
}

TEST_F(SdlEventsTest, ThePointerIsHeldWithTheFocusAndLetGoWithoutIt) {
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  KEY(0);  // handles the waiting events
  EXPECT_EQ(SDL_GetRelativeMouseMode(), SDL_TRUE);
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.xrel = 12;
  motion.motion.yrel = 7;
  SDL_PushEvent(&motion);
  double x, y, b1, b2;
  MOUSESTATE(x, y, b1, b2);
  EXPECT_EQ(x, 12);
  EXPECT_EQ(y, 7);
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  KEY(0);
  EXPECT_EQ(SDL_GetRelativeMouseMode(), SDL_FALSE);
}

}  // namespace

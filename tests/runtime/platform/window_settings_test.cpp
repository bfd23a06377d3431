// The player's choices for the window are kept between runs in a small text file.
#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "core/services.h"
#include "input/dxinput.h"
#include "input/input_commands.h"
#include "platform/audio_platform.h"
#include "platform/platform.h"
#include "platform/sdl/window_settings.h"
#include "support/gl_test_support.h"
#include "support/test_support.h"

namespace {

namespace sdl = tobli::platform::sdl;
namespace platform = tobli::platform;
using tobli::test::ReadFile;
using tobli::test::ScopedTempDir;
using tobli::test::WriteFile;

TEST(WindowSettings, WrittenAndReadBackWithMalformedLinesIgnored) {
  ScopedTempDir dir;
  const std::string path = dir.path() + "/new/folder/settings";
  sdl::WindowSettings written{1280, 960, true, true, false};
  ASSERT_TRUE(sdl::WriteWindowSettings(path, written));
  sdl::WindowSettings read;
  ASSERT_TRUE(sdl::ReadWindowSettings(path, read));
  EXPECT_EQ(read.width, 1280);
  EXPECT_EQ(read.height, 960);
  EXPECT_TRUE(read.wholeScreen);
  EXPECT_TRUE(read.musicOff);
  EXPECT_FALSE(read.soundsOff);

  WriteFile(path, "window 99999 10\nwhole-screen 2\nmusic\nsounds 0 trailing\nnoise 1\n");
  ASSERT_TRUE(sdl::ReadWindowSettings(path, read));
  EXPECT_EQ(read.width, 0);  // too large: not known
  EXPECT_FALSE(read.wholeScreen);
  EXPECT_FALSE(read.musicOff);
  EXPECT_TRUE(read.soundsOff);
  EXPECT_FALSE(sdl::ReadWindowSettings(dir.path() + "/missing", read));
  EXPECT_TRUE(read.soundsOff);  // untouched
}

TEST(WindowSettings, TheUsersFileFollowsTheConfigFolder) {
  const char* config = getenv("XDG_CONFIG_HOME");
  const std::string saved = config != nullptr ? config : "";
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(sdl::UserSettingsPath(), "/cfg/tobli/settings");
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not a base folder: the home's default
  setenv("HOME", "/home/player", 1);
  EXPECT_EQ(sdl::UserSettingsPath(), "/home/player/.config/tobli/settings");
  config != nullptr ? setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
}

// A window opens as it was left, the music stays off, and a change is kept at once.
TEST(WindowSettings, AWindowOpensAsItWasLeftAndKeepsChanges) {
  if (!tobli::test::HaveDisplay()) GTEST_SKIP() << "no X display";
  ScopedTempDir dir;
  const std::string path = dir.path() + "/settings";
  WriteFile(path, "window 200 150\nwhole-screen 0\nmusic 0\nsounds 1\n");
  platform::Select(platform::Kind::kSdl);
  platform::KeepSettingsIn(path);
  std::string why;
  platform::WindowSpec spec;
  spec.width = 64;
  spec.height = 48;
  ASSERT_TRUE(platform::OpenWindow(spec, why)) << why;
  SDL_Window* window = nullptr;
  for (Uint32 id = 1; id < 10000 && window == nullptr; ++id) window = SDL_GetWindowFromID(id);
  ASSERT_NE(window, nullptr);
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window, &width, &height);
  EXPECT_EQ(width, 200);
  EXPECT_EQ(height, 150);
  EXPECT_TRUE(platform::audio::MusicMuted());
  EXPECT_FALSE(platform::audio::SoundsMuted());
  platform::PreferPictureSize();  // a size the player kept stays, software renderer or not
  SDL_PumpEvents();
  SDL_GetWindowSize(window, &width, &height);
  EXPECT_EQ(width, 200);

  __CreateInputService();
  pDXin->CreateDInput(true);
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.scancode = SDL_SCANCODE_F10;
  SDL_PushEvent(&key);
  KEY(0);  // handles the waiting events
  EXPECT_EQ(ReadFile(path), "window 200 150\nwhole-screen 0\nmusic 0\nsounds 0\n");
  __DestroyInputService();
  platform::CloseWindow();
  platform::KeepSettingsIn("");
  platform::audio::SetMusicMuted(false);
  platform::audio::SetSoundsMuted(false);
}

}  // namespace

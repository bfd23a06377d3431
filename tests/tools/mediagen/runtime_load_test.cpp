// The archives the build packed, loaded by the runtime's own commands as the game loads them:
// sprites, fonts, screens and intro text on the headless platform; sounds and music on the
// SDL platform with the dummy audio driver.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <utility>

#include "audio/audio_commands.h"
#include "audio/music.h"
#include "audio/sfx_sound.h"
#include "core/frame.h"
#include "core/services.h"
#include "data/archive.h"
#include "data/file_commands.h"
#include "gfx/lumetra.h"
#include "gfx/sprite_commands.h"
#include "media_names.h"
#include "platform/audio_platform.h"
#include "platform/platform.h"
#include "support/gl_test_support.h"
#include "support/test_support.h"

namespace {

using tobli::test::PictureNames;
using tobli::test::ScopedTempDir;
using tobli::test::SoundNames;
using tobli::test::SpriteName;
using tobli::test::StageDir;

void UseTheGamesArchives() {
  SETDEZEZER(KDStr((StageDir() + "/media.vez").c_str()),
             KDStr((StageDir() + "/music.vez").c_str()));
}

TEST(MediaThroughTheRuntime, PicturesFontsAndTheIntroLoadFromMediaVez) {
  ScopedTempDir dir;  // no plain files here: everything comes out of the archive
  tobli::test::HeadlessRenderer renderer;
  UseTheGamesArchives();
  for (int n = 0; n < 280; ++n) {
    LOADSPRITE(KDStr(SpriteName(n).c_str()), n);
    ASSERT_EQ(pLum->nWidth[n], 32) << SpriteName(n);
    ASSERT_EQ(pLum->nHeight[n], 32) << SpriteName(n);
    ASSERT_EQ(pLum->nTexWidth[n], 32) << SpriteName(n);
  }
  // The small font as the game spells it.
  for (const auto& [font, height] : {std::pair{"smalfont.bmp", 20}, std::pair{"BigFont.bmp", 24}}) {
    double w = 0, h = 0;
    LOADFONT(font, 0);
    GETFONTSIZE(w, h);
    EXPECT_EQ(w, 16) << font;
    EXPECT_EQ(h, height) << font;
  }
  for (const char* screen : {"Title.bmp", "GameSelect.bmp", "Help.bmp", "Gameover.bmp"}) {
    BLACKSCREEN();
    LOADBMP(screen);
    EXPECT_EQ(pLum->surfaces[0].nCols, 10) << screen;
    EXPECT_EQ(pLum->surfaces[0].nRows, 8) << screen;
  }
  for (int i = 1; i <= 3; ++i) {
    std::string name = "Heading" + std::to_string(i) + ".bmp";
    LOADSPRITE(KDStr(name.c_str()), i - 1);
    EXPECT_GT(pLum->nWidth[i - 1], 32) << name;
  }
  // The intro comes out of the archive too.
  KDStr line;
  GETFILE("intro.txt", 0, line);
  EXPECT_NE(line.ToStdString(), "NO_FILE");
  EXPECT_NE(line.ToStdString(), "NO_DATA");
  SETDEZEZER("", "");
}

TEST(MediaThroughTheRuntime, EverySoundLoadsIntoItsSlotAndTheMusicPlaysForAMinute) {
  ScopedTempDir dir;
  setenv("SDL_AUDIODRIVER", "dummy", 1);  // a device that plays nothing, on any machine
  tobli::platform::Select(tobli::platform::Kind::kSdl);
  __CreateSoundService();
  __CreateSoundDevice();
  if (pDXsnd->pDS == nullptr) {
    __DestroySoundServices();
    GTEST_SKIP() << "no sound device, not even the dummy one";
  }
  UseTheGamesArchives();
  std::vector<std::string> sounds = SoundNames();
  for (size_t slot = 0; slot < sounds.size(); ++slot) {
    LOADSOUND(KDStr(sounds[slot].c_str()), static_cast<double>(slot), 1);
    EXPECT_EQ(DXwav[slot].nBuffers, 1) << sounds[slot];
  }
  EXPECT_EQ(PLAYMUSIC("sound/Tobli.mp3"), 0);
  EXPECT_TRUE(tobli::platform::audio::HasMusic()) << "the mixer cannot decode the tune";
  EXPECT_GE(tobli::platform::audio::MusicLengthMs(), 60000);
  STOPMUSIC();
  SETDEZEZER("", "");
  __StopMusicService();
  __DestroySoundServices();
  tobli::platform::Select(tobli::platform::Kind::kHeadless);
}

}  // namespace

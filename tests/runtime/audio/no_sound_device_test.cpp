// A machine without a sound device (the headless platform): every sound command stays silent,
// nothing fails, and PLAYSOUND calls are still logged.
#include <gtest/gtest.h>

#include "audio/audio_commands.h"
#include "audio/music.h"
#include "audio/sfx_sound.h"
#include "audio/sound_log.h"
#include "audio_fixture.h"
#include "core/frame.h"
#include "core/services.h"

namespace {

using tobli::test::ScopedTempDir;
using tobli::test::WavFile;

TEST(NoSoundDevice, EverySoundCommandStaysSilentAndPlaysAreLogged) {
  ScopedTempDir dir;
  tobli::platform::Select(tobli::platform::Kind::kHeadless);
  ClearSoundLog();
  __CreateSoundService();
  __CreateSoundDevice();
  ASSERT_NE(pDXsnd, nullptr);
  EXPECT_EQ(pDXsnd->pDS, nullptr);
  EXPECT_EQ(pDXsnd->Create(), 0);
  EXPECT_FALSE(pDXsnd->GetCaps());

  tobli::test::WriteFile(dir.File("beep.wav"), WavFile(1, 22050, 8, std::string(100, 'x')));
  LOADSOUND("beep.wav", 5, 2);
  EXPECT_EQ(DXwav[5].nBuffers, 0);
  __g_FrameCount = 77;
  PLAYSOUND(5, -1, 1);
  PLAYSOUND(9, 0.25, 0);
  HUSH();
  ASSERT_EQ(SoundLog().size(), 2u);
  EXPECT_EQ(SoundLog()[0].frame, 77u);
  EXPECT_EQ(SoundLog()[0].slot, 5);
  EXPECT_EQ(SoundLog()[0].pan, -10000);
  EXPECT_EQ(SoundLog()[1].pan, 2500);
  EXPECT_EQ(SoundLogCount(5), 1u);
  EXPECT_EQ(SoundLogCount(9), 1u);

  // The music service answers as for a file it cannot play: found is 0, missing is 3.
  EXPECT_EQ(PLAYMUSIC("beep.wav"), 0);
  EXPECT_NE(wnd_mp3, 0);
  __LoopMusic();
  EXPECT_EQ(PLAYMUSIC("missing.mp3"), 3);
  EXPECT_EQ(wnd_mp3, 0);
  __StopMusicService();
  __DestroySoundServices();
  EXPECT_EQ(pDXsnd, nullptr);
  EXPECT_EQ(DXwav, nullptr);
  __g_FrameCount = 0;
}

TEST(NoSoundDevice, CommandsBeforeStartUpDoNothing) {
  ClearSoundLog();
  ASSERT_EQ(DXwav, nullptr);
  PLAYSOUND(1, 0, 1);
  HUSH();
  LOADSOUND("nothing.wav", 1, 1);
  EXPECT_EQ(SoundLog().size(), 1u);
}

}  // namespace

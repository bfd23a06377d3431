// Music on SDL's disk audio driver: fetched through the media slot, decoded by its contents,
// looped by SHOWSCREEN once it has ended.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/audio_commands.h"
#include "audio/music.h"
#include "audio_fixture.h"
#include "core/services.h"
#include "gfx/screen_commands.h"
#include "platform/audio_platform.h"
#include "support/gl_test_support.h"

namespace {

namespace audio = tobli::platform::audio;
using tobli::test::DiskAudioTest;
using tobli::test::Samples16;
using tobli::test::StereoFrames;
using tobli::test::WaitFor;
using tobli::test::WavFile;

constexpr int kTuneFrames = 6615;  // 0.3 s at 22050 Hz

// A square wave that is never 0, as a WAV file.
std::string Tune() {
  std::vector<int16_t> values;
  for (int i = 0; i < kTuneFrames; ++i) values.push_back((i / 50) % 2 == 0 ? 8000 : -8000);
  return WavFile(1, 22050, 16, Samples16(values));
}

bool MusicEnded() {
  return audio::MusicPositionMs() >= audio::MusicLengthMs();
}

size_t SoundingFrames(const StereoFrames& out) {
  size_t count = 0;
  for (size_t i = 0; i < out.size(); ++i) count += out.left[i] != 0 ? 1 : 0;
  return count;
}

using MusicTest = DiskAudioTest;

TEST_F(MusicTest, MusicIsToldByItsContentsAndLoopsThroughShowScreenAfterItsEnd) {
  TOBLI_GL_WINDOW(window);
  // A WAV file under an MP3 name: the decoder goes by the contents.
  ASSERT_EQ(PLAYMUSIC(Put("tune.mp3", Tune())), 0);
  EXPECT_NE(wnd_mp3, 0);
  ASSERT_TRUE(audio::HasMusic());
  EXPECT_NEAR(audio::MusicLengthMs(), 300.0, 1.0);
  ASSERT_TRUE(WaitFor(MusicEnded));
  SHOWSCREEN();
  EXPECT_FALSE(MusicEnded());  // started again from the beginning
  ASSERT_TRUE(WaitFor(MusicEnded));
  STOPMUSIC();
  EXPECT_EQ(wnd_mp3, 0);
  StereoFrames out = CloseAndRead();
  // Both plays whole: the loop starts only after the end has been heard.
  EXPECT_NEAR(static_cast<double>(SoundingFrames(out)), 2.0 * kTuneFrames, 20.0);
}

TEST_F(MusicTest, AMissingFileGivesThreeAndSilence) {
  ASSERT_EQ(PLAYMUSIC(Put("tune.wav", Tune())), 0);
  EXPECT_EQ(PLAYMUSIC("nowhere.mp3"), 3);
  EXPECT_EQ(wnd_mp3, 0);  // the old music was stopped before the fetch
  EXPECT_FALSE(audio::HasMusic());
  STOPMUSIC();  // without music: nothing to do
  EXPECT_EQ(PLAYMOVIE(Put("movie.avi", "not played")), 3);
  EXPECT_EQ(LOOPMOVIE("movie.avi"), 3);
  StereoFrames out = CloseAndRead();
  EXPECT_LT(SoundingFrames(out), static_cast<size_t>(kTuneFrames));
}

TEST_F(MusicTest, UndecodableMusicIsSilentAndTheSameMusicAgainStartsFromTheBeginning) {
  ASSERT_EQ(PLAYMUSIC(Put("noise.ogg", std::string(4000, 'x'))), 0);
  EXPECT_NE(wnd_mp3, 0);
  EXPECT_FALSE(audio::HasMusic());
  __LoopMusic();  // the looping step has nothing to restart
  STOPMUSIC();
  EXPECT_EQ(wnd_mp3, 0);

  // Playing the same music again starts it from the beginning.
  KDStr name = Put("tune.wav", Tune());
  ASSERT_EQ(PLAYMUSIC(name), 0);
  ASSERT_TRUE(WaitFor([] { return audio::MusicPositionMs() > 100; }));
  ASSERT_EQ(PLAYMUSIC(name), 0);
  EXPECT_LT(audio::MusicPositionMs(), 100);
}

}  // namespace

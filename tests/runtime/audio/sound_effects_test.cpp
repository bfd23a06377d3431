// Sound effects played on SDL's disk audio driver and read back from its output.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "audio/audio_commands.h"
#include "audio/sfx_sound.h"
#include "audio/sound_log.h"
#include "audio_fixture.h"
#include "platform/audio_platform.h"

namespace {

namespace audio = tobli::platform::audio;
using tobli::test::DiskAudioTest;
using tobli::test::Samples16;
using tobli::test::StereoFrames;
using tobli::test::WaitFor;
using tobli::test::WavFile;

// A stereo 22050 Hz 16-bit sound of the given frames: a ramp on the left, its negative on the
// right, never 0, so every frame can be found again in the output.
std::vector<int16_t> StereoRamp(int frames) {
  std::vector<int16_t> values;
  for (int i = 0; i < frames; ++i) {
    values.push_back(static_cast<int16_t>(1000 + (i * 7) % 20000));
    values.push_back(static_cast<int16_t>(-1000 - (i * 5) % 20000));
  }
  return values;
}

bool SlotPlaying(int slot) {
  const SFXSoundBuffer& buffer = DXwav[slot];
  for (int i = 0; i < buffer.nBuffers; ++i) {
    if (audio::VoicePlaying(buffer.pBuffers[i])) return true;
  }
  return false;
}

bool WaitForSilence(int slot) {
  return WaitFor([slot] { return !SlotPlaying(slot); });
}

using SoundEffectsTest = DiskAudioTest;

TEST_F(SoundEffectsTest, DeviceRunsAt22050HzSixteenBitStereoAndPlaysEffectsSampleForSample) {
  EXPECT_EQ(pDXsnd->caps.dwSize, 96u);
  EXPECT_EQ(pDXsnd->caps.nFrequency, 22050);
  EXPECT_EQ(pDXsnd->caps.nChannels, 2);
  EXPECT_EQ(pDXsnd->caps.nBits, 16);

  // A played effect appears in the output sample for sample.
  std::vector<int16_t> ramp = StereoRamp(2205);
  LOADSOUND(Put("ramp.wav", WavFile(2, 22050, 16, Samples16(ramp))), 4, 1);
  ASSERT_EQ(DXwav[4].nBuffers, 1);
  PLAYSOUND(4, 0, 1);
  ASSERT_TRUE(SlotPlaying(4));
  ASSERT_TRUE(WaitForSilence(4));
  StereoFrames out = CloseAndRead();
  size_t start = out.FirstSound();
  ASSERT_LE(start + 2205, out.size());
  for (size_t i = 0; i < 2205; ++i) {
    ASSERT_EQ(out.left[start + i], ramp[2 * i]) << i;
    ASSERT_EQ(out.right[start + i], ramp[2 * i + 1]) << i;
  }
  EXPECT_EQ(out.EndOfSound(), start + 2205);
}

TEST_F(SoundEffectsTest, PanAttenuatesTheOtherSideInHundredthsOfADecibel) {
  std::vector<int16_t> ramp = StereoRamp(1000);
  LOADSOUND(Put("ramp.wav", WavFile(2, 22050, 16, Samples16(ramp))), 0, 1);
  LOADSOUND("ramp.wav", 1, 1);
  PLAYSOUND(0, 1, 1);  // right only
  ASSERT_TRUE(WaitForSilence(0));
  PLAYSOUND(1, -1, 1);  // left only
  ASSERT_TRUE(WaitForSilence(1));
  PLAYSOUND(0, 0.5, 1);  // left 50 dB down; nothing is left of the first play's balance
  ASSERT_TRUE(WaitForSilence(0));
  StereoFrames out = CloseAndRead();

  size_t at = out.FirstSound();
  ASSERT_LT(at, out.size());
  for (size_t i = 0; i < 1000; ++i) {
    ASSERT_EQ(out.left[at + i], 0) << i;
    ASSERT_EQ(out.right[at + i], ramp[2 * i + 1]) << i;
  }
  // The next sound starts after a stretch of silence.
  at += 1000;
  while (at < out.size() && out.left[at] == 0 && out.right[at] == 0) ++at;
  for (size_t i = 0; i < 1000; ++i) {
    ASSERT_EQ(out.left[at + i], ramp[2 * i]) << i;
    ASSERT_EQ(out.right[at + i], 0) << i;
  }
  at += 1000;
  while (at < out.size() && out.left[at] == 0 && out.right[at] == 0) ++at;
  const double factor = std::pow(10.0, -5000 / 2000.0);
  for (size_t i = 0; i < 1000; ++i) {
    ASSERT_NEAR(out.left[at + i], ramp[2 * i] * factor, 1.0) << i;
    ASSERT_EQ(out.right[at + i], ramp[2 * i + 1]) << i;
  }
}

TEST_F(SoundEffectsTest, TheFourthPlayOfAThreeVoiceSlotRestartsVoiceZeroAndHushStopsEverySlot) {
  KDStr name = Put("long.wav", WavFile(2, 22050, 16, Samples16(StereoRamp(22050))));
  LOADSOUND(name, 9, 3);
  LOADSOUND(name, 127, 1);
  PLAYSOUND(127, 0, 1);
  ASSERT_EQ(DXwav[9].nBuffers, 3);
  const SoundVoice* voices = DXwav[9].pBuffers;
  for (int i = 0; i < 3; ++i) PLAYSOUND(9, 0, 1);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(audio::VoicePlaying(voices[i])) << i;
  EXPECT_EQ(DXwav[9].nCurrent, 2);
  ASSERT_TRUE(WaitFor([&] { return audio::VoiceFramesPlayed(voices[0]) > 4000; }));
  int64_t before = audio::VoiceFramesPlayed(voices[0]);
  PLAYSOUND(9, 0, 1);
  EXPECT_EQ(DXwav[9].nCurrent, 0);
  EXPECT_LT(audio::VoiceFramesPlayed(voices[0]), before);  // cut off and started again
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(audio::VoicePlaying(voices[i])) << i;
  ASSERT_TRUE(SlotPlaying(127));
  HUSH();
  EXPECT_FALSE(SlotPlaying(9));
  EXPECT_FALSE(SlotPlaying(127));
}

TEST_F(SoundEffectsTest, ASingleVoiceStillPlayingIsNotRestarted) {
  LOADSOUND(Put("long.wav", WavFile(2, 22050, 16, Samples16(StereoRamp(22050)))), 3, 1);
  PLAYSOUND(3, 0, 1);
  SoundVoice voice = DXwav[3].pBuffers[0];
  ASSERT_TRUE(WaitFor([&] { return audio::VoiceFramesPlayed(voice) > 4000; }));
  int64_t before = audio::VoiceFramesPlayed(voice);
  EXPECT_FALSE(DXwav[3].Play(0, 0, 0));
  EXPECT_GE(audio::VoiceFramesPlayed(voice), before);
  // Once it has ended it plays again.
  HUSH();
  EXPECT_FALSE(audio::VoicePlaying(voice));
  EXPECT_TRUE(DXwav[3].Play(0, 0, 0));
}

TEST_F(SoundEffectsTest, VoicesAreClampedToOneToFourAndSlotsTo127) {
  KDStr name = Put("short.wav", WavFile(1, 22050, 16, Samples16({100, 200, 300, 400})));
  LOADSOUND(name, 1, 0);
  EXPECT_EQ(DXwav[1].nBuffers, 1);
  LOADSOUND(name, 2, 9);
  EXPECT_EQ(DXwav[2].nBuffers, 4);
  LOADSOUND(name, 3, 2.9);
  EXPECT_EQ(DXwav[3].nBuffers, 2);
  LOADSOUND(name, 500, 1);
  EXPECT_EQ(DXwav[127].nBuffers, 1);
  LOADSOUND(name, -1, 1);  // no slot: nothing changes
  EXPECT_EQ(DXwav[0].nBuffers, 0);

  ClearSoundLog();
  PLAYSOUND(300, 0, 1);
  EXPECT_TRUE(audio::VoicePlaying(DXwav[127].pBuffers[0]));
  PLAYSOUND(40, 5, 1);  // an empty slot: logged, silent
  PLAYSOUND(2, -0.33339, 7);
  ASSERT_EQ(SoundLog().size(), 3u);
  EXPECT_EQ(SoundLog()[0].slot, 127);
  EXPECT_EQ(SoundLog()[1].slot, 40);
  EXPECT_EQ(SoundLog()[1].pan, 10000);
  EXPECT_EQ(SoundLog()[2].pan, -3333);
  EXPECT_EQ(SoundLogCount(127), 1u);
}

TEST_F(SoundEffectsTest, AMono8Bit11025HzSoundPlaysAtItsPitchAndLength) {
  // 0.2 s of a 441 Hz sine: 25 samples per period at 11025 Hz.
  std::string samples;
  for (int i = 0; i < 2205; ++i) {
    samples += static_cast<char>(128 + std::lround(100 * std::sin(2 * M_PI * i / 25.0)));
  }
  LOADSOUND(Put("tone.wav", WavFile(1, 11025, 8, samples)), 6, 1);
  ASSERT_EQ(DXwav[6].nBuffers, 1);
  PLAYSOUND(6, 0, 1);
  ASSERT_TRUE(WaitForSilence(6));
  StereoFrames out = CloseAndRead();
  size_t start = out.FirstSound();
  size_t end = out.EndOfSound();
  ASSERT_LT(start, end);
  // Twice as many frames at 22050 Hz (give or take the converter's edges).
  EXPECT_NEAR(static_cast<double>(end - start), 4410.0, 30.0);
  int rising = 0;
  int peak = 0;
  for (size_t i = start + 1; i < end; ++i) {
    ASSERT_EQ(out.left[i], out.right[i]) << "mono goes to both sides";
    if (out.left[i - 1] < 0 && out.left[i] >= 0) ++rising;
    peak = std::max(peak, static_cast<int>(out.left[i]));
  }
  EXPECT_NEAR(rising, 88, 2);  // 441 Hz for 0.2 s
  // 8-bit amplitude 100 of 128 becomes about 100 * 256 in 16 bits.
  EXPECT_NEAR(peak, 25600, 1500);
}

TEST_F(SoundEffectsTest, AnEighteenByteFmtChunkLoadsTheSamplesAfterTheSkippedBytes) {
  std::vector<int16_t> ramp = StereoRamp(500);
  // 2 bytes of extension and a fact chunk of 4 bytes: the 14 bytes the reader skips.
  std::string after = std::string(2, '\0') + "fact" + tobli::test::Le32(4) + "0000";
  LOADSOUND(Put("ext.wav", WavFile(2, 22050, 16, Samples16(ramp), 18, after)), 7, 2);
  ASSERT_EQ(DXwav[7].nBuffers, 2);
  PLAYSOUND(7, 0, 1);
  ASSERT_TRUE(WaitForSilence(7));
  StereoFrames out = CloseAndRead();
  size_t start = out.FirstSound();
  ASSERT_LE(start + 500, out.size());
  EXPECT_EQ(out.left[start], ramp[0]);
  EXPECT_EQ(out.right[start + 499], ramp[999]);
}

TEST_F(SoundEffectsTest, FilesThatAreNotUsableSoundsLeaveTheSlotEmpty) {
  std::string good = WavFile(1, 22050, 16, Samples16({1, 2, 3, 4}));
  LOADSOUND(Put("good.wav", good), 8, 2);
  ASSERT_EQ(DXwav[8].nBuffers, 2);
  std::string noData = good;
  noData.replace(36, 4, "junk");
  const std::string bad[] = {
      noData,
      good.substr(0, 30),
      WavFile(1, 22050, 24, std::string(12, '\1')),  // 24-bit samples
      WavFile(1, 50, 8, std::string(12, '\1')),      // a rate no buffer takes
      WavFile(1, 22050, 16, ""),                     // nothing to play
  };
  for (const std::string& contents : bad) {
    LOADSOUND(Put("bad.wav", contents), 8, 2);
    EXPECT_EQ(DXwav[8].nBuffers, 0);
    EXPECT_FALSE(DXwav[8].Play(0, 0, 0));
    LOADSOUND("good.wav", 8, 2);
    ASSERT_EQ(DXwav[8].nBuffers, 2);
  }
  // A file that is not there changes nothing.
  LOADSOUND("missing.wav", 8, 1);
  EXPECT_EQ(DXwav[8].nBuffers, 2);
}

}  // namespace

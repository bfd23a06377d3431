// The synthesizer and the two helpers it drives: pitches and balance come out as written, the
// speech is tidied, and the tune is exactly its bars long so that its loop does not stumble.
// The helper programs are stood in for by small scripts.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "sound.h"
#include "support/test_support.h"
#include "synth.h"
#include "wav.h"

namespace {

using tobli::test::ScopedTempDir;
using tobli::test::WriteFile;

int RisingZeroCrossings(const std::vector<float>& s, size_t from, size_t to, int stride = 1) {
  int n = 0;
  for (size_t i = from + stride; i < to; i += stride)
    if (s[i - stride] < 0 && s[i] >= 0) ++n;
  return n;
}

TEST(Synth, TonesHaveTheirPitchGlideAndSteps) {
  std::vector<float> buf;
  mediagen::Tone t;
  t.from = t.to = 441;
  t.length = 1.0;
  t.attack = t.release = 0;
  mediagen::RenderTone(buf, 22050, 1, t);
  ASSERT_EQ(buf.size(), 22050u);
  EXPECT_NEAR(RisingZeroCrossings(buf, 0, buf.size()), 441, 1);

  // A glide an octave up: the second half holds more cycles than the first.
  buf.clear();
  t.from = 200;
  t.to = 400;
  mediagen::RenderTone(buf, 22050, 1, t);
  int first = RisingZeroCrossings(buf, 0, 11025), second = RisingZeroCrossings(buf, 11025, 22050);
  EXPECT_NEAR(first, 0.5 * 200 * (std::sqrt(2.0) - 1) / std::log(2.0) * 2, 3);
  EXPECT_NEAR(second, first * std::sqrt(2.0), 3);

  // Steps: the pitch factor changes in equal shares of the length.
  buf.clear();
  t.from = t.to = 100;
  t.steps = {1, 3};
  mediagen::RenderTone(buf, 22050, 1, t);
  EXPECT_NEAR(RisingZeroCrossings(buf, 0, 11025), 50, 1);
  EXPECT_NEAR(RisingZeroCrossings(buf, 11025, 22050), 150, 1);
}

TEST(Synth, StartTimeVolumeAndBalanceLandWhereWritten) {
  std::vector<float> buf;
  mediagen::Tone t;
  t.from = t.to = 1000;
  t.start = 0.5;
  t.length = 0.25;
  t.volume = 0.5;
  t.attack = t.release = 0;
  t.pan = 1;  // all on the right
  mediagen::RenderTone(buf, 1000 * 8, 2, t);
  ASSERT_EQ(buf.size(), 2u * 8000 * 3 / 4);
  float before = 0, left = 0, right = 0;
  for (size_t i = 0; i < buf.size() / 2; ++i) {
    float l = std::abs(buf[2 * i]), r = std::abs(buf[2 * i + 1]);
    if (i < 4000) {
      before = std::max({before, l, r});
    } else {
      left = std::max(left, l);
      right = std::max(right, r);
    }
  }
  EXPECT_EQ(before, 0.0f);
  EXPECT_LT(left, 1e-6f);
  EXPECT_NEAR(right, 0.5f, 0.01f);
}

TEST(Synth, UnknownSettingsAndSilentTonesAreRefused) {
  EXPECT_THROW(mediagen::ParseTone({{"wave", "organ"}}), std::runtime_error);
  EXPECT_THROW(mediagen::ParseTone({{"length", "0"}}), std::runtime_error);
  EXPECT_THROW(mediagen::ParseTone({{"vibrato", "5"}}), std::runtime_error);
  mediagen::Tone t = mediagen::ParseTone(
      {{"wave", "square"}, {"from", "220"}, {"to", "440"}, {"steps", "1:2"}, {"vibrato", "6:0.5"}});
  EXPECT_EQ(t.wave, mediagen::Wave::kSquare);
  EXPECT_EQ(t.from, 220);
  EXPECT_EQ(t.to, 440);
  EXPECT_EQ(t.steps, (std::vector<double>{1, 2}));
  EXPECT_EQ(t.vibratoRate, 6);
  EXPECT_EQ(t.vibratoDepth, 0.5);
}

void Script(const std::string& path, const std::string& body) {
  WriteFile(path, "#!/bin/sh\n" + body);
  chmod(path.c_str(), 0755);
}

TEST(Voices, SpeechIsTrimmedOfItsSilenceAndLevelled) {
  ScopedTempDir dir;
  // The stand-in speaker copies speech.wav to the file given after -w.
  Script(dir.File("speak"),
         "while [ $# -gt 1 ]; do if [ \"$1\" = -w ]; then out=$2; fi; shift; done\n"
         "cp \"$(dirname \"$0\")/speech.wav\" \"$out\"\n");
  mediagen::Pcm speech;
  speech.samples.assign(22050, 0);  // one second of silence around a short burst
  for (int i = 0; i < 2205; ++i)
    speech.samples[11025 + i] = static_cast<int16_t>(8000 * std::sin(i * 0.3));
  mediagen::WriteWav(dir.File("speech.wav"), speech);
  WriteFile("voices.txt", "speak pitch=80\nvoice/hi.wav   Hello there!\n");
  EXPECT_EQ(mediagen::MakeVoices("voices.txt", "out", dir.File("speak")),
            std::vector<std::string>{"voice/hi.wav"});
  mediagen::Pcm clip = mediagen::ReadWav("out/voice/hi.wav");
  // The burst and at most 20 ms before and after it.
  EXPECT_GE(clip.samples.size(), 2205u - 10);
  EXPECT_LE(clip.samples.size(), 2205u + 2 * 441 + 2);
  int peak = 0;
  for (int16_t s : clip.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_NEAR(peak, 0.85 * 32768, 400);
  EXPECT_FALSE(tobli::test::FileExists("out/voice/hi.wav.speech"));

  mediagen::Pcm silence;
  silence.samples.assign(1000, 0);
  mediagen::WriteWav(dir.File("speech.wav"), silence);
  EXPECT_THROW(mediagen::MakeVoices("voices.txt", "out", dir.File("speak")), std::runtime_error);
}

TEST(TuneLength, TheTuneIsExactlyItsBarsLongWhateverRingsOn) {
  ScopedTempDir dir;
  // The stand-in encoder copies its input (the next to last argument) to its output.
  Script(dir.File("encode"), "eval in=\\${$(($# - 1))}; eval out=\\${$#}; cp \"$in\" \"$out\"\n");
  WriteFile("tune.txt",
            "tempo 120\nsection A\ndrums normal\nchords C G\n"
            "lead C5:16 | G5:8 B5:8 |\norder A A\n");
  double seconds = mediagen::MakeMusic("tune.txt", "out", dir.File("encode"));
  EXPECT_DOUBLE_EQ(seconds, 8.0);  // four bars of four beats at 120 a minute
  mediagen::Pcm pcm = mediagen::ReadWav("out/sound/Tobli.mp3");
  EXPECT_EQ(pcm.channels, 2);
  EXPECT_EQ(pcm.samples.size(), 2u * 22050 * 8);
  EXPECT_FALSE(tobli::test::FileExists("out/sound/Tobli.mp3.wav"));
}

}  // namespace

// The generator's readers of the media sources and its writers of the game's file formats:
// mistakes in a source stop the build with a message that names them, and what the writers
// make is read back by the runtime's own readers.
#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "art.h"
#include "audio/wav_reader.h"
#include "bmp_writer.h"
#include "font.h"
#include "gfx/bmp.h"
#include "intro.h"
#include "palette.h"
#include "sound.h"
#include "support/test_support.h"
#include "wav.h"

namespace {

using tobli::test::ReadFile;
using tobli::test::ScopedTempDir;
using tobli::test::WriteFile;

// Runs f and returns the message of the std::runtime_error it throws ("" when none).
template <typename F>
std::string ErrorOf(F f) {
  try {
    f();
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

// Writes `text` to the source file `name`; reading it with `read` must fail with a message
// holding `message`.
template <typename F>
void ExpectSourceError(const std::string& name, const std::string& text, F read,
                       const std::string& message) {
  WriteFile(name, text);
  std::string error = ErrorOf([&] { read(name); });
  EXPECT_NE(error.find(message), std::string::npos) << name << ": " << error;
}

auto SpriteSpecs = [](const std::string& f) { mediagen::LoadSpriteSpecs(f); };
auto Glyphs = [](const std::string& f) { mediagen::LoadGlyphs(f); };
auto Intro = [](const std::string& f) { mediagen::MakeIntro(f, "x.txt"); };
auto Music = [](const std::string& f) { mediagen::MakeMusic(f, ".", "/nonexistent/lame"); };
auto Effects = [](const std::string& f) { mediagen::MakeEffects(f, "."); };
auto Voices = [](const std::string& f) { mediagen::MakeVoices(f, ".", "/nonexistent/espeak"); };
auto Palette = [](const std::string& f) { mediagen::LoadPalette(f); };

TEST(SpriteDescriptions, RangesListsAndAnimationFramesExpand) {
  ScopedTempDir dir;
  WriteFile("s.txt",
            "# comment\n"
            "0-1 pad colour=cyan,pink anim | beamer pad\n"
            "2-19 floor | floor\n22-39 floor | floor\n42-279 floor | floor\n");
  std::vector<mediagen::SpriteSpec> specs = mediagen::LoadSpriteSpecs("s.txt");
  ASSERT_EQ(specs.size(), 280u);
  const mediagen::SpriteSpec* frame = nullptr;
  for (const auto& s : specs)
    if (s.number == 41) frame = &s;
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->kind, "pad");
  EXPECT_EQ(frame->phase, 2);
  EXPECT_EQ(frame->index, 1);
  EXPECT_EQ(frame->Param("colour"), "pink");
  EXPECT_EQ(frame->role, "frame 3 of 1: beamer pad");
}

TEST(SpriteDescriptions, MistakesNameTheSprite) {
  ScopedTempDir dir;
  ExpectSourceError("twice.txt", "0-279 floor | f\n5 crate | again\n", SpriteSpecs,
                    "sprite 5 twice");
  ExpectSourceError("gap.txt", "0-278 floor | f\n", SpriteSpecs, "sprite 279 missing");
  ExpectSourceError("over.txt", "0-259 floor | f\n260-279 floor anim | f\n", SpriteSpecs,
                    "out of range");
  ExpectSourceError("norole.txt", "0-279 floor\n", SpriteSpecs, ":1:");
  // A list shorter than its range fails when the sprite is drawn, not silently.
  WriteFile("short.txt", "0-2 pad colour=cyan,pink | p\n3-279 floor | f\n");
  std::vector<mediagen::SpriteSpec> specs = mediagen::LoadSpriteSpecs("short.txt");
  EXPECT_NE(ErrorOf([&] { specs[2].Param("colour"); }).find("too short"), std::string::npos);
}

// A glyph source of every printable character, with `skip` left out and `row` used for one.
std::string GlyphSource(char skip, const std::string& lastRow = ".....") {
  std::string out;
  for (int c = 32; c < 127; ++c) {
    if (c == skip) continue;
    out += c == ' ' ? std::string("char space\n")
                    : "char " + std::string(1, static_cast<char>(c)) + "\n";
    for (int r = 0; r < 8; ++r) out += "#....\n";
    out += (c == 'A' ? lastRow : ".....") + "\n";
  }
  return out;
}

TEST(GlyphSource, EveryPrintableCharacterIsRequiredInShape) {
  ScopedTempDir dir;
  WriteFile("ok.txt", GlyphSource(0));
  EXPECT_EQ(ErrorOf([] { mediagen::LoadGlyphs("ok.txt"); }), "");
  ExpectSourceError("noq.txt", GlyphSource('Q'), Glyphs, "'Q'");
  ExpectSourceError("wide.txt", GlyphSource(0, "......"), Glyphs, "bad glyph row");
}

TEST(IntroStory, BlankLinesBecomeSpacesSoTheScrollerReadsOn) {
  ScopedTempDir dir;
  WriteFile("story.txt", "Once upon a time\n\nthe end\r\n\n\n");
  std::vector<std::string> lines = mediagen::MakeIntro("story.txt", "intro.txt");
  EXPECT_EQ(lines, (std::vector<std::string>{"Once upon a time", " ", "the end"}));
  EXPECT_EQ(ReadFile("intro.txt"), "Once upon a time\r\n \r\nthe end\r\n");

  ExpectSourceError("long.txt", std::string(39, 'x') + "\n", Intro, "longer than 38");
  ExpectSourceError("tab.txt", "a\tb\n", Intro, "tab.txt:1: character the fonts lack");
  ExpectSourceError("empty.txt", "\n\n", Intro, "empty.txt: no story");
}

TEST(TuneScore, BarsMustAddUpBeforeAnythingIsEncoded) {
  ScopedTempDir dir;
  const std::string head = "tempo 120\nsection A\nchords C\n";
  // The encoder does not exist: a score error must be found before it would run.
  ExpectSourceError("short.txt", head + "lead C5:4 D5:4 E5:4 F5:3 |\norder A\n", Music,
                    "a bar of 15 sixteenths");
  ExpectSourceError("chords.txt", "section A\nchords C G\nlead C5:16 |\norder A\n", Music,
                    "chords for 2 bars and melody for 1");
  ExpectSourceError("order.txt", head + "lead C5:16 |\norder A B\n", Music, "no section B");
  ExpectSourceError("ok.txt", head + "lead C5:16 |\norder A\n", Music, "cannot run");
}

TEST(SoundSources, MessagesCountEveryLineAndCommentsAreCutOff) {
  ScopedTempDir dir;
  ExpectSourceError("fx.txt",
                    "# effects\n\neffect a.wav # the first\n"
                    "tone wave=sine from=440 length=0.1\nbuzz\n",
                    Effects, "fx.txt:5: unknown line buzz");
  // The settings line is checked before the speech program would run.
  ExpectSourceError("voices.txt", "# voices\nspeak volume=3\n", Voices,
                    "voices.txt:2: unknown setting volume");
  ExpectSourceError("tune.txt", "# tune\n\n   \nchords C\n", Music,
                    "tune.txt:4: chords outside a section");
  EXPECT_EQ(ErrorOf([] { mediagen::MakeEffects("none.txt", "."); }), "cannot read none.txt");
  EXPECT_EQ(ErrorOf([] { mediagen::MakeVoices("none.txt", ".", "espeak"); }),
            "cannot read none.txt");
  EXPECT_EQ(ErrorOf([] { mediagen::MakeMusic("none.txt", ".", "lame"); }), "cannot read none.txt");
}

TEST(EffectSource, TonesBelongToAnEffectAndEffectsAreLevelled) {
  ScopedTempDir dir;
  ExpectSourceError("bad.txt", "tone wave=sine from=440 length=0.1\n", Effects,
                    "before the first effect");
  ExpectSourceError("key.txt", "effect a.wav\ntone wave=sine from=440 length=0.1 loudness=3\n",
                    Effects, "loudness");
  WriteFile("quiet.txt", "effect sfx/quiet.wav\ntone wave=sine from=440 length=0.2 vol=0.01\n");
  ASSERT_EQ(mediagen::MakeEffects("quiet.txt", "."), std::vector<std::string>{"sfx/quiet.wav"});
  mediagen::Pcm pcm = mediagen::ReadWav("sfx/quiet.wav");
  int peak = 0;
  for (int16_t s : pcm.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  // Every effect is scaled to the same peak, however quietly its tones were written.
  EXPECT_NEAR(peak, 0.8 * 32767, 40);
  EXPECT_EQ(pcm.samples.size(), 4410u);
}

TEST(Writers, WavFilesReadBackThroughTheGamesLoader) {
  ScopedTempDir dir;
  for (int channels : {1, 2}) {
    mediagen::Pcm pcm;
    pcm.channels = channels;
    pcm.samples = {0, 1000, -1000, 32767, -32768, 7};
    mediagen::WriteWav("t.wav", pcm);
    std::string bytes = ReadFile("t.wav");
    std::FILE* f = std::fopen("t.wav", "rb");
    ASSERT_NE(f, nullptr);
    WavHeader header;
    ASSERT_TRUE(ReadWavHeader(f, bytes.size(), header));
    EXPECT_EQ(header.format.channels, channels);
    EXPECT_EQ(header.format.samplesPerSec, 22050u);
    EXPECT_EQ(header.format.bitsPerSample, 16);
    EXPECT_EQ(header.format.blockAlign, 2 * channels);
    EXPECT_EQ(header.dataSize, 12u);
    int16_t samples[6];
    ASSERT_EQ(std::fread(samples, 2, 6, f), 6u);
    std::fclose(f);
    EXPECT_EQ(std::vector<int16_t>(samples, samples + 6), pcm.samples);
  }
}

TEST(Writers, PicturesOfOddWidthsReadBackThroughTheGamesLoader) {
  ScopedTempDir dir;
  mediagen::Image img(5, 3, {10, 20, 30});
  img.Set(0, 0, mediagen::kKey);
  img.Set(4, 2, {255, 255, 255});
  img.Set(2, 1, {1, 2, 3});
  for (bool eight : {false, true}) {
    if (eight)
      mediagen::WriteBmp8("p.bmp", img);
    else
      mediagen::WriteBmp24("p.bmp", img);
    BmpPicture pic;
    ASSERT_TRUE(ReadBmpFile("p.bmp", pic)) << (eight ? "8-bit" : "24-bit");
    ASSERT_EQ(pic.width, 5);
    ASSERT_EQ(pic.height, 3);
    EXPECT_EQ(pic.pixels[0], 0x8000FFu);  // the key, top left
    EXPECT_EQ(pic.pixels[2 * 5 + 4], 0xFFFFFFu);
    EXPECT_EQ(pic.pixels[1 * 5 + 2], 0x030201u);
    EXPECT_EQ(pic.pixels[1 * 5 + 1], 0x1E140Au);
  }
  mediagen::Image many(300, 1);
  for (int x = 0; x < 300; ++x)
    many.Set(x, 0, {static_cast<uint8_t>(x), static_cast<uint8_t>(x / 256), 0});
  EXPECT_NE(ErrorOf([&] { mediagen::WriteBmp8("m.bmp", many); }).find("more than 256"),
            std::string::npos);
}

TEST(PaletteSource, TheKeyIsNoColourAndUnknownNamesFail) {
  ScopedTempDir dir;
  WriteFile("p.txt", "warm 250 200 100\n");
  mediagen::LoadPalette("p.txt");
  EXPECT_EQ(mediagen::P("warm"), (mediagen::Rgb{250, 200, 100}));
  EXPECT_NE(ErrorOf([] { mediagen::P("no_such_colour"); }), "");
  ExpectSourceError("k.txt", "pinkish 255 0 128\n", Palette, "key");
}

}  // namespace

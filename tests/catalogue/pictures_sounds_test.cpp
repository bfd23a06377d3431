// Malformed BMP and WAV files through the loading commands. A sprite slot ends up with the
// picture, with its sizes only (a file that names a size but gives no picture draws as an
// untextured box), or free; a screen picture that cannot be read ends the program in order
// with code 3; a sound slot holds the sound or stays empty. Nothing is written but the log.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "audio/audio_commands.h"
#include "audio/sfx_sound.h"
#include "catalogue_support.h"
#include "core/frame.h"
#include "core/services.h"
#include "gfx/lumetra.h"
#include "platform/platform.h"
#include "runtime.h"
#include "support/gl_test_support.h"
#include "support/test_support.h"

namespace {

using tobli::catalogue::Changes;
using tobli::catalogue::CopyIn;
using tobli::catalogue::Snapshot;
using tobli::test::ErrorLogLines;
using tobli::test::HeadlessRenderer;
using tobli::test::ScopedTempDir;

enum class Sprite { kPicture, kSizesOnly, kFree };

struct PictureCase {
  Sprite sprite;
  int width = 0;  // the sizes recorded, for a picture or sizes only
  int height = 0;
};

const std::map<std::string, PictureCase>& Pictures() {
  static const std::map<std::string, PictureCase> pictures = {
      {"good_24bit_4x2.bmp", {Sprite::kPicture, 4, 2}},
      {"good_8bit_5x3.bmp", {Sprite::kPicture, 5, 3}},
      // Headers that cannot be true are refused before anything is sized from them.
      {"zero_width.bmp", {Sprite::kFree}},
      {"zero_height.bmp", {Sprite::kFree}},
      {"huge_dimensions.bmp", {Sprite::kFree}},
      {"huge_negative_height.bmp", {Sprite::kFree}},
      {"truncated_rows.bmp", {Sprite::kFree}},
      {"data_offset_inside_header.bmp", {Sprite::kFree}},
      {"data_offset_past_end.bmp", {Sprite::kFree}},
      {"header_only.bmp", {Sprite::kFree}},
      {"not_a_bitmap.bmp", {Sprite::kFree}},
      // A sound header over pixels the reader does not take: sizes, no picture.
      {"palette_index_past_end.bmp", {Sprite::kSizesOnly, 4, 2}},
      {"depth_16.bmp", {Sprite::kSizesOnly, 3, 3}},
      {"depth_32.bmp", {Sprite::kSizesOnly, 3, 3}},
      {"rle8_compressed.bmp", {Sprite::kSizesOnly, 4, 2}},
  };
  return pictures;
}

const std::map<std::string, bool>& Sounds() {
  // File name → whether the slot holds a sound afterwards.
  static const std::map<std::string, bool> sounds = {
      {"good_mono8.wav", true},
      // A data chunk that is not a whole number of frames plays its whole frames.
      {"odd_data_size.wav", true},
      {"data_size_past_end.wav", false},
      {"fact_size_past_end.wav", false},
      {"no_data_chunk.wav", false},
      {"odd_block_align.wav", false},
      {"zero_block_align.wav", false},
      {"zero_rate.wav", false},
      {"depth_12.wav", false},
      {"fmt18_cut_short.wav", false},
      {"header_only.wav", false},
  };
  return sounds;
}

TEST(CataloguePictures, SpriteSlotGetsThePictureItsSizesOrStaysFree) {
  tobli::catalogue::ExpectEveryFileCovered("bmp", Pictures());
  constexpr int kSlot = 17;
  for (const auto& [file, expected] : Pictures()) {
    SCOPED_TRACE(file);
    ScopedTempDir dir;
    HeadlessRenderer renderer;
    CopyIn("bmp", file, "picture.bmp");
    // A picture loaded before is released by the load, whatever the file turns out to be.
    CopyIn("bmp", "good_24bit_4x2.bmp", "earlier.bmp");
    LOADSPRITE("earlier.bmp", kSlot);
    ASSERT_NE(pLum->nTexWidth[kSlot], -1);
    tobli::catalogue::Tree before = Snapshot(dir.path());

    LOADSPRITE("picture.bmp", kSlot);
    if (expected.sprite == Sprite::kFree) {
      EXPECT_EQ(pLum->nTexWidth[kSlot], -1);
      EXPECT_EQ(pLum->nTexHeight[kSlot], -1);
    } else {
      EXPECT_EQ(pLum->nWidth[kSlot], expected.width);
      EXPECT_EQ(pLum->nHeight[kSlot], expected.height);
      EXPECT_GE(pLum->nTexWidth[kSlot], expected.width);
      EXPECT_GE(pLum->nTexHeight[kSlot], expected.height);
    }
    // Without GL the picture's alpha is kept as the collision mask: only a read picture has one.
    EXPECT_EQ(pLum->pMask[kSlot] != nullptr, expected.sprite == Sprite::kPicture);
    EXPECT_TRUE(Changes(before, Snapshot(dir.path())).empty());
  }
}

TEST(CataloguePictures, ScreenPictureThatCannotBeReadEndsTheProgramWithCodeThree) {
  for (const auto& [file, expected] : Pictures()) {
    if (expected.sprite == Sprite::kPicture) continue;
    SCOPED_TRACE(file);
    ScopedTempDir dir;
    CopyIn("bmp", file, "screen.bmp");
    EXPECT_EXIT(
        {
          HeadlessRenderer renderer;
          __dLn(0, 31);
          LOADBMP("screen.bmp");
        },
        ::testing::ExitedWithCode(0), "");
    tobli::test::ExpectEndRecord(3, 31);
  }
}

TEST(CatalogueSounds, SoundSlotHoldsTheSoundOrStaysEmpty) {
  tobli::catalogue::ExpectEveryFileCovered("wav", Sounds());
  ScopedTempDir dir;
  // The sound service on SDL's dummy driver: sounds load and play without a device.
  tobli::platform::Select(tobli::platform::Kind::kSdl);
  __CreateSoundService();
  __CreateSoundDevice();
  ASSERT_NE(pDXsnd->pDS, nullptr) << "no sound service on the dummy audio driver";
  double slot = 0;
  for (const auto& [file, loads] : Sounds()) {
    SCOPED_TRACE(file);
    CopyIn("wav", file, file);
    tobli::catalogue::Tree before = Snapshot(dir.path());
    LOADSOUND(file.c_str(), slot, 2);
    EXPECT_EQ(DXwav[static_cast<int>(slot)].nBuffers, loads ? 2 : 0);
    // A slot that stays empty stays silent when played.
    PLAYSOUND(slot, 0, 1);
    EXPECT_TRUE(Changes(before, Snapshot(dir.path())).empty());
    slot = slot + 1;
  }
  __DestroySoundServices();
}

}  // namespace

#include "audio_fixture.h"

#include <SDL.h>
#include <stdlib.h>

#include <chrono>
#include <thread>

#include "audio/sfx_sound.h"
#include "audio/sound_log.h"
#include "core/services.h"
#include "platform/platform.h"

namespace tobli::test {

std::string Le16(int value) {
  std::string out(2, '\0');
  out[0] = static_cast<char>(value & 0xFF);
  out[1] = static_cast<char>((value >> 8) & 0xFF);
  return out;
}

std::string Le32(uint32_t value) {
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

std::string WavFile(int channels, int rate, int bits, const std::string& samples, uint32_t fmtSize,
                    const std::string& afterFormat, const std::string& beforeData) {
  int block = channels * bits / 8;
  std::string body = "WAVEfmt " + Le32(fmtSize) + Le16(1) + Le16(channels) + Le32(rate) +
                     Le32(rate * block) + Le16(block) + Le16(bits) + afterFormat + beforeData +
                     "data" + Le32(static_cast<uint32_t>(samples.size())) + samples;
  return "RIFF" + Le32(static_cast<uint32_t>(body.size())) + body;
}

std::string Samples16(const std::vector<int16_t>& values) {
  std::string out;
  for (int16_t v : values) out += Le16(v);
  return out;
}

size_t StereoFrames::FirstSound() const {
  for (size_t i = 0; i < size(); ++i) {
    if (left[i] != 0 || right[i] != 0) return i;
  }
  return size();
}

size_t StereoFrames::EndOfSound() const {
  for (size_t i = size(); i > 0; --i) {
    if (left[i - 1] != 0 || right[i - 1] != 0) return i;
  }
  return 0;
}

bool WaitFor(const std::function<bool()>& condition) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

void DiskAudioTest::SetUp() {
  dir_ = std::make_unique<ScopedTempDir>();
  platform::Select(platform::Kind::kSdl);
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", dir_->File("output.raw").c_str(), 1);
  ClearSoundLog();
  __CreateSoundService();
  __CreateSoundDevice();
  ASSERT_NE(pDXsnd->pDS, nullptr) << "the disk audio driver did not open";
}

void DiskAudioTest::TearDown() {
  if (!closed_) __DestroySoundServices();
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  unsetenv("SDL_DISKAUDIOFILE");
  dir_.reset();
}

KDStr DiskAudioTest::Put(const std::string& name, const std::string& contents) {
  WriteFile(dir_->File(name), contents);
  return KDStr(name.c_str());
}

StereoFrames DiskAudioTest::CloseAndRead() {
  __DestroySoundServices();
  closed_ = true;
  std::string raw = ReadFile(dir_->File("output.raw"));
  StereoFrames frames;
  for (size_t at = 0; at + 4 <= raw.size(); at += 4) {
    auto sample = [&](size_t i) {
      return static_cast<int16_t>(static_cast<uint8_t>(raw[i]) |
                                  (static_cast<uint8_t>(raw[i + 1]) << 8));
    };
    frames.left.push_back(sample(at));
    frames.right.push_back(sample(at + 2));
  }
  return frames;
}

}  // namespace tobli::test

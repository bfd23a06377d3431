// WAV files made in the test, and the sound service on SDL's disk audio driver, whose output
// file is read back as 16-bit stereo frames once the device is closed.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/kdstr.h"
#include "support/test_support.h"

namespace tobli::test {

std::string Le16(int value);
std::string Le32(uint32_t value);
// A WAV file: the 36 fixed bytes with the given fmt chunk size, then afterFormat (the bytes a
// longer fmt chunk holds), then beforeData (other chunks), then the "data" chunk.
std::string WavFile(int channels, int rate, int bits, const std::string& samples,
                    uint32_t fmtSize = 16, const std::string& afterFormat = "",
                    const std::string& beforeData = "");
// 16-bit samples as little-endian bytes.
std::string Samples16(const std::vector<int16_t>& values);

struct StereoFrames {
  std::vector<int16_t> left;
  std::vector<int16_t> right;
  size_t size() const { return left.size(); }
  // Index of the first frame with sound on either side; size() when all is silent.
  size_t FirstSound() const;
  // Index after the last frame with sound; 0 when all is silent.
  size_t EndOfSound() const;
};

// Waits up to five seconds for the condition; true when it came.
bool WaitFor(const std::function<bool()>& condition);

// The sound service and its slots on SDL's disk audio driver, in a private directory.
class DiskAudioTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes a file into the test's directory and returns its name.
  KDStr Put(const std::string& name, const std::string& contents);
  // Closes the device and reads everything it played.
  StereoFrames CloseAndRead();

  std::unique_ptr<ScopedTempDir> dir_;
  bool closed_ = false;
};

}  // namespace tobli::test

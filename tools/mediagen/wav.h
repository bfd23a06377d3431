// PCM WAV files: written in the plain layout the game's loader reads (a 16-byte format chunk
// followed directly by the data chunk), read back from other tools' output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mediagen {

struct Pcm {
  int rate = 22050;
  int channels = 1;
  std::vector<int16_t> samples;  // interleaved when channels is 2
};

// Throws std::runtime_error when the file cannot be written.
void WriteWav(const std::string& path, const Pcm& pcm);
// Reads 16-bit PCM from any chunk layout; throws for other formats or a damaged file.
Pcm ReadWav(const std::string& path);
// Floating-point samples (about -1..1) to 16-bit, clipped.
std::vector<int16_t> ToInt16(const std::vector<float>& samples);

}  // namespace mediagen

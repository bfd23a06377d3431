// The reader of PCM WAV files as the sound slots load them. It does not walk the chunk list:
// after the fixed 36 bytes it skips 14 bytes when the fmt chunk is not 16 bytes long, skips one
// "fact" chunk, and then requires "data".
#pragma once

#include <cstdint>
#include <cstdio>

struct WavFormat {
  uint16_t formatTag = 0;  // not used: PCM is assumed
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t bytesPerSec = 0;  // not used
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
};

struct WavHeader {
  WavFormat format;
  uint32_t dataSize = 0;  // bytes of sound that follow the "data" chunk header
};

// Reads the header from the start of the file, which holds fileSize bytes, and leaves the file
// at the first sound byte. False when the file is too short, the chunk found is not "data", or
// a chunk ("fact" or "data") would run past the end of the file.
bool ReadWavHeader(std::FILE* file, uint64_t fileSize, WavHeader& header);

#include "audio/wav_reader.h"

#include <cstring>

namespace {

uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Bytes of the file after the consumed ones.
uint64_t Left(uint64_t fileSize, uint64_t consumed) {
  return fileSize > consumed ? fileSize - consumed : 0;
}

// Reads exactly size bytes and counts them; false on a short read.
bool ReadExact(std::FILE* file, void* out, size_t size, uint64_t& consumed) {
  if (std::fread(out, 1, size, file) != size) return false;
  consumed += size;
  return true;
}

}  // namespace

bool ReadWavHeader(std::FILE* file, uint64_t fileSize, WavHeader& header) {
  uint64_t consumed = 0;
  uint8_t fixed[36];
  if (!ReadExact(file, fixed, sizeof(fixed), consumed)) return false;
  header.format.formatTag = Le16(fixed + 20);
  header.format.channels = Le16(fixed + 22);
  header.format.samplesPerSec = Le32(fixed + 24);
  header.format.bytesPerSec = Le32(fixed + 28);
  header.format.blockAlign = Le16(fixed + 32);
  header.format.bitsPerSample = Le16(fixed + 34);
  if (Le32(fixed + 16) != 16) {
    uint8_t skipped[14];
    if (!ReadExact(file, skipped, sizeof(skipped), consumed)) return false;
  }
  uint8_t chunk[8];
  if (!ReadExact(file, chunk, sizeof(chunk), consumed)) return false;
  if (std::memcmp(chunk, "fact", 4) == 0) {
    uint32_t size = Le32(chunk + 4);
    if (size > Left(fileSize, consumed)) return false;
    if (std::fseek(file, static_cast<long>(size), SEEK_CUR) != 0) return false;
    consumed += size;
    if (!ReadExact(file, chunk, sizeof(chunk), consumed)) return false;
  }
  if (std::memcmp(chunk, "data", 4) != 0) return false;
  header.dataSize = Le32(chunk + 4);
  // The size is checked against the file before anyone allocates for it.
  return header.dataSize <= Left(fileSize, consumed);
}

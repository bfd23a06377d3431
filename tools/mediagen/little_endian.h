// Little-endian numbers in byte buffers, as the picture and sound files hold them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mediagen {

// Appends the low 16 bits of v, low byte first.
inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xff);
  out.push_back((v >> 8) & 0xff);
}

// Appends v, low byte first.
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xffff);
  Put16(out, v >> 16);
}

// The number at `at`; the caller has checked that its bytes are in the buffer.
inline uint16_t Get16(const std::vector<uint8_t>& in, size_t at) {
  return static_cast<uint16_t>(in[at] | in[at + 1] << 8);
}

// The number at `at`; the caller has checked that its bytes are in the buffer.
inline uint32_t Get32(const std::vector<uint8_t>& in, size_t at) {
  return in[at] | in[at + 1] << 8 | in[at + 2] << 16 | static_cast<uint32_t>(in[at + 3]) << 24;
}

}  // namespace mediagen

#include "data/compression.h"

#include <lzo/lzo1x.h>

#include <cstdlib>
#include <limits>

#include "data/little_endian.h"
#include "data/member_buffer.h"

namespace {

// LZO1X-1's work area; the runtime is single-threaded, so one static area serves every object.
lzo_align_t gWorkMemory[(LZO1X_1_MEM_COMPRESS + sizeof(lzo_align_t) - 1) / sizeof(lzo_align_t)];

}  // namespace

QMCompression::QMCompression() {
  Clear();
}

QMCompression::~QMCompression() {
  Clear();
}

void QMCompression::Clear() {
  std::free(pOut);
  pOut = nullptr;
  nOut = 0;
  lzo_init();
}

uint64_t QMCompression::MaxUnpackedLength(uint64_t streamBytes) {
  // The densest LZO1X instruction is a long match: each further input byte adds at most 255
  // output bytes, and literals copy one byte per input byte.
  return streamBytes * 256;
}

uint64_t QMCompression::MaxPackedLength(uint64_t length) {
  return kHeaderBytes + length + length / 16 + 64 + 3;
}

int QMCompression::UnPack(const unsigned char* block, int size) {
  Clear();
  bError = true;
  if (nMode != kModeLzo || block == nullptr || size < kHeaderBytes) return 0;
  uint32_t length = ReadLittleEndian32(block);
  uint64_t streamBytes = static_cast<uint64_t>(size - kHeaderBytes);
  // A length the stream cannot produce, or one an int cannot count, is refused before the
  // output is allocated: a hostile header must not reserve gigabytes.
  if (length > static_cast<uint32_t>(std::numeric_limits<int32_t>::max()) ||
      length > MaxUnpackedLength(streamBytes)) {
    return 0;
  }
  pOut = AllocateMemberBuffer(length);
  if (pOut == nullptr) return 0;
  lzo_uint written = length;
  int status = lzo1x_decompress_safe(block + kHeaderBytes, static_cast<lzo_uint>(streamBytes), pOut,
                                     &written, nullptr);
  nOut = static_cast<int32_t>(written);
  if (status != LZO_E_OK) return 0;
  bError = false;
  return nOut;
}

int QMCompression::Pack(const unsigned char* data, long length) {
  Clear();
  bError = true;
  if (nMode != kModeLzo || length < 0 || length > kMaxPackInput ||
      (data == nullptr && length > 0)) {
    return 0;
  }
  uint64_t capacity = MaxPackedLength(static_cast<uint64_t>(length));
  pOut = AllocateMemberBuffer(capacity);
  if (pOut == nullptr) return 0;
  static const unsigned char kNothing = 0;
  lzo_uint packed = 0;
  int status = lzo1x_1_compress(data != nullptr ? data : &kNothing, static_cast<lzo_uint>(length),
                                pOut + kHeaderBytes, &packed, gWorkMemory);
  if (status != LZO_E_OK) {
    Clear();
    return 0;
  }
  WriteLittleEndian32(pOut, static_cast<uint32_t>(length));
  nOut = static_cast<int32_t>(packed + kHeaderBytes);
  bError = false;
  return nOut;
}

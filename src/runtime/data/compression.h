// Packed blocks: a 4-byte little-endian unpacked length followed by one LZO1X-1 stream.
#pragma once

#include <cstdint>

class QMCompression {
 public:
  // The only codec: LZO 1X.
  static constexpr int kModeLzo = 1;
  // The unpacked length in front of the stream.
  static constexpr int kHeaderBytes = 4;
  // Largest input Pack accepts: the block (with LZO's worst-case growth) must fit an int.
  static constexpr long kMaxPackInput = 2000000000L;

  QMCompression();
  ~QMCompression();
  QMCompression(const QMCompression&) = delete;
  QMCompression& operator=(const QMCompression&) = delete;

  // Frees the output and (re)initialises the LZO library; nMode stays as it is.
  void Clear();
  // Unpacks a block of size bytes into pOut/nOut. Returns the unpacked length, or 0 when the
  // block is corrupt, truncated, shorter than its header or states a length it cannot hold
  // (nothing is allocated then); bError tells a failure from an empty member.
  int UnPack(const unsigned char* block, int size);
  // Packs length bytes into a new block in pOut/nOut; returns the block's length, or 0 (and
  // bError set) when length is negative or above kMaxPackInput.
  int Pack(const unsigned char* data, long length);

  // The largest unpacked length an LZO1X stream of streamBytes bytes can produce.
  static uint64_t MaxUnpackedLength(uint64_t streamBytes);
  // The largest block Pack can make from length bytes.
  static uint64_t MaxPackedLength(uint64_t length);

  unsigned char* pOut = nullptr;  // output of the last Pack or UnPack, owned; null when empty
  int32_t nOut = 0;               // valid bytes in pOut
  int32_t nMode = kModeLzo;       // the codec
  bool bError = false;            // the last Pack or UnPack failed
};

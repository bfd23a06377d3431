// Builds BMP files in memory for the picture tests: 8-bit palette and 24-bit, bottom-up or
// top-down, with the header fields at hand for forging.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tobli::test {

// Offsets of header fields in a whole file (file header + information header).
constexpr size_t kBmpDataOffsetField = 10;
constexpr size_t kBmpWidthField = 18;
constexpr size_t kBmpHeightField = 22;
constexpr size_t kBmpBitsField = 28;
constexpr size_t kBmpCompressionField = 30;

inline void PutLe32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
inline void PutLe16(std::string& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

inline size_t BmpStride(int width, int bits) {
  return (static_cast<size_t>(width) * bits + 31) / 32 * 4;
}

// Both headers for a picture whose pixel rows start after paletteEntries palette entries.
inline std::string BmpHeaders(int width, int height, int bits, int paletteEntries) {
  size_t offset = 54 + 4 * static_cast<size_t>(paletteEntries);
  size_t dataSize = BmpStride(width, bits) * static_cast<size_t>(height < 0 ? -height : height);
  std::string bytes(offset, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  PutLe32(bytes, 2, static_cast<uint32_t>(offset + dataSize));
  PutLe32(bytes, kBmpDataOffsetField, static_cast<uint32_t>(offset));
  PutLe32(bytes, 14, 40);
  PutLe32(bytes, kBmpWidthField, static_cast<uint32_t>(width));
  PutLe32(bytes, kBmpHeightField, static_cast<uint32_t>(height));
  PutLe16(bytes, 26, 1);
  PutLe16(bytes, kBmpBitsField, static_cast<uint16_t>(bits));
  PutLe32(bytes, 46, static_cast<uint32_t>(paletteEntries));
  return bytes;
}

// A 24-bit file. pixels: rows top to bottom, 0x00BBGGRR. A negative height stores the rows
// top-down.
inline std::string MakeBmp24(int width, int height, const std::vector<uint32_t>& pixels) {
  std::string bytes = BmpHeaders(width, height, 24, 0);
  int rows = height < 0 ? -height : height;
  size_t stride = BmpStride(width, 24);
  for (int fileRow = 0; fileRow < rows; ++fileRow) {
    int y = height < 0 ? fileRow : rows - 1 - fileRow;
    std::string row(stride, '\0');
    for (int x = 0; x < width; ++x) {
      uint32_t c = pixels[static_cast<size_t>(y) * width + x];
      row[3 * x] = static_cast<char>((c >> 16) & 0xFF);
      row[3 * x + 1] = static_cast<char>((c >> 8) & 0xFF);
      row[3 * x + 2] = static_cast<char>(c & 0xFF);
    }
    bytes += row;
  }
  return bytes;
}

// An 8-bit file with the palette (0x00BBGGRR entries) and indices, rows top to bottom.
inline std::string MakeBmp8(int width, int height, const std::vector<uint32_t>& palette,
                            const std::vector<uint8_t>& indices) {
  std::string bytes = BmpHeaders(width, height, 8, static_cast<int>(palette.size()));
  for (size_t i = 0; i < palette.size(); ++i) {
    uint32_t c = palette[i];
    bytes[54 + 4 * i] = static_cast<char>((c >> 16) & 0xFF);
    bytes[54 + 4 * i + 1] = static_cast<char>((c >> 8) & 0xFF);
    bytes[54 + 4 * i + 2] = static_cast<char>(c & 0xFF);
  }
  int rows = height < 0 ? -height : height;
  size_t stride = BmpStride(width, 8);
  for (int fileRow = 0; fileRow < rows; ++fileRow) {
    int y = height < 0 ? fileRow : rows - 1 - fileRow;
    std::string row(stride, '\0');
    for (int x = 0; x < width; ++x) {
      row[x] = static_cast<char>(indices[static_cast<size_t>(y) * width + x]);
    }
    bytes += row;
  }
  return bytes;
}

// A width x height picture of one colour.
inline std::string MakeSolidBmp24(int width, int height, uint32_t colour) {
  return MakeBmp24(width, height,
                   std::vector<uint32_t>(static_cast<size_t>(width) * height, colour));
}

}  // namespace tobli::test

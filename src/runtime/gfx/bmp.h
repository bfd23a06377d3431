// The BMP reader: 8-bit palette and 24-bit files, rows bottom-up or top-down.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A decoded picture: rows top to bottom, each pixel 0x00BBGGRR (red in the low byte).
struct BmpPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Reads a whole picture. False, with an empty picture, when the file is missing or its header
// cannot be true (checked before anything is allocated), when it is not an uncompressed 8- or
// 24-bit file, or when a pixel names a colour beyond the file's palette.
bool ReadBmpFile(const char* path, BmpPicture& picture);
// The picture's size from its header; false (0, 0) on failure. Files of other depths than 8
// and 24 bits still report their size when their header is sound.
bool ReadBmpSize(const char* path, int& width, int& height);

// The same two readers over a file already in memory (the fuzz target and tests use them).
bool DecodeBmp(const uint8_t* data, std::size_t size, BmpPicture& picture);
bool DecodeBmpSize(const uint8_t* data, std::size_t size, int& width, int& height);

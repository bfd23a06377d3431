// The BMP reader: 8-bit palette and 24-bit files, rows bottom-up or top-down.
#pragma once

#include <cstdint>
#include <vector>

// A decoded picture: rows top to bottom, each pixel 0x00BBGGRR (red in the low byte).
struct BmpPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// Reads a whole picture. False, with an empty picture, when the file is missing or its header
// cannot be true (checked before anything is allocated).
bool ReadBmpFile(const char* path, BmpPicture& picture);
// The picture's size from its header; false (0, 0) on failure.
bool ReadBmpSize(const char* path, int& width, int& height);

// Writing pictures as Windows bitmap files, the form the game loads.
#pragma once

#include <string>

#include "image.h"

namespace mediagen {

// 24 bits per pixel, rows bottom-up, each row padded to a multiple of 4 bytes.
// Throws std::runtime_error when the file cannot be written.
void WriteBmp24(const std::string& path, const Image& img);
// 8 bits per pixel with a palette of the picture's own colours (at most 256, in the order
// they first appear from the top left); throws when the picture has more colours.
void WriteBmp8(const std::string& path, const Image& img);
// Reads a 24-bit file written by WriteBmp24 back (for the documentation pages).
Image ReadBmp24(const std::string& path);

}  // namespace mediagen

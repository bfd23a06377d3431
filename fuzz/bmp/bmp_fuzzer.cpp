// Feeds arbitrary bytes to both BMP readers: neither may read outside the input, allocate
// more than the input can justify, or disagree with the other about the picture's size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gfx/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int width = 0;
  int height = 0;
  bool sized = DecodeBmpSize(data, size, width, height);
  BmpPicture picture;
  bool decoded = DecodeBmp(data, size, picture);
  if (decoded) {
    // A decoded picture always has a sound header, and its pixels match its size.
    if (!sized || picture.width != width || picture.height != height) std::abort();
    if (picture.pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
      std::abort();
    }
    // Every pixel came from at least one byte of the file.
    if (picture.pixels.size() > size) std::abort();
  } else if (!picture.pixels.empty()) {
    std::abort();
  }
  return 0;
}

#include "bmp_writer.h"

#include <cstdint>
#include <fstream>
#include <map>
#include <stdexcept>
#include <vector>

#include "little_endian.h"

namespace mediagen {

namespace {

// File header and information header for a picture whose pixels start at dataOffset.
std::vector<uint8_t> Headers(const Image& img, int bits, uint32_t dataOffset, uint32_t rowBytes,
                             uint32_t colours) {
  std::vector<uint8_t> out;
  uint32_t imageBytes = rowBytes * img.height();
  out.push_back('B');
  out.push_back('M');
  Put32(out, dataOffset + imageBytes);
  Put32(out, 0);
  Put32(out, dataOffset);
  Put32(out, 40);
  Put32(out, img.width());
  Put32(out, img.height());
  Put16(out, 1);
  Put16(out, bits);
  Put32(out, 0);
  Put32(out, imageBytes);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, colours);
  Put32(out, 0);
  return out;
}

void Save(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
}

uint32_t Key(Rgb c) {
  return c.r | c.g << 8 | static_cast<uint32_t>(c.b) << 16;
}

}  // namespace

void WriteBmp24(const std::string& path, const Image& img) {
  uint32_t rowBytes = (img.width() * 3 + 3) & ~3u;
  std::vector<uint8_t> out = Headers(img, 24, 54, rowBytes, 0);
  for (int y = img.height() - 1; y >= 0; --y) {
    size_t start = out.size();
    for (int x = 0; x < img.width(); ++x) {
      Rgb c = img.At(x, y);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    while (out.size() - start < rowBytes) out.push_back(0);
  }
  Save(path, out);
}

void WriteBmp8(const std::string& path, const Image& img) {
  std::map<uint32_t, uint8_t> index;
  std::vector<Rgb> palette;
  for (const Rgb& c : img.pixels()) {
    if (index.count(Key(c))) continue;
    if (palette.size() == 256) throw std::runtime_error(path + ": more than 256 colours");
    index[Key(c)] = static_cast<uint8_t>(palette.size());
    palette.push_back(c);
  }
  uint32_t rowBytes = (img.width() + 3) & ~3u;
  uint32_t dataOffset = 54 + 4 * static_cast<uint32_t>(palette.size());
  std::vector<uint8_t> out =
      Headers(img, 8, dataOffset, rowBytes, static_cast<uint32_t>(palette.size()));
  for (const Rgb& c : palette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  for (int y = img.height() - 1; y >= 0; --y) {
    size_t start = out.size();
    for (int x = 0; x < img.width(); ++x) out.push_back(index[Key(img.At(x, y))]);
    while (out.size() - start < rowBytes) out.push_back(0);
  }
  Save(path, out);
}

Image ReadBmp24(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::vector<uint8_t> in((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (in.size() < 54 || in[0] != 'B' || in[1] != 'M' || in[28] != 24)
    throw std::runtime_error(path + ": not a 24-bit picture");
  int width = static_cast<int>(Get32(in, 18)), height = static_cast<int>(Get32(in, 22));
  uint32_t offset = Get32(in, 10), rowBytes = (width * 3 + 3) & ~3u;
  if (width <= 0 || height <= 0 || in.size() < offset + rowBytes * static_cast<size_t>(height))
    throw std::runtime_error(path + ": short picture");
  Image img(width, height);
  for (int y = 0; y < height; ++y) {
    size_t row = offset + static_cast<size_t>(height - 1 - y) * rowBytes;
    for (int x = 0; x < width; ++x)
      img.Set(x, y, {in[row + 3 * x + 2], in[row + 3 * x + 1], in[row + 3 * x]});
  }
  return img;
}

}  // namespace mediagen

// Pictures of levels drawn with the game's own sprites ("Tobli<n>.bmp" as the media build
// makes them), as a level looks when it starts: background, cells, enemies and the player.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gfx/bmp.h"
#include "level_file.h"

namespace levelcheck {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00BBGGRR, rows top to bottom
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The sprites of one folder, each read once when first drawn.
class SpriteSet {
 public:
  explicit SpriteSet(std::string dir) : dir_(std::move(dir)) {}
  // Sprite n, or null when its file is missing or unreadable.
  const BmpPicture* Get(int n);
  // Sprites that were asked for but could not be read.
  const std::vector<int>& Missing() const { return missing_; }

 private:
  std::string dir_;
  std::map<int, std::unique_ptr<BmpPicture>> loaded_;
  std::vector<int> missing_;
};

// The level inside a border of `border` tiles of background, at one pixel per screen pixel.
Image RenderLevel(const Level& level, SpriteSet& sprites, int border = 1);

// Writes a 24-bit BMP file; false when it cannot be written.
bool WriteBmp(const Image& image, const std::string& path);
// Turns a BMP into a PNG scaled to `percent` with the image converter ("convert"); false when
// the converter is missing or fails.
bool ConvertToPng(const std::string& bmpPath, const std::string& pngPath, int percent);

}  // namespace levelcheck

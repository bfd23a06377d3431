#include "level_shot.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <fstream>

extern char** environ;

namespace levelcheck {

namespace {

constexpr int kTile = 32;
constexpr uint32_t kColourKey = 0x008000FF;  // red 255, green 0, blue 128
constexpr int kBackground = 97;
constexpr int kPlayerStanding = 120;
constexpr int kFigureLift = 8;  // figures stand 8 pixels above their tile

// Copies the sprite's pixels that are not the colour key; additive blends water over what is
// below, as the game does.
void Draw(Image& image, const BmpPicture& sprite, int left, int top, bool additive) {
  for (int y = 0; y < sprite.height; ++y) {
    int iy = top + y;
    if (iy < 0 || iy >= image.height) continue;
    for (int x = 0; x < sprite.width; ++x) {
      int ix = left + x;
      if (ix < 0 || ix >= image.width) continue;
      uint32_t colour = sprite.At(x, y);
      if (colour == kColourKey) continue;
      uint32_t& pixel = image.pixels[static_cast<size_t>(iy) * image.width + ix];
      if (!additive) {
        pixel = colour;
        continue;
      }
      uint32_t sum = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        uint32_t channel = ((pixel >> shift) & 0xff) + ((colour >> shift) & 0xff);
        sum |= std::min<uint32_t>(channel, 0xff) << shift;
      }
      pixel = sum;
    }
  }
}

// The sprite an enemy shows at the start: its look's first picture facing its first direction.
int EnemySprite(const LevelEnemy& e) {
  int mode = e.mode == 1 ? 6 : e.mode * 4;
  return 120 + 4 * e.look + mode % 4;
}

void Put16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xff));
  out.push_back(static_cast<char>((v >> 8) & 0xff));
}

void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xffff);
  Put16(out, v >> 16);
}

}  // namespace

const BmpPicture* SpriteSet::Get(int n) {
  auto found = loaded_.find(n);
  if (found != loaded_.end()) return found->second.get();
  auto picture = std::make_unique<BmpPicture>();
  std::string path = dir_ + "/Tobli" + std::to_string(n) + ".bmp";
  if (!ReadBmpFile(path.c_str(), *picture)) {
    picture.reset();
    missing_.push_back(n);
  }
  return (loaded_[n] = std::move(picture)).get();
}

Image RenderLevel(const Level& level, SpriteSet& sprites, int border) {
  Image image;
  image.width = (level.Width() + 2 * border) * kTile;
  image.height = (level.Height() + 2 * border) * kTile;
  image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
  int origin = border * kTile;
  if (const BmpPicture* back = sprites.Get(kBackground)) {
    for (int y = 0; y < image.height; y += kTile) {
      for (int x = 0; x < image.width; x += kTile) Draw(image, *back, x, y, false);
    }
  }
  for (int y = 0; y <= level.maxy; ++y) {
    for (int x = 0; x <= level.maxx; ++x) {
      int code = level.At(x, y);
      if (code == 92) continue;  // the void shows the background
      if (const BmpPicture* cell = sprites.Get(code)) {
        Draw(image, *cell, origin + x * kTile, origin + y * kTile, code == 4);
      }
    }
  }
  for (const LevelEnemy& e : level.enemies) {
    if (const BmpPicture* figure = sprites.Get(EnemySprite(e))) {
      Draw(image, *figure, origin + e.x * kTile, origin + e.y * kTile - kFigureLift, false);
    }
  }
  if (const BmpPicture* player = sprites.Get(kPlayerStanding)) {
    Draw(image, *player, origin + level.startX * kTile, origin + level.startY * kTile - kFigureLift,
         false);
  }
  return image;
}

bool WriteBmp(const Image& image, const std::string& path) {
  uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
  uint32_t dataSize = rowBytes * static_cast<uint32_t>(image.height);
  std::string out;
  out += "BM";
  Put32(out, 54 + dataSize);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(image.width));
  Put32(out, static_cast<uint32_t>(image.height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, dataSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    size_t rowStart = out.size();
    for (int x = 0; x < image.width; ++x) {
      uint32_t c = image.At(x, y);
      out.push_back(static_cast<char>((c >> 16) & 0xff));
      out.push_back(static_cast<char>((c >> 8) & 0xff));
      out.push_back(static_cast<char>(c & 0xff));
    }
    out.resize(rowStart + rowBytes, '\0');
  }
  std::ofstream file(path, std::ios::binary);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file);
}

bool ConvertToPng(const std::string& bmpPath, const std::string& pngPath, int percent) {
  std::vector<std::string> args = {"convert", "bmp:" + bmpPath,
                                   "-resize", std::to_string(percent) + "%",
                                   "-strip",  "png24:" + pngPath};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, "convert", nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace levelcheck

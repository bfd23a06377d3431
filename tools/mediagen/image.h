// Pictures of the generator: an RGB canvas, the colour key, and the drawing helpers that every
// piece of art is made with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mediagen {

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

// The sprite colour key: pixels of this colour are transparent in sprites.
inline constexpr Rgb kKey{255, 0, 128};
// Fonts use black as their key.
inline constexpr Rgb kBlack{0, 0, 0};

// Mixes a and b: t = 0 gives a, t = 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);
// Multiplies every channel by f (clamped to 0..255).
Rgb Scale(Rgb c, double f);
// Adds d to every channel (clamped).
Rgb Add(Rgb c, int d);

class Image {
 public:
  Image() = default;
  Image(int width, int height, Rgb fill = kKey);
  int width() const { return width_; }
  int height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Outside the picture: the key colour.
  Rgb At(int x, int y) const;
  // Outside the picture: nothing happens.
  void Set(int x, int y, Rgb c);
  bool IsKey(int x, int y) const { return At(x, y) == kKey; }
  const std::vector<Rgb>& pixels() const { return pixels_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};

// ---- Shapes (all clip to the picture) -----------------------------------------------------
void FillRect(Image& img, int x, int y, int w, int h, Rgb c);
void FrameRect(Image& img, int x, int y, int w, int h, Rgb c);
void Line(Image& img, int x0, int y0, int x1, int y1, Rgb c);
// Every pixel whose centre lies inside the ellipse around (cx, cy).
void FillEllipse(Image& img, double cx, double cy, double rx, double ry, Rgb c);
// Pixels whose centre lies within the ring between r0 and r1 around (cx, cy).
void FillRing(Image& img, double cx, double cy, double r0, double r1, Rgb c);
// Filled convex or concave polygon (even-odd rule, pixel centres).
void FillPolygon(Image& img, const std::vector<std::pair<double, double>>& points, Rgb c);

// ---- Whole-picture operations -------------------------------------------------------------
// Copies src onto dst at (x, y); key pixels of src are skipped when keyed is true.
void Blit(Image& dst, const Image& src, int x, int y, bool keyed = true);
// Gives every key pixel next to a non-key pixel (4 neighbours) the colour c.
void Outline(Image& img, Rgb c);
// Shades the non-key pixels: lighter towards the top left, darker towards the bottom right,
// judged by the distance to the nearest key pixel on either side.
void Bevel(Image& img, Rgb light, Rgb dark);
Image MirrorX(const Image& img);
Image ScaleNearest(const Image& img, int factor);
// Doubles a pixel-art picture keeping its diagonals smooth (the classic 2x edge rule).
Image Scale2x(const Image& img);
// Replaces every pixel of colour from by to.
void Recolour(Image& img, Rgb from, Rgb to);

// ---- Deterministic noise ------------------------------------------------------------------
// A well-mixed 32-bit hash of three numbers.
uint32_t Hash(int x, int y, int seed);
// Hash mapped to [0, 1).
double Noise(int x, int y, int seed);

}  // namespace mediagen

#include "image.h"

#include <algorithm>
#include <cmath>

namespace mediagen {

namespace {

uint8_t Clamp(double v) {
  return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
  return {Clamp(a.r + (b.r - a.r) * t), Clamp(a.g + (b.g - a.g) * t), Clamp(a.b + (b.b - a.b) * t)};
}

Rgb Scale(Rgb c, double f) {
  return {Clamp(c.r * f), Clamp(c.g * f), Clamp(c.b * f)};
}

Rgb Add(Rgb c, int d) {
  return {Clamp(c.r + d), Clamp(c.g + d), Clamp(c.b + d)};
}

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

Rgb Image::At(int x, int y) const {
  if (!Inside(x, y)) return kKey;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Image::Set(int x, int y, Rgb c) {
  if (Inside(x, y)) pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void FillRect(Image& img, int x, int y, int w, int h, Rgb c) {
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx) img.Set(xx, yy, c);
}

void FrameRect(Image& img, int x, int y, int w, int h, Rgb c) {
  for (int xx = x; xx < x + w; ++xx) {
    img.Set(xx, y, c);
    img.Set(xx, y + h - 1, c);
  }
  for (int yy = y; yy < y + h; ++yy) {
    img.Set(x, yy, c);
    img.Set(x + w - 1, yy, c);
  }
}

void Line(Image& img, int x0, int y0, int x1, int y1, Rgb c) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (true) {
    img.Set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void FillEllipse(Image& img, double cx, double cy, double rx, double ry, Rgb c) {
  if (rx <= 0 || ry <= 0) return;
  int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
  int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
      if (u * u + v * v <= 1.0) img.Set(x, y, c);
    }
  }
}

void FillRing(Image& img, double cx, double cy, double r0, double r1, Rgb c) {
  int x0 = static_cast<int>(std::floor(cx - r1)), x1 = static_cast<int>(std::ceil(cx + r1));
  int y0 = static_cast<int>(std::floor(cy - r1)), y1 = static_cast<int>(std::ceil(cy + r1));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (d >= r0 && d <= r1) img.Set(x, y, c);
    }
  }
}

void FillPolygon(Image& img, const std::vector<std::pair<double, double>>& points, Rgb c) {
  if (points.size() < 3) return;
  double minY = points[0].second, maxY = points[0].second;
  for (const auto& p : points) {
    minY = std::min(minY, p.second);
    maxY = std::max(maxY, p.second);
  }
  for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y) {
    double py = y + 0.5;
    std::vector<double> xs;
    for (size_t i = 0; i < points.size(); ++i) {
      auto [ax, ay] = points[i];
      auto [bx, by] = points[(i + 1) % points.size()];
      if ((ay <= py && by > py) || (by <= py && ay > py))
        xs.push_back(ax + (py - ay) * (bx - ax) / (by - ay));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
      for (int x = static_cast<int>(std::ceil(xs[i] - 0.5)); x + 0.5 <= xs[i + 1]; ++x)
        img.Set(x, y, c);
    }
  }
}

void Blit(Image& dst, const Image& src, int x, int y, bool keyed) {
  for (int yy = 0; yy < src.height(); ++yy) {
    for (int xx = 0; xx < src.width(); ++xx) {
      Rgb c = src.At(xx, yy);
      if (keyed && c == kKey) continue;
      dst.Set(x + xx, y + yy, c);
    }
  }
}

void Outline(Image& img, Rgb c) {
  Image copy = img;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      if (!copy.IsKey(x, y)) continue;
      bool edge = (copy.Inside(x - 1, y) && !copy.IsKey(x - 1, y)) ||
                  (copy.Inside(x + 1, y) && !copy.IsKey(x + 1, y)) ||
                  (copy.Inside(x, y - 1) && !copy.IsKey(x, y - 1)) ||
                  (copy.Inside(x, y + 1) && !copy.IsKey(x, y + 1));
      if (edge) img.Set(x, y, c);
    }
  }
}

void Bevel(Image& img, Rgb light, Rgb dark) {
  Image copy = img;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      if (copy.IsKey(x, y)) continue;
      if (copy.IsKey(x + 1, y) || copy.IsKey(x, y + 1))
        img.Set(x, y, dark);
      else if (copy.IsKey(x - 1, y) || copy.IsKey(x, y - 1))
        img.Set(x, y, light);
    }
  }
}

Image MirrorX(const Image& img) {
  Image out(img.width(), img.height());
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) out.Set(img.width() - 1 - x, y, img.At(x, y));
  return out;
}

Image ScaleNearest(const Image& img, int factor) {
  Image out(img.width() * factor, img.height() * factor);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) out.Set(x, y, img.At(x / factor, y / factor));
  return out;
}

Image Scale2x(const Image& img) {
  Image out(img.width() * 2, img.height() * 2);
  auto at = [&](int x, int y) {
    x = std::clamp(x, 0, img.width() - 1);
    y = std::clamp(y, 0, img.height() - 1);
    return img.At(x, y);
  };
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      Rgb p = at(x, y), a = at(x, y - 1), b = at(x + 1, y), c = at(x - 1, y), d = at(x, y + 1);
      Rgb e0 = p, e1 = p, e2 = p, e3 = p;
      if (!(c == b) && !(a == d)) {
        if (c == a) e0 = a;
        if (a == b) e1 = b;
        if (d == c) e2 = c;
        if (b == d) e3 = d;
      }
      out.Set(2 * x, 2 * y, e0);
      out.Set(2 * x + 1, 2 * y, e1);
      out.Set(2 * x, 2 * y + 1, e2);
      out.Set(2 * x + 1, 2 * y + 1, e3);
    }
  }
  return out;
}

void Recolour(Image& img, Rgb from, Rgb to) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.At(x, y) == from) img.Set(x, y, to);
}

uint32_t Hash(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u ^
               static_cast<uint32_t>(seed) * 0xcb1ab31fu;
  h ^= h >> 16;
  h *= 0x7feb352du;
  h ^= h >> 15;
  h *= 0x846ca68bu;
  h ^= h >> 16;
  return h;
}

double Noise(int x, int y, int seed) {
  return (Hash(x, y, seed) >> 8) / 16777216.0;
}

}  // namespace mediagen

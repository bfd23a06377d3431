// Pixel helpers of the drawing tests: where the frame being drawn is lit, pictures that show
// a flipped or shifted draw, colours compared with a tolerance, and raw quads.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <vector>

#include "support/gl_test_support.h"

namespace tobli::test {

struct LitArea {
  int left = 0;
  int top = 0;
  int right = 0;   // one past the last lit column
  int bottom = 0;  // one past the last lit row
  int count = 0;
  bool operator==(const LitArea&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const LitArea& a) {
  return out << "(" << a.left << ", " << a.top << ")-(" << a.right << ", " << a.bottom << ") "
             << a.count << " lit";
}

// Where the frame being drawn is lit: the bounding box and count of its non-black pixels.
inline LitArea FindLitArea() {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> frame = ReadFrame(width, height);
  LitArea area{width, height, 0, 0, 0};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (frame[static_cast<size_t>(y) * width + x] == 0) continue;
      area.left = std::min(area.left, x);
      area.top = std::min(area.top, y);
      area.right = std::max(area.right, x + 1);
      area.bottom = std::max(area.bottom, y + 1);
      ++area.count;
    }
  }
  if (area.count == 0) area = LitArea{};
  return area;
}

// Every pixel different, so a flipped, shifted, stretched or mis-strided picture shows.
inline std::vector<uint32_t> Gradient(int width, int height) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(Rgb(10 + x * 6, 20 + y * 9, 200 - x - y));
  }
  return pixels;
}

inline void ExpectNear(uint32_t actual, uint32_t expected, int tolerance = 1) {
  EXPECT_NEAR(Red(actual), Red(expected), tolerance) << std::hex << actual;
  EXPECT_NEAR(Green(actual), Green(expected), tolerance) << std::hex << actual;
  EXPECT_NEAR(Blue(actual), Blue(expected), tolerance) << std::hex << actual;
}

// An untextured quad over the screen pixels (x, y) to (x + w - 1, y + h - 1), its corners sent
// counter-clockwise on the screen (bottom-left first), or reversed.
inline void RawQuad(int x, int y, int w, int h, uint32_t color, bool clockwise = false) {
  glDisable(GL_TEXTURE_2D);
  glColor3ub(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  int xs[4] = {x, x + w, x + w, x};
  int ys[4] = {y + h, y + h, y, y};
  glBegin(GL_TRIANGLE_FAN);
  for (int i = 0; i < 4; ++i) {
    int k = clockwise ? 3 - i : i;
    glVertex2i(xs[k], -ys[k]);
  }
  glEnd();
  glColor4f(1, 1, 1, 1);
  glEnable(GL_TEXTURE_2D);
}

}  // namespace tobli::test

// Where the frame being drawn is lit: the bounding box and count of its non-black pixels.
#pragma once

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

}  // namespace tobli::test

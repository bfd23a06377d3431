// How the drawing commands turn the language's numbers into the renderer's whole numbers.
#pragma once

#include <cmath>
#include <cstdint>

namespace tobli::gfx {

// A number as a whole value, truncated toward zero; NaN is 0 and values beyond the 64-bit
// range are capped, since converting them has no defined result.
inline int64_t Whole(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2e18) return INT64_MAX;
  if (value <= -9.2e18) return INT64_MIN;
  return static_cast<int64_t>(value);
}

// The low 16 bits of the whole value, where the renderer takes 16-bit numbers.
inline int16_t Low16(double value) {
  return static_cast<int16_t>(static_cast<uint16_t>(Whole(value) & 0xFFFF));
}

}  // namespace tobli::gfx

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/kdstr.h"

// "%g" as the language has always printed it: the exponent carries a sign and at least three
// digits (1e+006, 1.5e-007). Infinities print "inf"/"-inf" and NaN prints "nan" ("-nan" with
// the sign bit), as the C library writes them; negative zero prints "-0".
int FormatNumber(double value, char* out, std::size_t size) {
  if (size == 0) return 0;
  char text[64];
  std::snprintf(text, sizeof(text), "%g", value);
  char* e = std::strchr(text, 'e');
  if (e != nullptr && !std::isnan(value) && !std::isinf(value)) {
    char sign = e[1];
    const char* digits = e + 2;
    int exponent = std::atoi(digits);
    char mantissa[32];
    size_t mlen = static_cast<size_t>(e - text);
    if (mlen >= sizeof(mantissa)) mlen = sizeof(mantissa) - 1;
    std::memcpy(mantissa, text, mlen);
    mantissa[mlen] = 0;
    std::snprintf(text, sizeof(text), "%.31se%c%03d", mantissa, sign, exponent % 10000);
  }
  size_t length = std::strlen(text);
  if (length >= size) length = size - 1;
  std::memcpy(out, text, length);
  out[length] = 0;
  return static_cast<int>(length);
}

std::string FormatNumber(double value) {
  char text[64];
  FormatNumber(value, text, sizeof(text));
  return text;
}

#include <cctype>
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

double ParseNumber(const char* text) {
  if (text == nullptr) return 0;
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  const char* p = text;
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  // The number is copied in the form strtod reads the same way everywhere (exponent letter e),
  // so the library's own extensions (hexadecimal, the special words) never come into play.
  char number[KDStr::kCapacity + 8];
  size_t n = 0;
  const size_t room = sizeof(number) - 1;
  auto keep = [&](char c) {
    if (n < room) number[n++] = c;
  };
  if (*p == '+' || *p == '-') keep(*p++);
  int digits = 0;
  while (digit(*p)) {
    keep(*p++);
    ++digits;
  }
  if (*p == '.') {
    keep(*p++);
    while (digit(*p)) {
      keep(*p++);
      ++digits;
    }
  }
  if (digits == 0) return 0;
  if (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D') {
    const char* q = p + 1;
    char sign = 0;
    if (*q == '+' || *q == '-') sign = *q++;
    // An exponent letter without digits is no part of the number.
    if (digit(*q)) {
      keep('e');
      if (sign != 0) keep(sign);
      while (digit(*q)) keep(*q++);
    }
  }
  number[n] = 0;
  return std::strtod(number, nullptr);
}

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/kdstr.h"

namespace {

// The six significant digits of a finite, non-zero |value| and the decimal exponent of the
// first, rounded the way the language has always rounded them: the value is written with 17
// significant digits and a seventh digit of 5 or more rounds up. A tie such as 123456.5 thus
// gives 123457, where the C library here would round it to the even 123456.
void SixDigits(double value, char (&digits)[7], int& exponent) {
  char wide[48];
  std::snprintf(wide, sizeof(wide), "%.16e", std::fabs(value));  // d.dddddddddddddddde+XX
  int n = 0;
  char seventh = '0';
  const char* p = wide;
  for (; *p != 0 && *p != 'e'; ++p) {
    if (*p == '.') continue;
    if (n < 6) digits[n] = *p;
    if (n == 6) seventh = *p;
    ++n;
  }
  digits[6] = 0;
  exponent = *p == 'e' ? std::atoi(p + 1) : 0;
  if (seventh < '5') return;
  for (int i = 5; i >= 0; --i) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  // 999999.5 and the like carry into a seventh place.
  digits[0] = '1';
  ++exponent;
}

}  // namespace

// "%g" as the language has always printed it: six significant digits, trailing zeros and a
// trailing point removed, the exponent form below 1e-4 and from 1e6 on, with an exponent of a
// sign and at least three digits (1e+006, 1.5e-007). Infinities print "inf"/"-inf" and NaN
// prints "nan" ("-nan" with the sign bit), as the C library writes them; negative zero
// prints "-0".
int FormatNumber(double value, char* out, std::size_t size) {
  if (size == 0) return 0;
  char text[64];
  if (std::isnan(value) || std::isinf(value) || value == 0) {
    std::snprintf(text, sizeof(text), "%g", value);
  } else {
    char digits[7];
    int exponent = 0;
    SixDigits(value, digits, exponent);
    int used = 6;
    while (used > 1 && digits[used - 1] == '0') --used;
    const char* sign = std::signbit(value) ? "-" : "";
    if (exponent < -4 || exponent >= 6) {
      std::snprintf(text, sizeof(text), "%s%c%s%.*se%c%03d", sign, digits[0], used > 1 ? "." : "",
                    used - 1, digits + 1, exponent < 0 ? '-' : '+', std::abs(exponent));
    } else if (exponent >= 0) {
      // exponent + 1 digits before the point, the rest of the used ones after it.
      int fraction = used - 1 - exponent;
      std::snprintf(text, sizeof(text), "%s%.*s%s%.*s", sign, exponent + 1, digits,
                    fraction > 0 ? "." : "", fraction > 0 ? fraction : 0, digits + exponent + 1);
    } else {
      std::snprintf(text, sizeof(text), "%s0.%.*s%.*s", sign, -exponent - 1, "0000", used, digits);
    }
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

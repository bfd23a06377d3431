#include "core/builtins.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/frame.h"
#include "core/isaac.h"
#include "core/services.h"

namespace {

// The degree factor the language has always used; close to, but not exactly, 180/pi.
constexpr double kDegree = 57.2957795;

// Truncates toward zero into 32 bits; NaN gives 0 and values beyond the range saturate, so an
// absurd argument cannot reach an undefined conversion.
int32_t TruncToInt32(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(v);
}

}  // namespace

void __SeedRandom(unsigned long seed) {
  QMsrand(seed);
}

double RND(double n) {
  // Negative (and NaN) limits are outside the function's range: 0, without using a word.
  if (!(n >= 0)) return 0;
  uint32_t word = QMrand();
  // A limit of 2^32 - 1 or more would make the modulus 0 or overflow it; every word is then in
  // range as it is.
  if (n >= 4294967295.0) return word;
  auto modulus = static_cast<uint32_t>(n) + 1u;
  return word % modulus;
}

double SIN(double deg) {
  return std::sin(deg / kDegree);
}

double COS(double deg) {
  return std::cos(deg / kDegree);
}

double TAN(double deg) {
  return std::tan(deg / kDegree);
}

double ATAN(double y, double x) {
  return std::atan2(y, x) * kDegree;
}

double ASIN(double v) {
  if (v >= 1) return 90;
  if (v <= -1) return -90;
  return std::asin(v) * kDegree;
}

double ACOS(double v) {
  if (v >= 1) return 0;
  if (v <= -1) return 180;
  return std::acos(v) * kDegree;
}

double SQR(double v) {
  return std::sqrt(v);
}

double ABS(double v) {
  return v < 0 ? -v : v;
}

double POW(double base, double exponent) {
  return std::pow(base, exponent);
}

double MOD(double a, double b) {
  if (b == 0) return 0;
  int32_t divisor = TruncToInt32(b);
  // A divisor whose whole part is 0 has no remainder to give.
  if (divisor == 0) return 0;
  int32_t dividend = TruncToInt32(a);
  // The one quotient that does not fit 32 bits; its remainder is 0.
  if (divisor == -1) return 0;
  return dividend % divisor;
}

double LEN(KDStr text) {
  return static_cast<double>(std::strlen(text.GetStrData()));
}

double LEN(double v) {
  char text[64];
  return FormatNumber(v, text, sizeof(text));
}

KDStr MID_Str(KDStr text, double start, double count) {
  KDStr result;
  if (std::isnan(start) || std::isnan(count)) return result;
  const double len = static_cast<double>(std::strlen(text.GetStrData()));
  if (std::trunc(start + count) > len) count = len - start;
  if (count <= 0 || start > len || start < 0) return result;
  const auto from = static_cast<size_t>(start);
  const auto take = static_cast<size_t>(count);
  // The piece is cut before it is stored, so a long text still yields its short pieces; only a
  // piece that itself passes 1022 characters gives the empty text.
  std::string piece(text.GetStrData() + from,
                    std::min(take, std::strlen(text.GetStrData() + from)));
  result = piece.c_str();
  return result;
}

KDStr GETCOMMANDLINE_Str() {
  return __g_cmdline;
}

KDStr GETCURRENTDIR_Str() {
  KDStr result;
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return result;
    buffer.resize(buffer.size() * 2);
  }
  std::string dir = buffer.data();
  for (char& c : dir) {
    if (c == '\\') c = '/';
  }
  if (dir.empty() || dir.back() != '/') dir += '/';
  // A path that does not fit a text leaves it empty.
  result = dir.c_str();
  return result;
}

double SETCURRENTDIR(KDStr path) {
  return chdir(path.GetStrData()) == 0 ? 1 : 0;
}

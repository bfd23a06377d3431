#include "core/kdstr.h"

#include <cstring>

KDStr::KDStr() {
  std::memset(szData, 0, sizeof(szData));
}

KDStr::KDStr(const char* text) : KDStr() {
  *this = text;
}

KDStr::KDStr(double value) : KDStr() {
  *this = value;
}

KDStr::KDStr(int value) : KDStr(static_cast<double>(value)) {}

KDStr& KDStr::operator=(const char* text) {
  if (text == nullptr) return *this;
  size_t length = std::strlen(text);
  if (length > kMaxLength) return *this;
  std::memmove(szData, text, length + 1);
  return *this;
}

KDStr& KDStr::operator=(const double& value) {
  FormatNumber(value, szData, sizeof(szData));
  return *this;
}

KDStr& KDStr::operator+=(const char* text) {
  if (text == nullptr) return *this;
  size_t right = std::strlen(text);
  size_t left = std::strlen(szData);
  if (right == 0 || left + right > kMaxLength) return *this;
  std::memmove(szData + left, text, right + 1);
  return *this;
}

KDStr& KDStr::operator+=(const KDStr& other) {
  KDStr copy(other);  // the right operand may be this very text
  return *this += copy.szData;
}

KDStr& KDStr::AppendWithDash(const KDStr& other) {
  size_t right = std::strlen(other.szData);
  size_t left = std::strlen(szData);
  if (right == 0 || left + right > kMaxLength) return *this;
  // The dash may take the result to 1023 characters; the buffer still holds the terminator.
  KDStr copy(other);
  szData[left] = '-';
  std::memcpy(szData + left + 1, copy.szData, right + 1);
  return *this;
}

KDStr& KDStr::operator-=(const KDStr& other) {
  return AppendWithDash(other);
}
KDStr& KDStr::operator*=(const KDStr& other) {
  return AppendWithDash(other);
}
KDStr& KDStr::operator/=(const KDStr& other) {
  return AppendWithDash(other);
}

KDStr KDStr::operator+(const KDStr& other) const {
  KDStr result(*this);
  result += other;
  return result;
}
KDStr KDStr::operator+(const double& value) const {
  return *this + KDStr(value);
}
KDStr KDStr::operator-(const KDStr& other) const {
  KDStr result(*this);
  result -= other;
  return result;
}
KDStr KDStr::operator-(const double& value) const {
  return *this - KDStr(value);
}
KDStr KDStr::operator*(const KDStr& other) const {
  KDStr result(*this);
  result *= other;
  return result;
}
KDStr KDStr::operator*(const double& value) const {
  return *this * KDStr(value);
}
KDStr KDStr::operator/(const KDStr& other) const {
  KDStr result(*this);
  result /= other;
  return result;
}
KDStr KDStr::operator/(const double& value) const {
  return *this / KDStr(value);
}

KDStr::operator double() const {
  return ParseNumber(szData);
}

int KDStr::Compare(const KDStr& other) const {
  return std::strcmp(szData, other.szData);
}

int KDStr::Compare(const double& value) const {
  double mine = static_cast<double>(*this);
  if (mine < value) return -1;
  if (mine > value) return 1;
  return 0;
}

int KDStr::GetAt(int i) const {
  return static_cast<signed char>(szData[i]);
}

int KDStr::SetAt(int i, char c) {
  if (static_cast<unsigned>(i) >= std::strlen(szData)) return 0;
  szData[i] = c;
  return 1;
}

void KDStr::Left(int n) {
  if (n < 0) return;
  if (static_cast<size_t>(n) < std::strlen(szData)) szData[n] = 0;
}

void KDStr::TrimRight() {
  size_t length = std::strlen(szData);
  while (length > 0 && static_cast<signed char>(szData[length - 1]) <= 31) {
    szData[--length] = 0;
  }
}

int KDStr::Length() const {
  return static_cast<int>(std::strlen(szData));
}

void ReverseSlashes(KDStr& text) {
  for (char* p = text.GetStrData(); *p; ++p) {
    if (*p == '\\') *p = '/';
  }
}

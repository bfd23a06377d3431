// The game language's text value: one fixed 1024-byte buffer, copied whole, never allocating.
#pragma once

#include <cstddef>
#include <string>

class KDStr {
 public:
  static constexpr int kCapacity = 1024;
  // The longest text that assignment and the appending operators store.
  static constexpr int kMaxLength = 1022;

  KDStr();
  KDStr(const char* text);  // NOLINT: the language converts texts implicitly
  KDStr(double value);      // NOLINT
  KDStr(int value);         // NOLINT
  KDStr(const KDStr& other) = default;

  // Copies the text when it has at most 1022 characters; otherwise keeps the old value.
  KDStr& operator=(const char* text);
  KDStr& operator=(const double& value);
  KDStr& operator=(const KDStr& other) = default;

  // Appending: nothing happens when the right text is empty or the result would pass 1022.
  KDStr& operator+=(const char* text);
  KDStr& operator+=(const KDStr& other);
  // "-", "*" and "/" all append "-" and then the right text.
  KDStr& operator-=(const KDStr& other);
  KDStr& operator*=(const KDStr& other);
  KDStr& operator/=(const KDStr& other);

  KDStr operator+(const KDStr& other) const;
  KDStr operator+(const double& value) const;
  KDStr operator-(const KDStr& other) const;
  KDStr operator-(const double& value) const;
  KDStr operator*(const KDStr& other) const;
  KDStr operator*(const double& value) const;
  KDStr operator/(const KDStr& other) const;
  KDStr operator/(const double& value) const;
  // A text literal on the right takes the text's operator, not the number's: without these the
  // conversion to double offers the built-in pointer arithmetic as an equal choice.
  KDStr operator+(const char* text) const { return *this + KDStr(text); }
  KDStr operator-(const char* text) const { return *this - KDStr(text); }
  KDStr operator*(const char* text) const { return *this * KDStr(text); }
  KDStr operator/(const char* text) const { return *this / KDStr(text); }

  // The text's leading number (ParseNumber): white space skipped, 0 when there is none.
  operator double() const;  // NOLINT

  char* GetStrData() { return szData; }
  const char* GetStrData() const { return szData; }
  int Compare(const KDStr& other) const;
  // -1, 0 or 1 for the text's numeric value against the number; 0 when unordered (NaN).
  int Compare(const double& value) const;
  // Signed byte at position i; the caller keeps i below 1024.
  int GetAt(int i) const;
  // Stores c at position i when i is below the current length; returns 1 if stored, else 0.
  int SetAt(int i, char c);
  void Left(int n);
  void TrimRight();
  int Length() const;

  bool operator==(const KDStr& other) const { return Compare(other) == 0; }
  bool operator!=(const KDStr& other) const { return Compare(other) != 0; }
  bool operator==(const char* text) const { return Compare(KDStr(text)) == 0; }
  bool operator!=(const char* text) const { return Compare(KDStr(text)) != 0; }

  std::string ToStdString() const { return std::string(szData); }

 private:
  KDStr& AppendWithDash(const KDStr& other);
  char szData[kCapacity];
};

// Replaces every backslash of the text with a slash.
void ReverseSlashes(KDStr& text);

// The runtime's one number-to-text rule: "%g" with six significant digits and an exponent of a
// sign and at least three digits (1e+006). Writes at most size-1 characters; returns the length.
int FormatNumber(double value, char* out, std::size_t size);
std::string FormatNumber(double value);

// The runtime's one text-to-number rule: leading white space, then the longest prefix of the
// form [sign] digits [. digits] [exponent], where the exponent letter is e, E, d or D followed
// by an optional sign and digits. Only decimal numbers count: "0x1A" reads as 0, and the words
// "inf" and "nan" read as 0, so no text spells an infinity or NaN into a program. 0 when no
// digit leads the text; values beyond the range of a double give an infinity of their sign.
double ParseNumber(const char* text);

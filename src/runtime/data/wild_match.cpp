#include "data/wild_match.h"

namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool MatchesOne(char patternChar, char nameChar) {
  if (patternChar == '?') return nameChar != '.';
  return Lower(patternChar) == Lower(nameChar);
}

}  // namespace

bool szWildMatch(const char* pattern, const char* name) {
  const char* p = pattern;
  const char* n = name;
  const char* afterStar = nullptr;  // pattern position just after the last "*"
  const char* starName = nullptr;   // where the name stood when that "*" was reached
  while (*n != 0) {
    if (*p == '*') {
      while (*p == '*') ++p;
      if (*p == 0) return true;
      afterStar = p;
      starName = n;
      continue;
    }
    if (*p != 0 && MatchesOne(*p, *n)) {
      ++p;
      ++n;
      continue;
    }
    if (afterStar == nullptr) return false;
    // Let the last "*" swallow one more character and try again from there.
    p = afterStar;
    n = ++starName;
  }
  while (*p == '*') ++p;
  return *p == 0;
}

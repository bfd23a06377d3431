#include "move_script.h"

#include <cctype>

namespace tobli::replay {

namespace {

bool IsToken(char c) {
  return c == 'R' || c == 'L' || c == 'U' || c == 'D' || c == '.' || c == 'S' || c == 'Q';
}

}  // namespace

bool ParseMoves(std::string_view text, std::vector<char>& moves, std::string& why) {
  moves.clear();
  long count = -1;  // -1: no count pending
  for (size_t at = 0; at < text.size(); ++at) {
    char c = text[at];
    if (std::isspace(static_cast<unsigned char>(c)) != 0) continue;
    if (c >= '0' && c <= '9') {
      count = (count < 0 ? 0 : count) * 10 + (c - '0');
      if (count > kMaxRepeat) {
        why = "repeat count beyond " + std::to_string(kMaxRepeat);
        return false;
      }
      continue;
    }
    if (!IsToken(c)) {
      why = std::string("unknown move '") + c + "' at " + std::to_string(at);
      return false;
    }
    long times = count < 0 ? 1 : count;
    if (moves.size() + static_cast<size_t>(times) > kMaxMoves) {
      why = "more than " + std::to_string(kMaxMoves) + " moves in all";
      return false;
    }
    moves.insert(moves.end(), static_cast<size_t>(times), c);
    count = -1;
  }
  if (count >= 0) {
    why = "a count at the end has no move";
    return false;
  }
  return true;
}

}  // namespace tobli::replay

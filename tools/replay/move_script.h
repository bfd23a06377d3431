// Move strings of the replay tool: R L U D (one arrow press), . (a wait of 16 frames),
// S (restart) and Q (give up), each with an optional repeat count before it; white space is
// ignored everywhere, also between a count and its token.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tobli::replay {

// Expands the text into one character per token ("3R." gives "RRR."). False, with the
// reason in why, for an unknown character, a count without a token after it, a count beyond
// kMaxRepeat, or more than kMaxMoves tokens in all.
bool ParseMoves(std::string_view text, std::vector<char>& moves, std::string& why);

// The largest repeat count one token may carry.
constexpr long kMaxRepeat = 1000000;
// The most tokens one move string may expand to (each is a byte in memory).
constexpr size_t kMaxMoves = 10000000;

}  // namespace tobli::replay

// A digest of the whole game state, for telling two plays apart frame by frame.
#pragma once

#include <cstdint>

namespace tobli::test {

// Every number and array of the game and the length of the sound log, folded into one value.
uint64_t StateDigest();
// Every entry of the sound log: frame (counted from `firstFrame`), slot and balance.
uint64_t SoundDigest(uint64_t firstFrame = 0);
// Folds a value into a running digest.
uint64_t FoldDigest(uint64_t digest, uint64_t value);
// The start value of a running digest.
constexpr uint64_t kDigestStart = 0xcbf29ce484222325ULL;

}  // namespace tobli::test

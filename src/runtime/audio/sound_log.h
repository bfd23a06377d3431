// The log of PLAYSOUND calls: which slot was asked for, with which balance, in which frame. It
// is kept on every platform, whether or not the slot holds a sound, so that tests and headless
// drivers can tell what the game played without a sound device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct SoundLogEntry {
  uint64_t frame = 0;  // __g_FrameCount when PLAYSOUND was called
  int slot = 0;        // the slot asked for, after truncation and the limit of 127
  int pan = 0;         // -10000 full left .. 10000 full right
};

// Appends one call. The list keeps the first kSoundLogLimit calls; the counts keep them all.
void __LogSound(uint64_t frame, int slot, int pan);
constexpr size_t kSoundLogLimit = size_t{1} << 20;
// The calls since start-up or the last clear, oldest first.
const std::vector<SoundLogEntry>& SoundLog();
// Number of calls for one slot (0 to 127; 0 for any other number).
uint64_t SoundLogCount(int slot);
void ClearSoundLog();

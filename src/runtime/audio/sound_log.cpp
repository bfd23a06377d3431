#include "audio/sound_log.h"

#include <array>

namespace {

std::vector<SoundLogEntry> gEntries;
std::array<uint64_t, 128> gCounts{};

}  // namespace

void __LogSound(uint64_t frame, int slot, int pan) {
  if (slot >= 0 && slot < static_cast<int>(gCounts.size())) ++gCounts[slot];
  if (gEntries.size() < kSoundLogLimit) gEntries.push_back(SoundLogEntry{frame, slot, pan});
}

const std::vector<SoundLogEntry>& SoundLog() {
  return gEntries;
}

uint64_t SoundLogCount(int slot) {
  if (slot < 0 || slot >= static_cast<int>(gCounts.size())) return 0;
  return gCounts[slot];
}

void ClearSoundLog() {
  gEntries.clear();
  gCounts.fill(0);
}

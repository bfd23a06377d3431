// LOADSOUND, PLAYSOUND and HUSH over the 128 sound slots.
#include "audio/audio_commands.h"

#include <algorithm>
#include <cmath>

#include "audio/sfx_sound.h"
#include "audio/sound_log.h"
#include "core/frame.h"
#include "data/archive.h"

namespace {

// A slot number: truncated, at most 127; -1 for a negative number or NaN (no slot).
int SlotOf(double n) {
  if (!(n > -1.0)) return -1;
  return n >= kSoundSlots - 1 ? kSoundSlots - 1 : static_cast<int>(n);
}

}  // namespace

void LOADSOUND(KDStr file, double n, double voices) {
  KDStr path = file;
  if (!ExtractMember(__g_DezeZer_Data, path)) return;
  int slot = SlotOf(n);
  if (slot < 0 || DXwav == nullptr) return;
  // Voices are clamped to 1..4 by the slot; keep the double inside int range before that.
  int count = std::isnan(voices) ? 1 : static_cast<int>(std::clamp(voices, -1.0, 5.0));
  DXwav[slot].Load(pDXsnd, path.GetStrData(), count);
}

void PLAYSOUND(double n, double pan, double volume) {
  int slot = SlotOf(n);
  double balance = std::isnan(pan) ? 0.0 : std::clamp(pan, -1.0, 1.0);
  double level = std::isnan(volume) ? 0.0 : std::clamp(volume, 0.0, 1.0);
  int hundredths = static_cast<int>(balance * 10000.0);
  __LogSound(__g_FrameCount, slot, hundredths);
  if (slot < 0 || DXwav == nullptr) return;
  // The volume reaches the slot as 0 (full) or 1, which lies above full and is refused: every
  // effect plays at full volume.
  DXwav[slot].Play(hundredths, static_cast<int>(level), 0);
}

void HUSH() {
  if (DXwav == nullptr) return;
  for (int i = 0; i < kSoundSlots; ++i) DXwav[i].Stop();
}

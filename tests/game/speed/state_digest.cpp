#include "state_digest.h"

#include <cstring>
#include <vector>

#include "audio/sound_log.h"
#include "state.h"

namespace tobli::test {

namespace {

const char* const kNumbers[] = {
    "ALIVE",     "EDITOR",     "boxmission", "enemission", "offsx",      "offsy",   "maxene",
    "crrspd",    "crrmode",    "level",      "plyx",       "plyy",       "plym",    "backani",
    "backdelay", "lowerani",   "ani",        "tobani",     "wani",       "sweets",  "saltbag",
    "fireman",   "wellington", "magnet",     "kynum",      "gameon",     "drawing", "delay",
    "happened",  "onice",      "moving",     "dx",         "dy",         "x",       "y",
    "h",         "i",          "maxbox",     "maxboom",    "startx",     "starty",  "xlevel",
    "ylevel",    "maxx",       "maxy",       "zoop",       "voicedelay", "zt",      "num",
    "mousex",    "mousey",     "mouseb1",    "mouseb2",    "blackcolor"};
const char* const kArrays[] = {"hit",     "enex",   "eney",     "enespd",   "enemode",  "enelook",
                               "boxlook", "boxx",   "boxy",     "boxm",     "boxdelay", "bomx",
                               "bomy",    "beamp",  "pingpong", "xitflash", "kys",      "kyshowx",
                               "kyshowy", "kymove", "kylook"};

uint64_t Bits(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof(bits));
  return bits;
}

}  // namespace

uint64_t FoldDigest(uint64_t digest, uint64_t value) {
  digest ^= value;
  digest *= 0x100000001b3ULL;
  return digest ^ (digest >> 29);
}

uint64_t StateDigest() {
  uint64_t d = kDigestStart;
  for (const char* name : kNumbers) d = FoldDigest(d, Bits(*FindGameNumber(name)));
  for (const char* name : kArrays) {
    const KDIntArray& a = *FindGameArray(name);
    d = FoldDigest(d, static_cast<uint64_t>(a.nCount));
    for (int64_t k = 0; k < a.nCount; ++k) d = FoldDigest(d, Bits(a.pData[k]));
  }
  return FoldDigest(d, static_cast<uint64_t>(SoundLog().size()));
}

uint64_t SoundDigest(uint64_t firstFrame) {
  uint64_t d = kDigestStart;
  for (const SoundLogEntry& s : SoundLog()) {
    d = FoldDigest(d, s.frame - firstFrame);
    d = FoldDigest(d, static_cast<uint64_t>(s.slot));
    d = FoldDigest(d, static_cast<uint64_t>(s.pan));
  }
  return d;
}

}  // namespace tobli::test

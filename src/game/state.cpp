#include "state.h"

#include <cstring>

// Each list names every global of one kind once; the definitions and the name tables are made
// from it so that they cannot disagree.
// clang-format off
#define TOBLI_GAME_NUMBERS(X)                                                                     \
  X(ALIVE) X(EDITOR) X(boxmission) X(enemission) X(offsx) X(offsy) X(maxene) X(crrspd)          \
  X(crrmode) X(level) X(plyx) X(plyy) X(plym) X(backani) X(backdelay) X(lowerani) X(ani)       \
  X(tobani) X(wani) X(sweets) X(saltbag) X(fireman) X(wellington) X(magnet) X(kynum)           \
  X(gameon) X(drawing) X(delay) X(happened) X(onice) X(moving) X(dx) X(dy) X(x) X(y) X(h)      \
  X(i) X(maxbox) X(maxboom) X(startx) X(starty) X(xlevel) X(ylevel) X(maxx) X(maxy) X(zoop)    \
  X(voicedelay) X(zt) X(num) X(mousex) X(mousey) X(mouseb1) X(mouseb2) X(blackcolor)           \
  X(exitsTaken)

#define TOBLI_GAME_ARRAYS(X)                                                                      \
  X(hit) X(enex) X(eney) X(enespd) X(enemode) X(enelook) X(boxlook) X(boxx) X(boxy) X(boxm)    \
  X(boxdelay) X(bomx) X(bomy) X(beamp) X(pingpong) X(xitflash) X(kys) X(kyshowx) X(kyshowy)    \
  X(kymove) X(kylook) X(hitgfx)

#define TOBLI_GAME_TEXTS(X) X(savefile_Str) X(file_Str) X(hint_Str) X(a_Str) X(b_Str) X(c_Str)
// clang-format on

#define TOBLI_DEFINE_NUMBER(name) double name = 0;
#define TOBLI_DEFINE_ARRAY(name) KDIntArray name;
#define TOBLI_DEFINE_TEXT(name) KDStr name;
TOBLI_GAME_NUMBERS(TOBLI_DEFINE_NUMBER)
TOBLI_GAME_ARRAYS(TOBLI_DEFINE_ARRAY)
TOBLI_GAME_TEXTS(TOBLI_DEFINE_TEXT)

namespace {

template <typename T>
struct Named {
  const char* name;
  T* value;
};

#define TOBLI_NAMED(name) {#name, &name},
const Named<double> kNumbers[] = {TOBLI_GAME_NUMBERS(TOBLI_NAMED)};
const Named<KDIntArray> kArrays[] = {TOBLI_GAME_ARRAYS(TOBLI_NAMED)};
const Named<KDStr> kTexts[] = {TOBLI_GAME_TEXTS(TOBLI_NAMED)};

template <typename T, size_t N>
T* Find(const Named<T> (&table)[N], std::string_view name) {
  for (const Named<T>& entry : table) {
    if (name == entry.name) return entry.value;
  }
  return nullptr;
}

// An array as it is before its first DIM: no storage, no sizes.
void Undimension(KDIntArray& array) {
  delete[] array.pData;
  array.pData = nullptr;
  std::memset(array.nStride, 0, sizeof(array.nStride));
  std::memset(array.nSize, 0, sizeof(array.nSize));
  array.nDims = -1;
  array.nCount = 0;
}

}  // namespace

double* FindGameNumber(std::string_view name) {
  return Find(kNumbers, name);
}
KDIntArray* FindGameArray(std::string_view name) {
  return Find(kArrays, name);
}
KDStr* FindGameText(std::string_view name) {
  return Find(kTexts, name);
}

void ClearGameState() {
  for (const Named<double>& entry : kNumbers) *entry.value = 0;
  for (const Named<KDIntArray>& entry : kArrays) Undimension(*entry.value);
  for (const Named<KDStr>& entry : kTexts) *entry.value = "";
}

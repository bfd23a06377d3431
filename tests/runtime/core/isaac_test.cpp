#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "core/builtins.h"

namespace {

// ISAAC written afresh from its published description, in a different shape from the runtime's
// (the mixing step and the accumulator shifts as tables), so a slip in one does not hide in both.
class ReferenceIsaac {
 public:
  uint32_t mem[256] = {};
  uint32_t out[256] = {};
  uint32_t acc = 0;
  uint32_t last = 0;
  uint32_t counter = 0;

  // The published initialisation over the words in out, with the runtime's extra first step
  // that spreads the seed over the memory when spreadSeed is set.
  void Init(bool spreadSeed, uint32_t seed) {
    acc = last = counter = 0;
    uint32_t s[8];
    for (uint32_t& w : s) w = 0x9E3779B9u;
    if (spreadSeed) {
      for (int g = 0; g < 256; g += 8) {
        s[0] += seed;
        Mix(s);
        for (int k = 0; k < 8; ++k) mem[g + k] = s[k];
      }
    }
    for (int round = 0; round < 4; ++round) Mix(s);
    for (int pass = 0; pass < 2; ++pass) {
      const uint32_t* source = pass == 0 ? out : mem;
      for (int g = 0; g < 256; g += 8) {
        for (int k = 0; k < 8; ++k) s[k] += source[g + k];
        Mix(s);
        for (int k = 0; k < 8; ++k) mem[g + k] = s[k];
      }
    }
    Generate();
  }

  void Generate() {
    static const int kShift[4] = {13, -6, 2, -16};  // positive: left
    last += ++counter;
    for (int i = 0; i < 256; ++i) {
      uint32_t x = mem[i];
      int shift = kShift[i & 3];
      acc ^= shift > 0 ? acc << shift : acc >> -shift;
      acc += mem[(i + 128) & 255];
      uint32_t y = mem[(x >> 2) & 255] + acc + last;
      mem[i] = y;
      last = mem[(y >> 10) & 255] + x;
      out[i] = last;
    }
  }

 private:
  static void Mix(uint32_t s[8]) {
    static const int kShift[8] = {11, -2, 8, -16, 10, -4, 8, -9};  // positive: left
    for (int k = 0; k < 8; ++k) {
      uint32_t next = s[(k + 1) % 8];
      s[k] ^= kShift[k] > 0 ? next << kShift[k] : next >> -kShift[k];
      s[(k + 3) % 8] += s[k];
      s[(k + 1) % 8] += s[(k + 2) % 8];
    }
  }
};

TEST(IsaacReference, ReproducesThePublishedVectorForAZeroSeed) {
  // The first words of the published test vector (zero seed, second batch).
  ReferenceIsaac ref;
  ref.Init(false, 0);
  ref.Generate();
  const uint32_t expected[8] = {0xf650e4c8, 0xe448e96d, 0x98db2fb4, 0xf5fad54f,
                                0x433f1afb, 0xedec154a, 0xd8370487, 0x46ca4f9a};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(ref.out[i], expected[i]) << i;
}

TEST(Isaac, SeededStateAndEveryDrawMatchTheReference) {
  for (uint32_t seed : {0u, 1u, 12345u, 0xDEADBEEFu}) {
    __g_ctx = RandomContext{};
    QMsrand(seed);
    ReferenceIsaac ref;
    ref.Init(true, seed);
    EXPECT_EQ(__g_ctx.randcnt, 256u);
    EXPECT_EQ(std::memcmp(__g_ctx.mm, ref.mem, sizeof(ref.mem)), 0) << seed;
    EXPECT_EQ(__g_ctx.aa, ref.acc);
    EXPECT_EQ(__g_ctx.bb, ref.last);
    EXPECT_EQ(__g_ctx.cc, ref.counter);
    // Each draw is a whole batch whose first word is returned.
    for (int i = 0; i < 1000; ++i) {
      ref.Generate();
      ASSERT_EQ(QMrand(), ref.out[0]) << "seed " << seed << " draw " << i;
    }
    EXPECT_EQ(std::memcmp(__g_ctx.randrsl, ref.out, sizeof(ref.out)), 0);
  }
}

TEST(Isaac, ReseedingFoldsInTheLastBatchAndTheSeedIsTakenAs32Bits) {
  __g_ctx = RandomContext{};
  QMsrand(7);
  for (int i = 0; i < 3; ++i) QMrand();
  ReferenceIsaac ref;
  std::memcpy(ref.out, __g_ctx.randrsl, sizeof(ref.out));
  QMsrand(7);
  ref.Init(true, 7);
  EXPECT_EQ(std::memcmp(__g_ctx.mm, ref.mem, sizeof(ref.mem)), 0);
  ref.Generate();
  EXPECT_EQ(QMrand(), ref.out[0]);

  // The seed is taken as 32 bits.
  __g_ctx = RandomContext{};
  QMsrand(5);
  uint32_t low = QMrand();
  __g_ctx = RandomContext{};
  QMsrand(0x100000005ul);
  EXPECT_EQ(QMrand(), low);
}

}  // namespace

#include "core/isaac.h"

RandomContext __g_ctx = {};

namespace {

constexpr uint32_t kGoldenRatio = 0x9E3779B9u;

struct Words {
  uint32_t a, b, c, d, e, f, g, h;
};

void Mix(Words& w) {
  w.a ^= w.b << 11;
  w.d += w.a;
  w.b += w.c;
  w.b ^= w.c >> 2;
  w.e += w.b;
  w.c += w.d;
  w.c ^= w.d << 8;
  w.f += w.c;
  w.d += w.e;
  w.d ^= w.e >> 16;
  w.g += w.d;
  w.e += w.f;
  w.e ^= w.f << 10;
  w.h += w.e;
  w.f += w.g;
  w.f ^= w.g >> 4;
  w.a += w.f;
  w.g += w.h;
  w.g ^= w.h << 8;
  w.b += w.g;
  w.h += w.a;
  w.h ^= w.a >> 9;
  w.c += w.h;
  w.a += w.b;
}

void AddGroup(Words& w, const uint32_t* from) {
  w.a += from[0];
  w.b += from[1];
  w.c += from[2];
  w.d += from[3];
  w.e += from[4];
  w.f += from[5];
  w.g += from[6];
  w.h += from[7];
}

void StoreGroup(const Words& w, uint32_t* to) {
  to[0] = w.a;
  to[1] = w.b;
  to[2] = w.c;
  to[3] = w.d;
  to[4] = w.e;
  to[5] = w.f;
  to[6] = w.g;
  to[7] = w.h;
}

// One batch of 256 results into randrsl.
void Batch(RandomContext& ctx) {
  ctx.cc += 1;
  ctx.bb += ctx.cc;
  uint32_t a = ctx.aa;
  uint32_t b = ctx.bb;
  for (int i = 0; i < 256; ++i) {
    uint32_t x = ctx.mm[i];
    switch (i % 4) {
      case 0:
        a ^= a << 13;
        break;
      case 1:
        a ^= a >> 6;
        break;
      case 2:
        a ^= a << 2;
        break;
      default:
        a ^= a >> 16;
        break;
    }
    a += ctx.mm[(i + 128) % 256];
    uint32_t y = ctx.mm[(x >> 2) % 256] + a + b;
    ctx.mm[i] = y;
    b = ctx.mm[(y >> 10) % 256] + x;
    ctx.randrsl[i] = b;
  }
  ctx.aa = a;
  ctx.bb = b;
}

}  // namespace

void QMsrand(unsigned long seed) {
  RandomContext& ctx = __g_ctx;
  ctx.aa = ctx.bb = ctx.cc = 0;
  Words w{kGoldenRatio, kGoldenRatio, kGoldenRatio, kGoldenRatio,
          kGoldenRatio, kGoldenRatio, kGoldenRatio, kGoldenRatio};
  // The seed is spread over the memory first; the words carry from one group to the next.
  const auto seedWord = static_cast<uint32_t>(seed);
  for (int i = 0; i < 256; i += 8) {
    w.a += seedWord;
    Mix(w);
    StoreGroup(w, &ctx.mm[i]);
  }
  for (int round = 0; round < 4; ++round) Mix(w);
  for (int i = 0; i < 256; i += 8) {
    AddGroup(w, &ctx.randrsl[i]);
    Mix(w);
    StoreGroup(w, &ctx.mm[i]);
  }
  for (int i = 0; i < 256; i += 8) {
    AddGroup(w, &ctx.mm[i]);
    Mix(w);
    StoreGroup(w, &ctx.mm[i]);
  }
  Batch(ctx);
  ctx.randcnt = 256;
}

uint32_t QMrand() {
  Batch(__g_ctx);
  return __g_ctx.randrsl[0];
}

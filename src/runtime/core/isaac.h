// The runtime's random generator: 32-bit ISAAC with a 256-word state, one global instance.
#pragma once

#include <cstdint>

// State of the generator, fields in the order the runtime has always kept them.
struct RandomContext {
  uint32_t randcnt;       // 256 after seeding; not otherwise used
  uint32_t randrsl[256];  // the results of the last batch
  uint32_t mm[256];       // the generator's memory
  uint32_t aa;            // accumulator
  uint32_t bb;            // last result
  uint32_t cc;            // counter
};

// All zero until QMsrand runs at start-up.
extern RandomContext __g_ctx;

// Seeds __g_ctx from seed (and the words left in randrsl by an earlier batch, zero at start-up),
// then runs one batch whose results are discarded.
void QMsrand(unsigned long seed);
// Runs one whole batch and returns its first word; the other 255 are never used.
uint32_t QMrand();

// Start-up step of the random generator. Scaffolding until the built-in functions land.
#include "core/services.h"

void __SeedRandom(unsigned long seed) {
  (void)seed;
}

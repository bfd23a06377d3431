// Sanitizer builds only. LeakSanitizer reports, at the end of a test program, blocks that
// Mesa's software driver keeps for the life of the process; scripts/lsan-suppressions.txt
// names the driver. The driver is unloaded when the last window closes, though, and a leak
// whose recorded stack stops inside it (the driver keeps no frame pointers, so the stack
// often ends there) then has no module name to match. Keeping the driver loaded for the whole
// process lets the suppression see its name.
#include <dlfcn.h>

namespace {

const bool kKept = [] {
  const char* const kDrivers[] = {
      "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
      "/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so",
      "/usr/lib64/dri/swrast_dri.so",
      "/usr/lib/dri/swrast_dri.so",
  };
  for (const char* path : kDrivers) {
    if (dlopen(path, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE) != nullptr) return true;
  }
  return false;
}();

}  // namespace

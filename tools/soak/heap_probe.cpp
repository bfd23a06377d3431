#include "heap_probe.h"

#include <malloc.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>

// Present only when the sanitizer runtime is linked in.
extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace tobli::soak {

namespace {

uint64_t ResidentBytes() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) return 0;
  unsigned long long size = 0;
  unsigned long long resident = 0;
  int read = std::fscanf(statm, "%llu %llu", &size, &resident);
  std::fclose(statm);
  if (read != 2) return 0;
  return resident * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace

HeapReading ReadHeap() {
  HeapReading reading;
  if (__sanitizer_get_current_allocated_bytes != nullptr) {
    reading.liveHeap = __sanitizer_get_current_allocated_bytes();
  } else {
    struct mallinfo2 info = mallinfo2();
    reading.liveHeap = info.uordblks + info.hblkhd;
  }
  reading.resident = ResidentBytes();
  return reading;
}

const char* HeapSource() {
  return __sanitizer_get_current_allocated_bytes != nullptr ? "sanitizer" : "malloc";
}

}  // namespace tobli::soak

// How much memory the process holds: the heap in use and the resident set.
#pragma once

#include <cstdint>

namespace tobli::soak {

struct HeapReading {
  uint64_t liveHeap = 0;  // bytes allocated and not yet freed
  uint64_t resident = 0;  // resident set size in bytes
};

// Under AddressSanitizer the heap in use is the sanitizer's own count (freed blocks waiting in
// its quarantine are not counted); otherwise the C library's.
HeapReading ReadHeap();
// Which count liveHeap comes from: "sanitizer" or "malloc".
const char* HeapSource();

}  // namespace tobli::soak

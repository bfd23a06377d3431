// Large arrays that start all zero without being written: the system hands out fresh zero
// pages, so loading a big map does not pay for touching tables the search may never reach.
#pragma once

#include <cstdlib>
#include <memory>

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};

template <typename T>
using ZeroedArray = std::unique_ptr<T[], FreeDeleter>;

// n zero-filled elements (T must be valid all zero: integers, pointers); null when the memory
// cannot be had.
template <typename T>
ZeroedArray<T> MakeZeroed(size_t n) {
  return ZeroedArray<T>(static_cast<T*>(std::calloc(n == 0 ? 1 : n, sizeof(T))));
}

// Room for n elements, never initialised (T must be trivial to overwrite); null when the
// memory cannot be had.
template <typename T>
ZeroedArray<T> MakeUninitialised(size_t n) {
  return ZeroedArray<T>(static_cast<T*>(std::malloc((n == 0 ? 1 : n) * sizeof(T))));
}

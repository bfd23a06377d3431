#include "data/member_buffer.h"

#include <sys/mman.h>

namespace {

constexpr size_t kHugePage = size_t{2} << 20;
// Below this the few page faults saved are not worth the rounding.
constexpr size_t kHugeThreshold = size_t{4} << 20;

}  // namespace

unsigned char* AllocateMemberBuffer(size_t size) {
  if (size < kHugeThreshold) return static_cast<unsigned char*>(std::malloc(size == 0 ? 1 : size));
  size_t rounded = (size + kHugePage - 1) & ~(kHugePage - 1);
  void* p = std::aligned_alloc(kHugePage, rounded);
  if (p == nullptr) return static_cast<unsigned char*>(std::malloc(size));
  madvise(p, rounded, MADV_HUGEPAGE);
  return static_cast<unsigned char*>(p);
}

// Heap buffers that hold a whole archive member. Large ones are backed by huge pages where the
// system offers them, which saves most of the page faults while a member is read or unpacked.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

// A buffer of at least size bytes (contents undefined) that std::free releases; null when the
// memory cannot be had.
unsigned char* AllocateMemberBuffer(size_t size);

struct MemberBufferFree {
  void operator()(unsigned char* p) const { std::free(p); }
};
using MemberBuffer = std::unique_ptr<unsigned char[], MemberBufferFree>;

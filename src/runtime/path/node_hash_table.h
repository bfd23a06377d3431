// The planner's closed set: nodes chained in buckets chosen by the low bits of their cell.
#pragma once

#include <cstdint>
#include "path/node.h"
#include "path/zeroed_array.h"

class NodeHashTable {
 public:
  // Makes 2^b empty buckets; b is cut to 24, raised to 0 and made even. False (no buckets)
  // when the memory cannot be had.
  bool create(int32_t b);
  // Bucket of a cell: the low b/2 bits of x and of y side by side.
  uint32_t hash(int32_t x, int32_t y) const {
    return (static_cast<uint32_t>(x) & mask_) | ((static_cast<uint32_t>(y) & mask_) << half_);
  }
  // Puts the node at the head of its bucket's chain. The node must not be in the table.
  void add(Node* node);
  // Hands every node back to the pool and empties every bucket.
  void releaseAll(NodeFactory& factory);
  int32_t bits() const { return bits_; }
  int64_t size() const { return count_; }
  // Empties every bucket without handing the nodes back; for when the pool takes all of its
  // nodes back at once.
  void clear();
  // Calls fn(node) for every node, bucket by bucket.
  template <typename Fn>
  void forEach(Fn fn) const {
    if (!buckets_) return;
    for (uint32_t b = 0; b < (1u << bits_); ++b) {
      for (Node* node = buckets_[b]; node != nullptr; node = node->next) fn(node);
    }
  }

 private:
  friend class NodeHashIterator;
  ZeroedArray<Node*> buckets_;
  int32_t bits_ = 0;
  uint32_t half_ = 0;
  uint32_t mask_ = 0;
  int64_t count_ = 0;
};

// Finds the node of a cell in a NodeHashTable and can unlink it.
class NodeHashIterator {
 public:
  explicit NodeHashIterator(NodeHashTable& table) : table_(table) {}
  // The node of the cell, or null; remembers where it stands for remove().
  Node* find(int32_t x, int32_t y);
  // Unlinks the node the last find() gave and returns it; null when that find() gave none.
  Node* remove();

 private:
  NodeHashTable& table_;
  Node** link_ = nullptr;  // the pointer that points at the found node
};

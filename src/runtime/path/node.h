// Search nodes of the path planner and the pool they come from.
#pragma once

#include <cstdint>

#include "path/zeroed_array.h"

// One search node: a cell, the way it was reached and its keys.
struct Node {
  Node* parent = nullptr;  // null for the start
  int32_t x = 0;
  int32_t y = 0;
  float f = 0;           // sort key of the open list
  float g = 0;           // cost of the best known way from the start
  Node* next = nullptr;  // next node in the same bucket of the closed set
};

// A pool of nodes made once per map and used as a stack: the node taken back last is the
// next one handed out. A search allocates nothing.
class NodeFactory {
 public:
  // Drops any earlier pool (every node handed out from it becomes invalid) and makes room for
  // n nodes; false, with an empty pool, when the memory cannot be had.
  bool allocate(int64_t n);
  // The next free node, or null when all are handed out.
  Node* fetch();
  // Takes a node back; false (and nothing changes) when every node is already free.
  bool release(Node* node);
  // Takes back every node handed out, as releasing each of them would; the caller must hold
  // no node of the pool any more.
  void releaseAll() {
    returned_ = 0;
    fresh_ = 0;
  }
  int64_t capacity() const { return count_; }
  int64_t inUse() const { return fresh_ - returned_; }
  // The array every node of this pool lies in (null when empty).
  Node* storage() const { return storage_.get(); }

 private:
  int64_t count_ = 0;
  // Nodes are constructed when first handed out, so a large pool costs only what is used.
  ZeroedArray<Node> storage_;
  ZeroedArray<Node*> stack_;  // nodes taken back, the last on top
  int64_t returned_ = 0;      // nodes on the stack
  int64_t fresh_ = 0;         // storage_[fresh_..] has never been handed out
};

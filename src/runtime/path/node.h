// Search nodes of the path planner and the pool they come from.
#pragma once

#include <cstdint>
#include <memory>

// One search node: a cell, the way it was reached and its keys.
struct Node {
  Node* parent = nullptr;  // null for the start
  int32_t x = 0;
  int32_t y = 0;
  float f = 0;           // sort key of the open list
  float g = 0;           // cost of the best known way from the start
  Node* next = nullptr;  // next node in the same bucket of the closed set
};

// A pool of nodes made once per map, handed out and taken back as a stack, so a search
// allocates nothing.
class NodeFactory {
 public:
  // Drops any earlier pool (every node handed out from it becomes invalid) and makes n nodes;
  // false, with an empty pool, when the memory cannot be had.
  bool allocate(int64_t n);
  // The next free node, or null when all are handed out.
  Node* fetch();
  // Takes a node back; false (and nothing changes) when every node is already free.
  bool release(Node* node);
  int64_t capacity() const { return count_; }
  int64_t inUse() const { return next_; }

 private:
  int64_t count_ = 0;
  std::unique_ptr<Node[]> storage_;
  std::unique_ptr<Node*[]> nodes_;
  int64_t next_ = 0;  // index of the next free node in nodes_
};

// The open list kept as one array sorted by falling f from the front to the back: the node
// to expand next is at the back, a cell is found by walking the array. Every insertion and
// lookup is linear in the list's length; it is the reference the indexed list must match.
#pragma once

#include <cstdint>

#include "path/fixed_deque.h"
#include "path/node.h"

class SortedOpenList {
 public:
  // Empties the list and makes room for capacity nodes; false when the memory cannot be had.
  bool allocate(int64_t capacity);
  // Places the node in front of every node of equal f, so that among equal f the node
  // inserted first is taken first. False when the list is full.
  bool insert(Node* node);
  // Appends without looking at f (the start node of a search).
  bool pushBack(Node* node) { return nodes_.pushBack(node); }
  // The node with the smallest f (the oldest of equal f), left in place; null when empty.
  Node* best() const { return nodes_.isEmpty() ? nullptr : nodes_[nodes_.size() - 1]; }
  // Removes and returns the node with the smallest f; null when empty.
  Node* popBest();
  // The open node of the cell, or null.
  Node* find(int32_t x, int32_t y);
  // Takes an open node out of the list.
  void remove(Node* node);
  // Takes an open node whose f has changed out of the list and inserts it again.
  void reinsert(Node* node) {
    remove(node);
    insert(node);
  }
  int64_t size() const { return nodes_.size(); }
  bool isEmpty() const { return nodes_.isEmpty(); }
  void clear() { nodes_.clear(); }
  // Calls fn(node) from the front to the back.
  template <typename Fn>
  void forEach(Fn fn) const {
    for (int64_t i = 0; i < nodes_.size(); ++i) fn(nodes_[i]);
  }

 private:
  FixedDeque<Node*> nodes_;
  int64_t found_ = -1;  // position of the node the last find() gave
};

// The open list as a binary heap ordered by (f, insertion number), with the heap position
// of every cell's node kept in a table over the map. It takes nodes in exactly the order of
// the sorted list (smallest f first; among equal f the node inserted first) while insertion,
// removal and taking the best are logarithmic and finding a cell is constant.
#pragma once

#include <cstdint>
#include <memory>

#include "path/node.h"

class IndexedOpenList {
 public:
  // Empties the list and makes room for capacity nodes on a width x height map; false when
  // the memory cannot be had.
  bool allocate(int64_t capacity, int32_t width, int32_t height);
  // Adds a node that is not in the list; it gets the next insertion number. False when full.
  bool insert(Node* node);
  bool pushBack(Node* node) { return insert(node); }
  // The node with the smallest (f, insertion number), left in place; null when empty.
  Node* best() const { return size_ == 0 ? nullptr : heap_[0].node; }
  // Removes and returns the node with the smallest (f, insertion number); null when empty.
  Node* popBest();
  // The open node of the cell, or null. The cell must lie on the map.
  Node* find(int32_t x, int32_t y) const {
    int32_t at = position_[Cell(x, y)];
    return at < 0 ? nullptr : heap_[at].node;
  }
  bool contains(int64_t cell) const { return position_[cell] >= 0; }
  // Takes an open node out of the list; nothing when it is not in it.
  void remove(Node* node);
  int64_t size() const { return size_; }
  bool isEmpty() const { return size_ == 0; }
  void clear();
  // Calls fn(node) for every open node, in heap order.
  template <typename Fn>
  void forEach(Fn fn) const {
    for (int64_t i = 0; i < size_; ++i) fn(heap_[i].node);
  }
  int64_t Cell(int32_t x, int32_t y) const { return static_cast<int64_t>(y) * width_ + x; }

 private:
  struct Entry {
    float f;
    uint64_t order;
    Node* node;
  };
  static bool Before(const Entry& a, const Entry& b) {
    return a.f < b.f || (!(b.f < a.f) && a.order < b.order);
  }
  void Place(int64_t at, const Entry& entry) {
    heap_[at] = entry;
    position_[Cell(entry.node->x, entry.node->y)] = static_cast<int32_t>(at);
  }
  void SiftUp(int64_t at, Entry entry);
  void SiftDown(int64_t at, Entry entry);

  std::unique_ptr<Entry[]> heap_;
  std::unique_ptr<int32_t[]> position_;  // heap index of each cell's open node, or -1
  int64_t capacity_ = 0;
  int64_t size_ = 0;
  int32_t width_ = 0;
  uint64_t nextOrder_ = 0;
};

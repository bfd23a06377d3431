// The open list as a four-way heap ordered by (f, insertion number), with a slot for every cell
// of the map that holds the cell's node and its place in the heap. It takes nodes in exactly
// the order of the sorted list (smallest f first; among equal f the node inserted first),
// while insertion, removal and taking the best are logarithmic and finding a cell constant.
// The slot keeps its node after the node leaves the list, so the planner can tell a closed
// cell from one never reached without searching the closed set.
#pragma once

#include <bit>
#include <cstdint>

#include "path/node.h"
#include "path/zeroed_array.h"

class IndexedOpenList {
 public:
  // Empties the list and makes room for capacity nodes on a width x height map, all of them
  // from the array `nodes` (a node pool's storage); false when the memory cannot be had.
  bool allocate(int64_t capacity, int32_t width, int32_t height, Node* nodes);
  // Adds a node that is not in the list (it gets the next insertion number) and makes it the
  // node of its cell. False when full.
  bool insert(Node* node);
  bool pushBack(Node* node) { return insert(node); }
  // The node with the smallest (f, insertion number), left in place; null when empty.
  Node* best() {
    SettleRoot();
    return size_ == 0 ? nullptr : NodeOf(slots_[heap_[0].cell]);
  }
  // Removes and returns the node with the smallest (f, insertion number); null when empty.
  Node* popBest();
  // The open node of the cell, or null. The cell must lie on the map.
  Node* find(int32_t x, int32_t y) const {
    const Slot& slot = slots_[Cell(x, y)];
    return slot.at == 0 ? nullptr : NodeOf(slot);
  }
  bool contains(int64_t cell) const { return slots_[cell].at != 0; }
  // The node last inserted for the cell, open or not, until forget or clear; null if none.
  Node* known(int64_t cell) const { return NodeOf(slots_[cell]); }
  // Takes an open node out of the list; nothing when it is not in it. Its cell keeps it.
  void remove(Node* node);
  // Gives an open node its new f and the next insertion number, as taking it out and
  // inserting it again would, without the two trips through the heap.
  void reinsert(Node* node);
  // Makes the cell of a node that is not open unknown again.
  void forget(const Node* node) { slots_[Cell(node->x, node->y)].node = 0; }
  // Makes every cell unknown again; the list must be empty.
  void forgetAll();
  int64_t size() const { return size_; }
  bool isEmpty() const { return size_ == 0; }
  // Empties the list and forgets the cells of the nodes that were in it.
  void clear();
  // Numbers the open nodes afresh from 0 in their present order. Done by itself before the
  // insertion numbers run out; the order in which nodes are taken does not change.
  void renumber();
  // Calls fn(node) for every open node, in heap order.
  template <typename Fn>
  void forEach(Fn fn) const {
    for (int64_t i = 0; i < size_; ++i) fn(NodeOf(slots_[heap_[i].cell]));
  }
  int64_t Cell(int32_t x, int32_t y) const { return static_cast<int64_t>(y) * width_ + x; }

 private:
  // Eight bytes a cell: the table is cleared for every map, so its size counts.
  struct Slot {
    uint32_t node;  // 1 + the node's index in the pool; 0 for none
    uint32_t at;    // 1 + heap index while the node is open; 0 otherwise
  };
  // The key holds f in its high half and the insertion number in its low half, so one
  // comparison orders by both. f is never negative, and non-negative floats order as their
  // bit patterns do.
  struct Entry {
    uint64_t key;
    uint32_t cell;
    uint32_t unused;
  };
  static uint64_t Key(float f, uint32_t order) {
    const uint32_t bits = f > 0 ? std::bit_cast<uint32_t>(f) : 0;
    return (static_cast<uint64_t>(bits) << 32) | order;
  }
  Node* NodeOf(const Slot& slot) const { return slot.node == 0 ? nullptr : &nodes_[slot.node - 1]; }
  uint32_t NextOrder();
  void Place(int64_t at, const Entry& entry) {
    heap_[at] = entry;
    slots_[entry.cell].at = static_cast<uint32_t>(at + 1);
  }
  // The children of i are kWays * i + 1 .. kWays * i + kWays; with 16-byte entries and the
  // storage aligned, each family fills one cache line.
  static constexpr int64_t kWays = 4;
  // Taking the best leaves the last entry at the root unsifted: a search nearly always
  // inserts next, and a new key smaller than that entry's then takes the root while the
  // entry goes back to the end, which spares both a full sift down and a full sift up. Every
  // other change settles the root first.
  void SettleRoot() {
    if (!rootUnsettled_) return;
    rootUnsettled_ = false;
    SiftDown(0, heap_[0]);
  }
  void SiftUp(int64_t at, Entry entry);
  void SiftDown(int64_t at, Entry entry);
  void Resettle(int64_t at, Entry entry);

  ZeroedArray<Entry> storage_;
  Entry* heap_ = nullptr;  // storage_ shifted so that the families line up
  ZeroedArray<Slot> slots_;
  Node* nodes_ = nullptr;
  int64_t capacity_ = 0;
  int64_t size_ = 0;
  int32_t width_ = 0;
  int64_t cells_ = 0;
  uint32_t nextOrder_ = 0;
  bool rootUnsettled_ = false;
};

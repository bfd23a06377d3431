#include "path/indexed_open_list.h"

#include <new>

bool IndexedOpenList::allocate(int64_t capacity, int32_t width, int32_t height) {
  heap_.reset();
  position_.reset();
  capacity_ = 0;
  size_ = 0;
  nextOrder_ = 0;
  width_ = width;
  int64_t cells = static_cast<int64_t>(width) * height;
  // Heap positions are kept in 32 bits.
  if (capacity < 0 || cells < 0 || capacity > INT32_MAX) return false;
  heap_.reset(new (std::nothrow) Entry[static_cast<size_t>(capacity)]);
  position_.reset(new (std::nothrow) int32_t[static_cast<size_t>(cells)]);
  if (!heap_ || !position_) {
    heap_.reset();
    position_.reset();
    return false;
  }
  for (int64_t i = 0; i < cells; ++i) position_[i] = -1;
  capacity_ = capacity;
  return true;
}

bool IndexedOpenList::insert(Node* node) {
  if (size_ == capacity_) return false;
  SiftUp(size_++, Entry{node->f, nextOrder_++, node});
  return true;
}

Node* IndexedOpenList::popBest() {
  if (size_ == 0) return nullptr;
  Node* best = heap_[0].node;
  position_[Cell(best->x, best->y)] = -1;
  if (--size_ > 0) SiftDown(0, heap_[size_]);
  return best;
}

void IndexedOpenList::remove(Node* node) {
  int64_t cell = Cell(node->x, node->y);
  int64_t at = position_[cell];
  if (at < 0 || heap_[at].node != node) return;
  position_[cell] = -1;
  if (--size_ == at) return;
  Entry last = heap_[size_];
  if (at > 0 && Before(last, heap_[(at - 1) / 2])) {
    SiftUp(at, last);
  } else {
    SiftDown(at, last);
  }
}

void IndexedOpenList::clear() {
  for (int64_t i = 0; i < size_; ++i) position_[Cell(heap_[i].node->x, heap_[i].node->y)] = -1;
  size_ = 0;
  nextOrder_ = 0;
}

void IndexedOpenList::SiftUp(int64_t at, Entry entry) {
  while (at > 0) {
    int64_t parent = (at - 1) / 2;
    if (!Before(entry, heap_[parent])) break;
    Place(at, heap_[parent]);
    at = parent;
  }
  Place(at, entry);
}

void IndexedOpenList::SiftDown(int64_t at, Entry entry) {
  for (;;) {
    int64_t child = 2 * at + 1;
    if (child >= size_) break;
    if (child + 1 < size_ && Before(heap_[child + 1], heap_[child])) ++child;
    if (!Before(heap_[child], entry)) break;
    Place(at, heap_[child]);
    at = child;
  }
  Place(at, entry);
}

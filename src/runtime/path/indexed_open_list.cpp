#include "path/indexed_open_list.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr size_t kLine = 64;

}  // namespace

bool IndexedOpenList::allocate(int64_t capacity, int32_t width, int32_t height, Node* nodes) {
  storage_.reset();
  heap_ = nullptr;
  slots_.reset();
  capacity_ = 0;
  size_ = 0;
  nextOrder_ = 0;
  rootUnsettled_ = false;
  width_ = width;
  nodes_ = nodes;
  const int64_t cells = static_cast<int64_t>(width) * height;
  cells_ = 0;
  // Cells, heap places and node numbers are kept in 32 bits.
  if (capacity < 0 || cells < 0 || cells >= UINT32_MAX || capacity >= UINT32_MAX) return false;
  // Room for the capacity plus the shift, rounded up to whole lines.
  const size_t bytes =
      (static_cast<size_t>(capacity + kWays) * sizeof(Entry) + kLine - 1) / kLine * kLine;
  storage_.reset(static_cast<Entry*>(std::aligned_alloc(kLine, bytes)));
  slots_ = MakeZeroed<Slot>(static_cast<size_t>(cells));
  if (!storage_ || !slots_) {
    storage_.reset();
    slots_.reset();
    return false;
  }
  heap_ = storage_.get() + (kWays - 1);  // entry 1, the first family, starts a line
  capacity_ = capacity;
  cells_ = cells;
  return true;
}

uint32_t IndexedOpenList::NextOrder() {
  if (nextOrder_ == UINT32_MAX) renumber();
  return nextOrder_++;
}

bool IndexedOpenList::insert(Node* node) {
  if (size_ == capacity_) return false;
  const int64_t cell = Cell(node->x, node->y);
  slots_[cell].node = static_cast<uint32_t>(node - nodes_ + 1);
  const Entry entry{Key(node->f, NextOrder()), static_cast<uint32_t>(cell), 0};
  if (rootUnsettled_) {
    rootUnsettled_ = false;
    const Entry root = heap_[0];
    if (entry.key < root.key) {
      // Nothing has moved since the root was taken, so the old last entry goes back to the
      // place it came from, under the same parent.
      Place(size_++, root);
      SiftDown(0, entry);
      return true;
    }
    SiftDown(0, root);
  }
  SiftUp(size_++, entry);
  return true;
}

Node* IndexedOpenList::popBest() {
  SettleRoot();
  if (size_ == 0) return nullptr;
  Slot& slot = slots_[heap_[0].cell];
  slot.at = 0;
  if (--size_ > 0) {
    Place(0, heap_[size_]);
    rootUnsettled_ = true;
  }
  return NodeOf(slot);
}

void IndexedOpenList::remove(Node* node) {
  SettleRoot();
  Slot& slot = slots_[Cell(node->x, node->y)];
  if (slot.at == 0 || NodeOf(slot) != node) return;
  const int64_t at = slot.at - 1;
  slot.at = 0;
  if (--size_ == at) return;
  Resettle(at, heap_[size_]);
}

void IndexedOpenList::reinsert(Node* node) {
  SettleRoot();
  const Slot& slot = slots_[Cell(node->x, node->y)];
  if (slot.at == 0 || NodeOf(slot) != node) return;
  const uint32_t order = NextOrder();  // may renumber, which moves entries: read `at` after
  const int64_t at = slot.at - 1;
  Resettle(at, Entry{Key(node->f, order), heap_[at].cell, 0});
}

void IndexedOpenList::clear() {
  for (int64_t i = 0; i < size_; ++i) slots_[heap_[i].cell] = Slot{0, 0};
  size_ = 0;
  nextOrder_ = 0;
  rootUnsettled_ = false;
}

void IndexedOpenList::forgetAll() {
  if (slots_) std::fill_n(slots_.get(), cells_, Slot{0, 0});
}

void IndexedOpenList::renumber() {
  // An array sorted by key is a heap; numbering it in that order keeps every comparison
  // between open nodes as it was, and later insertions come after all of them.
  std::sort(heap_, heap_ + size_, [](const Entry& a, const Entry& b) { return a.key < b.key; });
  for (int64_t i = 0; i < size_; ++i) {
    Place(i, Entry{(heap_[i].key & ~uint64_t{0xffffffff}) | static_cast<uint32_t>(i), heap_[i].cell,
                   0});
  }
  nextOrder_ = static_cast<uint32_t>(size_);
  rootUnsettled_ = false;  // a sorted array is a heap
}

// Puts an entry into the hole at `at`, moving it up or down as its key requires.
void IndexedOpenList::Resettle(int64_t at, Entry entry) {
  if (at > 0 && entry.key < heap_[(at - 1) / kWays].key) {
    SiftUp(at, entry);
  } else {
    SiftDown(at, entry);
  }
}

void IndexedOpenList::SiftUp(int64_t at, Entry entry) {
  while (at > 0) {
    const int64_t parent = (at - 1) / kWays;
    if (!(entry.key < heap_[parent].key)) break;
    Place(at, heap_[parent]);
    at = parent;
  }
  Place(at, entry);
}

void IndexedOpenList::SiftDown(int64_t at, Entry entry) {
  for (;;) {
    const int64_t first = kWays * at + 1;
    if (first >= size_) break;
    const int64_t last = std::min(first + kWays, size_);
    int64_t child = first;
    uint64_t least = heap_[first].key;
    for (int64_t c = first + 1; c < last; ++c) {
      const uint64_t key = heap_[c].key;
      child = key < least ? c : child;
      least = key < least ? key : least;
    }
    if (!(least < entry.key)) break;
    Place(at, heap_[child]);
    at = child;
  }
  Place(at, entry);
}

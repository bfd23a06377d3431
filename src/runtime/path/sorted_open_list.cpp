#include "path/sorted_open_list.h"

bool SortedOpenList::allocate(int64_t capacity) {
  found_ = -1;
  return nodes_.allocate(capacity);
}

bool SortedOpenList::insert(Node* node) {
  int64_t lo = 0;
  int64_t hi = nodes_.size();
  while (lo < hi) {
    int64_t mid = (lo + hi) / 2;
    if (node->f < nodes_[mid]->f) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  found_ = -1;
  return nodes_.insert(lo, node);
}

Node* SortedOpenList::popBest() {
  if (nodes_.isEmpty()) return nullptr;
  Node* node = nodes_.back();
  nodes_.popBack();
  found_ = -1;
  return node;
}

Node* SortedOpenList::find(int32_t x, int32_t y) {
  for (int64_t i = nodes_.size() - 1; i >= 0; --i) {
    Node* node = nodes_[i];
    if (node->x == x && node->y == y) {
      found_ = i;
      return node;
    }
  }
  found_ = -1;
  return nullptr;
}

void SortedOpenList::remove(Node* node) {
  if (found_ < 0 || found_ >= nodes_.size() || nodes_[found_] != node) {
    find(node->x, node->y);
    if (found_ < 0 || nodes_[found_] != node) return;
  }
  nodes_.remove(found_);
  found_ = -1;
}

#include "path/node.h"

#include <new>

bool NodeFactory::allocate(int64_t n) {
  nodes_.reset();
  storage_.reset();
  count_ = 0;
  next_ = 0;
  if (n <= 0) return n == 0;
  storage_.reset(new (std::nothrow) Node[static_cast<size_t>(n)]);
  nodes_.reset(new (std::nothrow) Node*[static_cast<size_t>(n)]);
  if (!storage_ || !nodes_) {
    nodes_.reset();
    storage_.reset();
    return false;
  }
  for (int64_t i = 0; i < n; ++i) nodes_[i] = &storage_[i];
  count_ = n;
  return true;
}

Node* NodeFactory::fetch() {
  if (next_ >= count_) return nullptr;
  return nodes_[next_++];
}

bool NodeFactory::release(Node* node) {
  // Stepping below the first slot would write in front of the array.
  if (next_ == 0 || node == nullptr) return false;
  nodes_[--next_] = node;
  return true;
}

#include "path/node.h"

#include <new>

bool NodeFactory::allocate(int64_t n) {
  stack_.reset();
  storage_.reset();
  count_ = 0;
  returned_ = 0;
  fresh_ = 0;
  if (n <= 0) return n == 0;
  storage_ = MakeUninitialised<Node>(static_cast<size_t>(n));
  stack_ = MakeUninitialised<Node*>(static_cast<size_t>(n));
  if (!storage_ || !stack_) {
    stack_.reset();
    storage_.reset();
    return false;
  }
  count_ = n;
  return true;
}

Node* NodeFactory::fetch() {
  if (returned_ > 0) return stack_[--returned_];
  if (fresh_ >= count_) return nullptr;
  return new (&storage_[fresh_++]) Node();
}

bool NodeFactory::release(Node* node) {
  // More nodes than are out would overflow the stack.
  if (inUse() == 0 || node == nullptr) return false;
  stack_[returned_++] = node;
  return true;
}

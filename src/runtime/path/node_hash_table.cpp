#include "path/node_hash_table.h"

#include <algorithm>

bool NodeHashTable::create(int32_t b) {
  if (b > 24) b = 24;
  if (b < 0) b = 0;
  b &= ~1;
  buckets_ = MakeZeroed<Node*>(size_t{1} << b);
  count_ = 0;
  bits_ = buckets_ ? b : 0;
  half_ = static_cast<uint32_t>(bits_ / 2);
  mask_ = (1u << half_) - 1;
  return buckets_ != nullptr;
}

void NodeHashTable::add(Node* node) {
  if (!buckets_) return;
  Node*& head = buckets_[hash(node->x, node->y)];
  node->next = head;
  head = node;
  ++count_;
}

void NodeHashTable::releaseAll(NodeFactory& factory) {
  if (!buckets_) return;
  for (uint32_t b = 0; b < (1u << bits_); ++b) {
    Node* node = buckets_[b];
    while (node != nullptr) {
      Node* next = node->next;
      node->next = nullptr;
      factory.release(node);
      node = next;
    }
    buckets_[b] = nullptr;
  }
  count_ = 0;
}

void NodeHashTable::clear() {
  if (buckets_) std::fill_n(buckets_.get(), size_t{1} << bits_, nullptr);
  count_ = 0;
}

Node* NodeHashIterator::find(int32_t x, int32_t y) {
  link_ = nullptr;
  if (!table_.buckets_) return nullptr;
  Node** link = &table_.buckets_[table_.hash(x, y)];
  for (; *link != nullptr; link = &(*link)->next) {
    if ((*link)->x == x && (*link)->y == y) {
      link_ = link;
      return *link;
    }
  }
  return nullptr;
}

Node* NodeHashIterator::remove() {
  if (link_ == nullptr) return nullptr;
  Node* node = *link_;
  *link_ = node->next;
  node->next = nullptr;
  link_ = nullptr;
  --table_.count_;
  return node;
}

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <set>
#include <utility>

#include "path/fixed_deque.h"
#include "path/node.h"
#include "path/node_hash_table.h"

namespace {

// Random insertions and removals at every position, wrapping around the ring many times,
// must keep the same elements in the same order as a plain deque.
TEST(FixedDeque, MatchesAPlainDequeUnderRandomEdits) {
  std::mt19937 random(7);
  for (int capacity : {1, 2, 5, 16}) {
    FixedDeque<int> ring;
    ASSERT_TRUE(ring.allocate(capacity));
    std::deque<int> model;
    for (int step = 0; step < 4000; ++step) {
      int size = static_cast<int>(model.size());
      if (random() % 2 == 0) {
        int at = static_cast<int>(random() % (size + 1));
        bool stored = ring.insert(at, step);
        ASSERT_EQ(stored, size < capacity) << "capacity " << capacity << " step " << step;
        if (stored) model.insert(model.begin() + at, step);
      } else {
        int at = size == 0 ? 0 : static_cast<int>(random() % size);
        ASSERT_EQ(ring.remove(at), size > 0);
        if (size > 0) model.erase(model.begin() + at);
      }
      ASSERT_EQ(ring.size(), static_cast<int64_t>(model.size()));
      ASSERT_EQ(ring.isEmpty(), model.empty());
      for (int i = 0; i < static_cast<int>(model.size()); ++i) ASSERT_EQ(ring[i], model[i]);
      if (!model.empty()) {
        ASSERT_EQ(ring.back(), model.back());
      }
    }
  }
}

TEST(FixedDeque, RefusesOutsidePositionsAndWorksWithoutRoom) {
  FixedDeque<int> ring;
  ASSERT_TRUE(ring.allocate(3));
  EXPECT_FALSE(ring.insert(1, 5));  // past the end of an empty ring
  EXPECT_FALSE(ring.insert(-1, 5));
  EXPECT_FALSE(ring.remove(0));
  EXPECT_FALSE(ring.popBack());
  EXPECT_TRUE(ring.pushBack(1));
  EXPECT_TRUE(ring.pushBack(2));
  EXPECT_TRUE(ring.pushBack(3));
  EXPECT_TRUE(ring.isFull());
  EXPECT_FALSE(ring.pushBack(4));
  EXPECT_EQ(ring.size(), 3);
  ring.clear();
  EXPECT_TRUE(ring.isEmpty());

  FixedDeque<int> none;
  ASSERT_TRUE(none.allocate(0));
  EXPECT_FALSE(none.pushBack(1));
  EXPECT_EQ(none.size(), 0);
}

TEST(NodeFactory, HandsOutEveryNodeOnceAndTheHashTableCutsItsBits) {
  NodeFactory pool;
  ASSERT_TRUE(pool.allocate(3));
  std::set<Node*> seen;
  Node* last = nullptr;
  for (int i = 0; i < 3; ++i) {
    last = pool.fetch();
    ASSERT_NE(last, nullptr);
    seen.insert(last);
  }
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_EQ(pool.fetch(), nullptr);
  EXPECT_TRUE(pool.release(last));
  EXPECT_EQ(pool.fetch(), last);
  // Taking back more than was handed out must not write in front of the pool.
  ASSERT_TRUE(pool.allocate(2));
  Node stray;
  EXPECT_FALSE(pool.release(&stray));
  EXPECT_EQ(pool.inUse(), 0);
  EXPECT_FALSE(pool.allocate(-1));
  EXPECT_EQ(pool.fetch(), nullptr);

  // The hash table's bits are cut to twenty-four and made even.
  NodeHashTable table;
  ASSERT_TRUE(table.create(16));
  EXPECT_EQ(table.bits(), 16);
  EXPECT_EQ(table.hash(0x1234, 0x56), 0x5634u);
  EXPECT_EQ(table.hash(0x301, 0x2ff), 0xff01u);  // only the low 8 bits of each
  ASSERT_TRUE(table.create(7));
  EXPECT_EQ(table.bits(), 6);
  EXPECT_EQ(table.hash(13, 6), 0x35u);
  ASSERT_TRUE(table.create(31));
  EXPECT_EQ(table.bits(), 24);
  ASSERT_TRUE(table.create(-3));
  EXPECT_EQ(table.bits(), 0);
  EXPECT_EQ(table.hash(5, 7), 0u);
}

// Cells that share a bucket chain: finding and unlinking the head, the middle and the tail
// must leave the rest findable, and releaseAll must give every node back to the pool.
TEST(NodeHashTable, FindsAndUnlinksAnywhereInAChain) {
  NodeFactory pool;
  ASSERT_TRUE(pool.allocate(8));
  NodeHashTable table;
  ASSERT_TRUE(table.create(2));  // 4 buckets: cells collide whenever x and y agree mod 2
  std::vector<std::pair<int, int>> cells = {{0, 0}, {2, 0}, {4, 2}, {6, 6}, {1, 0}};
  for (auto [x, y] : cells) {
    Node* node = pool.fetch();
    node->x = x;
    node->y = y;
    table.add(node);
  }
  EXPECT_EQ(table.size(), 5);
  NodeHashIterator it(table);
  for (auto [x, y] : {std::pair{2, 0}, std::pair{6, 6}, std::pair{0, 0}}) {
    Node* found = it.find(x, y);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(it.remove(), found);
    EXPECT_EQ(it.find(x, y), nullptr);
    EXPECT_EQ(it.remove(), nullptr);
    pool.release(found);
  }
  EXPECT_EQ(table.size(), 2);
  EXPECT_NE(it.find(4, 2), nullptr);
  EXPECT_NE(it.find(1, 0), nullptr);
  EXPECT_EQ(it.find(3, 0), nullptr);
  table.releaseAll(pool);
  EXPECT_EQ(table.size(), 0);
  EXPECT_EQ(pool.inUse(), 0);
  EXPECT_EQ(it.find(4, 2), nullptr);
}

}  // namespace

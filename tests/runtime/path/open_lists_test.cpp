#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "path/indexed_open_list.h"
#include "path/node.h"
#include "path/sorted_open_list.h"

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 16;

// One list of each kind over the same cells, so every operation can be applied to both.
struct TwoLists {
  TwoLists() {
    sortedNodes.resize(kWidth * kHeight);
    indexedNodes.resize(kWidth * kHeight);
    for (int i = 0; i < kWidth * kHeight; ++i) {
      for (auto* nodes : {&sortedNodes, &indexedNodes}) {
        (*nodes)[i].x = i % kWidth;
        (*nodes)[i].y = i / kWidth;
      }
    }
    EXPECT_TRUE(sorted.allocate(kWidth * kHeight));
    EXPECT_TRUE(indexed.allocate(kWidth * kHeight, kWidth, kHeight, indexedNodes.data()));
  }
  SortedOpenList sorted;
  IndexedOpenList indexed;
  std::vector<Node> sortedNodes;
  std::vector<Node> indexedNodes;
};

// The indexed list must take nodes in exactly the order of the sorted one: smallest f first,
// among equal f the node inserted first, a node inserted again counting as new. A handful of
// f values makes ties the rule rather than the exception.
TEST(OpenLists, IndexedListTakesNodesInTheSortedListsOrder) {
  std::mt19937 random(11);
  for (int round = 0; round < 40; ++round) {
    TwoLists lists;
    std::vector<bool> open(kWidth * kHeight, false);
    int pops = 0;
    for (int step = 0; step < 3000; ++step) {
      int cell = static_cast<int>(random() % (kWidth * kHeight));
      int action = static_cast<int>(random() % 4);
      Node& s = lists.sortedNodes[cell];
      Node& i = lists.indexedNodes[cell];
      if (action <= 1 && !open[cell]) {
        s.f = i.f = static_cast<float>(random() % 5) * 0.25f;
        ASSERT_TRUE(lists.sorted.insert(&s));
        ASSERT_TRUE(lists.indexed.insert(&i));
        open[cell] = true;
      } else if (action <= 1) {
        // Found, given a new key and inserted again, as a better way is handled.
        ASSERT_EQ(lists.sorted.find(s.x, s.y), &s);
        ASSERT_EQ(lists.indexed.find(i.x, i.y), &i);
        s.f = i.f = static_cast<float>(random() % 5) * 0.25f;
        if (step % 2 == 0) {
          lists.sorted.remove(&s);
          lists.sorted.insert(&s);
        } else {
          lists.sorted.reinsert(&s);
        }
        if (step % 3 == 0) {
          lists.indexed.remove(&i);
          lists.indexed.insert(&i);
        } else {
          lists.indexed.reinsert(&i);
        }
      } else if (action == 2) {
        Node* a = lists.sorted.popBest();
        Node* b = lists.indexed.popBest();
        ASSERT_EQ(a == nullptr, b == nullptr);
        if (a == nullptr) continue;
        ASSERT_EQ(a->x, b->x) << "round " << round << " step " << step;
        ASSERT_EQ(a->y, b->y) << "round " << round << " step " << step;
        open[a->y * kWidth + a->x] = false;
        ++pops;
      } else {
        ASSERT_EQ(lists.sorted.find(s.x, s.y) != nullptr, open[cell]);
        ASSERT_EQ(lists.indexed.find(i.x, i.y) != nullptr, open[cell]);
        // Fresh insertion numbers, as when the numbers run out, must not change the order.
        if (step % 7 == 0) lists.indexed.renumber();
      }
      ASSERT_EQ(lists.sorted.size(), lists.indexed.size());
    }
    EXPECT_GT(pops, 100);
  }
}

TEST(OpenLists, SortedListKeepsFallingFAndTakesTheOldestOfEqualF) {
  TwoLists lists;
  std::vector<Node>& nodes = lists.sortedNodes;
  const float keys[] = {2, 1, 3, 1, 2, 1};
  for (int i = 0; i < 6; ++i) {
    nodes[i].f = keys[i];
    ASSERT_TRUE(lists.sorted.insert(&nodes[i]));
  }
  std::vector<int> frontToBack;
  lists.sorted.forEach([&](Node* node) { frontToBack.push_back(node->x); });
  // Falling f; within equal f the newest in front, so the oldest is taken first.
  EXPECT_EQ(frontToBack, (std::vector<int>{2, 4, 0, 5, 3, 1}));
  std::vector<int> taken;
  while (Node* node = lists.sorted.popBest()) taken.push_back(node->x);
  EXPECT_EQ(taken, (std::vector<int>{1, 3, 5, 0, 4, 2}));
}

TEST(OpenLists, FullListsRefuseAndClearForgetsEveryCell) {
  SortedOpenList sorted;
  IndexedOpenList indexed;
  ASSERT_TRUE(sorted.allocate(2));
  Node nodes[3];
  ASSERT_TRUE(indexed.allocate(2, 4, 1, nodes));
  for (int i = 0; i < 3; ++i) nodes[i].x = i;
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(sorted.insert(&nodes[i]));
    EXPECT_TRUE(indexed.insert(&nodes[i]));
  }
  EXPECT_FALSE(sorted.insert(&nodes[2]));
  EXPECT_FALSE(indexed.insert(&nodes[2]));
  EXPECT_EQ(indexed.find(2, 0), nullptr);
  indexed.clear();
  sorted.clear();
  EXPECT_EQ(indexed.find(0, 0), nullptr);
  EXPECT_EQ(indexed.find(1, 0), nullptr);
  EXPECT_EQ(sorted.find(1, 0), nullptr);
  EXPECT_EQ(indexed.popBest(), nullptr);
  EXPECT_EQ(sorted.popBest(), nullptr);
}

}  // namespace

#include "path/planner.h"

#include "path/cost_map.h"

namespace {

bool OnMap(int32_t x, int32_t y, int32_t width, int32_t height) {
  return x >= 0 && x < width && y >= 0 && y < height;
}

// Calls fn(node) for every node of the chosen open list.
template <typename Fn>
void ForEachOpen(OpenListKind kind, const SortedOpenList& sorted, const IndexedOpenList& indexed,
                 Fn fn) {
  if (kind == OpenListKind::kSorted) {
    sorted.forEach(fn);
  } else {
    indexed.forEach(fn);
  }
}

}  // namespace

bool Planner::createMap(const Description& description) {
  const Description& d = description;
  if (d.map == nullptr || !OnMap(d.startX, d.startY, d.width, d.height) ||
      !OnMap(d.goalX, d.goalY, d.width, d.height) || (d.startX == d.goalX && d.startY == d.goalY)) {
    return false;
  }
  // Every node of an earlier search lives in the pool that is about to be replaced.
  if (isLoaded()) ReleaseNodes();
  goal_ = nullptr;
  outOfMemory_ = false;
  if (!LoadCosts(d) || !MakeLists(d)) {
    costs_.reset();
    pool_.allocate(0);
    sortedOpen_.allocate(0);
    indexedOpen_.allocate(0, 0, 0, nullptr);
    closed_.create(0);
    width_ = 0;
    height_ = 0;
    outOfMemory_ = true;
    return false;
  }
  description_ = d;
  if (!(description_.weight >= 0)) description_.weight = 0;  // NaN included
  if (description_.weight > 1) description_.weight = 1;
  runs_ = 0;
  runningTime_ = 0;
  done_ = true;
  return true;
}

bool Planner::LoadCosts(const Description& d) {
  const int64_t cells = static_cast<int64_t>(d.width) * d.height;
  costs_ = MakeUninitialised<float>(static_cast<size_t>(cells));
  if (!costs_) return false;
  width_ = d.width;
  height_ = d.height;
  LoadCostMap(d.map, cells, costs_.get());
  return true;
}

bool Planner::MakeLists(const Description& d) {
  const int64_t cells = static_cast<int64_t>(d.width) * d.height;
  const int64_t poolSize = d.poolSize > 0 ? d.poolSize : cells;
  const int64_t openCapacity = d.openCapacity > 0 ? d.openCapacity : cells;
  if (!pool_.allocate(poolSize) || !closed_.create(d.hashBits)) return false;
  if (kind_ == OpenListKind::kSorted) {
    indexedOpen_.allocate(0, 0, 0, nullptr);
    return sortedOpen_.allocate(openCapacity);
  }
  sortedOpen_.allocate(0);
  return indexedOpen_.allocate(openCapacity, d.width, d.height, pool_.storage());
}

void Planner::initialize() {
  if (!isLoaded()) return;
  ReleaseNodes();
  done_ = false;
  runs_ = 0;
  goal_ = nullptr;
}

void Planner::cleanup() {
  if (isLoaded()) ReleaseNodes();
  goal_ = nullptr;
  done_ = true;
}

void Planner::ReleaseNodes() {
  if (getOpenSize() + closed_.size() == pool_.inUse()) {
    // Every node handed out is open or closed (as after any search): the pool takes them all
    // back at once, instead of node by node along the closed set's chains.
    if (kind_ == OpenListKind::kSorted) {
      sortedOpen_.clear();
    } else {
      indexedOpen_.clear();
      // Clearing the whole cell table costs about what forgetting a sixteenth of the cells
      // one by one does (those are scattered over it).
      if (closed_.size() > static_cast<int64_t>(width_) * height_ / 16) {
        indexedOpen_.forgetAll();
      } else {
        closed_.forEach([this](const Node* node) { indexedOpen_.forget(node); });
      }
    }
    closed_.clear();
    pool_.releaseAll();
    return;
  }
  if (kind_ == OpenListKind::kSorted) {
    sortedOpen_.forEach([this](Node* node) { pool_.release(node); });
    sortedOpen_.clear();
  } else {
    indexedOpen_.forEach([this](Node* node) { pool_.release(node); });
    indexedOpen_.clear();
    closed_.forEach([this](const Node* node) { indexedOpen_.forget(node); });
  }
  closed_.releaseAll(pool_);
}

int64_t Planner::getPathSize() const {
  int64_t n = 0;
  // The parent links never loop; the bound only guards against a broken chain.
  for (const Node* node = goal_; node != nullptr && n <= pool_.capacity(); node = node->parent) {
    ++n;
  }
  return n;
}

int64_t Planner::getOpenSize() const {
  return kind_ == OpenListKind::kSorted ? sortedOpen_.size() : indexedOpen_.size();
}

int64_t Planner::fillPath(int32_t* out, int64_t capacity) const {
  int64_t n = getPathSize();
  if (n > capacity) return 0;
  int64_t i = n;
  for (const Node* node = goal_; node != nullptr && i > 0; node = node->parent) {
    --i;
    out[2 * i] = node->x;
    out[2 * i + 1] = node->y;
  }
  return n;
}

int64_t Planner::fillOpen(int32_t* out, int64_t capacity) const {
  int64_t n = 0;
  ForEachOpen(kind_, sortedOpen_, indexedOpen_, [&](const Node* node) {
    if (n >= capacity) return;
    out[2 * n] = node->x;
    out[2 * n + 1] = node->y;
    ++n;
  });
  return n;
}

int64_t Planner::fillClosed(int32_t* out, int64_t capacity) const {
  int64_t n = 0;
  closed_.forEach([&](const Node* node) {
    if (n >= capacity) return;
    out[2 * n] = node->x;
    out[2 * n + 1] = node->y;
    ++n;
  });
  return n;
}

#include "path/planner.h"

#include <cfloat>
#include <new>

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
    cellNodes_.reset();
    pool_.allocate(0);
    sortedOpen_.allocate(0, 0, 0);
    indexedOpen_.allocate(0, 0, 0);
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
  costs_.reset(new (std::nothrow) float[static_cast<size_t>(cells)]);
  if (!costs_) return false;
  width_ = d.width;
  height_ = d.height;
  float largest = 0;
  for (int64_t i = 0; i < cells; ++i) {
    double number = d.map[i];
    // A number too large for a float would not convert; it counts as the largest float.
    float v = number > FLT_MAX ? FLT_MAX : static_cast<float>(number);
    if (!(v > 0)) {  // zero, negative, NaN and numbers too small for a float
      costs_[i] = -1;
      continue;
    }
    costs_[i] = v;
    if (v > largest) largest = v;
  }
  if (largest > 0) {
    for (int64_t i = 0; i < cells; ++i) {
      if (costs_[i] > 0) costs_[i] /= largest;
    }
  }
  return true;
}

bool Planner::MakeLists(const Description& d) {
  const int64_t cells = static_cast<int64_t>(d.width) * d.height;
  const int64_t poolSize = d.poolSize > 0 ? d.poolSize : cells;
  const int64_t openCapacity = d.openCapacity > 0 ? d.openCapacity : cells;
  if (!pool_.allocate(poolSize) || !closed_.create(d.hashBits)) return false;
  if (kind_ == OpenListKind::kSorted) {
    cellNodes_.reset();
    indexedOpen_.allocate(0, 0, 0);
    return sortedOpen_.allocate(openCapacity, d.width, d.height);
  }
  sortedOpen_.allocate(0, 0, 0);
  cellNodes_.reset(new (std::nothrow) Node*[static_cast<size_t>(cells)]());
  return cellNodes_ != nullptr && indexedOpen_.allocate(openCapacity, d.width, d.height);
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
  auto release = [this](Node* node) {
    if (cellNodes_) cellNodes_[Cell(node->x, node->y)] = nullptr;
    pool_.release(node);
  };
  ForEachOpen(kind_, sortedOpen_, indexedOpen_, release);
  sortedOpen_.clear();
  indexedOpen_.clear();
  if (cellNodes_)
    closed_.forEach([this](Node* node) { cellNodes_[Cell(node->x, node->y)] = nullptr; });
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

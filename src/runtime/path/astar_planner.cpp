#include "path/astar_planner.h"

#include <chrono>
#include <cstdlib>
#include <type_traits>

namespace {

// The expansions between two looks at the stop check.
constexpr int32_t kStopCheckInterval = 10000;

struct Step {
  int32_t dx;
  int32_t dy;
  bool diagonal;
};
// The neighbours in the order they are looked at; the order decides ties.
constexpr Step kSteps[8] = {{-1, -1, true}, {0, -1, false}, {1, -1, true}, {1, 0, false},
                            {-1, 0, false}, {-1, 1, true},  {0, 1, false}, {1, 1, true}};

}  // namespace

float AStarPlanner::Key(float g, int32_t x, int32_t y) const {
  float h = static_cast<float>(std::abs(description_.goalX - x) + std::abs(description_.goalY - y));
  return g + description_.weight * (h - g);
}

void AStarPlanner::initialize() {
  Planner::initialize();
  expansions_ = 0;
  if (!isLoaded()) return;
  Node* start = pool_.fetch();
  if (start == nullptr) return;
  start->parent = nullptr;
  start->next = nullptr;
  start->x = description_.startX;
  start->y = description_.startY;
  start->g = 0;
  start->f = Key(0, start->x, start->y);
  if (kind_ == OpenListKind::kSorted) {
    sortedOpen_.pushBack(start);
  } else {
    indexedOpen_.pushBack(start);
  }
}

bool AStarPlanner::run() {
  if (!isLoaded()) return false;
  auto began = std::chrono::steady_clock::now();
  bool result = kind_ == OpenListKind::kSorted ? Search(sortedOpen_) : Search(indexedOpen_);
  runningTime_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  return result;
}

template <typename OpenList>
bool AStarPlanner::Search(OpenList& open) {
  constexpr bool kIndexed = std::is_same_v<OpenList, IndexedOpenList>;
  ++runs_;
  const float diagonalFactor = description_.diagonalCost ? 1.4142135f : 1.0f;
  const int stepCount = description_.diagonalMoves ? 8 : 4;
  StopRequested();  // a stop asked for before the search began does not count
  int32_t sinceStopCheck = 0;
  NodeHashIterator closedAt(closed_);
  for (;;) {
    Node* current = open.best();
    if (current == nullptr) {
      done_ = true;
      return true;
    }
    const int32_t x = current->x;
    const int32_t y = current->y;
    if (x == description_.goalX && y == description_.goalY) {
      open.popBest();
      closed_.add(current);
      goal_ = current;
      done_ = true;
      return true;
    }
    if (sinceStopCheck++ > kStopCheckInterval) {
      sinceStopCheck = 0;
      // The node stays first in the open list, so the next run expands it: closing it here
      // would cut the search off from whatever lies beyond it.
      if (StopRequested()) {
        done_ = false;
        return false;
      }
    }
    open.popBest();
    ++expansions_;
    for (int s = 0; s < 8; ++s) {
      const Step& step = kSteps[s];
      if (step.diagonal && stepCount == 4) continue;
      const int32_t nx = x + step.dx;
      const int32_t ny = y + step.dy;
      if (nx < 0 || nx >= width_ || ny < 0 || ny >= height_) continue;
      const int64_t cell = Cell(nx, ny);
      const float cost = costs_[cell];
      if (cost < 0) continue;
      const float g = current->g + (step.diagonal ? cost * diagonalFactor : cost);

      Node* closedNode;
      if constexpr (kIndexed) {
        // The node the open list remembers for the cell is closed once it has left the list
        // (the current node, the only other case, is never its own neighbour).
        Node* known = open.known(cell);
        closedNode = known != nullptr && !open.contains(cell) ? known : nullptr;
      } else {
        closedNode = closedAt.find(nx, ny);
      }
      if (closedNode != nullptr) {
        if (g < closedNode->g) {
          if constexpr (kIndexed) closedAt.find(nx, ny);
          closedAt.remove();
          closedNode->parent = current;
          closedNode->g = g;
          closedNode->f = Key(g, nx, ny);
          // Only a list made smaller than the map can be full; the node then stays closed.
          if (!open.insert(closedNode)) closed_.add(closedNode);
        }
        continue;
      }

      Node* openNode = open.find(nx, ny);
      if (openNode != nullptr) {
        if (g < openNode->g) {
          openNode->parent = current;
          openNode->g = g;
          openNode->f = Key(g, nx, ny);
          open.reinsert(openNode);
        }
        continue;
      }

      Node* fresh = pool_.fetch();
      if (fresh == nullptr) continue;  // a pool smaller than the map was asked for
      fresh->parent = current;
      fresh->next = nullptr;
      fresh->x = nx;
      fresh->y = ny;
      fresh->g = g;
      fresh->f = Key(g, nx, ny);
      if (!open.insert(fresh)) {
        pool_.release(fresh);
        continue;
      }
    }
    closed_.add(current);
  }
}

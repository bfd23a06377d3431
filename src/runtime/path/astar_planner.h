// Weighted A* over the planner's cost map.
#pragma once

#include "path/planner.h"

// Expands the open node with the smallest f = g + w (h - g), h the whole-cell distance to the
// goal along the axes; among equal f the node inserted first.
class AStarPlanner : public Planner {
 public:
  explicit AStarPlanner(OpenListKind kind = OpenListKind::kIndexed) : Planner(kind) {}
  // Puts a start node with g = 0 on the open list.
  void initialize() override;
  bool run() override;
  // Expansions (nodes taken from the open list and looked around) since initialize.
  int64_t expansions() const { return expansions_; }

 private:
  template <typename OpenList>
  bool Search(OpenList& open);
  float Key(float g, int32_t x, int32_t y) const;
  bool StopRequested() const { return stopCheck_ != nullptr && stopCheck_(); }

  int64_t expansions_ = 0;
};

// The planner framework: a cost map loaded from the language's numbers, a node pool, an open
// list and a closed set. A search is createMap, initialize, run (again after a stop), cleanup.
#pragma once

#include <cstdint>

#include "path/indexed_open_list.h"
#include "path/node.h"
#include "path/node_hash_table.h"
#include "path/sorted_open_list.h"

// Which open list a planner keeps. Both give the same paths with the same expansions in the
// same order; the sorted list is the slow reference.
enum class OpenListKind { kSorted, kIndexed };

class Planner {
 public:
  // What a search is asked.
  struct Description {
    int32_t startX = 0;
    int32_t startY = 0;
    int32_t goalX = 0;
    int32_t goalY = 0;
    uint8_t diagonalCost = 0;   // diagonal steps cost sqrt(2) times the cell's cost
    uint8_t diagonalMoves = 0;  // diagonal neighbours are looked at
    int32_t poolSize = 0;       // nodes in the pool; 0 = width x height
    int32_t openCapacity = 0;   // 0 = width x height
    int32_t hashBits = 16;      // the closed set has 2^hashBits buckets
    float weight = 0;           // heuristic weight, clamped to 0..1
    int32_t width = 0;
    int32_t height = 0;
    const double* map = nullptr;  // width x height numbers, the column varying fastest
  };

  // Asked by run every 10000 expansions (and once when it starts, to clear it): true stops
  // the search.
  using StopCheck = bool (*)();

  explicit Planner(OpenListKind kind = OpenListKind::kIndexed) : kind_(kind) {}
  virtual ~Planner() = default;
  Planner(const Planner&) = delete;
  Planner& operator=(const Planner&) = delete;

  // Loads the map and makes the pool, open list and closed set. False, changing nothing,
  // when start or goal lie off the map or are the same cell, or when there is no map; false
  // with outOfMemory() set when the memory cannot be had (the planner is then unloaded).
  bool createMap(const Description& description);
  // Prepares a search from the start; any nodes of an earlier search go back to the pool.
  virtual void initialize();
  // Searches until the goal is taken, the open list runs dry (true for both) or the stop
  // check asks to stop (false; run again to go on).
  virtual bool run() = 0;
  // Hands every node back to the pool and forgets the goal.
  virtual void cleanup();

  void setStopCheck(StopCheck check) { stopCheck_ = check; }

  // g of the goal node; 0 without one.
  float getPathCost() const { return goal_ != nullptr ? goal_->g : 0; }
  // Nodes from the goal back to the start; 0 without a goal node.
  int64_t getPathSize() const;
  int64_t getOpenSize() const;
  int64_t getClosedSize() const { return closed_.size(); }
  // Write the cells as x, y pairs into out (room for capacity pairs) and return how many
  // were written. fillPath goes from the start to the goal and writes nothing when the path
  // does not fit; the others stop when out is full.
  int64_t fillPath(int32_t* out, int64_t capacity) const;
  int64_t fillOpen(int32_t* out, int64_t capacity) const;
  int64_t fillClosed(int32_t* out, int64_t capacity) const;
  bool isDone() const { return done_; }
  bool isLoaded() const { return costs_ != nullptr; }
  bool outOfMemory() const { return outOfMemory_; }
  // Number of run calls since initialize.
  int32_t getNumSlices() const { return runs_; }
  // Seconds spent in run since createMap.
  double getRunningTime() const { return runningTime_; }
  const Description& getDescription() const { return description_; }
  const Node* getGoal() const { return goal_; }
  // The normalised costs: in (0, 1] for a passable cell, -1 for a blocked one.
  const float* getMap() const { return costs_.get(); }
  int32_t getWidth() const { return width_; }
  int32_t getHeight() const { return height_; }
  OpenListKind openListKind() const { return kind_; }

 protected:
  int64_t Cell(int32_t x, int32_t y) const { return static_cast<int64_t>(y) * width_ + x; }
  void ReleaseNodes();

  bool done_ = false;
  NodeFactory pool_;
  Description description_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  ZeroedArray<float> costs_;
  int32_t runs_ = 0;
  double runningTime_ = 0;
  OpenListKind kind_;
  SortedOpenList sortedOpen_;
  IndexedOpenList indexedOpen_;
  NodeHashTable closed_;
  Node* goal_ = nullptr;
  StopCheck stopCheck_ = nullptr;
  bool outOfMemory_ = false;

 private:
  bool LoadCosts(const Description& description);
  bool MakeLists(const Description& description);
};

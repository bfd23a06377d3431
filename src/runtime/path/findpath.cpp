#include "path/findpath.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "core/frame.h"
#include "input/dxinput.h"
#include "path/astar_planner.h"
#include "path/findpath_setup.h"

namespace {

// Esc as a search asks for it: held down, or pressed since the search last asked. A search
// asks once as it starts, so a tap made before it does not count, although the keyboard keeps
// such a tap down for the readings of the rest of its frame.
uint32_t gEscapePresses = 0;
bool EscapeDown() {
  if (pDXin == nullptr) return false;
  pDXin->GetKeyboardStatus();
  const uint32_t presses = pDXin->KeyPresses(1);
  const bool pressedSince = presses != gEscapePresses;
  gEscapePresses = presses;
  return pressedSince || pDXin->KeyHeld(1);
}

Planner::StopCheck gStopCheck = EscapeDown;

// Truncated toward zero; a number that cannot be a cell of any map gives -1.
int32_t CellCoordinate(double number) {
  double whole = std::trunc(number);
  if (!(whole >= 0 && whole <= INT32_MAX)) return -1;
  return static_cast<int32_t>(whole);
}

}  // namespace

void SetFindPathStopCheck(Planner::StopCheck check) {
  gStopCheck = check != nullptr ? check : EscapeDown;
}

Planner::Description FindPathDescription(int32_t width, int32_t height, const double* map,
                                         int32_t startX, int32_t startY, int32_t goalX,
                                         int32_t goalY) {
  Planner::Description description;
  description.startX = startX;
  description.startY = startY;
  description.goalX = goalX;
  description.goalY = goalY;
  description.diagonalCost = 1;
  description.diagonalMoves = 0;  // paths step left, right, up and down only
  description.poolSize = 0;
  description.openCapacity = 0;
  description.hashBits = 16;
  description.weight = 0.7f;  // FINDPATH's weight argument has never been used
  description.width = width;
  description.height = height;
  description.map = map;
  return description;
}

double FINDPATH(KDIntArray& map, KDIntArray& path, double /*weight*/, double startX, double startY,
                double goalX, double goalY) {
  const Planner::Description description =
      FindPathDescription(map.nSize[1], map.nSize[2], map.pData, CellCoordinate(startX),
                          CellCoordinate(startY), CellCoordinate(goalX), CellCoordinate(goalY));
  AStarPlanner planner;
  planner.setStopCheck(gStopCheck);
  // A start or goal off the map, or a start on the goal: no search, path untouched.
  if (!planner.createMap(description)) {
    if (planner.outOfMemory()) __RuntimeError(7);
    return 0;
  }
  planner.initialize();
  if (!planner.run()) {
    planner.cleanup();
    return 0;
  }
  const int64_t length = planner.getPathSize();
  if (length == 0) {
    DIM(path, 0);
    return 0;
  }
  std::vector<int32_t> cells(static_cast<size_t>(2 * length));
  planner.fillPath(cells.data(), length);
  planner.cleanup();
  DIM(path, static_cast<double>(length), 2);
  for (int64_t i = 0; i < length; ++i) {
    path(static_cast<double>(i), 0) = cells[2 * i];
    path(static_cast<double>(i), 1) = cells[2 * i + 1];
  }
  return static_cast<double>(length);
}

// Path planning over a grid of cell costs.
#pragma once

#include "core/arrays.h"

// Length of the path found in cells, or 0; path is dimensioned (length, 2) on success.
double FINDPATH(KDIntArray& map, KDIntArray& path, double weight, double startX, double startY,
                double goalX, double goalY);

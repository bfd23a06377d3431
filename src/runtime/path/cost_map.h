// Turning a map's numbers into the planner's costs.
#pragma once

#include <cstdint>

// Writes the cost of each of `cells` numbers: a number above 0 becomes its value as a float
// divided by the largest such value, so passable costs lie in (0, 1]; anything else (0,
// negative, NaN, or a positive number too small for a float) becomes -1, blocked. Numbers too
// large for a float count as the largest float.
void LoadCostMap(const double* numbers, int64_t cells, float* costs);

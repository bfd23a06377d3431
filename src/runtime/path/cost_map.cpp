#include "path/cost_map.h"

#include <bit>
#include <cfloat>

// Both loops are written without branches, and the file is built so that the compiler turns
// them into vector code: a large map is read in about a millisecond instead of several, and
// random walls no longer cost a mispredicted branch per cell.
void LoadCostMap(const double* numbers, int64_t cells, float* costs) {
  constexpr int32_t kBlocked = std::bit_cast<int32_t>(-1.0f);
  // Costs are 0 or positive floats until blocked cells get -1, and such floats order as their
  // bit patterns do, so the largest is found among the integers.
  int32_t largestBits = 0;
  for (int64_t i = 0; i < cells; ++i) {
    // Too large for a float: the largest float. Zero, negative numbers and NaN: 0, so the
    // conversion never sees a number outside its range.
    const double n = numbers[i];
    double number = n > FLT_MAX ? FLT_MAX : n;
    number = number > 0 ? number : 0;
    int32_t bits = std::bit_cast<int32_t>(static_cast<float>(number));
    bits = bits > 0 ? bits : kBlocked;  // what is not above 0 as a float is blocked
    costs[i] = std::bit_cast<float>(bits);
    largestBits = bits > largestBits ? bits : largestBits;
  }
  if (largestBits <= 0) return;
  const float largest = std::bit_cast<float>(largestBits);
  for (int64_t i = 0; i < cells; ++i) {
    const float cost = costs[i];
    const float normalised = cost / largest;
    costs[i] = cost > 0 ? normalised : cost;
  }
}

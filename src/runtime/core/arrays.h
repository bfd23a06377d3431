// The language's run-time dimensioned arrays of numbers and texts: up to eight dimensions, the
// first index varying fastest, every access checked (codes 8 and 9 end the program).
#pragma once

#include <cstdint>

#include "core/kdstr.h"

template <typename T>
class KDArray {
 public:
  KDArray() = default;
  ~KDArray() { delete[] pData; }
  KDArray(const KDArray&) = delete;
  KDArray& operator=(const KDArray&) = delete;

  // Checked element access; a failed check ends the program through the error path.
  T& operator()(double i1, double i2 = 0, double i3 = 0, double i4 = 0, double i5 = 0,
                double i6 = 0, double i7 = 0, double i8 = 0) {
    // The game indexes one- and two-dimensional arrays in its inner loops: check those inline
    // and leave every other case, and every failure, to the full check.
    if (i1 >= 0 && i1 < nSize[1] && i2 >= 0 && (nSize[2] != 0 ? i2 < nSize[2] : i2 < 1) &&
        i3 == 0 && i4 == 0 && i5 == 0 && i6 == 0 && i7 == 0 && i8 == 0) {
      int64_t position =
          static_cast<int64_t>(i1) + static_cast<int64_t>(i2) * static_cast<int64_t>(nStride[1]);
      if (position < nCount) return pData[position];
    }
    return Checked(i1, i2, i3, i4, i5, i6, i7, i8);
  }

  // Storage and shape, for the runtime's commands that fill arrays.
  T* pData = nullptr;
  int32_t nStride[8] = {};  // [1..7] used; [0] unused so indices match the dimension numbers
  int32_t nSize[9] = {};    // [1..8] used
  int32_t nDims = -1;
  // Number of elements allocated by the last DIM.
  int64_t nCount = 0;

 private:
  T& Checked(double i1, double i2, double i3, double i4, double i5, double i6, double i7,
             double i8);
};

using KDIntArray = KDArray<double>;
using KDStrArray = KDArray<KDStr>;

// (Re)dimensions the array, clearing every element; ends the program with code 7 when the
// storage cannot be allocated.
void DIM(KDIntArray& array, double s1, double s2 = 0, double s3 = 0, double s4 = 0, double s5 = 0,
         double s6 = 0, double s7 = 0, double s8 = 0);
void DIM(KDStrArray& array, double s1, double s2 = 0, double s3 = 0, double s4 = 0, double s5 = 0,
         double s6 = 0, double s7 = 0, double s8 = 0);

// Size of dimension k+1 (k truncated); 0 for any k outside 0..7.
double BOUNDS(KDIntArray& array, double k);
double BOUNDS(KDStrArray& array, double k);

extern template class KDArray<double>;
extern template class KDArray<KDStr>;

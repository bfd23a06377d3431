#include "core/arrays.h"

#include <cmath>
#include <new>

#include "core/frame.h"

namespace {

// Element counts beyond this cannot be addressed by the 32-bit strides; treat them as an
// allocation failure rather than wrapping.
constexpr double kMaxElements = 2147483647.0;

// A size truncated toward zero into the 32-bit table. Sizes below 1 in the later positions
// take no part in the element count and may be anything: far negative ones are held at the
// smallest int and NaN counts as 0, since neither has a defined conversion.
int32_t WholeSize(double size) {
  if (std::isnan(size)) return 0;
  if (size <= -2147483648.0) return INT32_MIN;
  if (size >= 2147483647.0) return INT32_MAX;
  return static_cast<int32_t>(size);
}

template <typename T>
void Dimension(KDArray<T>& array, const double (&sizes)[8]) {
  double first = sizes[0] < 1 ? 1 : sizes[0];
  double count = first;
  for (int k = 1; k < 8; ++k) {
    if (sizes[k] >= 1) count *= sizes[k];
  }
  count = std::trunc(count);
  delete[] array.pData;
  array.pData = nullptr;
  array.nCount = 0;
  if (!(count <= kMaxElements)) __RuntimeError(7);
  T* storage = new (std::nothrow) T[static_cast<size_t>(count)]();
  if (storage == nullptr) __RuntimeError(7);
  array.pData = storage;
  array.nCount = static_cast<int64_t>(count);

  int dims = 1;
  for (int k = 7; k >= 1; --k) {
    if (sizes[k] != 0) {
      dims = k + 1;
      break;
    }
  }
  array.nDims = dims;
  uint32_t running = 1;
  for (int k = 1; k <= 8; ++k) {
    double size = k == 1 ? first : sizes[k - 1];
    array.nSize[k] = WholeSize(size);
    if (k <= 7) {
      // 32-bit products: exact for every shape that fits the storage; a negative size makes
      // its dimension unreachable, so what its product wraps to is never used.
      running *= static_cast<uint32_t>(array.nSize[k]);
      array.nStride[k] = static_cast<int32_t>(running);
    }
  }
}

}  // namespace

template <typename T>
T& KDArray<T>::Checked(double i1, double i2, double i3, double i4, double i5, double i6, double i7,
                       double i8) {
  const double index[8] = {i1, i2, i3, i4, i5, i6, i7, i8};
  if (nSize[1] == 0) __RuntimeError(8);
  if (pData == nullptr) __RuntimeError(9);
  for (double i : index) {
    if (i < 0 || std::isnan(i)) __RuntimeError(9);
  }
  int64_t position = 0;
  for (int k = 1; k <= 8; ++k) {
    double i = index[k - 1];
    if (nSize[k] != 0) {
      if (!(i < nSize[k])) __RuntimeError(9);
    } else if (i >= 1) {
      // An index on a dimension the array does not have would address outside the storage.
      __RuntimeError(9);
    }
    int64_t whole = static_cast<int64_t>(i);
    position += k == 1 ? whole : whole * nStride[k - 1];
  }
  if (position >= nCount) __RuntimeError(9);
  return pData[position];
}

template class KDArray<double>;
template class KDArray<KDStr>;

void DIM(KDIntArray& array, double s1, double s2, double s3, double s4, double s5, double s6,
         double s7, double s8) {
  Dimension(array, {s1, s2, s3, s4, s5, s6, s7, s8});
}

void DIM(KDStrArray& array, double s1, double s2, double s3, double s4, double s5, double s6,
         double s7, double s8) {
  Dimension(array, {s1, s2, s3, s4, s5, s6, s7, s8});
}

template <typename T>
static double Bounds(const KDArray<T>& array, double k) {
  double whole = std::trunc(k);
  if (!(whole >= 0 && whole <= 7)) return 0;
  return array.nSize[static_cast<int>(whole) + 1];
}

double BOUNDS(KDIntArray& array, double k) {
  return Bounds(array, k);
}
double BOUNDS(KDStrArray& array, double k) {
  return Bounds(array, k);
}

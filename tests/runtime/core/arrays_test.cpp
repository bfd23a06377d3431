#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "runtime.h"
#include "support/test_support.h"

namespace {

TEST(Arrays, DimensionGivesShapeStridesAndPositionsAndTruncates) {
  KDIntArray array;
  DIM(array, 4, 3);
  EXPECT_EQ(array.nDims, 2);
  EXPECT_EQ(array.nStride[1], 4);
  EXPECT_EQ(array.nCount, 12);
  array(1, 2) = 7;
  EXPECT_EQ(array.pData[9], 7);
  EXPECT_EQ(BOUNDS(array, 0), 4);
  EXPECT_EQ(BOUNDS(array, 1), 3);
  EXPECT_EQ(BOUNDS(array, 8), 0);
  EXPECT_EQ(BOUNDS(array, -1), 0);

  // Small first sizes give one element; fractions truncate.
  KDIntArray zero;
  DIM(zero, 0);
  EXPECT_EQ(zero.nCount, 1);
  EXPECT_EQ(BOUNDS(zero, 0), 1);
  KDIntArray negative;
  DIM(negative, -3);
  EXPECT_EQ(negative.nCount, 1);
  KDIntArray half;
  DIM(half, 2.5, 2);
  EXPECT_EQ(half.nCount, 5);
  EXPECT_EQ(BOUNDS(half, 0), 2);
  half(1, 1) = 1;  // the last reachable element
  EXPECT_EQ(half.pData[3], 1);
}

TEST(Arrays, RedimensionClearsEveryElement) {
  KDStrArray texts;
  DIM(texts, 3);
  texts(2) = "x";
  DIM(texts, 3);
  EXPECT_EQ(texts(2), "");
  KDIntArray numbers;
  DIM(numbers, 3);
  numbers(2.999) = 5;
  EXPECT_EQ(numbers(2), 5);
  DIM(numbers, 3);
  EXPECT_EQ(numbers(2), 0);
}

// Each failed access ends the program in order: exit code 0 and the five log lines naming the
// code and the line of the failing statement.
class ArrayErrors : public ::testing::Test {
 protected:
  void ExpectEnd(void (*body)(), int code, int line) {
    tobli::test::ScopedTempDir dir;
    EXPECT_EXIT(body(), ::testing::ExitedWithCode(0), "");
    auto lines = tobli::test::ErrorLogLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "-End On Line");
    EXPECT_EQ(lines[1], std::to_string(code));
    EXPECT_EQ(lines[2], std::to_string(line));
    EXPECT_EQ(lines[3], std::to_string(line));
    EXPECT_EQ(lines[4], "0");
  }
};

TEST_F(ArrayErrors, AccessBeforeDimIsCode8) {
  ExpectEnd(
      [] {
        static KDIntArray never;
        __dLn(0, 41);
        never(0) = 1;
      },
      8, 41);
}

TEST_F(ArrayErrors, IndexAtSizeOrNegativeFractionIsCode9) {
  ExpectEnd(
      [] {
        static KDIntArray three;
        DIM(three, 3);
        __dLn(0, 57);
        three(3) = 1;
      },
      9, 57);
  ExpectEnd(
      [] {
        static KDIntArray three;
        DIM(three, 3);
        __dLn(0, 58);
        three(-0.5) = 1;
      },
      9, 58);
  ExpectEnd(
      [] {
        static KDIntArray flat;
        DIM(flat, 3);
        __dLn(0, 59);
        flat(0, 1) = 1;  // a dimension the array does not have
      },
      9, 59);
  // Later sizes far below 0 (or NaN) are not in the element count; they make their dimension
  // unreachable without an undefined conversion on the way (the sanitizer build checks that).
  KDIntArray odd;
  DIM(odd, 2, -1e12, -3e12, std::nan(""), -4e12);
  EXPECT_EQ(odd.nCount, 2);
  EXPECT_EQ(BOUNDS(odd, 1), INT32_MIN);
  EXPECT_EQ(BOUNDS(odd, 3), 0);
  ExpectEnd(
      [] {
        static KDIntArray odd;
        DIM(odd, 2, -1e12, -3e12, std::nan(""), -4e12);
        __dLn(0, 60);
        odd(1, 0) = 1;
      },
      9, 60);
}

TEST_F(ArrayErrors, UnallocatableSizeIsCode7) {
  ExpectEnd(
      [] {
        static KDIntArray huge;
        __dLn(0, 12);
        DIM(huge, 1e6, 1e6, 1e6);
      },
      7, 12);
}

}  // namespace

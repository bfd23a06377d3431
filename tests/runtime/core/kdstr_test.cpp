#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "runtime.h"

namespace {

std::string Text(double value) {
  return KDStr(value).ToStdString();
}

// Six significant digits; an exponent has a sign and at least three digits; the special
// values print as the C library writes them.
TEST(NumberText, SixSignificantDigitsExponentsOfThreeDigitsAndSpecialValues) {
  const double inf = std::numeric_limits<double>::infinity();
  // clang-format off
  const std::pair<double, const char*> cases[] = {
      {3, "3"}, {0.5, "0.5"}, {0.1, "0.1"}, {1.0 / 3.0, "0.333333"}, {100000.0, "100000"},
      {123456.7, "123457"}, {-2.5, "-2.5"}, {1000000.0, "1e+006"}, {1234567.0, "1.23457e+006"},
      {0.0001, "0.0001"}, {0.00001, "1e-005"}, {1.5e-7, "1.5e-007"}, {1e100, "1e+100"},
      {-1e300, "-1e+300"}, {4.9e-324, "4.94066e-324"}, {-0.0, "-0"}, {inf, "inf"},
      {-inf, "-inf"}, {std::nan(""), "nan"}};
  // clang-format on
  for (const auto& [value, text] : cases) EXPECT_EQ(Text(value), text) << value;
  // A seventh digit of 5 rounds up, also where the value is exactly half way.
  const std::pair<double, const char*> halves[] = {
      {123456.5, "123457"},         {100000.5, "100001"},
      {-12345.25, "-12345.3"},      {1234.125, "1234.13"},
      {999999.5, "1e+006"},         {1000005.0, "1.00001e+006"},
      {0.000123456, "0.000123456"}, {0.00012345650000000001, "0.000123457"}};
  for (const auto& [value, text] : halves) EXPECT_EQ(Text(value), text) << value;
}

TEST(KDStr, AssignmentKeepsOldValueWhenTextIsTooLong) {
  std::string max(1022, 'a');
  KDStr text("old");
  text = max.c_str();
  EXPECT_EQ(text.Length(), 1022);
  KDStr other("keep");
  std::string tooLong(1023, 'b');
  other = tooLong.c_str();
  EXPECT_EQ(other, "keep");
  EXPECT_EQ(KDStr(tooLong.c_str()), "");
}

TEST(KDStr, AppendStopsAtTheLimitButDashOperatorsMayReach1023) {
  KDStr text(std::string(1000, 'x').c_str());
  text += std::string(23, 'y').c_str();
  EXPECT_EQ(text.Length(), 1000);
  text += std::string(22, 'y').c_str();
  EXPECT_EQ(text.Length(), 1022);

  KDStr left("ab");
  left -= KDStr("");
  EXPECT_EQ(left, "ab");
  left += left;
  EXPECT_EQ(left, "abab");

  // The dash operators may reach 1023 characters.
  KDStr dashed(std::string(1000, 'x').c_str());
  dashed -= KDStr(std::string(22, 'z').c_str());
  EXPECT_EQ(dashed.Length(), 1023);
  EXPECT_EQ(dashed.GetAt(1000), '-');
}

TEST(KDStr, ValueOperatorsLeaveOperandsAndFormatNumbers) {
  KDStr ab("ab");
  EXPECT_EQ(ab + 5.0, "ab5");
  EXPECT_EQ(ab - 5.0, "ab-5");
  EXPECT_EQ(ab * 5.0, "ab-5");
  EXPECT_EQ(ab / KDStr("c"), "ab-c");
  EXPECT_EQ(ab, "ab");
}

TEST(KDStr, NumericConversionAndComparison) {
  EXPECT_DOUBLE_EQ(static_cast<double>(KDStr("  12.5xyz")), 12.5);
  EXPECT_DOUBLE_EQ(static_cast<double>(KDStr("apples")), 0);
  // Only decimal numbers: no hexadecimal, no spelled infinities or NaN; the exponent letter
  // may also be d or D, and a letter without digits ends the number.
  const std::pair<const char*, double> texts[] = {
      {"0x1A", 0},        {"inf", 0}, {"-Infinity", 0}, {"nan", 0},  {"1d2", 100},
      {"-2.5D-1", -0.25}, {"3e", 3},  {"4e+x", 4},      {".5", 0.5}, {"-.5e1", -5},
      {"\t+7.", 7},       {".", 0},   {"e5", 0},        {"-", 0}};
  for (const auto& [text, value] : texts) {
    EXPECT_DOUBLE_EQ(static_cast<double>(KDStr(text)), value) << text;
  }
  EXPECT_EQ(static_cast<double>(KDStr("1e999")), std::numeric_limits<double>::infinity());
  EXPECT_EQ(KDStr("12abc").Compare(12.0), 0);
  EXPECT_EQ(KDStr("3").Compare(4.0), -1);
  EXPECT_EQ(KDStr("5").Compare(4.0), 1);
  EXPECT_EQ(KDStr("5").Compare(std::nan("")), 0);
  EXPECT_LT(KDStr("a").Compare(KDStr("b")), 0);
  // Byte-wise: bytes above 0x7F sort after ASCII as unsigned bytes.
  EXPECT_GT(KDStr("\xE9").Compare(KDStr("z")), 0);
}

TEST(KDStr, ByteAccessCuttingAndTrimming) {
  KDStr text("h\xE9llo");
  EXPECT_LT(text.GetAt(1), 0);
  EXPECT_EQ(text.SetAt(0, 'j'), 1);
  EXPECT_EQ(text.SetAt(5, 'x'), 0);
  EXPECT_EQ(text.SetAt(-1, 'x'), 0);
  EXPECT_EQ(text.GetAt(0), 'j');
  text.Left(2);
  EXPECT_EQ(text.Length(), 2);
  text.Left(10);
  EXPECT_EQ(text.Length(), 2);

  // TrimRight removes control and high bytes but keeps spaces.
  KDStr line("abc \r\n");
  line.TrimRight();
  EXPECT_EQ(line, "abc ");
  KDStr accent("caf\xE9");
  accent.TrimRight();
  EXPECT_EQ(accent, "caf");
  KDStr backslashes("a\\b\\c");
  ReverseSlashes(backslashes);
  EXPECT_EQ(backslashes, "a/b/c");
}

}  // namespace

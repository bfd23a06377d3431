#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

#include "core/builtins.h"
#include "core/frame.h"
#include "support/test_support.h"

namespace {

using tobli::test::ScopedTempDir;

std::string Text(const KDStr& s) {
  return s.GetStrData();
}

std::string RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) != nullptr ? resolved : "";
}

// Each number is the next word modulo the truncated limit plus one: 0 for a limit of 0, 0 or 1
// for a limit of 1, 0 to 6 for 6.9.
TEST(Rnd, IsTheNextWordModuloTheTruncatedLimitPlusOne) {
  QMsrand(4711);
  for (double limit : {0.0, 1.0, 6.9, 99.5}) {
    for (int i = 0; i < 200; ++i) {
      RandomContext saved = __g_ctx;
      double r = RND(limit);
      __g_ctx = saved;
      ASSERT_EQ(r, QMrand() % (static_cast<uint32_t>(limit) + 1u)) << limit;
    }
  }
}

TEST(Rnd, NegativeAndHugeLimitsAreSafe) {
  QMsrand(3);
  EXPECT_EQ(RND(-1), 0);
  EXPECT_EQ(RND(-0.5), 0);
  EXPECT_EQ(RND(-1000), 0);
  EXPECT_EQ(RND(NAN), 0);
  // 2^32 - 1 would make the modulus wrap to 0; the word comes back whole instead.
  RandomContext saved = __g_ctx;
  double r = RND(4294967295.0);
  __g_ctx = saved;
  EXPECT_EQ(r, QMrand());
  double big = RND(1e15);
  EXPECT_GE(big, 0);
  EXPECT_LE(big, 4294967295.0);
}

TEST(Trigonometry, DegreesWithTheLanguagesOwnFactorAndClampedInverses) {
  EXPECT_NEAR(SIN(90), 1, 1e-12);
  EXPECT_NEAR(COS(180), -1, 1e-12);
  EXPECT_NEAR(TAN(45), 1, 1e-7);
  EXPECT_NEAR(ATAN(1, 0), 90, 1e-6);
  EXPECT_NEAR(ATAN(0, -1), 180, 1e-6);
  EXPECT_NEAR(ATAN(-1, 0), -90, 1e-6);
  // 57.2957795 is not 180/pi: the results differ from an exact conversion in the last digits.
  EXPECT_DOUBLE_EQ(ATAN(1, 1), std::atan2(1.0, 1.0) * 57.2957795);
  EXPECT_NE(ATAN(1, 1), 45.0);

  // The inverse functions clamp outside their domain.
  for (double x : {1.0, 2.0, -1.0, -7.0}) {
    EXPECT_EQ(ASIN(x), x > 0 ? 90 : -90) << x;
    EXPECT_EQ(ACOS(x), x > 0 ? 0 : 180) << x;
  }
  EXPECT_NEAR(ASIN(0.5), 30, 1e-6);
  EXPECT_NEAR(ACOS(0.5), 60, 1e-6);
}

TEST(Mod, TruncatesBothSidesAndKeepsTheSignOfTheDividend) {
  // A divisor that truncates to 0 gives 0. The smallest 32-bit number divided by -1
  // overflows the quotient; the remainder is 0. Numbers beyond 32 bits are capped first.
  // clang-format off
  const double cases[][3] = {
      {-7, 3, -1}, {7.9, 3, 1}, {7, -3, 1}, {-7.9, 3.9, -1}, {5, 0, 0}, {5, 0.5, 0}, {5, -0.9, 0},
      {-2147483648.0, -1, 0}, {1e20, 7, 2147483647 % 7}, {-1e20, 7, INT_MIN % 7}, {NAN, 7, 0},
      {10, NAN, 0}};
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(MOD(c[0], c[1]), c[2]) << c[0] << " mod " << c[1];
}

TEST(Len, CountsBytesOfTextsAndOfNumbersAsText) {
  EXPECT_EQ(LEN(KDStr("hello")), 5);
  EXPECT_EQ(LEN(KDStr("")), 0);
  EXPECT_EQ(LEN(KDStr("\xE9t\xE9")), 3);
  EXPECT_EQ(LEN(3.5), 3);
  EXPECT_EQ(LEN(1000000), 6);  // 1e+006
  EXPECT_EQ(LEN(-0.5), 4);
}

TEST(MidStr, CutsFromStartForCountAndGivesTheEmptyTextOutOfRange) {
  struct Case {
    double start, count;
    const char* piece;
  };
  // Out-of-range starts and counts give the empty text.
  // clang-format off
  const Case cases[] = {
      {2, 3, "cde"}, {4, 10, "ef"}, {6, 1, ""}, {0, 6, "abcdef"}, {1.9, 2.5, "bc"}, {5, 1, "f"},
      {-1, 3, ""}, {0, 0, ""}, {2, -4, ""}, {7, 1, ""}, {1e300, 1, ""}, {1, 1e300, "bcdef"},
      {NAN, 2, ""}};
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(Text(MID_Str(KDStr("abcdef"), c.start, c.count)), c.piece)
        << c.start << ", " << c.count;
  }
  EXPECT_EQ(Text(MID_Str(KDStr(""), 0, 5)), "");
}

TEST(MidStr, LongestTextStillYieldsItsShortPieces) {
  // The "-" operator can build a text of 1023 characters, one more than assignment stores.
  KDStr left(std::string(511, 'a').c_str());
  KDStr longest = left - KDStr(std::string(511, 'b').c_str());
  ASSERT_EQ(LEN(longest), 1023);
  EXPECT_EQ(Text(MID_Str(longest, 0, 5)), "aaaaa");
  EXPECT_EQ(Text(MID_Str(longest, 510, 3)), "a-b");
  EXPECT_EQ(LEN(MID_Str(longest, 1, 1022)), 1022);
  // A piece of 1023 characters does not fit the result.
  EXPECT_EQ(Text(MID_Str(longest, 0, 1023)), "");
}

TEST(CurrentDir, SetAndGetRoundTripWithATrailingSlashOrGiveTheEmptyTextWhenTooLong) {
  ScopedTempDir dir;
  ASSERT_EQ(mkdir("sub dir", 0755), 0);
  EXPECT_EQ(SETCURRENTDIR("sub dir"), 1);
  EXPECT_EQ(Text(GETCURRENTDIR_Str()), RealPath(dir.File("sub dir")) + "/");
  EXPECT_EQ(SETCURRENTDIR("no such dir"), 0);
  EXPECT_EQ(Text(GETCURRENTDIR_Str()), RealPath(dir.File("sub dir")) + "/");
  EXPECT_EQ(SETCURRENTDIR("/"), 1);
  EXPECT_EQ(Text(GETCURRENTDIR_Str()), "/");

  // A path too long for a text gives the empty text.
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  std::string name(200, 'd');
  for (int i = 0; i < 6; ++i) {
    ASSERT_EQ(mkdir(name.c_str(), 0755), 0);
    ASSERT_EQ(chdir(name.c_str()), 0);
  }
  EXPECT_EQ(Text(GETCURRENTDIR_Str()), "");
  EXPECT_EQ(SETCURRENTDIR(".."), 1);
}

}  // namespace

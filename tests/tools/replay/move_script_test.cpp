// Move strings: counts, white space and what is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "move_script.h"

namespace {

using tobli::replay::ParseMoves;

std::string Expand(const std::string& text) {
  std::vector<char> moves;
  std::string why;
  EXPECT_TRUE(ParseMoves(text, moves, why)) << text << ": " << why;
  return std::string(moves.begin(), moves.end());
}

TEST(MoveScript, CountsRepeatTheTokenAfterThemAndWhiteSpaceIsIgnored) {
  EXPECT_EQ(Expand("3R"), "RRR");
  EXPECT_EQ(Expand("R2L.S Q"), "RLL.SQ");
  EXPECT_EQ(Expand("10."), "..........");
  EXPECT_EQ(Expand(" U\tD\r\n 2 D "), "UDDD");
  EXPECT_EQ(Expand("0RL"), "L");
  EXPECT_EQ(Expand(""), "");
}

TEST(MoveScript, UnknownTokensAndCountsWithoutATokenAreRefused) {
  std::vector<char> moves;
  std::string why;
  for (const char* bad : {"r", "RX", "3", "R2", "-R", "1000001R"}) {
    why.clear();
    EXPECT_FALSE(ParseMoves(bad, moves, why)) << bad;
    EXPECT_FALSE(why.empty()) << bad;
  }
}

}  // namespace

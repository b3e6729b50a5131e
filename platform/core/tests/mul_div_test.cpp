#include "platform/core/mul_div.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

TEST(MulDiv, RoundsHalfAwayFromZeroWithA64BitProduct) {
  struct Case { int32_t a, b, c, expected; };
  const Case cases[] = {
      {12, 96, 72, 16},   {10, 96, 72, 13},   {9, 96, 72, 12},    {8, 96, 72, 11},
      {1, 1, 2, 1},       {-1, 1, 2, -1},     {1, -1, 2, -1},     {-1, -1, 2, 1},
      {3, 1, 2, 2},       {5, 1, 4, 1},       {7, 1, 4, 2},       {-7, 1, 4, -2},
      {1, 1, -2, -1},     {9, 8, 12, 6},      {100000, 100000, 100000, 100000},
      {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max(),
       std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()},
      {std::numeric_limits<int32_t>::min(), 1, 1, std::numeric_limits<int32_t>::min()},
  };
  for (const auto& c : cases) EXPECT_EQ(win::MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(MulDiv, ZeroDivisorOrOverflowGivesMinusOne) {
  EXPECT_EQ(win::MulDiv(5, 7, 0), -1);
  EXPECT_EQ(win::MulDiv(0, 0, 0), -1);
  EXPECT_EQ(win::MulDiv(std::numeric_limits<int32_t>::max(), 4, 1), -1);
  EXPECT_EQ(win::MulDiv(std::numeric_limits<int32_t>::min(), -1, 1), -1);
}

}  // namespace

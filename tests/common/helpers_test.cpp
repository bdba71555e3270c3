#include "common/helpers.h"

#include <gtest/gtest.h>

namespace vx {

TEST(KeyFilter, Modes) {
  // Mode 3: digits, "." and Back Space; no sign, no letters.
  EXPECT_EQ(KeyFilter('-', 3), 0);
  EXPECT_EQ(KeyFilter('a', 3), 0);
  EXPECT_EQ(KeyFilter('.', 3), '.');
  EXPECT_EQ(KeyFilter(kBackSpace, 3), kBackSpace);
  EXPECT_EQ(KeyFilter('7', 3), '7');
  // Mode 0: digits and Back Space only.
  EXPECT_EQ(KeyFilter('.', 0), 0);
  EXPECT_EQ(KeyFilter('-', 0), 0);
  EXPECT_EQ(KeyFilter('0', 0), '0');
  // Mode 1 adds "-", mode 2 adds "-" and ".".
  EXPECT_EQ(KeyFilter('-', 1), '-');
  EXPECT_EQ(KeyFilter('.', 1), 0);
  EXPECT_EQ(KeyFilter('-', 2), '-');
  EXPECT_EQ(KeyFilter('.', 2), '.');
  EXPECT_EQ(KeyFilter('e', 2), 0);
  // Any other mode lets every key through.
  EXPECT_EQ(KeyFilter('x', 4), 'x');
  EXPECT_EQ(KeyFilter('x', -1), 'x');
}

TEST(Interpolate, LinearAndEqualAbscissae) {
  EXPECT_FLOAT_EQ(Interpolate(5, 5, 1, 2, 7), 1);
  EXPECT_FLOAT_EQ(Interpolate(0, 10, 0, 100, 2.5f), 25);
  EXPECT_FLOAT_EQ(Interpolate(0, 10, 0, 100, -1), -10);  // extrapolates
  EXPECT_FLOAT_EQ(MaxValue(2, 3), 3);
  EXPECT_FLOAT_EQ(MaxValue(3, 3), 3);
  EXPECT_FLOAT_EQ(MaxValue(-1, -2), -1);
}

TEST(Interpolate3, ThroughThreePointsRoundedToThreeDecimals) {
  EXPECT_FLOAT_EQ(Interpolate3(0, 1, 2, 0, 1, 4, 1.5f), 2.25f);
  EXPECT_FLOAT_EQ(Interpolate3(0, 1, 2, 0, 1, 4, 0.1f), 0.01f);
  // 1/3 rounds to 0.333.
  EXPECT_FLOAT_EQ(Interpolate3(0, 1, 2, 0, 1.0f / 3, 2.0f / 3, 1), 0.333f);
  // Equal abscissae never divide by zero.
  EXPECT_FLOAT_EQ(Interpolate3(1, 1, 3, 10, 10, 30, 2), 20);
  EXPECT_FLOAT_EQ(Interpolate3(1, 1, 1, 10, 11, 12, 5), 10);
}

TEST(FormatProp, EmptyForZero) {
  EXPECT_EQ(FormatProp(0), "");
  EXPECT_EQ(FormatProp(1000), "1000.");
  EXPECT_EQ(FormatProp(0.00123f), "0.001");
  EXPECT_EQ(FormatProp(4.1868f), "4.187");
}

}  // namespace vx

#include "common/number_text.h"

#include <gtest/gtest.h>

namespace vx {

TEST(Val, TakesTheLongestLeadingNumber) {
  EXPECT_EQ(Val("85100.0"), 85100);
  EXPECT_EQ(Val("12abc"), 12);
  EXPECT_EQ(Val(""), 0);
  EXPECT_EQ(Val("abc"), 0);
  EXPECT_EQ(Val(" 1 2 3"), 123);  // blanks are ignored everywhere
  EXPECT_EQ(Val("-.5"), -0.5);
  EXPECT_EQ(Val("1.5.3"), 1.5);   // one decimal point only
  EXPECT_EQ(Val("2e3x"), 2000);
  EXPECT_EQ(Val("2e"), 2);        // an exponent without digits is not part of the number
  EXPECT_EQ(Val("-"), 0);
  EXPECT_EQ(Val("."), 0);
  EXPECT_EQ(Val("1e999"), 0);     // overflow never gives infinity
}

TEST(Format, PatternsKeepThePointAndDropHashZeros) {
  EXPECT_EQ(Format(100, "0.##"), "100.");
  EXPECT_EQ(Format(90, "###.#"), "90.");
  EXPECT_EQ(Format(0, "####.#"), ".");
  EXPECT_EQ(Format(0.5, "###.#"), ".5");
  EXPECT_EQ(Format(0.04, "###.#"), ".");
  EXPECT_EQ(Format(0, "###.#"), ".");
  EXPECT_EQ(Format(0.5, "0.#"), "0.5");
  EXPECT_EQ(Format(12345.678, "##.##"), "12345.68");  // every integer digit shown
  EXPECT_EQ(Format(1.25, "0.#"), "1.3");               // halves away from zero
  EXPECT_EQ(Format(-1.25, "0.#"), "-1.3");
  EXPECT_EQ(Format(2.675, "0.##"), "2.68");            // rounds the value as written
  EXPECT_EQ(Format(-0.04, "###.#"), ".");              // rounds to zero: no sign
  EXPECT_EQ(Format(9.96, "0.#"), "10.");
  EXPECT_EQ(Format(0.00123, "0.###"), "0.001");
  EXPECT_EQ(Format(85100, "#########.#"), "85100.");
  EXPECT_EQ(Format(3.14159, "0.###"), "3.142");
}

TEST(Str, PlainFormOfSingleAndDouble) {
  EXPECT_EQ(Str(0.5f), " .5");
  EXPECT_EQ(Str(12.0f), " 12");
  EXPECT_EQ(Str(-3.25f), "-3.25");
  EXPECT_EQ(Str(0.0f), " 0");
  EXPECT_EQ(Str(125.0f), " 125");
  EXPECT_EQ(Str(107500.0f), " 107500");
  EXPECT_EQ(Str(0.3f), " .3");               // 7 significant digits hide the float's tail
  EXPECT_EQ(Str(1.0f / 3.0f), " .3333333");
  EXPECT_EQ(Str(12345678.0f), " 1.234568E+07");
  EXPECT_EQ(StrDouble(1.0 / 3.0), " .333333333333333");
  EXPECT_EQ(StrDouble(-0.25), "-.25");
}

}  // namespace vx

namespace vx {

TEST(PlainNumber, StrWithoutTheBlank) {
  EXPECT_EQ(PlainNumber(0.5f), "0.5");
  EXPECT_EQ(PlainNumber(8.73f), "8.73");
  EXPECT_EQ(PlainNumber(10.0), "10");
  EXPECT_EQ(PlainNumber(10.0 / 3), "3.33333333333333");
  EXPECT_EQ(PlainNumber(-0.25), "-0.25");
}

}  // namespace vx

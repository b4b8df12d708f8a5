#include "console/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

namespace torvex {
namespace {

TEST(IntegerOf, ReadsSignAndLeadingDigits) {
  struct Case {
    std::string_view text;
    std::int32_t value;
  } cases[] = {
      {"123", 123},
      {"-12", -12},
      {"+7x", 7},
      {"1.0", 1},
      {"$", 0},
      {"", 0},
      {"  42", 42},
      {"\t-3", -3},
      {"+", 0},
      {"-", 0},
      {"+-1", 0},
      {"901x", 901},
      {"007", 7},
      {"12 34", 12},
      {"1e5", 1},
      {std::string_view("90\0"
                        "1",
                        4),
       90},
  };
  for (const Case& c : cases) EXPECT_EQ(integer_of(c.text), c.value) << c.text;
}

TEST(IntegerOf, SaturatesOutsideThe32BitRange) {
  struct Case {
    std::string_view text;
    std::int32_t value;
  } cases[] = {
      {"999999999", 999999999},
      {"123456789x", 123456789},
      {"1234567890", 1234567890},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"4294967297", 2147483647},
      {"99999999999999999999999999", 2147483647},
      {"-2147483648", INT32_MIN},
      {"-2147483649", INT32_MIN},
      {"-99999999999999999999999999", INT32_MIN},
      {"00000000000000000000000012", 12},
  };
  for (const Case& c : cases) EXPECT_EQ(integer_of(c.text), c.value) << c.text;
}

TEST(RealOf, FollowsTheDeckGrammar) {
  struct Case {
    std::string_view text;
    double value;
  } cases[] = {
      {".001", 0.001},   {"  .5", 0.5},     {"2.5e", 2.5},     {"2.5e+", 2.5},
      {"abc", 0.0},      {"1.-3", 1.0},     {"1.+3", 1.0},     {"1.0E-3", 0.001},
      {"1.0D-3", 0.001}, {"1.0d-3", 0.001}, {"1.0e-3", 0.001}, {"-2.5E2", -250.0},
      {"+4.", 4.0},      {".", 0.0},        {"-", 0.0},        {"", 0.0},
      {"0x10", 0.0},     {"inf", 0.0},      {"nan", 0.0},      {"INF", 0.0},
      {"1.2.3", 1.2},    {"5E2x", 500.0},   {"1D", 1.0},       {"3e-x", 3.0},
      {"1,5", 1.0},      {"0.1", 0.1},      {"1000", 1000.0},
  };
  for (const Case& c : cases) EXPECT_EQ(real_of(c.text), c.value) << c.text;
}

TEST(RealOf, IsCorrectlyRoundedAndSaturatesToInfinityOrZero) {
  // The double nearest to these texts, not an accumulation of digits.
  EXPECT_EQ(real_of("0.3"), 0.3);
  EXPECT_EQ(real_of("2.2250738585072011e-308"), 2.2250738585072011e-308);
  EXPECT_EQ(real_of("9007199254740993"), 9007199254740992.0);
  EXPECT_EQ(real_of("1D400"), HUGE_VAL);
  EXPECT_EQ(real_of("-1e400"), -HUGE_VAL);
  EXPECT_EQ(real_of("1e-400"), 0.0);
  EXPECT_TRUE(std::signbit(real_of("-0.0")));
}

}  // namespace
}  // namespace torvex

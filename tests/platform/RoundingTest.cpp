#include "platform/Rounding.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace {

class RoundingTest : public ::testing::Test {};

struct RoundCase {
  const char* Name;
  double Value;
  int Expected;
};

class RoundTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundTest, RoundsToNearestWithTiesToEvenAndSaturates) {
  EXPECT_EQ(Round(GetParam().Value), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundTest,
    ::testing::Values(RoundCase{"HalfToZero", 0.5, 0}, RoundCase{"OneHalfUp", 1.5, 2},
                      RoundCase{"TwoHalfDown", 2.5, 2}, RoundCase{"MinusOneHalf", -1.5, -2},
                      RoundCase{"MinusHalf", -0.5, 0}, RoundCase{"BelowHalf", 2.4999, 2},
                      RoundCase{"AboveHalf", -2.5001, -3},
                      RoundCase{"NaN", std::numeric_limits<double>::quiet_NaN(), 0},
                      RoundCase{"Huge", 1e300, INT_MAX}, RoundCase{"HugeNegative", -1e300, INT_MIN},
                      RoundCase{"Infinity", std::numeric_limits<double>::infinity(), INT_MAX},
                      RoundCase{"JustAboveRange", 2147483647.6, INT_MAX}),
    [](const ::testing::TestParamInfo<RoundCase>& I) { return std::string(I.param.Name); });

TEST_F(RoundingTest, TruncGoesTowardZeroAndSaturates) {
  EXPECT_EQ(Trunc(2.9), 2);
  EXPECT_EQ(Trunc(-2.9), -2);
  EXPECT_EQ(Trunc(std::nan("")), 0);
  EXPECT_EQ(Trunc(1e20), INT_MAX);
  EXPECT_EQ(Trunc(-1e20), INT_MIN);
}

struct MulDivCase {
  const char* Name;
  int A, B, C, Expected;
};

class MulDivTest : public ::testing::TestWithParam<MulDivCase> {};

TEST_P(MulDivTest, UsesAWideProductAndRoundsHalvesAwayFromZero) {
  const MulDivCase& C = GetParam();
  EXPECT_EQ(MulDiv(C.A, C.B, C.C), C.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, MulDivTest,
    ::testing::Values(MulDivCase{"Exact", 6, 4, 3, 8}, MulDivCase{"HalfUp", 1, 3, 2, 2},
                      MulDivCase{"NegativeHalfAway", -1, 3, 2, -2},
                      MulDivCase{"NegativeDivisor", 1, 3, -2, -2},
                      MulDivCase{"BothNegative", -1, 3, -2, 2},
                      MulDivCase{"BelowHalf", 10, 1, 3, 3}, MulDivCase{"FontHeight", 8, 96, 72, 11},
                      MulDivCase{"WideProduct", 2000000000, 3, 4, 1500000000},
                      MulDivCase{"DivisorZero", 5, 7, 0, -1},
                      MulDivCase{"Overflow", INT_MAX, 4, 1, -1}),
    [](const ::testing::TestParamInfo<MulDivCase>& I) { return std::string(I.param.Name); });

TEST_F(RoundingTest, DivTruncatesTowardZeroForNegativeCoordinates) {
  EXPECT_EQ(Div(-7, 2), -3);
  EXPECT_EQ(Div(7, -2), -3);
  EXPECT_EQ(Div(7, 2), 3);
  EXPECT_EQ(Div(5, 0), 0);
  EXPECT_EQ(Div(INT_MIN, -1), INT_MAX);
}

}  // namespace

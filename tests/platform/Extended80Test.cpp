#include "platform/Extended80.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

std::uint64_t Bits(double Value) {
  std::uint64_t B;
  std::memcpy(&B, &Value, sizeof B);
  return B;
}

double FromBits(std::uint64_t B) {
  double Value;
  std::memcpy(&Value, &B, sizeof Value);
  return Value;
}

// An extended number from its parts: significand (with the explicit integer
// bit), biased exponent, sign.
TExtended80 Ext(std::uint64_t Significand, int Exponent, bool Negative = false) {
  TExtended80 Bytes{};
  for (int I = 0; I < 8; ++I) Bytes[I] = static_cast<std::uint8_t>(Significand >> (8 * I));
  const int SignExponent = (Negative ? 0x8000 : 0) | Exponent;
  Bytes[8] = static_cast<std::uint8_t>(SignExponent);
  Bytes[9] = static_cast<std::uint8_t>(SignExponent >> 8);
  return Bytes;
}

constexpr std::uint64_t One = 0x8000000000000000ull;  // the integer bit
constexpr int Bias = 16383;
constexpr double Min = std::numeric_limits<double>::denorm_min();

class Extended80Test : public ::testing::Test {};

TEST_F(Extended80Test, ZeroKeepsItsSign) {
  EXPECT_EQ(DoubleToExtended(0.0), Ext(0, 0));
  EXPECT_EQ(DoubleToExtended(-0.0), Ext(0, 0, true));
  EXPECT_EQ(Bits(ExtendedToDouble(Ext(0, 0))), Bits(0.0));
  EXPECT_EQ(Bits(ExtendedToDouble(Ext(0, 0, true))), Bits(-0.0));
}

TEST_F(Extended80Test, NormalValuesHaveTheirKnownEncoding) {
  EXPECT_EQ(DoubleToExtended(1.0), Ext(One, Bias));
  EXPECT_EQ(DoubleToExtended(-2.5), Ext(0xA000000000000000ull, Bias + 1, true));
  EXPECT_EQ(DoubleToExtended(0.1), Ext(0xCCCCCCCCCCCCD000ull, Bias - 4));
  EXPECT_EQ(ExtendedToDouble(Ext(0xCCCCCCCCCCCCCCCDull, Bias - 4)), 0.1);
  EXPECT_EQ(DoubleToExtended(std::numeric_limits<double>::max()),
            Ext(0xFFFFFFFFFFFFF800ull, Bias + 1023));
  EXPECT_EQ(DoubleToExtended(std::numeric_limits<double>::min()), Ext(One, Bias - 1022));
}

// Every double is an extended number, so the way there and back is exact
// for any bit pattern but NaNs.
TEST_F(Extended80Test, EveryDoubleComesBackBitForBit) {
  std::uint64_t State = 0x9E3779B97F4A7C15ull;
  for (int I = 0; I < 200000; ++I) {
    State = State * 6364136223846793005ull + 1442695040888963407ull;
    const double Value = FromBits(State);
    if (std::isnan(Value)) continue;
    ASSERT_EQ(Bits(ExtendedToDouble(DoubleToExtended(Value))), State) << std::hex << State;
  }
}

TEST_F(Extended80Test, SubnormalDoublesBecomeNormalExtendedNumbers) {
  EXPECT_EQ(DoubleToExtended(Min), Ext(One, Bias - 1074));
  EXPECT_EQ(DoubleToExtended(-3 * Min), Ext(0xC000000000000000ull, Bias - 1073, true));
  const double Largest = FromBits(0x000FFFFFFFFFFFFFull);
  EXPECT_EQ(DoubleToExtended(Largest), Ext(0xFFFFFFFFFFFFF000ull, Bias - 1023));
  EXPECT_EQ(ExtendedToDouble(DoubleToExtended(Largest)), Largest);
}

TEST_F(Extended80Test, InfinitiesAndNaNs) {
  const double Inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(DoubleToExtended(Inf), Ext(One, 0x7FFF));
  EXPECT_EQ(DoubleToExtended(-Inf), Ext(One, 0x7FFF, true));
  EXPECT_EQ(ExtendedToDouble(Ext(One, 0x7FFF)), Inf);
  EXPECT_EQ(ExtendedToDouble(Ext(One, 0x7FFF, true)), -Inf);
  // A quiet NaN keeps its payload and its sign both ways.
  const std::uint64_t Quiet = 0xFFF8000000000123ull;
  EXPECT_EQ(DoubleToExtended(FromBits(Quiet)), Ext(One | (0x8000000000123ull << 11), 0x7FFF, true));
  EXPECT_EQ(Bits(ExtendedToDouble(DoubleToExtended(FromBits(Quiet)))), Quiet);
  // Encodings no arithmetic makes read as NaN, never as a number.
  EXPECT_TRUE(std::isnan(ExtendedToDouble(Ext(0, 0x7FFF))));  // pseudo-infinity
  EXPECT_TRUE(std::isnan(ExtendedToDouble(Ext(0x4000000000000000ull, 0x7FFF))));
  EXPECT_TRUE(std::isnan(ExtendedToDouble(Ext(0x4000000000000000ull, Bias))));  // unnormal
  EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(FromBits(0x7FF0000000000001ull)))));
}

TEST_F(Extended80Test, RoundingToDoubleBreaksTiesToEven) {
  const double Ulp = std::ldexp(1.0, -52);
  EXPECT_EQ(ExtendedToDouble(Ext(One | 0x400, Bias)), 1.0);            // tie, even below
  EXPECT_EQ(ExtendedToDouble(Ext(One | 0x401, Bias)), 1.0 + Ulp);      // above the tie
  EXPECT_EQ(ExtendedToDouble(Ext(One | 0x3FF, Bias)), 1.0);            // below the tie
  EXPECT_EQ(ExtendedToDouble(Ext(One | 0xC00, Bias)), 1.0 + 2 * Ulp);  // tie, even above
  EXPECT_EQ(ExtendedToDouble(Ext(0xFFFFFFFFFFFFFFFFull, Bias)), 2.0);  // carries out
  EXPECT_EQ(ExtendedToDouble(Ext(One | 0x400, Bias, true)), -1.0);
}

TEST_F(Extended80Test, ValuesBeyondTheDoubleRangeSaturateOrUnderflow) {
  const double Inf = std::numeric_limits<double>::infinity();
  const double Max = std::numeric_limits<double>::max();
  EXPECT_EQ(ExtendedToDouble(Ext(One, Bias + 1024)), Inf);
  EXPECT_EQ(ExtendedToDouble(Ext(One, Bias + 2000, true)), -Inf);
  EXPECT_EQ(ExtendedToDouble(Ext(0xFFFFFFFFFFFFFC00ull, Bias + 1023)), Inf);  // rounds past max
  EXPECT_EQ(ExtendedToDouble(Ext(0xFFFFFFFFFFFFFBFFull, Bias + 1023)), Max);
  EXPECT_EQ(Bits(ExtendedToDouble(Ext(One, Bias - 2000, true))), Bits(-0.0));
  EXPECT_EQ(ExtendedToDouble(Ext(One, 0)), 0.0);                // extended denormal range
  EXPECT_EQ(ExtendedToDouble(Ext(One, Bias - 1075)), 0.0);      // half the smallest: even
  EXPECT_EQ(ExtendedToDouble(Ext(One | 1, Bias - 1075)), Min);  // just above half
  EXPECT_EQ(ExtendedToDouble(Ext(0xC000000000000000ull, Bias - 1074)), 2 * Min);  // 1.5: even
  EXPECT_EQ(ExtendedToDouble(Ext(0xA000000000000000ull, Bias - 1073)), 2 * Min);  // 2.5: even
  // The largest subnormal rounded up becomes the smallest normal number.
  EXPECT_EQ(ExtendedToDouble(Ext(0xFFFFFFFFFFFFFFFFull, Bias - 1023)),
            std::numeric_limits<double>::min());
}

}  // namespace

#include "analysis/Zoqutils.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "analysis/Gofs2004.h"
#include "analysis/Zoqborlandutils.h"

namespace {

class ZoqutilsTest : public ::testing::Test {};

RangePosition Range(int Lower, int Upper, int Position) {
  RangePosition range;
  range.SetUpperLimit(Upper);
  range.SetLowerLimit(Lower);
  range.Position = Position;
  return range;
}

TEST_F(ZoqutilsTest, RangePositionWrapsAndClamps) {
  RangePosition range = Range(2, 5, 5);
  range.Advance();
  EXPECT_EQ(range.GetPosition(), 2);
  range.Advance();
  EXPECT_EQ(range.GetPosition(), 3);

  range = Range(3, 5, 4);
  range.SetUpperLimit(1);
  EXPECT_EQ(range.LowerLimit, 1);
  EXPECT_EQ(range.UpperLimit, 1);
  EXPECT_EQ(range.GetPosition(), 1);

  range = Range(0, 3, 2);
  range.SetLowerLimit(8);
  EXPECT_EQ(range.UpperLimit, 8);
  EXPECT_EQ(range.GetPosition(), 8);

  range = Range(INT_MAX - 1, INT_MAX, INT_MAX);
  range.Advance();
  EXPECT_EQ(range.GetPosition(), INT_MAX - 1);
}

TEST_F(ZoqutilsTest, ColourCyclerCountsRoundTheColours) {
  SeriesColourCycler cycler;
  EXPECT_EQ(cycler.CurrentColour(), 0x000000);
  cycler.Range.Position = 15;
  EXPECT_EQ(cycler.CurrentColour(), 0x0000FF);
  cycler.Range.Position = 13;
  EXPECT_EQ(cycler.CurrentColour(), 0xC0C0C0);
  cycler.Range.Position = -1;
  EXPECT_EQ(cycler.CurrentColour(), 0xC0C0C0);
  cycler.Range.Position = -14;
  EXPECT_EQ(cycler.CurrentColour(), 0x000000);
}

TEST_F(ZoqutilsTest, FindLimitsOfOneSetAllSetsAndValidPoints) {
  GofsSettings settings;
  ChannelDataStore store(&settings, 0.0, 4.0, 5);
  const double grid[] = {0.0, 1.0, 2.0, 3.0, 4.0};
  const double a[] = {1.0, -2.0, 3.0, 0.5, 9.0};
  const double b[] = {-5.0, 0.0, 0.0, 7.0, 0.0};
  ScanHeader header;
  ASSERT_EQ(store.AddSet(grid, a, 5, header, 1.0), 0);
  ASSERT_EQ(store.AddSet(grid, b, 5, header, 2.0), 1);
  store.SetError(0, 4, -1.0);
  store.SetError(1, 0, -1.0);
  store.SetError(1, 3, -1.0);

  const DataLimits one = FindLimits(&store, 0, false);
  EXPECT_EQ(one.YMaximum, 9.0);
  EXPECT_EQ(one.YMinimum, -2.0);
  EXPECT_EQ(one.XMaximum, 4.0);
  EXPECT_EQ(one.XMinimum, 0.0);

  const DataLimits all = FindLimits(&store, 7, false);
  EXPECT_EQ(all.YMaximum, 9.0);
  EXPECT_EQ(all.YMinimum, -5.0);

  const DataLimits valid = FindLimits(&store, -1, true);
  EXPECT_EQ(valid.YMaximum, 3.0);
  EXPECT_EQ(valid.YMinimum, -2.0);
  EXPECT_EQ(valid.XMaximum, 4.0);  // set 1 is valid at x 4
  EXPECT_EQ(valid.XMinimum, 0.0);

  for (int i = 0; i < 5; ++i) store.SetError(1, i, -1.0);
  const DataLimits none = FindLimits(&store, 1, true);
  EXPECT_EQ(none.XMaximum, -1e308);
  EXPECT_EQ(none.YMaximum, -1e308);
  EXPECT_EQ(none.XMinimum, 1e308);
  EXPECT_EQ(none.YMinimum, 1e308);
}

TEST_F(ZoqutilsTest, RoundingAndPadding) {
  EXPECT_EQ(RoundToSignificant(0.0123456, 3), 0.0123);
  EXPECT_EQ(RoundToSignificant(98765.0, 2), 99000.0);
  EXPECT_EQ(RoundToSignificant(-2.56, 2), -2.6);
  EXPECT_EQ(RoundToSignificant(5.0, 12), 5.0);
  EXPECT_EQ(RoundToSignificant(0.0, 3), 0.0);
  EXPECT_EQ(RoundToSignificant(4.7, 0), 5.0);
  EXPECT_EQ(RoundToSignificant(1e-300, 9), 1e-300);
  EXPECT_TRUE(std::isnan(RoundToSignificant(NAN, 3)));

  EXPECT_EQ(RoundToPowerOfTen(3.14159, -2), 3.14);
  EXPECT_EQ(RoundToPowerOfTen(-1234.0, 2), -1200.0);
  EXPECT_EQ(RoundToPowerOfTen(0.125, -2), 0.13);

  EXPECT_EQ(PadBelow(-10.0, 0.05), -10.5);
  EXPECT_EQ(PadAbove(-10.0, 0.05), -9.5);
  EXPECT_EQ(PadAbove(10.0, 0.05), 10.5);
}

TEST_F(ZoqutilsTest, RotorSpeedsWithinATenthOfAPercentAreOneSpeed) {
  EXPECT_TRUE(SameRotorSpeed(50000, 50040));
  EXPECT_TRUE(SameRotorSpeed(49980, 50000));
  EXPECT_TRUE(SameRotorSpeed(50000, 50050));   // rounding would part these
  EXPECT_FALSE(SameRotorSpeed(50050, 50140));  // and join these
  EXPECT_TRUE(SameRotorSpeed(50140, 50100));
  EXPECT_FALSE(SameRotorSpeed(50000, 45000));
  EXPECT_FALSE(SameRotorSpeed(10000, 14000));
  EXPECT_FALSE(SameRotorSpeed(0, 3000));
}

}  // namespace

#include "chart/series/TCustomSortedFunction.h"

#include "FunctionTestCharts.h"
#include "chart/series/TMedianKorFunction.h"
#include "chart/series/TModeKorFunction.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TCustomSortedFunctionTest : public TFunctionChartFixture {
 protected:
  // The function's value over every point of a series with Values.
  double Over(TCustomSortedFunction& Function, const std::vector<double>& Values) {
    return Function.Calculate(&Source(Values), -1, -1);
  }

  TMedianKorFunction Median{nullptr};
  TModeKorFunction Mode{nullptr};
};

TEST_F(TCustomSortedFunctionTest, MedianIsTheMiddleValueOrTheMeanOfTheMiddlePair) {
  EXPECT_EQ(Over(Median, {7}), 7);
  EXPECT_EQ(Over(Median, {1, 2, 3}), 2);
  EXPECT_EQ(Over(Median, {3, 1, 2}), 2);
  EXPECT_EQ(Over(Median, {1, 2, 3, 4}), 2.5);
  EXPECT_EQ(Over(Median, {5, 1}), 3);
  EXPECT_EQ(Over(Median, {9, 1, 8, 2, 7}), 7);
  EXPECT_EQ(Over(Median, {}), 0);
  TChartSeries& Src = Source({4, 1, 3, 9});
  EXPECT_EQ(Median.Calculate(&Src, 1, 2), 2);
  EXPECT_EQ(Median.Calculate(&Src, 3, 2), 0);
}

TEST_F(TCustomSortedFunctionTest, ModeIsTheMostFrequentValueSmallestOnATie) {
  EXPECT_EQ(Over(Mode, {4}), 4);
  EXPECT_EQ(Over(Mode, {1, 2, 2, 3, 3}), 2);
  EXPECT_EQ(Over(Mode, {3, 3, 1, 2, 2}), 2);
  EXPECT_EQ(Over(Mode, {3, 1, 2}), 1);
  EXPECT_EQ(Over(Mode, {5, 1, 5}), 5);
  EXPECT_EQ(Over(Mode, {1, 9, 9, 9, 2, 2}), 9);
  EXPECT_EQ(Over(Mode, {}), 0);
}

TEST_F(TCustomSortedFunctionTest, SkippedNullsTakeNoPlaceInTheSortedValues) {
  const std::vector<double> Values = {5, Null, 1, 3};
  EXPECT_EQ(Over(Median, Values), 2);  // the null's stored 0 counts
  Median.SetIncludeNulls(false);
  EXPECT_EQ(Over(Median, Values), 3);
  EXPECT_EQ(Over(Median, {Null, Null}), 0);
  // Left-over zeros in place of the nulls would make 0 the mode.
  Mode.SetIncludeNulls(false);
  EXPECT_EQ(Over(Mode, {4, Null, Null, 4, 1}), 4);
  EXPECT_EQ(Over(Mode, {Null}), 0);
}

TEST_F(TCustomSortedFunctionTest, PeriodsAndSeveralSourcesThroughTheParentSeries) {
  TChartSeries& Src = Source({3, 1, 2, 9, 7, 8, 5});
  auto* ByPoints = new TMedianKorFunction(&Chart);
  ByPoints->SetPeriod(3);
  EXPECT_EQ(Ys(Computed({&Src}, ByPoints)), std::vector<double>({2, 8}));
  auto* ByRange = new TModeKorFunction(&Chart);
  ByRange->SetPeriodStyle(psRange);
  ByRange->SetPeriod(4);
  EXPECT_EQ(Ys(Computed({&Src}, ByRange)), std::vector<double>({1, 5}));

  // A source without the index, or with a skipped null there, is left out.
  TChartSeries& A = Source({1, 10, 4});
  TChartSeries& B = Source({3, Null});
  TChartSeries& C = Source({2, 20, Null});
  auto* Many = new TMedianKorFunction(&Chart);
  TChartSeries& Out = Computed({&A, &B, &C}, Many);
  EXPECT_EQ(Ys(Out), std::vector<double>({2, 10, 2}));
  Many->SetIncludeNulls(false);
  EXPECT_EQ(Ys(Out), std::vector<double>({2, 15, 4}));
}

}  // namespace

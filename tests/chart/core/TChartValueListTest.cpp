#include "chart/core/TChartValueList.h"

#include "chart/core/KorException.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TLabelsList.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

std::vector<double> Values(const TChartValueList& List) {
  return std::vector<double>(List.Data(), List.Data() + List.Count());
}

class TChartValueListTest : public ::testing::Test {
 protected:
  TChartValueList List{nullptr, QStringLiteral("Y")};
};

TEST_F(TChartValueListTest, AscendingOrderInsertsAfterEqualValues) {
  List.SetOrder(loAscending);
  EXPECT_EQ(List.AddChartValue(2), 0);
  EXPECT_EQ(List.AddChartValue(2), 1);
  EXPECT_EQ(List.AddChartValue(1), 0);
  EXPECT_EQ(Values(List), std::vector<double>({1, 2, 2}));
}

TEST_F(TChartValueListTest, DescendingOrderKeepsTheLargestFirst) {
  List.SetOrder(loDescending);
  EXPECT_EQ(List.AddChartValue(1), 0);
  EXPECT_EQ(List.AddChartValue(3), 0);
  EXPECT_EQ(List.AddChartValue(2), 1);
  EXPECT_EQ(Values(List), std::vector<double>({3, 2, 1}));
}

TEST_F(TChartValueListTest, NoOrderAppendsAndInsertIgnoresTheOrder) {
  List.AddChartValue(5);
  List.AddChartValue(1);
  List.SetOrder(loAscending);
  List.InsertChartValue(0, 9);
  EXPECT_EQ(Values(List), std::vector<double>({9, 5, 1}));
}

TEST_F(TChartValueListTest, CapacityGrowsByExactlyOneThousandAndSurvivesClearing) {
  for (int I = 0; I < 1000; ++I) List.AddChartValue(I);
  EXPECT_EQ(List.Capacity(), 1000);
  List.AddChartValue(1000);
  EXPECT_EQ(List.Capacity(), 2000);
  List.ClearValues();
  EXPECT_EQ(List.Count(), 0);
  EXPECT_EQ(List.Capacity(), 2000);
}

TEST_F(TChartValueListTest, StatisticsFollowEveryChange) {
  EXPECT_EQ(List.MinValue(), 0);
  EXPECT_EQ(List.MaxValue(), 0);
  EXPECT_EQ(List.First(), 0);
  EXPECT_EQ(List.Last(), 0);
  List.AddChartValue(-5);
  List.AddChartValue(5);
  EXPECT_EQ(List.Total(), 0);
  EXPECT_EQ(List.TotalABS(), 10);
  EXPECT_EQ(List.MinValue(), -5);
  EXPECT_EQ(List.Range(), 10);
  List.AddChartValue(20);
  EXPECT_EQ(List.MaxValue(), 20);
  List.Delete(2);
  EXPECT_EQ(List.MaxValue(), 5);
  List.SetValue(0, -7);
  EXPECT_EQ(List.MinValue(), -7);
  EXPECT_EQ(List.TotalABS(), 12);
}

TEST_F(TChartValueListTest, IncrementalStatisticsAddOnlyTheNewValues) {
  List.AddChartValue(3);
  List.AddChartValue(4);
  EXPECT_EQ(List.Total(), 7);
  List.AddChartValue(-10);
  List.RecalcStats(2);
  EXPECT_FALSE(List.GetModified());
  EXPECT_EQ(List.Total(), -3);
  EXPECT_EQ(List.MinValue(), -10);
  EXPECT_EQ(List.TotalABS(), 17);
}

// Appending one value at a time with a query after each adds only the new
// value to the figures, which stay exactly those of one pass over all.
TEST_F(TChartValueListTest, StatisticsAfterEachAppendAreThoseOfAFullPass) {
  List.SetOrder(loAscending);
  auto Expect = [](const TChartValueList& A, const TChartValueList& B) {
    EXPECT_EQ(A.Total(), B.Total());
    EXPECT_EQ(A.TotalABS(), B.TotalABS());
    EXPECT_EQ(A.MinValue(), B.MinValue());
    EXPECT_EQ(A.MaxValue(), B.MaxValue());
  };
  double X = 0.1;
  for (int I = 0; I < 400; ++I) {
    X = std::fmod(X * 7.31 + 0.37, 13.0) - (I % 5 == 0 ? 6.5 : 0.0);
    if (I % 50 == 49)
      List.AddChartValue(-100.0 + I);  // lands among the others
    else
      List.InsertChartValue(List.Count(), X);  // appended whatever the order
    if (I % 70 == 69) List.Delete(I / 3);
    TChartValueList Fresh(nullptr, QStringLiteral("Y"));
    for (double V : Values(List)) Fresh.InsertChartValue(Fresh.Count(), V);
    SCOPED_TRACE(I);
    Expect(List, Fresh);
  }
}

TEST_F(TChartValueListTest, TheGenerationRisesWithEveryChangeOfTheValuesOnly) {
  std::uint64_t Seen = List.GetGeneration();
  auto Rose = [&] {
    const bool Up = List.GetGeneration() > Seen;
    Seen = List.GetGeneration();
    return Up;
  };
  List.AddChartValue(1);
  EXPECT_TRUE(Rose());
  List.AddChartValue(2);
  EXPECT_TRUE(Rose());
  List.Total();
  List.MaxValue();
  EXPECT_FALSE(Rose());
  List.Scroll();
  EXPECT_TRUE(Rose());
  List.SetValue(0, 5);
  EXPECT_TRUE(Rose());
  List.Exchange(0, 1);
  EXPECT_TRUE(Rose());
  List.SetModified(true);
  EXPECT_TRUE(Rose());
  List.Delete(0);
  EXPECT_TRUE(Rose());
  List.ClearValues();
  EXPECT_TRUE(Rose());
}

TEST_F(TChartValueListTest, LocateIsExactAndChecksItsRange) {
  List.AddChartValue(0.1);
  List.AddChartValue(0.2);
  EXPECT_EQ(List.Locate(0.2), 1);
  EXPECT_EQ(List.Locate(std::nextafter(0.2, 1.0)), -1);
  EXPECT_EQ(List.Locate(0.1, 1, 1), -1);
  EXPECT_THROW(List.Locate(0.1, 0, 2), ChartException);
  TChartValueList Empty(nullptr, "X");
  EXPECT_EQ(Empty.Locate(0), -1);
}

TEST_F(TChartValueListTest, IndexesOutsideTheListRaiseTheBoundsText) {
  List.AddChartValue(1);
  List.AddChartValue(2);
  try {
    List.SetValue(2, 0);
    FAIL() << "no exception";
  } catch (const ChartException& E) {
    EXPECT_EQ(E.Message(), "ValueIndex 2 out of bounds (0 to 1).");
  }
  EXPECT_THROW(List.GetValue(-1), ChartException);
  EXPECT_THROW(List.Exchange(0, 5), ChartException);
  EXPECT_THROW(List.Delete(2), ChartException);
  EXPECT_EQ(Values(List), std::vector<double>({1, 2}));
}

TEST_F(TChartValueListTest, RangeDeleteTakesOnlyWhatExists) {
  for (double V : {0, 1, 2, 3, 4}) List.AddChartValue(V);
  List.Delete(-1, 2);
  List.Delete(5, 1);
  List.Delete(1, 0);
  EXPECT_EQ(List.Count(), 5);
  List.Delete(3, 10);
  EXPECT_EQ(Values(List), std::vector<double>({0, 1, 2}));
  List.Delete(0, 1);
  EXPECT_EQ(Values(List), std::vector<double>({1, 2}));
}

TEST_F(TChartValueListTest, ScrollRotatesAndFillSequenceNumbers) {
  List.Scroll();  // empty: nothing
  List.AddChartValue(7);
  List.Scroll();
  EXPECT_EQ(Values(List), std::vector<double>({7}));
  List.AddChartValue(8);
  List.AddChartValue(9);
  List.Scroll();
  EXPECT_EQ(Values(List), std::vector<double>({8, 9, 7}));
  List.FillSequence();
  EXPECT_EQ(Values(List), std::vector<double>({0, 1, 2}));
  EXPECT_EQ(List.Total(), 3);
}

TEST_F(TChartValueListTest, AssignCopiesSettingsButNotValues) {
  TChartValueList Source(nullptr, "Other");
  Source.SetOrder(loDescending);
  Source.SetDateTime(true);
  Source.SetValueSource("Close");
  Source.AddChartValue(1);
  List.Assign(Source);
  EXPECT_EQ(List.GetOrder(), loDescending);
  EXPECT_TRUE(List.GetDateTime());
  EXPECT_EQ(List.GetValueSource(), "Close");
  EXPECT_EQ(List.GetName(), "Y");
  EXPECT_EQ(List.Count(), 0);
}

TEST_F(TChartValueListTest, DateTimeIsStoredOnlyWhenItDiffersFromTheTypesDefault) {
  const TPublishedProperty* DateTime = List.Properties().Find("DateTime");
  ASSERT_NE(DateTime, nullptr);
  EXPECT_FALSE(DateTime->IsStored(List));
  List.InitDateTime(true);
  EXPECT_FALSE(DateTime->IsStored(List));
  List.SetDateTime(false);
  EXPECT_TRUE(DateTime->IsStored(List));
}

// Sorting a series' list moves whole points: every value list, the
// colours and the labels together.
TEST_F(TChartValueListTest, SortMovesWholePointsOfTheSeries) {
  TChartSeries Series(nullptr);
  Series.GetXValues().SetOrder(loNone);
  Series.AddXY(3, 30, "c", clRed);
  Series.AddXY(1, 10, "a");
  Series.AddXY(2, 20);
  Series.GetXValues().SetOrder(loAscending);
  Series.GetXValues().Sort();
  EXPECT_EQ(Values(Series.GetXValues()), std::vector<double>({1, 2, 3}));
  EXPECT_EQ(Values(Series.GetYValues()), std::vector<double>({10, 20, 30}));
  EXPECT_EQ(Series.GetXLabel(0), "a");
  EXPECT_EQ(Series.GetXLabel(2), "c");
  EXPECT_EQ(Series.GetOwnColor(2), clRed);
  EXPECT_EQ(Series.GetOwnColor(0), clDefault);

  TChartValueList Unordered(nullptr, "Z");
  Unordered.AddChartValue(2);
  Unordered.AddChartValue(1);
  Unordered.Sort();
  EXPECT_EQ(Values(Unordered), std::vector<double>({2, 1}));
}

}  // namespace

#include "chart/core/TCustomSeriesList.h"

#include "chart/core/KorException.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TSeriesEnumerator.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class TCustomSeriesListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (TChartSeries& S : Series) List.Add(&S);
  }

  std::vector<TChartSeries*> Entries() const { return {List.begin(), List.end()}; }

  TChartSeries Series[3]{TChartSeries(nullptr), TChartSeries(nullptr), TChartSeries(nullptr)};
  TCustomSeriesList List;
};

TEST_F(TCustomSeriesListTest, EditingKeepsOrderAndRefusesBadIndexes) {
  TChartSeries* A = &Series[0];
  TChartSeries* B = &Series[1];
  TChartSeries* C = &Series[2];
  List.Exchange(0, 2);
  EXPECT_EQ(Entries(), std::vector<TChartSeries*>({C, B, A}));
  List.Put(1, A);
  List.Insert(0, B);
  EXPECT_EQ(Entries(), std::vector<TChartSeries*>({B, C, A, A}));
  EXPECT_TRUE(List.Remove(A));
  EXPECT_EQ(Entries(), std::vector<TChartSeries*>({B, C, A}));
  List.Delete(0);
  EXPECT_EQ(List.IndexOf(A), 1);
  EXPECT_EQ(List.IndexOf(B), -1);
  EXPECT_FALSE(List.Remove(B));

  EXPECT_THROW(List.Get(2), ChartException);
  EXPECT_THROW(List.Get(-1), ChartException);
  EXPECT_THROW(List.Insert(3, A), ChartException);
  EXPECT_THROW(List.Exchange(0, 2), ChartException);
  EXPECT_THROW(List.Delete(2), ChartException);
  EXPECT_EQ(Entries(), std::vector<TChartSeries*>({C, A}));
}

TEST_F(TCustomSeriesListTest, EnumeratorVisitsEverySeriesOnce) {
  std::unique_ptr<TSeriesEnumerator> E = List.GetEnumerator();
  EXPECT_THROW(E->GetCurrent(), ChartException);  // before the first MoveNext
  std::vector<TChartSeries*> Seen;
  while (E->MoveNext()) Seen.push_back(E->GetCurrent());
  EXPECT_EQ(Seen, Entries());
  EXPECT_FALSE(E->MoveNext());

  TCustomSeriesList Empty;
  EXPECT_FALSE(Empty.GetEnumerator()->MoveNext());
}

TEST_F(TCustomSeriesListTest, AllActiveIsTrueOnlyWhenNoSeriesIsHidden) {
  EXPECT_TRUE(TCustomSeriesList().GetAllActive());
  EXPECT_TRUE(List.GetAllActive());
  Series[1].SetActive(false);
  EXPECT_FALSE(List.GetAllActive());
  List.SetAllActive(true);
  EXPECT_TRUE(Series[1].GetActive());
  List.SetAllActive(false);
  for (const TChartSeries& S : Series) EXPECT_FALSE(S.GetActive());
}

TEST_F(TCustomSeriesListTest, ClearValuesAndFillSampleValuesReachEverySeries) {
  List.FillSampleValues(7);
  for (const TChartSeries& S : Series) EXPECT_EQ(S.Count(), 7);
  List.ClearValues();
  for (const TChartSeries& S : Series) EXPECT_EQ(S.Count(), 0);
}

TEST_F(TCustomSeriesListTest, AssignTakesTheOtherListsEntries) {
  TCustomSeriesList Other;
  Other.Add(&Series[2]);
  List.Assign(Other);
  EXPECT_EQ(Entries(), std::vector<TChartSeries*>({&Series[2]}));
  List.Clear();
  EXPECT_EQ(List.Count(), 0);
  EXPECT_EQ(Other.Count(), 1);
}

}  // namespace

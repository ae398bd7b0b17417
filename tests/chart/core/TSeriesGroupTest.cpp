#include "chart/core/TSeriesGroup.h"

#include "chart/core/KorException.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartSeriesList.h"
#include "chart/core/TSeriesGroups.h"

#include <gtest/gtest.h>

namespace {

// Groups as a chart holds them: in the collection of its series list.
class TSeriesGroupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (TChartSeries& S : Series) {
      List.Add(&S);
      Group->Add(&S);
    }
  }

  TChartSeries Series[3]{TChartSeries(nullptr), TChartSeries(nullptr), TChartSeries(nullptr)};
  TChartSeriesList List;
  TSeriesGroup* Group = List.AddGroup(QStringLiteral("Scans"));
};

TEST_F(TSeriesGroupTest, AddGroupAppendsANamedGroupToTheCollection) {
  EXPECT_EQ(Group->GetName(), QStringLiteral("Scans"));
  EXPECT_EQ(Group->GetCollection(), &List.GetGroups());
  TSeriesGroup* Second = List.AddGroup(QStringLiteral("Fits"));
  EXPECT_EQ(List.GetGroups().Count(), 2);
  EXPECT_EQ(Second->GetIndex(), 1);
  EXPECT_THROW(List.GetGroups().Get(2), ChartException);
}

TEST_F(TSeriesGroupTest, ActiveSummarisesTheSeriesOfTheGroup) {
  EXPECT_EQ(TSeriesGroup().GetActive(), gaYes);  // an empty group
  EXPECT_EQ(Group->GetActive(), gaYes);
  Series[0].SetActive(false);
  Series[2].SetActive(false);
  EXPECT_EQ(Group->GetActive(), gaSome);
  Group->SetActive(gaSome);  // changes nothing
  EXPECT_TRUE(Series[1].GetActive());
  EXPECT_FALSE(Series[0].GetActive());
  Group->Hide();
  EXPECT_EQ(Group->GetActive(), gaNo);
  Group->Show();
  for (const TChartSeries& S : Series) EXPECT_TRUE(S.GetActive());
}

TEST_F(TSeriesGroupTest, ContainsGivesTheFirstGroupHoldingTheSeries) {
  TSeriesGroup* Second = List.AddGroup(QStringLiteral("Second"));
  TChartSeries Outside(nullptr);
  Second->Add(&Outside);
  Second->Add(&Series[1]);
  EXPECT_EQ(List.GetGroups().Contains(&Series[1]), 0);
  EXPECT_EQ(List.GetGroups().Contains(&Outside), 1);
  List.GetGroups().Delete(0);
  EXPECT_EQ(List.GetGroups().Contains(&Series[1]), 0);
  EXPECT_EQ(List.GetGroups().Contains(&Series[0]), -1);
}

// A group must never keep a series that left the chart: the series may be
// freed next, and showing the group would then touch freed memory.
TEST_F(TSeriesGroupTest, ASeriesLeavingTheChartsListLeavesItsGroups) {
  TSeriesGroup* Second = List.AddGroup(QStringLiteral("Second"));
  Second->Add(&Series[1]);
  EXPECT_TRUE(List.Remove(&Series[1]));
  EXPECT_FALSE(Group->GetSeries().Contains(&Series[1]));
  EXPECT_EQ(Second->GetSeries().Count(), 0);
  List.Delete(0);
  EXPECT_EQ(Group->GetSeries().Count(), 1);
  List.Clear();
  EXPECT_EQ(Group->GetSeries().Count(), 0);
}

TEST_F(TSeriesGroupTest, ExchangingInTheChartsListKeepsGroupMembership) {
  List.Exchange(0, 2);
  List.Put(1, &Series[1]);
  EXPECT_EQ(Group->GetSeries().Count(), 3);
}

TEST_F(TSeriesGroupTest, SeriesIsStoredOnlyWhenTheGroupHasSeries) {
  const TPublishedProperty* P = Group->Properties().Find(QStringLiteral("Series"));
  ASSERT_NE(P, nullptr);
  EXPECT_TRUE(P->IsStored(*Group));
  EXPECT_FALSE(P->IsStored(TSeriesGroup()));
}

TEST_F(TSeriesGroupTest, AssignedGroupsCopyNamesAndSeries) {
  TSeriesGroups Copy;
  Copy.Assign(List.GetGroups());
  ASSERT_EQ(Copy.Count(), 1);
  EXPECT_EQ(Copy.Get(0)->GetName(), QStringLiteral("Scans"));
  EXPECT_EQ(Copy.Get(0)->GetSeries().Count(), 3);
  EXPECT_EQ(Copy.Get(0)->GetCollection(), &Copy);
}

}  // namespace

#include "chart/core/TDataSourcesList.h"

#include "chart/core/KorException.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomSeriesList.h"

#include <gtest/gtest.h>

namespace {

// Series B takes its points from series A (and sometimes C); no chart.
class TDataSourcesListTest : public ::testing::Test {
 protected:
  TDataSourcesList& Sources() { return B.GetDataSources(); }

  TChartSeries A{nullptr};
  TChartSeries B{nullptr};
  TChartSeries C{nullptr};
};

TEST_F(TDataSourcesListTest, AddGoesThroughTheSeriesWhichLinksAndValidates) {
  EXPECT_EQ(Sources().Add(&A), 0);
  EXPECT_EQ(Sources().Add(&A), -1);
  EXPECT_EQ(Sources().Count(), 1);
  EXPECT_EQ(Sources().First(), &A);
  EXPECT_TRUE(A.GetLinkedSeries().Contains(&B));
  EXPECT_THROW(Sources().Add(&B), ChartException);  // itself
  EXPECT_EQ(Sources().Count(), 1);
}

TEST_F(TDataSourcesListTest, DeletingTheOnlySourceUnlinksIt) {
  Sources().Add(&A);
  Sources().Delete(0);
  EXPECT_EQ(Sources().Count(), 0);
  EXPECT_EQ(Sources().First(), nullptr);
  EXPECT_FALSE(A.GetLinkedSeries().Contains(&B));
}

// The series treats losing its first source as losing all of them; deleting
// one entry of several must not drop the others.
TEST_F(TDataSourcesListTest, DeletingOneOfSeveralSourcesKeepsTheOthers) {
  Sources().Add(&A);
  Sources().Add(&C);
  Sources().Delete(0);
  ASSERT_EQ(Sources().Count(), 1);
  EXPECT_EQ(Sources().Get(0), &C);
  EXPECT_FALSE(A.GetLinkedSeries().Contains(&B));
  EXPECT_TRUE(C.GetLinkedSeries().Contains(&B));
  EXPECT_THROW(Sources().Delete(1), ChartException);
  EXPECT_THROW(Sources().Get(-1), ChartException);
}

TEST_F(TDataSourcesListTest, ClearUnlinksAndDropsPointsThatCameFromTheSources) {
  Sources().Add(&A);
  Sources().Add(&C);
  B.AddXY(1, 2);
  Sources().Clear();
  EXPECT_EQ(Sources().Count(), 0);
  EXPECT_FALSE(A.GetLinkedSeries().Contains(&B));
  EXPECT_FALSE(C.GetLinkedSeries().Contains(&B));
  EXPECT_EQ(B.Count(), 0);

  B.AddXY(1, 2);
  B.SetManualData(true);
  Sources().Clear();
  EXPECT_EQ(B.Count(), 1);
}

TEST_F(TDataSourcesListTest, RawEditsOnlyChangeTheList) {
  Sources().Append(&A);
  EXPECT_FALSE(A.GetLinkedSeries().Contains(&B));
  EXPECT_EQ(Sources().IndexOf(&A), 0);
  EXPECT_TRUE(Sources().Remove(&A));
  EXPECT_FALSE(Sources().Remove(&A));
  Sources().Append(&C);
  Sources().ClearRaw();
  EXPECT_EQ(Sources().Count(), 0);
}

}  // namespace

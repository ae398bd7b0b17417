#include "chart/core/TKorSeriesSource.h"

#include "chart/core/KorException.h"
#include "chart/core/SeriesCreation.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TDataSourcesList.h"
#include "chart/core/TKorSeriesTypes.h"

#include "tests/chart/core/TestCharts.h"

#include <gtest/gtest.h>

namespace {

// Loads three points and counts its loads.
class TCountingSource : public TKorSeriesSource {
 public:
  explicit TCountingSource(TComponent* AOwner) : TKorSeriesSource(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TCountingSource"); }
  bool Available(const TCustomAxisPanel*) const override { return Allowed; }
  void Load() override {
    ++Loads;
    if (GetSeries() == nullptr) return;
    GetSeries()->Clear();
    for (double Y : {7.0, 8.0, 9.0}) GetSeries()->Add(Y);
  }
  int Loads = 0;
  bool Allowed = true;
};

class TOtherSource : public TKorSeriesSource {
 public:
  explicit TOtherSource(TComponent* AOwner) : TKorSeriesSource(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TOtherSource"); }
};

class TSourcedSeries : public TChartSeries {
 public:
  explicit TSourcedSeries(TComponent* AOwner) : TChartSeries(AOwner) {}
  QString ClassName() const override { return QStringLiteral("TSourcedSeries"); }
};

class TKorSeriesSourceTest : public ::testing::Test {
 protected:
  TChartSeries* AddSeries() {
    auto* S = new TChartSeries(&Form);
    Chart.AddSeries(S);
    return S;
  }

  TTestChart Chart;
  TComponent Form{nullptr};
};

TEST_F(TKorSeriesSourceTest, PublishesSeriesThenActive) {
  TCountingSource Source(nullptr);
  const TPropertyList& Props = Source.Properties();
  ASSERT_EQ(Props.Count(), 2);
  EXPECT_EQ(Props.Item(0).Name, QStringLiteral("Series"));
  EXPECT_FALSE(Props.Item(0).IsStored(Source));
  EXPECT_EQ(Props.Item(1).Name, QStringLiteral("Active"));
  EXPECT_FALSE(Props.Item(1).IsStored(Source));
}

TEST_F(TKorSeriesSourceTest, AnActiveSourceFillsItsSeriesAndClosingEmptiesIt) {
  TChartSeries* Series = AddSeries();
  auto* Source = new TCountingSource(&Form);
  Source->SetSeries(Series);
  EXPECT_EQ(Series->GetDataSource(), Source);
  EXPECT_EQ(Source->Loads, 0);  // not active yet
  Source->Open();
  EXPECT_TRUE(Source->GetActive());
  EXPECT_EQ(Series->Count(), 3);
  Series->CheckDataSource();  // the chart refreshes an active source
  EXPECT_EQ(Source->Loads, 2);
  Source->Close();
  EXPECT_EQ(Series->Count(), 0);
  EXPECT_TRUE(Source->HasSeries(Series));
  EXPECT_FALSE(TOtherSource(nullptr).HasSeries(Series));
}

TEST_F(TKorSeriesSourceTest, LeavingTheSeriesClearsItsDataSource) {
  TChartSeries* Series = AddSeries();
  TChartSeries* Next = AddSeries();
  auto* Source = new TCountingSource(&Form);
  Source->SetSeries(Series);
  Source->Open();
  Source->SetSeries(Next);
  EXPECT_EQ(Series->GetDataSource(), nullptr);
  EXPECT_EQ(Series->Count(), 0);
  EXPECT_EQ(Next->GetDataSource(), Source);
  EXPECT_FALSE(Source->GetActive());  // closed on the way
  Source->SetSeries(nullptr);
  EXPECT_EQ(Next->GetDataSource(), nullptr);
  EXPECT_EQ(Source->GetSeries(), nullptr);
  delete Source;  // neither series may still hold it
  EXPECT_EQ(Series->GetDataSources().Count(), 0);
  EXPECT_EQ(Next->GetDataSources().Count(), 0);
}

TEST_F(TKorSeriesSourceTest, EitherSideMayBeFreedFirst) {
  TChartSeries* Series = AddSeries();
  auto* Source = new TCountingSource(&Form);
  Source->SetSeries(Series);
  Source->Open();
  delete Series;
  EXPECT_EQ(Source->GetSeries(), nullptr);
  Source->Refresh();  // loads into nothing
  EXPECT_EQ(Source->Loads, 2);

  TChartSeries* Second = AddSeries();
  Source->SetSeries(Second);  // closes first
  EXPECT_EQ(Second->Count(), 0);
  Source->Open();
  EXPECT_EQ(Second->Count(), 3);
  delete Source;
  EXPECT_EQ(Second->GetDataSource(), nullptr);
  EXPECT_EQ(Second->Count(), 0);  // a freed source leaves no points behind
}

TEST_F(TKorSeriesSourceTest, AChartRefusesASourceThatIsNotAvailableForIt) {
  TChartSeries* Series = AddSeries();
  auto* Source = new TCountingSource(&Form);
  Source->Allowed = false;
  EXPECT_THROW(Source->SetSeries(Series), ChartException);
  EXPECT_EQ(Source->GetSeries(), nullptr);
  EXPECT_EQ(Series->GetDataSource(), nullptr);
}

TEST_F(TKorSeriesSourceTest, ASeriesTakingTheSourceOverMovesIt) {
  TChartSeries* First = AddSeries();
  TChartSeries* Second = AddSeries();
  auto* Source = new TCountingSource(First);  // owned by the series it feeds
  Source->SetSeries(First);
  Source->Open();
  Second->SetDataSource(Source);
  EXPECT_EQ(Source->GetSeries(), Second);
  EXPECT_EQ(Source->GetOwner(), Second);
  EXPECT_TRUE(Source->GetActive());
  EXPECT_EQ(Second->Count(), 3);
  EXPECT_EQ(First->Count(), 0);
  delete First;
  EXPECT_EQ(Second->GetDataSource(), Source);
  delete Second;  // frees the source it owns
}

TEST_F(TKorSeriesSourceTest, AChangedSeriesKeepsItsSource) {
  const TChartSeriesClass SourcedClass = TChartSeriesClass::Of<TSourcedSeries>();
  TChartSeries* Series = AddSeries();
  auto* Source = new TCountingSource(Series);
  Source->SetSeries(Series);
  Source->Open();
  ChangeSeriesType(Series, SourcedClass);
  EXPECT_EQ(Series->ClassName(), QStringLiteral("TSourcedSeries"));
  EXPECT_EQ(Source->GetSeries(), Series);
  EXPECT_EQ(Source->GetOwner(), Series);
  EXPECT_EQ(Series->GetDataSource(), Source);
  EXPECT_EQ(Series->Count(), 3);
}

TEST_F(TKorSeriesSourceTest, ASourceReadFromAStreamLoadsWhenLoaded) {
  TChartSeries* Series = AddSeries();
  Series->SetName("Scan");
  auto* Source = new TCountingSource(&Form);
  Source->SetStateFlag(TComponent::csLoading, true);
  ASSERT_TRUE(SetPropertyValue(*Source, QStringLiteral("Active"), true));
  ASSERT_TRUE(SetPropertyValue(*Source, QStringLiteral("Series"), QStringLiteral("Scan")));
  EXPECT_EQ(Source->Loads, 0);
  Source->Loaded();
  EXPECT_EQ(Source->GetSeries(), Series);
  EXPECT_EQ(Source->Loads, 1);
  EXPECT_EQ(Series->Count(), 3);
  TPropertyValue Name;
  ASSERT_TRUE(GetPropertyValue(*Source, QStringLiteral("Series"), Name));
  EXPECT_EQ(std::get<QString>(Name), QStringLiteral("Scan"));
}

// The stream may hold the source before the series it names.
TEST_F(TKorSeriesSourceTest, ASeriesReadAfterItsSourceIsFoundWhenLoaded) {
  auto* Source = new TCountingSource(&Form);
  ASSERT_TRUE(SetPropertyValue(*Source, QStringLiteral("Series"), QStringLiteral("Later")));
  EXPECT_EQ(Source->GetSeries(), nullptr);
  TChartSeries* Series = AddSeries();
  Series->SetName("Later");
  Source->Loaded();
  EXPECT_EQ(Source->GetSeries(), Series);
}

}  // namespace

#include "chart/core/TChartTools.h"

#include "chart/core/KorException.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorCustomTool.h"
#include "chart/core/TKorCustomToolSeries.h"

#include "tests/chart/core/TestCharts.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A tool that records the events the chart passes on.
class TRecordingTool : public TKorCustomTool {
 public:
  explicit TRecordingTool(TComponent* AOwner) : TKorCustomTool(AOwner) {}
  void ChartEvent(TChartToolEvent AEvent) override { Events.push_back(AEvent); }
  std::vector<TChartToolEvent> Events;
};

// Tools owned by a form, on one of two charts of that form.
class TChartToolsTest : public ::testing::Test {
 protected:
  TChartTools& Tools() { return Chart->GetTools(); }
  std::vector<TKorCustomTool*> Entries(TTestChart& C) {
    return {C.GetTools().begin(), C.GetTools().end()};
  }

  std::unique_ptr<TComponent> Form = std::make_unique<TComponent>(nullptr);
  TTestChart* Chart = new TTestChart(Form.get());
  TTestChart* Other = new TTestChart(Form.get());
  TRecordingTool* A = new TRecordingTool(Form.get());
  TRecordingTool* B = new TRecordingTool(Form.get());
};

TEST_F(TChartToolsTest, AddPutsTheToolOnTheChart) {
  EXPECT_EQ(Tools().Add(A), A);
  Tools().Add(B);
  Tools().Add(A);  // already there
  EXPECT_EQ(Entries(*Chart), std::vector<TKorCustomTool*>({A, B}));
  EXPECT_EQ(A->GetParentChart(), Chart);
  EXPECT_EQ(Tools().IndexOf(B), 1);
  EXPECT_THROW(Tools().Get(2), ChartException);
}

TEST_F(TChartToolsTest, AToolIsInTheListOfExactlyTheChartItIsOn) {
  A->SetParentChart(Chart);
  B->SetParentChart(Chart);
  A->SetParentChart(Other);
  EXPECT_EQ(Entries(*Chart), std::vector<TKorCustomTool*>({B}));
  EXPECT_EQ(Entries(*Other), std::vector<TKorCustomTool*>({A}));

  const int Before = Other->Invalidations;
  A->SetParentChart(nullptr);  // leaving every chart repaints the old one
  EXPECT_EQ(Other->GetTools().Count(), 0);
  EXPECT_GT(Other->Invalidations, Before);

  Tools().Remove(B);
  EXPECT_EQ(B->GetParentChart(), nullptr);
  EXPECT_EQ(Tools().Count(), 0);
}

TEST_F(TChartToolsTest, ChartEventsReachTheActiveToolsOnly) {
  Tools().Add(A);
  Tools().Add(B);
  B->SetActive(false);
  Chart->BroadcastToolEvent(cteBeforeDraw);
  EXPECT_EQ(A->Events, std::vector<TChartToolEvent>({cteBeforeDraw}));
  EXPECT_TRUE(B->Events.empty());
  Tools().SetActive(true);
  EXPECT_TRUE(B->GetActive());
  Tools().SetActive(false);
  EXPECT_FALSE(A->GetActive());
}

TEST_F(TChartToolsTest, ClearFreesTheToolsAndTheirOwnerForgetsThem) {
  Tools().Add(A);
  Tools().Add(B);
  const int Owned = Form->GetComponentCount();
  Tools().Clear();
  EXPECT_EQ(Tools().Count(), 0);
  EXPECT_EQ(Form->GetComponentCount(), Owned - 2);
  Form.reset();  // no tool is freed twice
}

TEST_F(TChartToolsTest, FreeingAToolTakesItOffItsChart) {
  Tools().Add(A);
  Tools().Add(B);
  delete A;
  EXPECT_EQ(Entries(*Chart), std::vector<TKorCustomTool*>({B}));
  Chart->BroadcastToolEvent(cteAfterDraw);
  EXPECT_EQ(B->Events.size(), 1u);
}

TEST_F(TChartToolsTest, FreeingTheChartFirstFreesItsTools) {
  Tools().Add(A);
  B->SetParentChart(Other);
  const int Owned = Form->GetComponentCount();
  delete Chart;
  EXPECT_EQ(Form->GetComponentCount(), Owned - 2);
  EXPECT_EQ(B->GetParentChart(), Other);
  Form.reset();
}

TEST_F(TChartToolsTest, ASeriesToolWithoutSeriesFollowsTheSideThatHasSeries) {
  auto* Tool = new TKorCustomToolSeries(Form.get());
  Tools().Add(Tool);
  EXPECT_EQ(Tool->GetVertAxis(), Chart->GetLeftAxis());
  EXPECT_EQ(Tool->GetHorizAxis(), Chart->GetBottomAxis());
  auto* Series = new TChartSeries(Form.get());
  Series->SetVertAxis(aRightAxis);
  Series->SetHorizAxis(aTopAxis);
  Chart->AddSeries(Series);
  EXPECT_EQ(Tool->GetVertAxis(), Chart->GetRightAxis());
  EXPECT_EQ(Tool->GetHorizAxis(), Chart->GetTopAxis());
  Series->SetActive(false);
  EXPECT_EQ(Tool->GetVertAxis(), Chart->GetLeftAxis());
  Tool->SetSeries(Series);
  EXPECT_EQ(Tool->GetVertAxis(), Chart->GetRightAxis());
}

// A stream names the series; one read before its series waits for Loaded.
TEST_F(TChartToolsTest, ASeriesToolKeepsItsSeriesByName) {
  auto* Tool = new TKorCustomToolSeries(Form.get());
  const TPublishedProperty* Prop = Tool->Properties().Find(QStringLiteral("Series"));
  ASSERT_NE(Prop, nullptr);
  EXPECT_FALSE(Prop->IsStored(*Tool));
  Tool->SetSeriesName(QStringLiteral("Later"));
  EXPECT_EQ(Tool->GetSeries(), nullptr);
  auto* Series = new TChartSeries(Form.get());
  Series->SetName("Later");
  Tool->Loaded();
  EXPECT_EQ(Tool->GetSeries(), Series);
  EXPECT_EQ(Tool->GetSeriesName(), QStringLiteral("Later"));
  EXPECT_TRUE(Prop->IsStored(*Tool));
  delete Series;
  EXPECT_EQ(Tool->GetSeriesName(), QString());
}

}  // namespace

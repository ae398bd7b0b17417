#include "chart/tools/TSeriesAnimationTool.h"

#include "chart/core/TChartValueList.h"
#include "chart/series/TPointSeries.h"
#include "tests/chart/core/TestCharts.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <vector>

namespace {

// Seven points with values that are not round in binary, so that a value
// put back by arithmetic instead of from the saved copy would show.
class TSeriesAnimationToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Series = Make<TPointSeries>(&Chart);
    for (int I = 0; I < static_cast<int>(Real.size()); ++I)
      Series->AddXY(I, Real[static_cast<size_t>(I)]);
    Tool = Make<TSeriesAnimationTool>(&Chart);
    Tool->SetSeries(Series);
    Tool->SetSteps(4);
  }
  template <class T>
  static T* Make(TTestChart* AChart) {
    auto* Item = new T(AChart);
    Item->SetParentChart(AChart);
    return Item;
  }
  static std::vector<double> Values(const TChartSeries& S) {
    const TChartValueList& L = S.GetMandatory();
    return std::vector<double>(L.Data(), L.Data() + L.Count());
  }

  const std::vector<double> Real{0.1, -1.3, 4.7, 1.9, 9.3, 2.6, 5.1};
  TTestChart Chart;
  TPointSeries* Series = nullptr;
  TSeriesAnimationTool* Tool = nullptr;
};

TEST_F(TSeriesAnimationToolTest, ARunGrowsFromTheStartValueAndEndsWithTheExactValues) {
  std::vector<std::vector<double>> Seen;
  Tool->OnStep = [&](TSeriesAnimationTool* Sender, int Step) {
    EXPECT_EQ(Sender, Tool);
    EXPECT_TRUE(Sender->GetRunning());
    EXPECT_EQ(Step, static_cast<int>(Seen.size()));
    Seen.push_back(Values(*Series));
  };
  Tool->Execute();
  ASSERT_EQ(Seen.size(), 5u);
  for (double V : Seen[0]) EXPECT_EQ(V, -1.3);  // the smallest value
  EXPECT_DOUBLE_EQ(Seen[2][4], 0.5 * 9.3 + 0.5 * -1.3);
  EXPECT_EQ(Values(*Series), Real);
  EXPECT_FALSE(Tool->GetRunning());
  EXPECT_EQ(Series->GetUpdateCount(), 0);

  // A fixed start value, and fewer than one step working as one.
  Seen.clear();
  Tool->SetStartAtMin(false);
  Tool->SetStartValue(20);
  Tool->SetSteps(0);
  Tool->Execute();
  ASSERT_EQ(Seen.size(), 2u);
  for (double V : Seen[0]) EXPECT_EQ(V, 20);
  EXPECT_EQ(Seen[1], Real);
  EXPECT_EQ(Values(*Series), Real);
}

TEST_F(TSeriesAnimationToolTest, StopDuringARunRestoresTheValuesAtOnce) {
  int Steps = 0;
  Tool->SetLoop(salCircular);  // would run until stopped
  Tool->OnStep = [&](TSeriesAnimationTool* Sender, int) {
    ++Steps;
    Sender->Execute();  // already running: nothing
    if (Steps == 3) Sender->Stop();
  };
  Tool->Execute();
  EXPECT_EQ(Steps, 3);
  EXPECT_EQ(Values(*Series), Real);
  EXPECT_FALSE(Tool->GetRunning());
  EXPECT_EQ(Series->GetUpdateCount(), 0);
}

TEST_F(TSeriesAnimationToolTest, DrawEveryGrowsThePointsInGroups) {
  Tool->SetStartAtMin(false);
  Tool->SetStartValue(-100);
  Tool->SetSteps(1);
  const std::vector<std::pair<int, std::vector<int>>> Cases{
      {3, {3, 6, 7}}, {0, {7}}, {-2, {7}}, {7, {7}}, {10, {7}}};
  for (const auto& [DrawEvery, Expected] : Cases) {
    std::vector<int> Grown;  // points at their real value after each group
    Tool->SetDrawEvery(DrawEvery);
    Tool->OnStep = [&](TSeriesAnimationTool*, int Step) {
      if (Step != 1) return;
      int N = 0;
      for (double V : Values(*Series))
        if (V != -100) ++N;
      Grown.push_back(N);
    };
    Tool->Execute();
    EXPECT_EQ(Grown, Expected) << "DrawEvery " << DrawEvery;
    EXPECT_EQ(Values(*Series), Real);
  }
}

TEST_F(TSeriesAnimationToolTest, FreeingTheSeriesOrTheChartDuringARunEndsItSafely) {
  Tool->OnStep = [&](TSeriesAnimationTool*, int Step) {
    if (Step == 1) delete Series;
  };
  Tool->Execute();
  EXPECT_FALSE(Tool->GetRunning());
  EXPECT_EQ(Tool->GetSeries(), nullptr);

  // The chart takes its series and tools with it.
  auto* Other = new TTestChart;
  TPointSeries* S = Make<TPointSeries>(Other);
  S->AddXY(0, 1);
  S->AddXY(1, 2);
  TSeriesAnimationTool* T = Make<TSeriesAnimationTool>(Other);
  T->SetSeries(S);
  T->OnStep = [&](TSeriesAnimationTool*, int) { delete Other; };
  T->Execute();
  SUCCEED();  // the sanitizer build fails on any use of the freed objects
}

TEST_F(TSeriesAnimationToolTest, FreeingTheToolOrClosingTheWindowEndsTheRunWithTheValuesBack) {
  Tool->OnStep = [&](TSeriesAnimationTool* Sender, int Step) {
    if (Step == 2) delete Sender;
  };
  Tool->Execute();
  EXPECT_EQ(Values(*Series), Real);
  EXPECT_EQ(Series->GetUpdateCount(), 0);

  Tool = Make<TSeriesAnimationTool>(&Chart);
  Tool->SetSeries(Series);
  int Steps = 0;
  Tool->OnStep = [&](TSeriesAnimationTool*, int) {
    if (++Steps == 2) delete Chart.GetWidget();
  };
  Tool->Execute();
  EXPECT_EQ(Steps, 2);
  EXPECT_FALSE(Tool->GetRunning());
  EXPECT_EQ(Values(*Series), Real);
  EXPECT_EQ(Series->GetUpdateCount(), 0);
}

}  // namespace

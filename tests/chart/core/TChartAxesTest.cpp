#include "chart/core/TChartAxes.h"

#include "chart/core/KorException.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartCustomAxes.h"

#include "tests/chart/core/TestCharts.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TChartAxesTest : public ::testing::Test {
 protected:
  TChartAxes& Axes() { return Chart.GetAxesList(); }

  TTestChart Chart;
};

TEST_F(TChartAxesTest, StandardAxesComeFirstThenTheCustomOnes) {
  const std::vector<TChartAxis*> Standard{Chart.GetBottomAxis(), Chart.GetTopAxis(),
                                          Chart.GetLeftAxis(),   Chart.GetRightAxis(),
                                          Chart.GetDepthAxis(),  Chart.GetDepthTopAxis()};
  EXPECT_EQ(std::vector<TChartAxis*>(Axes().begin(), Axes().end()), Standard);
  EXPECT_EQ(Axes().GetBottomAxis(), Chart.GetBottomAxis());
  EXPECT_EQ(Axes().GetTopAxis(), Chart.GetTopAxis());
  EXPECT_EQ(Axes().GetLeftAxis(), Chart.GetLeftAxis());
  EXPECT_EQ(Axes().GetRightAxis(), Chart.GetRightAxis());
  EXPECT_EQ(Axes().GetDepthAxis(), Chart.GetDepthAxis());
  EXPECT_EQ(Axes().GetDepthTopAxis(), Chart.GetDepthTopAxis());

  TChartAxis* Custom = Chart.GetCustomAxes().Add();
  EXPECT_EQ(Axes().IndexOf(Custom), 6);
  Chart.GetCustomAxes().Delete(0);
  EXPECT_EQ(Axes().IndexOf(Custom), -1);
  EXPECT_EQ(Axes().Count(), 6);
  EXPECT_THROW(Axes().Get(6), ChartException);
}

TEST_F(TChartAxesTest, SwitchesActOnTheChartAndEveryAxis) {
  Axes().Hide();
  EXPECT_FALSE(Chart.GetAxisVisible());
  Axes().SetVisible(true);
  EXPECT_TRUE(Axes().GetVisible());
  Axes().SetBehind(false);
  EXPECT_FALSE(Chart.GetAxisBehind());
  EXPECT_FALSE(Axes().GetBehind());

  Chart.GetLeftAxis()->SetMinMax(0, 10);
  TChartAxis* Custom = Chart.GetCustomAxes().Add();
  Custom->SetMinMax(1, 2);
  Axes().Reset();
  for (const TChartAxis* Axis : Axes()) EXPECT_TRUE(Axis->GetAutomatic());

  Axes().SetFastCalc(true);
  EXPECT_TRUE(Axes().GetFastCalc());
}

TEST_F(TChartAxesTest, ClearOnlyEmptiesTheList) {
  TChartAxis* Custom = Chart.GetCustomAxes().Add();
  Axes().Clear();
  EXPECT_EQ(Axes().Count(), 0);
  // The axes belong to the chart and its collection and are still usable.
  Custom->SetMinMax(1, 2);
  EXPECT_EQ(Chart.GetCustomAxes().Count(), 1);
  Axes().Remove(Custom);  // not in the list: nothing
}

TEST_F(TChartAxesTest, TheLabelRoomHookIsEmptyUnlessSet) {
  EXPECT_FALSE(Axes().CalcPosLabels);
}

}  // namespace

#include "chart/core/TChartCustomAxes.h"

#include "chart/core/KorException.h"
#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TKorCustomToolAxis.h"

#include "tests/chart/core/TestCharts.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TChartCustomAxesTest : public ::testing::Test {
 protected:
  TChartCustomAxes& Custom() { return Chart->GetCustomAxes(); }

  std::unique_ptr<TComponent> Form = std::make_unique<TComponent>(nullptr);
  TTestChart* Chart = new TTestChart(Form.get());
};

TEST_F(TChartCustomAxesTest, AddedAxesBelongToTheChart) {
  TChartAxis* A = Custom().Add();
  TChartAxis* B = Custom().Add();
  EXPECT_EQ(A->GetParentChart(), Chart);
  EXPECT_EQ(Custom().IndexOf(B), 1);
  EXPECT_EQ(Custom().IndexOf(Chart->GetLeftAxis()), -1);
  Custom().Delete(0);
  EXPECT_EQ(Custom().Get(0), B);
  EXPECT_THROW(Custom().Get(1), ChartException);
  EXPECT_THROW(Custom().Delete(1), ChartException);
  Custom().Clear();
  EXPECT_EQ(Custom().Count(), 0);
  EXPECT_EQ(Chart->GetAxesList().Count(), 6);
}

TEST_F(TChartCustomAxesTest, PutAndAssignCopySettings) {
  TChartAxis* A = Custom().Add();
  Chart->GetLeftAxis()->SetInverted(true);
  Chart->GetLeftAxis()->SetMinMax(3, 4);
  Custom().Put(0, *Chart->GetLeftAxis());
  EXPECT_TRUE(A->GetInverted());
  EXPECT_EQ(A->GetMaximum(), 4);

  TTestChart Copy;
  Copy.GetCustomAxes().Add();
  Copy.GetCustomAxes().Add();
  Copy.GetCustomAxes().Assign(Custom());
  ASSERT_EQ(Copy.GetCustomAxes().Count(), 1);
  EXPECT_TRUE(Copy.GetCustomAxes().Get(0)->GetInverted());
  EXPECT_EQ(Copy.GetCustomAxes().Get(0)->GetParentChart(), &Copy);
  EXPECT_EQ(Copy.GetAxesList().Count(), 7);
}

TEST_F(TChartCustomAxesTest, ResetScalesReachesOnlyTheMastersFollowers) {
  TChartAxis* Follower = Custom().Add();
  TChartAxis* Free = Custom().Add();
  Follower->SetMasterAxis(Chart->GetLeftAxis());
  Free->SetMinMax(-1, 1);
  Chart->GetLeftAxis()->SetMinMax(5, 9);
  Follower->SetMinMax(0, 1);
  Custom().ResetScales(Chart->GetLeftAxis());
  EXPECT_EQ(Follower->GetMinimum(), 5);
  EXPECT_EQ(Follower->GetMaximum(), 9);
  EXPECT_EQ(Free->GetMinimum(), -1);
}

// An axis tool must not keep pointing at a custom axis that was freed.
TEST_F(TChartCustomAxesTest, DeletingAnAxisClearsTheAxisToolsOnIt) {
  TChartAxis* Axis = Custom().Add();
  auto* Tool = new TKorCustomToolAxis(Form.get());
  Tool->SetAxis(Axis);
  EXPECT_EQ(Tool->GetParentChart(), Chart);
  Custom().Delete(0);
  EXPECT_EQ(Tool->GetAxis(), nullptr);
  EXPECT_EQ(Chart->GetTools().IndexOf(Tool), 0);
}

}  // namespace

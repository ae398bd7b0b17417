#include "chart/core/TKorCustomToolAxis.h"

#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartCustomAxes.h"
#include "chart/core/TChartTools.h"

#include "tests/chart/core/TestCharts.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TKorCustomToolAxisTest : public ::testing::Test {
 protected:
  bool Stored(const char* Name) const {
    const TPublishedProperty* P = Tool->Properties().Find(QString::fromLatin1(Name));
    return P != nullptr && P->IsStored(*Tool);
  }

  std::unique_ptr<TComponent> Form = std::make_unique<TComponent>(nullptr);
  TTestChart* Chart = new TTestChart(Form.get());
  TTestChart* Other = new TTestChart(Form.get());
  TKorCustomToolAxis* Tool = new TKorCustomToolAxis(Form.get());
};

TEST_F(TKorCustomToolAxisTest, TheToolGoesWhereItsAxisIs) {
  Tool->SetAxis(Chart->GetLeftAxis());
  EXPECT_EQ(Tool->GetParentChart(), Chart);
  EXPECT_EQ(Chart->GetTools().Count(), 1);
  Tool->SetAxis(Other->GetBottomAxis());
  EXPECT_EQ(Tool->GetParentChart(), Other);
  EXPECT_EQ(Chart->GetTools().Count(), 0);
  Tool->SetAxis(nullptr);
  EXPECT_EQ(Tool->GetParentChart(), nullptr);
  EXPECT_EQ(Other->GetTools().Count(), 0);
  EXPECT_EQ(Tool->GetEditorClass(), QStringLiteral("TAxisToolEditor"));
}

TEST_F(TKorCustomToolAxisTest, AxisIDIsThePlaceInTheChartsAxes) {
  EXPECT_FALSE(Stored("AxisID"));
  TChartAxis* Custom = Chart->GetCustomAxes().Add();
  Tool->SetAxis(Custom);
  EXPECT_TRUE(Stored("AxisID"));
  EXPECT_EQ(Tool->GetAxisID(), 6);
  Tool->SetAxisID(2);
  EXPECT_EQ(Tool->GetAxis(), Chart->GetLeftAxis());
  Tool->SetAxisID(42);  // no such axis: kept
  EXPECT_EQ(Tool->GetAxis(), Chart->GetLeftAxis());
}

TEST_F(TKorCustomToolAxisTest, AnAxisIDReadBeforeTheChartIsResolvedWhenLoaded) {
  Tool->SetStateFlag(TComponent::csLoading, true);
  Tool->SetAxisID(3);
  EXPECT_EQ(Tool->GetAxis(), nullptr);
  Chart->GetTools().Add(Tool);
  Tool->Loaded();
  EXPECT_EQ(Tool->GetAxis(), Chart->GetRightAxis());
}

}  // namespace

#include "chart/tools/TAnnotationCallout.h"

#include "chart/core/TChartPen.h"
#include "tests/chart/core/TestCharts.h"

#include <gtest/gtest.h>

namespace {

class TAnnotationCalloutTest : public ::testing::Test {
 protected:
  void SetUp() override { Callout.SetParent(&Chart); }

  TTestChart Chart;
  TAnnotationCallout Callout;
};

TEST_F(TAnnotationCalloutTest, HiddenWithAHiddenArrowAndPublishedSo) {
  EXPECT_FALSE(Callout.GetVisible());
  EXPECT_FALSE(Callout.GetArrow().GetVisible());
  const TPublishedProperty* Visible = Callout.Properties().Find(QStringLiteral("Visible"));
  ASSERT_NE(Visible, nullptr);
  EXPECT_FALSE(Visible->IsStored(Callout));
  EXPECT_NE(Callout.Properties().Find(QStringLiteral("ZPosition")), nullptr);
}

TEST_F(TAnnotationCalloutTest, PositionsRepaintOnlyWhenChangedAndAssignCopiesThem) {
  Chart.Invalidations = 0;
  Callout.SetXPosition(5);
  Callout.SetXPosition(5);
  Callout.SetYPosition(6);
  Callout.SetZPosition(7);
  EXPECT_EQ(Chart.Invalidations, 3);

  Callout.SetDistance(4);
  TAnnotationCallout Copy;
  Copy.Assign(Callout);
  EXPECT_EQ(Copy.GetXPosition(), 5);
  EXPECT_EQ(Copy.GetYPosition(), 6);
  EXPECT_EQ(Copy.GetZPosition(), 7);
  EXPECT_EQ(Copy.GetDistance(), 4);
}

}  // namespace

#include "chart/series/TAreaSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TKorGradient.h"
#include "chart/series/THorizAreaSeries.h"
#include "chart/series/TLineSeries.h"
#include "tests/chart/series/Chart3DFixture.h"
#include "tests/chart/series/LineTestCharts.h"

namespace {

class TAreaSeriesTest : public TLineChartFixture {};

TEST_F(TAreaSeriesTest, PublishesTheOriginAndMultiAreaAfterTheBase) {
  TAreaSeries Area(nullptr);
  const TPropertyList& P = Area.Properties();
  const int Base = TCustomSeries(nullptr).Properties().Count();
  ASSERT_EQ(P.Count(), Base + 3);
  EXPECT_EQ(P.Item(Base).Name, QStringLiteral("UseYOrigin"));
  EXPECT_EQ(P.Item(Base + 1).Name, QStringLiteral("YOrigin"));
  EXPECT_EQ(P.Item(Base + 2).Name, QStringLiteral("MultiArea"));
  EXPECT_TRUE(Area.GetDrawArea());
  EXPECT_EQ(Area.GetEditorClass(), QStringLiteral("TAreaSeriesEditor"));
  EXPECT_EQ(THorizAreaSeries(nullptr).GetGradient().GetDirection(), gdRightLeft);
}

TEST_F(TAreaSeriesTest, MultiAreaIsAViewOfStacked) {
  auto* S = Series<TAreaSeries>({{20, 20}});
  S->SetStacked(cssOverlap);
  EXPECT_EQ(S->GetMultiArea(), maNone);
  S->SetMultiArea(maNone);  // the value it reads: Stacked stays
  EXPECT_EQ(S->GetStacked(), cssOverlap);
  S->SetMultiArea(maStacked100);
  EXPECT_EQ(S->GetStacked(), cssStack100);
  EXPECT_EQ(S->GetMultiArea(), maStacked100);
  S->SetMultiArea(maStacked);
  EXPECT_EQ(S->GetStacked(), cssStack);
  EXPECT_TRUE(S->DrawSeriesForward(0));
}

TEST_F(TAreaSeriesTest, TheOriginComesAlongBetweenAreasAndWidensTheRange) {
  TAreaSeries Source(nullptr);
  Source.SetUseOrigin(true);
  Source.SetOrigin(-3);
  Source.GetPointer().Show();
  TAreaSeries Copy(nullptr);
  Copy.Assign(Source);
  EXPECT_TRUE(Copy.GetUseYOrigin());
  EXPECT_EQ(Copy.GetYOrigin(), -3);
  EXPECT_TRUE(Copy.GetPointer().GetVisible());

  Copy.AddXY(1, 5);
  Copy.AddXY(2, 7);
  EXPECT_EQ(Copy.MinYValue(), -3);
  Copy.SetOrigin(9);
  EXPECT_EQ(Copy.MaxYValue(), 9);

  TLineSeries Line(nullptr);
  Copy.Assign(Line);
  EXPECT_FALSE(Copy.GetPointer().GetVisible());
  EXPECT_TRUE(Copy.GetDrawArea());
  EXPECT_EQ(Copy.GetYOrigin(), 9);  // not an area: the origin stays
}

TEST_F(TAreaSeriesTest, StairsFillAStepUnderEachSegment) {
  auto* S = Series<TAreaSeries>({{20, 20}, {60, 60}, {100, 20}});
  S->SetStairs(true);
  S->GetAreaLinesPen().Hide();
  DrawAll();
  // The step after point 0 stays at its 20 (pixel 90) up to x pixel 70.
  EXPECT_TRUE(InkAt(50, 100, clRed));
  EXPECT_FALSE(InkAt(50, 80, clRed));
  EXPECT_TRUE(InkAt(90, 60, clRed));  // the next step at 60
}

}  // namespace

namespace {

class TAreaSeries3DTest : public TChart3DFixture {};

TEST_F(TAreaSeries3DTest, TheAreaIsFilledAtTheFrontAndCoveredByARibbonOnTop) {
  auto* S = Drawn<TAreaSeries>({{2, 4}, {8, 4}});
  ASSERT_GT(Back - Front, 10);
  // The front face, down to the origin.
  EXPECT_TRUE(Reddish(At(*S, 5, 2, Front)));
  EXPECT_TRUE(Reddish(At(*S, 5, 0.5, Front)));
  // The top of the area through the depth.
  EXPECT_TRUE(Reddish(At(*S, 5, 4, Middle)));
  // Above the area and before its first point: nothing of it.
  EXPECT_FALSE(Reddish(At(*S, 5, 6, Front)));
  EXPECT_FALSE(Reddish(At(*S, 1, 2, Front)));
}

}  // namespace

#include "chart/series/THorizLineSeries.h"

#include "chart/core/TChartValueList.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/series/THorizAreaSeries.h"
#include "tests/chart/series/LineTestCharts.h"

namespace {

class THorizLineSeriesTest : public TLineChartFixture {};

// A 20 x 10 mark whose callout starts at (110, 60).
TSeriesMarkPosition MarkAt110x60() {
  TSeriesMarkPosition P;
  P.ArrowFrom = P.ArrowTo = TPoint(110, 60);
  P.Width = 20;
  P.Height = 10;
  P.LeftTop = TPoint(100, 51);
  return P;
}

TEST_F(THorizLineSeriesTest, DrawsItsXValuesAgainstAscendingY) {
  auto* S = Series<THorizLineSeries>({{20, 20}, {100, 60}});
  EXPECT_FALSE(S->GetYMandatory());
  EXPECT_EQ(S->GetYValues().GetOrder(), loAscending);
  EXPECT_EQ(S->GetXValues().GetOrder(), loNone);
  DrawAll();
  EXPECT_TRUE(InkAt(70, 70, clRed));  // half way from (30, 90) to (110, 50)
  EXPECT_EQ(S->Clicked(70, 70), 0);
}

TEST_F(THorizLineSeriesTest, KeepsThePointersOfALineSeriesItIsAssignedFrom) {
  TLineSeries Line(nullptr);
  Line.GetPointer().Show();
  THorizLineSeries Horizontal(nullptr);
  Horizontal.Assign(Line);
  EXPECT_TRUE(Horizontal.GetPointer().GetVisible());
  // And the other way round: both are line series.
  TLineSeries Back(nullptr);
  Back.Assign(Horizontal);
  EXPECT_TRUE(Back.GetPointer().GetVisible());
}

TEST_F(THorizLineSeriesTest, MarksGoBesideThePoint) {
  auto* S = Series<THorizLineSeries>({{100, 50}});
  S->GetMarks().SetArrowLength(8);
  Prepare();
  TSeriesMarkPosition P = MarkAt110x60();
  S->DrawMark(0, QStringLiteral("x"), P);
  EXPECT_EQ(P.LeftTop, TPoint(118, 56));  // right of the point, centred on it
  EXPECT_EQ(P.ArrowTo, TPoint(118, 60));

  auto* A = Series<THorizAreaSeries>({{100, 50}});
  A->GetMarks().SetArrowLength(8);
  P = MarkAt110x60();
  A->DrawMark(0, QStringLiteral("x"), P);
  EXPECT_EQ(P.LeftTop, TPoint(118, 55));
  EXPECT_EQ(P.ArrowTo, TPoint(118, 60));
  EXPECT_EQ(A->NumSampleValues(), 10);
}

TEST_F(THorizLineSeriesTest, MarksLeftOfTheOriginMoveByTheWholeShift) {
  // An inverted horizontal axis puts the origin at the right end, so every
  // point lies left of it and its mark goes to the left.
  Chart.GetBottomAxis()->SetInverted(true);
  auto* S = Series<THorizLineSeries>({{100, 50}});
  S->GetMarks().SetArrowLength(8);
  Prepare();
  TSeriesMarkPosition P = MarkAt110x60();
  S->DrawMark(0, QStringLiteral("x"), P);
  // Shift -(8 + 20): the box ends 8 pixels left of the point.
  EXPECT_EQ(P.LeftTop, TPoint(82, 56));
  EXPECT_EQ(P.ArrowTo, TPoint(82, 60));
  EXPECT_EQ(P.ArrowFrom, TPoint(110, 60));
}

}  // namespace

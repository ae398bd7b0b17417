#include "chart/tools/TNearestTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/series/TPointSeries.h"
#include "tests/chart/tools/MouseToolChart.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

#include <utility>
#include <vector>

namespace {

// A 2D silver chart of 400 x 300 pixels with a point series and a nearest
// tool on it; mouse events go through the chart's host widget.
class TNearestToolTest : public TMouseToolChart {
 protected:
  void SetUp() override {
    TMouseToolChart::SetUp();
    Chart.SetColor(clSilver);
    Series = new TPointSeries(&Chart);
    Chart.AddSeries(Series);
    Tool = new TNearestTool(&Chart);
    Tool->SetParentChart(&Chart);
    Tool->OnChange = [this](TPersistent*) { ++Changes; };
  }

  void Points(const std::vector<std::pair<double, double>>& XY) {
    for (const auto& [X, Y] : XY) Series->AddXY(X, Y);
  }
  // The mouse moves over the chart without a button held.
  void Move(int X, int Y) { TMouseToolChart::Move(X, Y, Qt::NoButton); }
  void Leave() {
    QEvent E(QEvent::Leave);
    QCoreApplication::sendEvent(Chart.GetWidget(), &E);
  }
  TPoint At(int Index) const { return TPoint(Series->CalcXPos(Index), Series->CalcYPos(Index)); }

  TPointSeries* Series = nullptr;  // owned by the chart
  TNearestTool* Tool = nullptr;    // owned by the chart
  int Changes = 0;
};

TEST_F(TNearestToolTest, NearestOnTheScreenOnALogarithmicAxis) {
  Points({{1, 1}, {1, 10}, {1, 100}, {1, 1000}});
  Chart.GetBottomAxis()->SetMinMax(0, 2);
  Chart.GetLeftAxis()->SetMinMax(1, 1000);
  Chart.GetLeftAxis()->SetLogarithmic(true);
  Chart.Draw();
  // 40 is nearer to 10 in value but nearer to 100 on a logarithmic scale.
  const int Y = Chart.GetLeftAxis()->CalcPosValue(40);
  EXPECT_EQ(TNearestTool::GetNearestPoint(Series, At(0).X + 5, Y), 2);
  EXPECT_EQ(TNearestTool::GetNearestPoint(Series, At(0).X, At(1).Y + 2), 1);
}

TEST_F(TNearestToolTest, PointsOutsideTheChartRectangleAreNeverChosen) {
  for (int I = 0; I <= 10; ++I) Series->AddXY(I * 10, I * 20);
  Chart.GetBottomAxis()->SetMinMax(0, 100);
  Chart.GetLeftAxis()->SetMinMax(0, 130);  // points 7 .. 10 lie above the top
  Chart.Draw();
  ASSERT_LT(At(7).Y, Chart.GetPlotRect().Top);
  EXPECT_EQ(TNearestTool::GetNearestPoint(Series, At(10).X, At(10).Y), 6);
  // Null points count only when asked for.
  Series->SetNull(5, true);
  EXPECT_EQ(TNearestTool::GetNearestPoint(Series, At(5).X - 3, At(5).Y), 4);
  EXPECT_EQ(TNearestTool::GetNearestPoint(Series, At(5).X - 3, At(5).Y, true), 5);
}

TEST_F(TNearestToolTest, OfEqualDistancesTheLowerIndexWins) {
  Points({{10, 10}, {30, 60}, {30, 60}, {50, 20}});
  Chart.GetBottomAxis()->SetMinMax(0, 60);
  Chart.GetLeftAxis()->SetMinMax(0, 80);
  Chart.Draw();
  EXPECT_EQ(TNearestTool::GetNearestPoint(Series, At(1).X + 3, At(1).Y - 4), 1);
  Series->Clear();
  EXPECT_EQ(TNearestTool::GetNearestPoint(Series, 100, 100), -1);
}

TEST_F(TNearestToolTest, MovesMarkTheNearestPointOnlyWithASeries) {
  Points({{10, 10}, {30, 60}, {50, 20}});
  Chart.GetBottomAxis()->SetMinMax(0, 60);
  Chart.GetLeftAxis()->SetMinMax(0, 80);
  Chart.Draw();
  Move(At(1).X + 6, At(1).Y + 2);
  EXPECT_EQ(Tool->GetPoint(), -1);
  EXPECT_EQ(Changes, 0);
  Tool->SetSeries(Series);
  Move(At(1).X + 6, At(1).Y + 2);
  EXPECT_EQ(Tool->GetPoint(), 1);
  EXPECT_EQ(Tool->GetMouse(), TPoint(At(1).X + 6, At(1).Y + 2));
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Tool->Description(), Korproco::KorMsg_NearestTool);
  EXPECT_EQ(Tool->GetEditorClass(), QStringLiteral("TNearestToolEdit"));
}

TEST_F(TNearestToolTest, InvertedMarkerShowsThePenColourAndLeavingTheChartErasesIt) {
  Points({{10, 10}, {30, 60}, {50, 20}});
  Chart.GetBottomAxis()->SetMinMax(0, 60);
  Chart.GetLeftAxis()->SetMinMax(0, 80);
  Tool->SetSeries(Series);
  Tool->SetFullRepaint(false);
  Tool->SetStyle(hsRectangle);
  Tool->SetSize(10);
  Tool->GetPen().SetStyle(psSolid);  // white, as by default
  Chart.Draw();
  TBitmap Before;
  Before.Assign(Chart.GetBuffer());

  const TPoint P = At(1);
  Move(P.X + 30, P.Y + 30);
  ASSERT_EQ(Tool->GetPoint(), 1);
  // Over the chart the inverting marker still shows in the pen's colour
  // relative to the background: white where the background was silver.
  const TColor Under = Before.GetPixel(P.X - 10, P.Y);
  EXPECT_EQ(Chart.GetBuffer().GetPixel(P.X - 10, P.Y), Under ^ clWhite ^ clSilver);
  EXPECT_NE(Chart.GetBuffer().GetPixel(P.X + 15, P.Y + 15), Before.GetPixel(P.X + 15, P.Y + 15))
      << "the line from the mouse to the point";

  Leave();
  EXPECT_EQ(Tool->GetPoint(), -1);
  EXPECT_TRUE(PixelProbe::SamePixels(Before, Chart.GetBuffer()));

  // Drawn twice in one painter session, every style restores every pixel.
  Move(P.X + 30, P.Y + 30);
  for (TNearestToolStyle Style : {hsCircle, hsDiamond}) {
    Tool->SetStyle(Style);
    Chart.Draw();  // the marker is part of the frame
    Before.Assign(Chart.GetBuffer());
    Tool->PaintHint();
    Tool->PaintHint();
    EXPECT_TRUE(PixelProbe::SamePixels(Before, Chart.GetBuffer())) << Style;
  }
}

}  // namespace

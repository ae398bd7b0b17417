#include "chart/tools/TCursorTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorZoom.h"
#include "chart/series/TPointSeries.h"
#include "tests/chart/tools/MouseToolChart.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include <vector>

namespace {

// A 2D silver chart of 400 x 300 pixels with the points (10 i, 20 i),
// i = 0 .. 10, on fixed axes 0 .. 100 and 0 .. 200, and a cursor tool on
// it. Mouse events go through the chart's host widget, as in a window.
class TCursorToolTest : public TMouseToolChart {
 protected:
  void SetUp() override {
    TMouseToolChart::SetUp();
    Chart.SetColor(clSilver);
    Series = new TPointSeries(&Chart);
    Chart.AddSeries(Series);
    for (int I = 0; I <= 10; ++I) Series->AddXY(I * 10, I * 20);
    Chart.GetBottomAxis()->SetMinMax(0, 100);
    Chart.GetLeftAxis()->SetMinMax(0, 200);
    Tool = new TCursorTool(&Chart);
    Tool->SetParentChart(&Chart);
    Tool->OnChange = [this](TCursorTool*, int, int, double, double, TChartSeries*, int Index) {
      Changes.push_back(Index);
    };
    Tool->OnSnapChange = [this](TCursorTool*, int, int, double, double, TChartSeries*, int Index) {
      Snaps.push_back(Index);
    };
  }

  int PixelX(double Value) const { return Chart.GetBottomAxis()->CalcPosValue(Value); }
  int PixelY(double Value) const { return Chart.GetLeftAxis()->CalcPosValue(Value); }

  TPointSeries* Series = nullptr;  // owned by the chart
  TCursorTool* Tool = nullptr;     // owned by the chart
  std::vector<int> Changes;
  std::vector<int> Snaps;
};

TEST_F(TCursorToolTest, DraggedLinesFollowTheMouseAndSnapToTheSeries) {
  Tool->SetSeries(Series);
  Tool->SetSnap(true);
  Chart.Draw();
  // Never placed: centred on the axes, then snapped to the middle point.
  EXPECT_DOUBLE_EQ(Tool->GetXValue(), 50);
  EXPECT_DOUBLE_EQ(Tool->GetYValue(), 100);
  EXPECT_EQ(Changes, std::vector<int>{5});
  ASSERT_EQ(Tool->GetScreenX(), PixelX(50));
  ASSERT_EQ(Tool->GetScreenY(), PixelY(100));

  // A press on the crossing takes both lines; the chart starts no zoom.
  Press(Tool->GetScreenX() + 2, Tool->GetScreenY() - 2);
  EXPECT_EQ(Tool->GetDraggedPart(), 3);
  EXPECT_FALSE(Chart.GetZoom().Engaged);
  Move(PixelX(72), PixelY(150));
  EXPECT_DOUBLE_EQ(Tool->GetXValue(), 70);
  EXPECT_DOUBLE_EQ(Tool->GetYValue(), 140);
  EXPECT_EQ(Tool->GetScreenX(), PixelX(70));
  EXPECT_EQ(Tool->GetScreenY(), PixelY(140));
  EXPECT_EQ(Changes.back(), 7);
  Release(PixelX(72), PixelY(150));
  EXPECT_EQ(Tool->GetDraggedPart(), 0);
  Move(PixelX(20), PixelY(20), Qt::NoButton);
  EXPECT_DOUBLE_EQ(Tool->GetXValue(), 70);

  // Dragging the vertical line alone changes only X.
  Tool->SetSnap(false);
  Press(Tool->GetScreenX(), PixelY(30));
  EXPECT_EQ(Tool->GetDraggedPart(), 2);
  Move(PixelX(25), PixelY(30));
  EXPECT_DOUBLE_EQ(Tool->GetYValue(), 140);
  EXPECT_NEAR(Tool->GetXValue(), 25, 0.5);  // half a pixel of 100 / plot width
  EXPECT_EQ(Changes.back(), -1);
}

TEST_F(TCursorToolTest, ClickToleranceHitsAtThreePixelsAndMissesAtFour) {
  Tool->SetXValue(50);
  Tool->SetYValue(100);
  Chart.Draw();
  const int X = Tool->GetScreenX();
  const int Y = Tool->GetScreenY();
  EXPECT_EQ(Tool->Clicked(X + 3, PixelY(20)), 2);
  EXPECT_EQ(Tool->Clicked(X - 4, PixelY(20)), 0);
  EXPECT_EQ(Tool->Clicked(PixelX(10), Y - 3), 1);
  EXPECT_EQ(Tool->Clicked(PixelX(10), Y + 4), 0);
  EXPECT_EQ(Tool->Clicked(X + 3, Y + 3), 3);
  // Outside the axis rectangle nothing is hit, whatever the distance.
  EXPECT_EQ(Tool->Clicked(X, Chart.GetLeftAxis()->GetIEndPos() + 2), 0);
  Tool->SetStyle(cssHorizontal);
  EXPECT_EQ(Tool->Clicked(X, PixelY(20)), 0);
  EXPECT_EQ(Tool->Clicked(X + 3, Y + 3), 1);
}

TEST_F(TCursorToolTest, ValuesSetInCodeAreKeptAndAnUnchangedValueFiresNothing) {
  Tool->SetXValue(30);
  Tool->SetYValue(60);
  EXPECT_EQ(Changes.size(), 2u);
  Chart.Draw();
  EXPECT_DOUBLE_EQ(Tool->GetXValue(), 30);
  EXPECT_DOUBLE_EQ(Tool->GetYValue(), 60);
  EXPECT_EQ(Tool->GetScreenX(), PixelX(30));
  EXPECT_EQ(Changes.size(), 2u);  // drawing does not recentre
  Tool->SetXValue(30);
  EXPECT_EQ(Changes.size(), 2u);

  // A copy keeps the position too.
  auto* Copy = new TCursorTool(&Chart);
  Copy->Assign(*Tool);
  Copy->SetParentChart(&Chart);
  Chart.Draw();
  EXPECT_DOUBLE_EQ(Copy->GetXValue(), 30);
  EXPECT_EQ(Copy->Description(), Korproco::KorMsg_CursorTool);
  EXPECT_EQ(Copy->GetEditorClass(), QStringLiteral("TCursorToolEditor"));
}

TEST_F(TCursorToolTest, SnapOverASeriesWithoutPointsKeepsTheValues) {
  Series->Clear();
  Tool->SetSnap(true);
  Tool->SetXValue(33);
  Tool->SetYValue(44);
  Tool->SetSeries(Series);
  Chart.Draw();
  EXPECT_EQ(Tool->SnapToPoint(), -1);
  Tool->SetFollowMouse(true);
  Move(PixelX(60), PixelY(120), Qt::NoButton);
  EXPECT_NEAR(Tool->GetXValue(), 60, 0.5);
  EXPECT_EQ(Changes.back(), -1);
}

TEST_F(TCursorToolTest, FollowMouseMovesWithoutADragAndReportsOnlySnapChanges) {
  Tool->SetSeries(Series);
  Tool->SetSnap(true);
  Tool->SetFollowMouse(true);
  Tool->SetXValue(0);
  Tool->SetYValue(0);
  Chart.Draw();
  Press(Tool->GetScreenX(), Tool->GetScreenY());
  EXPECT_EQ(Tool->GetDraggedPart(), 0);
  Release(Tool->GetScreenX(), Tool->GetScreenY());
  const size_t Before = Changes.size();
  Move(PixelX(31), PixelY(61), Qt::NoButton);
  Move(PixelX(29), PixelY(59), Qt::NoButton);
  Move(PixelX(41), PixelY(79), Qt::NoButton);
  EXPECT_EQ(Changes.size(), Before + 3);
  EXPECT_EQ(Snaps, (std::vector<int>{3, 4}));
  EXPECT_DOUBLE_EQ(Tool->GetXValue(), 40);
  // Outside the axis rectangle the lines stay.
  Move(Chart.GetBottomAxis()->GetIEndPos() + 5, PixelY(150), Qt::NoButton);
  EXPECT_DOUBLE_EQ(Tool->GetXValue(), 40);
  EXPECT_EQ(Changes.size(), Before + 3);
}

TEST_F(TCursorToolTest, LinesInvertInTheirPenColourAndASecondPassRestoresEveryPixel) {
  Tool->SetXValue(50);
  Tool->SetYValue(100);
  Tool->SetActive(false);  // the frame itself draws no lines
  Chart.Draw();
  TBitmap Before;
  Before.Assign(Chart.GetBuffer());
  Tool->SetActive(true);
  Tool->CalcScreenPositions();
  // A system colour must be resolved before it is inverted with.
  Tool->GetPen().SetColor(clHighlight);
  const int X = Tool->GetScreenX();
  const int Y = PixelY(30);
  Tool->RedrawCursor();
  const TColor Expected = Before.GetPixel(X, Y) ^ ColorToRGB(clHighlight) ^ ColorToRGB(clSilver);
  EXPECT_EQ(Chart.GetBuffer().GetPixel(X, Y), Expected);
  Tool->RedrawCursor();
  EXPECT_TRUE(PixelProbe::SamePixels(Before, Chart.GetBuffer()));

  // Both passes in one painter session, on the default chart colour.
  Chart.SetColor(clDefault);
  Tool->SetActive(false);
  Chart.Draw();
  Before.Assign(Chart.GetBuffer());
  Tool->SetActive(true);
  Tool->RedrawCursor();
  Tool->RedrawCursor();
  EXPECT_TRUE(PixelProbe::SamePixels(Before, Chart.GetBuffer()));
  EXPECT_EQ(Chart.GetPanelCanvas().GetPen().GetMode(), pmCopy);
}

}  // namespace

#include "chart/tools/TSelectorTool.h"

#include "chart/tools/TAnnotationTool.h"

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartFootTitle.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorShapePosition.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksPositions.h"
#include "chart/series/TPointSeries.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A point series that writes down which points had their X position asked.
class TLoggedSeries : public TPointSeries {
 public:
  using TPointSeries::SetVisibleRange;
  using TPointSeries::TPointSeries;
  int CalcXPos(int ValueIndex) const override {
    Asked.push_back(ValueIndex);
    return TPointSeries::CalcXPos(ValueIndex);
  }
  mutable std::vector<int> Asked;
};

// A 400 x 300 chart without 3D: title, foot, legend and ten green points
// on a diagonal; the selector draws fuchsia handles.
class TSelectorToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTextAntialiasing(false);
    Chart.SetBounds(0, 0, 400, 300);
    Chart.SetView3D(false);
    Chart.GetTitle().SetCaption(QStringLiteral("Run 12"));
    Chart.GetFoot().SetCaption(QStringLiteral("Cell 2"));
    Series = new TLoggedSeries(&Chart);
    Chart.AddSeries(Series);
    Series->SetSeriesColor(clGreen);
    for (int I = 0; I < 10; ++I) Series->AddXY(I, I);
    Tool->SetParentChart(&Chart);
    Tool->GetPen().SetColor(clFuchsia);
    Tool->GetBrush().SetColor(clFuchsia);
    Tool->GetBrush().SetStyle(bsSolid);
    Tool->OnSelected = [this](TPersistent*) { ++Selected; };
    Chart.Draw();
  }
  void TearDown() override { SetTextAntialiasing(true); }

  void Press(TPoint P, TMouseButton Button = mbLeft, TShiftState Shift = {}) {
    Tool->ChartMouseEvent(cmeDown, Button, Shift, P.X, P.Y);
  }
  void Move(TPoint P) { Tool->ChartMouseEvent(cmeMove, mbLeft, {}, P.X, P.Y); }
  void Release(TPoint P) { Tool->ChartMouseEvent(cmeUp, mbLeft, {}, P.X, P.Y); }
  static TPoint Centre(const TRect& R) {
    return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  }
  // Fuchsia pixels of a handle drawn at P (a 6 x 6 square).
  int HandleInk(TPoint P) const {
    return PixelProbe::Count(Chart.GetBuffer(), TRect(P.X - 3, P.Y - 3, P.X + 4, P.Y + 4),
                             clFuchsia);
  }
  void ExpectHandlesAt(const TRect& R) const {
    for (TPoint P : {TPoint(R.Left, R.Top), TPoint(R.Right, R.Top), TPoint(R.Right, R.Bottom),
                     TPoint(R.Left, R.Bottom)})
      EXPECT_GE(HandleInk(P), 30) << P.X << ", " << P.Y;
  }

  TChart Chart{nullptr};
  TLoggedSeries* Series = nullptr;                  // owned by the chart
  TSelectorTool* Tool = new TSelectorTool(&Chart);  // owned by the chart
  int Selected = 0;
};

TEST_F(TSelectorToolTest, APressSelectsThePartUnderItAndDrawsHandlesAroundIt) {
  auto* Note = new TAnnotationTool(&Chart);
  Note->SetParentChart(&Chart);
  Note->SetText(QStringLiteral("Note"));
  Note->GetShape().SetLeft(20);
  Note->GetShape().SetTop(15);
  Series->GetMarks().SetVisible(true);
  // Handles are drawn over the annotation only by a selector after it.
  Tool->SetParentChart(nullptr);
  Tool->SetParentChart(&Chart);
  Chart.Draw();

  Press(TPoint(25, 20));
  Release(TPoint(25, 20));
  EXPECT_EQ(Tool->GetAnnotation(), Note);
  EXPECT_EQ(Tool->GetShape(), &Note->GetShape());
  Chart.Draw();
  ExpectHandlesAt(Note->GetBounds());

  const TRect Legend = Chart.GetLegend().GetShapeBounds();
  const TRect Title = Chart.GetTitle().GetShapeBounds();
  const TRect Foot = Chart.GetFoot().GetShapeBounds();
  const TRect Axis = Chart.GetLeftAxis()->AxisRect();
  const TRect Plot = Chart.GetPlotRect();
  const TRect Mark = Series->GetMarks().GetPositions().Get(7)->Bounds();
  const TPoint Point3(Series->CalcXPos(3), Series->CalcYPos(3));
  struct TCase {
    TPoint At;
    TChartClickedPartStyle Kind;
    TRect Handles;
  };
  for (const TCase& Case : {
           TCase{Centre(Legend), cpLegend, Legend},
           TCase{Centre(Title), cpTitle, Title},
           TCase{Centre(Foot), cpFoot, Foot},
           TCase{Centre(Axis), cpAxis, Axis},
           TCase{Centre(Mark), cpSeriesMarks, Mark},
           TCase{TPoint(Plot.Right - 10, Plot.Bottom - 10), cpChartRect, Plot},
       }) {
    Press(Case.At);
    Release(Case.At);
    EXPECT_EQ(Tool->GetPart().Kind, Case.Kind);
    EXPECT_EQ(Tool->GetAnnotation(), nullptr);
    Chart.Draw();
    ExpectHandlesAt(Case.Handles);
  }
  EXPECT_EQ(Tool->GetWall(), &Chart.GetBackWall());

  Press(Point3);
  EXPECT_EQ(Tool->GetPart().Kind, cpSeries);
  EXPECT_EQ(Tool->GetSeries(), Series);
  EXPECT_EQ(Tool->GetShape(), nullptr);
  Chart.Draw();
  EXPECT_GE(HandleInk(Point3), 30);
  EXPECT_GE(HandleInk(TPoint(Series->CalcXPos(9), Series->CalcYPos(9))), 30);

  // A press on nothing selects the whole chart.
  Press(TPoint(3, 150));
  EXPECT_EQ(Tool->GetPart().Kind, cpNone);
  Chart.Draw();
  ExpectHandlesAt(TRect(3, 3, 397, 297));
  EXPECT_EQ(Selected, 9);
}

TEST_F(TSelectorToolTest, WithoutAllowDragAPressSelectsTheLegendButNeverMovesIt) {
  Tool->SetAllowDrag(false);
  const TRect Legend = Chart.GetLegend().GetShapeBounds();
  Press(Centre(Legend));
  Move(TPoint(Centre(Legend).X - 40, Centre(Legend).Y + 30));
  Release(TPoint(Centre(Legend).X - 40, Centre(Legend).Y + 30));
  EXPECT_EQ(Tool->GetShape(), &Chart.GetLegend());
  EXPECT_FALSE(Chart.GetLegend().GetCustomPosition());
  Chart.Draw();
  EXPECT_EQ(Chart.GetLegend().GetShapeBounds(), Legend);
  ExpectHandlesAt(Legend);

  Tool->SetShowHandles(false);
  Chart.Draw();
  EXPECT_EQ(PixelProbe::Count(Chart.GetBuffer(), clFuchsia), 0);
}

TEST_F(TSelectorToolTest, ATitleMovesOnlyOnceTheMouseWentThreePixels) {
  int Dragging = 0;
  int Dragged = 0;
  Tool->OnDragging = [&](TPersistent*) { ++Dragging; };
  Tool->OnDragged = [&](TPersistent*) { ++Dragged; };
  TChartTitle& Title = Chart.GetTitle();
  const TRect Before = Title.GetShapeBounds();
  const TPoint At = Centre(Before);
  Press(At);
  EXPECT_TRUE(Tool->GetDragging());
  Move(TPoint(At.X + 2, At.Y - 2));
  EXPECT_EQ(Title.GetShapeBounds(), Before);
  EXPECT_FALSE(Title.GetCustomPosition());
  Move(TPoint(At.X + 3, At.Y + 1));
  EXPECT_EQ(Title.GetLeft(), Before.Left + 3);
  EXPECT_EQ(Title.GetTop(), Before.Top + 1);  // moving once, it follows at once
  EXPECT_TRUE(Title.GetCustomPosition());
  Release(TPoint(At.X + 3, At.Y + 1));
  EXPECT_EQ(Dragging, 2);
  EXPECT_EQ(Dragged, 1);
  EXPECT_FALSE(Tool->GetDragging());
  EXPECT_EQ(Tool->SelectedTitle(), &Title);

  // A press and release that never moved fires no OnDragged.
  Press(At);
  Release(At);
  EXPECT_EQ(Dragged, 1);
}

TEST_F(TSelectorToolTest, ResizingStartsWithinEightPixelsOfTheCornerAndKeepsOnePixel) {
  int Resizing = 0;
  int Resized = 0;
  Tool->OnResizing = [&](TPersistent*) { ++Resizing; };
  Tool->OnResized = [&](TPersistent*) { ++Resized; };
  Press(TPoint(392, 300));
  EXPECT_FALSE(Tool->GetResizing());  // not allowed yet
  Release(TPoint(392, 300));
  Tool->SetAllowResizeChart(true);
  Press(TPoint(391, 300));
  EXPECT_FALSE(Tool->GetResizing());
  Release(TPoint(391, 300));
  Press(TPoint(392, 292));
  EXPECT_TRUE(Tool->GetResizing());
  Move(TPoint(250, 180));
  EXPECT_EQ(Chart.GetWidth(), 250);
  EXPECT_EQ(Chart.GetHeight(), 180);
  Move(TPoint(-5, 0));
  EXPECT_EQ(Chart.GetWidth(), 1);
  EXPECT_EQ(Chart.GetHeight(), 1);
  Chart.Draw();
  Release(TPoint(-5, 0));
  EXPECT_EQ(Resizing, 2);
  EXPECT_EQ(Resized, 1);
  EXPECT_FALSE(Tool->GetResizing());
}

TEST_F(TSelectorToolTest, AResizeStartedOverASelectedLegendDoesNotDragIt) {
  Tool->SetAllowResizeChart(true);
  const TRect Legend = Chart.GetLegend().GetShapeBounds();
  Press(Centre(Legend));
  Release(Centre(Legend));
  ASSERT_EQ(Tool->GetShape(), &Chart.GetLegend());
  Press(TPoint(398, 298));
  Move(TPoint(300, 250));
  Release(TPoint(300, 250));
  EXPECT_FALSE(Chart.GetLegend().GetCustomPosition());
  EXPECT_EQ(Chart.GetLegend().GetLeft(), Legend.Left);
  EXPECT_EQ(Chart.GetWidth(), 300);
}

TEST_F(TSelectorToolTest, AThousandVisiblePointsGetAHandleAtEveryFiftieth) {
  Series->Clear();
  for (int I = 0; I < 1000; ++I) Series->AddXY(I, I % 7);
  Tool->SetSeries(Series);
  Chart.Draw();
  ASSERT_EQ(Series->GetFirstValueIndex(), 0);
  ASSERT_EQ(Series->GetLastValueIndex(), 999);
  Series->Asked.clear();
  Tool->ChartEvent(cteAfterDraw);
  std::vector<int> Expected;
  for (int I = 0; I < 1000; I += 50) Expected.push_back(I);
  EXPECT_EQ(Series->Asked, Expected);
}

TEST_F(TSelectorToolTest, AVisibleRangeLeftFromBeforeAClearReachesNoMissingPoint) {
  Tool->SetSeries(Series);
  Series->Clear();
  for (int I = 0; I < 4; ++I) Series->AddXY(I, I);
  Series->SetVisibleRange(0, 9);  // as the last drawing left it
  Series->Asked.clear();
  Tool->ChartEvent(cteAfterDraw);
  EXPECT_EQ(Series->Asked, (std::vector<int>{0, 1, 2, 3}));

  Series->SetVisibleRange(7, 9);
  Series->Asked.clear();
  Tool->ChartEvent(cteAfterDraw);
  EXPECT_EQ(Series->Asked, (std::vector<int>{3}));

  Series->Clear();
  Series->Asked.clear();
  Tool->ChartEvent(cteAfterDraw);
  EXPECT_TRUE(Series->Asked.empty());
}

TEST_F(TSelectorToolTest, SettersSelectAndTellOnceAndDoubleOrRightClicksAreIgnored) {
  auto* Note = new TAnnotationTool(&Chart);
  Note->SetParentChart(&Chart);
  Tool->SetAnnotation(Note);
  Tool->SetAnnotation(Note);
  EXPECT_EQ(Selected, 1);
  EXPECT_EQ(Tool->GetShape(), &Note->GetShape());
  Tool->SetWall(&Chart.GetBackWall());
  EXPECT_EQ(Tool->GetPart().Kind, cpChartRect);
  EXPECT_EQ(Tool->GetAnnotation(), nullptr);
  Tool->SetSeries(Series);
  Tool->SetSeries(Series);
  EXPECT_EQ(Selected, 3);
  EXPECT_EQ(Tool->GetPart().Kind, cpSeries);
  EXPECT_EQ(Tool->GetPart().ValueIndex, -1);
  EXPECT_EQ(Tool->SelectedTitle(), nullptr);

  Press(TPoint(Series->CalcXPos(2), Series->CalcYPos(2)), mbLeft, {ssDouble});
  Press(Centre(Chart.GetTitle().GetShapeBounds()), mbRight);
  EXPECT_EQ(Tool->GetPart().Kind, cpSeries);
  EXPECT_EQ(Selected, 3);

  Tool->ClearSelection();
  Tool->ClearSelection();
  EXPECT_EQ(Selected, 4);
  EXPECT_EQ(Tool->GetSeries(), nullptr);
  EXPECT_EQ(Tool->Description(), QStringLiteral("Selector"));
  EXPECT_EQ(Tool->GetEditorClass(), QStringLiteral("TSelectorToolEditor"));
}

TEST_F(TSelectorToolTest, FreeingTheSelectedSeriesOrAnnotationEmptiesTheSelection) {
  auto* Note = new TAnnotationTool(&Chart);
  Note->SetParentChart(&Chart);
  Tool->SetAnnotation(Note);
  delete Note;
  EXPECT_EQ(Tool->GetAnnotation(), nullptr);
  EXPECT_EQ(Tool->GetShape(), nullptr);
  Chart.Draw();

  Tool->SetSeries(Series);
  delete Series;
  EXPECT_EQ(Tool->GetSeries(), nullptr);
  Chart.Draw();
}

TEST_F(TSelectorToolTest, ASelectorFreedBeforeItsSelectionLeavesNothingBehind) {
  auto Form = std::make_unique<TComponent>(nullptr);
  auto* Selector = new TSelectorTool(Form.get());
  Selector->SetParentChart(&Chart);
  auto* Note = new TAnnotationTool(&Chart);
  Note->SetParentChart(&Chart);
  Selector->SetAnnotation(Note);
  Selector->SetSeries(Series);
  Selector->SetAnnotation(Note);
  Form.reset();
  // Neither the annotation nor the series tells a freed selector of its end.
  delete Note;
  delete Series;
  Chart.Draw();
}

}  // namespace

#include "chart/tools/TDragPointTool.h"

#include "chart/core/TChartTools.h"
#include "chart/core/TKorZoom.h"
#include "chart/series/TPointSeries.h"

#include "tests/chart/tools/MouseToolChart.h"

#include <vector>

namespace {

// Ten points (I * 10, I * 10) of a point series with a drag-point tool.
class TDragPointToolTest : public TMouseToolChart {
 protected:
  void SetUp() override {
    TMouseToolChart::SetUp();
    Series = new TPointSeries(&Chart);
    Chart.AddSeries(Series);
    Fill(10);
    Tool = new TDragPointTool(&Chart);
    Tool->SetSeries(Series);
    Chart.GetTools().Add(Tool);
    Chart.Draw();
  }
  void Fill(int Count) {
    Series->Clear();
    for (int I = 0; I < Count; ++I) Series->AddXY(I * 10, I * 10);
  }
  TPoint PixelOf(int Index) const {
    return TPoint(Series->CalcXPos(Index), Series->CalcYPos(Index));
  }

  TPointSeries* Series = nullptr;
  TDragPointTool* Tool = nullptr;
};

TEST_F(TDragPointToolTest, DsYChangesOnlyTheYValue) {
  Tool->SetDragStyle(dsY);
  std::vector<int> Dragged;
  Tool->OnDragPoint = [&](TDragPointTool* Sender, int Index) {
    EXPECT_EQ(Sender, Tool);
    Dragged.push_back(Index);
  };
  const TPoint P = PixelOf(4);
  const double NewY = Left().CalcPosPoint(P.Y - 30);
  Press(P.X, P.Y);
  Move(P.X + 25, P.Y - 30);  // sideways too: X must stay
  Release(P.X + 25, P.Y - 30);
  EXPECT_DOUBLE_EQ(Series->GetxValue(4), 40);
  EXPECT_DOUBLE_EQ(Series->GetyValue(4), NewY);
  EXPECT_GT(Series->GetyValue(4), 40);
  EXPECT_EQ(Dragged, std::vector<int>{4});
  EXPECT_EQ(Tool->GetIndex(), -1);
  Move(P.X, P.Y + 40, Qt::NoButton);  // released: nothing moves any more
  EXPECT_DOUBLE_EQ(Series->GetyValue(4), NewY);
}

TEST_F(TDragPointToolTest, XDraggedPastTheNeighboursStaysOutOfOrder) {
  Tool->SetDragStyle(dsX);
  const TPoint P = PixelOf(2);
  const int Target = PixelOf(6).X + 3;
  const double NewX = Bottom().CalcPosPoint(Target);
  Press(P.X, P.Y);
  Move(Target, P.Y);
  Release(Target, P.Y);
  EXPECT_DOUBLE_EQ(Series->GetxValue(2), NewX);
  EXPECT_GT(Series->GetxValue(2), Series->GetxValue(6));
  EXPECT_DOUBLE_EQ(Series->GetxValue(3), 30);  // not re-sorted
  EXPECT_DOUBLE_EQ(Series->GetyValue(2), 20);
}

TEST_F(TDragPointToolTest, OnlyAPressOnAPointKeepsTheChartFromZooming) {
  // Between points 4 and 5, well clear of both.
  const TPoint Beside((PixelOf(4).X + PixelOf(5).X) / 2, PixelOf(8).Y);
  Press(Beside.X, Beside.Y);
  EXPECT_EQ(Tool->GetIndex(), -1);
  EXPECT_TRUE(Chart.GetZoom().Engaged);
  Release(Beside.X, Beside.Y);
  EXPECT_FALSE(Chart.GetZoom().Engaged);

  Press(PixelOf(5).X, PixelOf(5).Y);
  EXPECT_EQ(Tool->GetIndex(), 5);
  EXPECT_FALSE(Chart.GetZoom().Engaged);
  Release(PixelOf(5).X, PixelOf(5).Y);
}

TEST_F(TDragPointToolTest, ClearingTheSeriesMidDragEndsTheDragAndChangesNothing) {
  const TPoint P = PixelOf(7);
  Press(P.X, P.Y);
  ASSERT_EQ(Tool->GetIndex(), 7);
  int Dragged = 0;
  Tool->OnDragPoint = [&](TDragPointTool*, int) { ++Dragged; };
  Fill(3);  // the program refills the series, shorter, while the button is held
  Move(P.X + 10, P.Y - 10);
  EXPECT_EQ(Tool->GetIndex(), -1);
  EXPECT_EQ(Dragged, 0);
  Fill(10);  // refilled again: the old press must not grab the new point 7
  Move(P.X + 20, P.Y - 20);
  Release(P.X + 20, P.Y - 20);
  EXPECT_EQ(Dragged, 0);
  for (int I = 0; I < 10; ++I) {
    EXPECT_DOUBLE_EQ(Series->GetxValue(I), I * 10);
    EXPECT_DOUBLE_EQ(Series->GetyValue(I), I * 10);
  }
}

TEST_F(TDragPointToolTest, AnAxisWithoutRangeGetsOneBeforeTheValueIsRead) {
  Fill(1);  // a single point: the vertical axis has no range
  Chart.Draw();
  Left().SetAutomatic(false);
  Left().SetMaximum(5);
  Left().SetMinimum(5);
  ASSERT_EQ(Left().GetMaximum(), Left().GetMinimum());
  const TPoint P = PixelOf(0);
  Press(P.X, P.Y);
  ASSERT_EQ(Tool->GetIndex(), 0);
  Move(P.X, P.Y + 5);
  EXPECT_FALSE(Left().GetAutomaticMaximum());
  EXPECT_GT(Left().GetMaximum(), Left().GetMinimum());
  Release(P.X, P.Y + 5);
}

TEST_F(TDragPointToolTest, PublishesItsStyleAndNames) {
  EXPECT_EQ(Tool->Description(), QStringLiteral("Drag Point"));
  EXPECT_EQ(Tool->GetEditorClass(), QStringLiteral("TDragPointToolEdit"));
  const TPublishedProperty* Style = Tool->Properties().Find(QStringLiteral("DragStyle"));
  ASSERT_NE(Style, nullptr);
  EXPECT_FALSE(Style->IsStored(*Tool));
  Tool->SetDragStyle(dsX);
  EXPECT_TRUE(Style->IsStored(*Tool));
  TDragPointTool Copy(nullptr);
  Copy.Assign(*Tool);
  EXPECT_EQ(Copy.GetDragStyle(), dsX);
  EXPECT_EQ(Copy.GetSeries(), Series);
}

}  // namespace

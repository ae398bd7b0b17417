#include "chart/tools/TRectangleTool.h"

#include "chart/core/TChart.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TKorShapePosition.h"
#include "chart/series/TPointSeries.h"

#include "platform/TBitmap.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

// A 400 x 300 chart without 3D or legend, with a point series under a
// rectangle at (10, 10) - (59, 59).
class TRectangleToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Chart.SetBounds(0, 0, 400, 300);
    Chart.SetView3D(false);
    Chart.GetLegend().SetVisible(false);
    auto* Series = new TPointSeries(&Chart);
    Chart.AddSeries(Series);
    for (int I = 0; I < 20; ++I) Series->AddXY(I, I % 5);
    Tool->SetParentChart(&Chart);
  }

  void Down(int X, int Y) { Tool->ChartMouseEvent(cmeDown, mbLeft, {}, X, Y); }
  void Move(int X, int Y) { Tool->ChartMouseEvent(cmeMove, mbLeft, {}, X, Y); }
  void Up(int X, int Y) { Tool->ChartMouseEvent(cmeUp, mbLeft, {}, X, Y); }
  // Whether the chart ignores the action, reset for the next one.
  bool Cancelled() {
    const bool Result = Chart.GetMouseCancelled();
    Chart.SetMouseCancelled(false);
    return Result;
  }

  TChart Chart{nullptr};
  TRectangleTool* Tool = new TRectangleTool(&Chart);  // owned by the chart
};

TEST_F(TRectangleToolTest, StartsAsASeeThroughFiftyPixelSquareAtTenTen) {
  EXPECT_FALSE(Tool->GetAutoSize());
  EXPECT_TRUE(Tool->GetShape().GetCustomPosition());
  EXPECT_EQ(Tool->GetShape().GetShadow().GetSize(), 0);
  EXPECT_EQ(Tool->GetShape().GetTransparency(), 75);
  EXPECT_EQ(Tool->GetBounds(), TRect(10, 10, 59, 59));
  EXPECT_EQ(Tool->GetWidth(), 50);
  EXPECT_EQ(Tool->GetPositionUnits(), muPixels);
  EXPECT_EQ(Tool->GetCursor(), crHandPoint);
  EXPECT_FALSE(Tool->Properties().Find(QStringLiteral("AutoSize"))->IsStored(*Tool));
  EXPECT_FALSE(Tool->Properties().Find(QStringLiteral("Cursor"))->IsStored(*Tool));
  EXPECT_EQ(Tool->Description(), QStringLiteral("Rectangle"));
}

TEST_F(TRectangleToolTest, EdgesAreFoundWithinFourPixelsInsideTheBox) {
  EXPECT_EQ(Tool->ClickedEdge(13, 30), 0);
  EXPECT_EQ(Tool->ClickedEdge(14, 30), -1);
  EXPECT_EQ(Tool->ClickedEdge(30, 12), 1);
  EXPECT_EQ(Tool->ClickedEdge(56, 30), 2);
  EXPECT_EQ(Tool->ClickedEdge(30, 56), 3);
  EXPECT_EQ(Tool->ClickedEdge(11, 11), 0);  // a corner counts as left first
  EXPECT_EQ(Tool->ClickedEdge(8, 30), -1);  // outside the box
}

TEST_F(TRectangleToolTest, DraggingInsideMovesTheBoxAndKeepsItsSize) {
  int Dragging = 0;
  int Dragged = 0;
  Tool->OnDragging = [&](TPersistent*) { ++Dragging; };
  Tool->OnDragged = [&](TPersistent*) { ++Dragged; };
  Down(30, 30);
  EXPECT_TRUE(Cancelled());
  Move(80, 60);
  Move(100, 90);
  Up(100, 90);
  EXPECT_EQ(Tool->GetBounds(), TRect(80, 70, 129, 119));
  EXPECT_EQ(Dragging, 2);
  EXPECT_EQ(Dragged, 1);
  // After the release the mouse only moves.
  Move(150, 150);
  EXPECT_EQ(Tool->GetBounds(), TRect(80, 70, 129, 119));

  // A press outside the box starts nothing and leaves the mouse to the chart.
  Cancelled();
  Down(300, 250);
  EXPECT_FALSE(Cancelled());
  Move(320, 260);
  EXPECT_EQ(Tool->GetBounds(), TRect(80, 70, 129, 119));
}

TEST_F(TRectangleToolTest, ResizingNeverBringsOppositeEdgesCloserThanThreePixels) {
  int Resizing = 0;
  int Resized = 0;
  Tool->OnResizing = [&](TPersistent*) { ++Resizing; };
  Tool->OnResized = [&](TPersistent*) { ++Resized; };
  Down(58, 30);  // right edge, one pixel inside
  Move(100, 30);
  EXPECT_EQ(Tool->GetBounds().Right, 101);
  Move(-50, 30);
  Up(-50, 30);
  EXPECT_EQ(Tool->GetBounds(), TRect(10, 10, 13, 59));
  EXPECT_EQ(Resizing, 2);
  EXPECT_EQ(Resized, 1);

  const TRect Square(10, 10, 59, 59);
  Tool->SetBounds(Square);
  Down(11, 30);  // left edge
  Move(500, 30);
  Up(500, 30);
  EXPECT_EQ(Tool->GetBounds(), TRect(56, 10, 59, 59));
  Tool->SetBounds(Square);
  Down(30, 11);  // top edge
  Move(30, 500);
  Up(30, 500);
  EXPECT_EQ(Tool->GetBounds(), TRect(10, 56, 59, 59));
  Tool->SetBounds(Square);
  Down(30, 58);  // bottom edge
  Move(30, -100);
  Up(30, -100);
  EXPECT_EQ(Tool->GetBounds(), TRect(10, 10, 59, 13));
  EXPECT_EQ(Resized, 4);
}

TEST_F(TRectangleToolTest, CursorShowsTheEdgeUnderTheMouse) {
  Move(11, 30);
  EXPECT_TRUE(Cancelled());
  EXPECT_EQ(Chart.GetCursor(), crSizeWE);
  Move(30, 58);
  EXPECT_TRUE(Cancelled());
  EXPECT_EQ(Chart.GetCursor(), crSizeNS);
  Move(30, 30);
  EXPECT_TRUE(Cancelled());
  EXPECT_EQ(Chart.GetCursor(), crHandPoint);
  Move(200, 200);
  EXPECT_FALSE(Cancelled());

  // An inactive rectangle does nothing with the mouse.
  Tool->SetActive(false);
  Down(30, 30);
  Move(80, 80);
  EXPECT_EQ(Tool->GetBounds(), TRect(10, 10, 59, 59));
}

TEST_F(TRectangleToolTest, BitmapHoldsTheChartUnderTheBoxWithOrWithoutTheBox) {
  Tool->GetShape().SetColor(clRed);
  Tool->SetBounds(TRect(100, 80, 139, 109));
  Chart.Draw();
  const std::unique_ptr<TBitmap> Fresh = Tool->Bitmap(true);
  EXPECT_TRUE(Tool->GetActive());
  ASSERT_EQ(Fresh->GetWidth(), 40);
  ASSERT_EQ(Fresh->GetHeight(), 30);
  const std::unique_ptr<TBitmap> Shown = Tool->Bitmap(false);
  ASSERT_EQ(Shown->GetWidth(), 40);

  // The fresh copy is the chart without the rectangle; the shown one is
  // what the window shows, the rectangle's tint included.
  Tool->SetActive(false);
  Chart.Draw();
  const QImage Plain = Chart.GetBuffer().Image().copy(100, 80, 40, 30);
  Tool->SetActive(true);
  Chart.Draw();
  const QImage Tinted = Chart.GetBuffer().Image().copy(100, 80, 40, 30);
  EXPECT_NE(Plain, Tinted);
  for (int Y = 0; Y < 30; ++Y) {
    for (int X = 0; X < 40; ++X) {
      ASSERT_EQ(Fresh->Image().pixel(X, Y) | 0xFF000000u, Plain.pixel(X, Y) | 0xFF000000u);
      ASSERT_EQ(Shown->Image().pixel(X, Y) | 0xFF000000u, Tinted.pixel(X, Y) | 0xFF000000u);
    }
  }

  Tool->SetParentChart(nullptr);
  EXPECT_EQ(Tool->Bitmap(true), nullptr);
}

}  // namespace

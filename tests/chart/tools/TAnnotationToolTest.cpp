#include "chart/tools/TAnnotationTool.h"

#include "chart/tools/TAnnotationCallout.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/KorEngine.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TKorShapePosition.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>

namespace {

// A 400 x 300 chart without 3D, legend or series; the annotation writes in
// DejaVu Sans without shadow, so its box is exactly what it draws.
class TAnnotationToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTextAntialiasing(false);
    Chart.SetBounds(0, 0, 400, 300);
    Chart.SetView3D(false);
    Chart.GetLegend().SetVisible(false);
    Tool->SetParentChart(&Chart);
    Tool->GetShape().GetFont().SetName(QStringLiteral("DejaVu Sans"));
    Tool->GetShape().GetShadow().SetSize(0);
    Tool->SetText(QStringLiteral("Peak"));
  }
  void TearDown() override { SetTextAntialiasing(true); }

  struct TLayout {
    int Lines = 0;
    TPoint Origin;
    TRect Box;
  };
  TLayout Layout() const {
    TLayout L;
    Tool->GetTextBounds(L.Lines, L.Origin.X, L.Origin.Y, L.Box);
    return L;
  }
  int TextWidth(const QString& Text) {
    TCanvas3D& C = Chart.GetPanelCanvas();
    C.AssignFont(Tool->GetShape().GetFont());
    return C.TextWidth(Text);
  }
  int FontHeight() {
    TCanvas3D& C = Chart.GetPanelCanvas();
    C.AssignFont(Tool->GetShape().GetFont());
    return C.GetFontHeight();
  }
  // The region (right and bottom exclusive) where a frame with the tool
  // differs from one without it.
  TRect DrawnArea() {
    Tool->SetActive(false);
    Chart.Draw();
    const QImage Without = Chart.GetBuffer().Image().copy();
    Tool->SetActive(true);
    Chart.Draw();
    TBitmap Diff(400, 300);
    for (int Y = 0; Y < 300; ++Y)
      for (int X = 0; X < 400; ++X)
        if (Chart.GetBuffer().Image().pixel(X, Y) != Without.pixel(X, Y))
          Diff.GetCanvas().SetPixel(X, Y, clBlack);
    return PixelProbe::InkBox(Diff);
  }
  TColor PixelAt(int X, int Y) const { return Chart.GetBuffer().GetPixel(X, Y); }

  TChart Chart{nullptr};
  TAnnotationTool* Tool = new TAnnotationTool(&Chart);  // owned by the chart
};

TEST_F(TAnnotationToolTest, CornerPositionsKeepTheTextTenOrEightPixelsFromTheEdges) {
  Tool->SetText(QStringLiteral("Peak") + KorLineSeparator + QStringLiteral("s = 4.2 S"));
  const int Width = TextWidth(QStringLiteral("s = 4.2 S"));
  const int Height = 2 * FontHeight();
  struct TCase {
    TAnnotationPosition Position;
    TPoint Origin;
  };
  for (const TCase& Case :
       {TCase{ppLeftTop, TPoint(10, 10)}, TCase{ppLeftBottom, TPoint(10, 300 - Height - 8)},
        TCase{ppRightTop, TPoint(400 - Width - 8, 10)},
        TCase{ppRightBottom, TPoint(400 - Width - 8, 300 - Height - 8)}}) {
    Tool->SetPosition(Case.Position);
    const TLayout L = Layout();
    EXPECT_EQ(L.Lines, 2);
    EXPECT_EQ(L.Origin, Case.Origin) << Case.Position;
    EXPECT_EQ(L.Box, Bounds(Case.Origin.X - 4, Case.Origin.Y - 2, Width + 6, Height + 4));
  }
}

TEST_F(TAnnotationToolTest, RightBottomBoxEndsSixPixelsFromTheChartEdgesAsDrawn) {
  Tool->SetPosition(ppRightBottom);
  const TRect Drawn = DrawnArea();
  EXPECT_EQ(Drawn.Right, 400 - 6);
  EXPECT_EQ(Drawn.Bottom, 300 - 6);
  EXPECT_EQ(Drawn, Layout().Box);
}

TEST_F(TAnnotationToolTest, EmptyTextStillDrawsABoxForOneBlank) {
  Tool->SetText(QString());
  const TLayout L = Layout();
  EXPECT_EQ(L.Lines, 1);
  EXPECT_EQ(L.Box, Bounds(6, 8, TextWidth(QStringLiteral(" ")) + 6, FontHeight() + 4));
  EXPECT_EQ(DrawnArea(), L.Box);
}

TEST_F(TAnnotationToolTest, CustomPositionInPixelsOrPercentOfTheChart) {
  Tool->GetShape().SetLeft(50);
  Tool->GetShape().SetTop(40);
  EXPECT_TRUE(Tool->GetShape().GetCustomPosition());
  EXPECT_EQ(Layout().Origin, TPoint(54, 42));
  EXPECT_EQ(Layout().Box.TopLeft(), TPoint(50, 40));

  Tool->SetPositionUnits(muPercent);
  Tool->GetShape().SetLeft(25);
  Tool->GetShape().SetTop(50);
  EXPECT_EQ(Layout().Origin, TPoint(100, 150));

  // Sized by the user: the box takes the shape's size, whatever the text.
  Tool->SetPositionUnits(muPixels);
  Tool->SetWidth(80);
  Tool->SetHeight(30);
  EXPECT_EQ(Layout().Box, Bounds(25, 50, 80, 30));
  EXPECT_EQ(DrawnArea(), Bounds(25, 50, 80, 30));

  // A new corner ends the custom position.
  Tool->SetPosition(ppRightTop);
  EXPECT_FALSE(Tool->GetShape().GetCustomPosition());
}

TEST_F(TAnnotationToolTest, SettingWidthEndsAutoSizeAndDrawingUnderAutoSizeStoresTheDrawnSize) {
  Tool->GetShape().SetLeft(30);
  Tool->GetShape().SetTop(20);
  Chart.Draw();
  const TRect Box = Layout().Box;
  EXPECT_EQ(Tool->GetLeft(), 30);
  EXPECT_EQ(Tool->GetTop(), 20);
  EXPECT_EQ(Tool->GetWidth(), Box.Width());
  EXPECT_EQ(Tool->GetHeight(), Box.Height());
  EXPECT_FALSE(Tool->Properties().Find(QStringLiteral("Width"))->IsStored(*Tool));

  Tool->SetWidth(120);
  EXPECT_FALSE(Tool->GetAutoSize());
  EXPECT_TRUE(Tool->Properties().Find(QStringLiteral("Width"))->IsStored(*Tool));
  Chart.Draw();
  EXPECT_EQ(Tool->GetBounds(), TRect(30, 20, 149, 20 + Box.Height() - 1));

  Tool->SetPosition(ppLeftBottom);
  EXPECT_FALSE(Tool->Properties().Find(QStringLiteral("Left"))->IsStored(*Tool));
}

TEST_F(TAnnotationToolTest, TextAlignsLeftCentredOrRightInTheBox) {
  Tool->GetShape().SetLeft(100);
  Tool->GetShape().SetTop(100);
  Tool->SetWidth(200);
  Tool->GetShape().GetFont().SetColor(clRed);
  Tool->SetText(QStringLiteral("WWW"));
  const int Width = TextWidth(QStringLiteral("WWW"));
  auto InkOfText = [&] {
    Chart.Draw();
    TBitmap Red(400, 300);
    for (int Y = 0; Y < 300; ++Y)
      for (int X = 0; X < 400; ++X)
        if (PixelAt(X, Y) == clRed) Red.GetCanvas().SetPixel(X, Y, clBlack);
    return PixelProbe::InkBox(Red);
  };
  // The same glyphs keep their ink at the same place in their advance box,
  // so each alignment shows as where the first line's box starts.
  const int Bearing = InkOfText().Left - 104;
  EXPECT_LE(std::abs(Bearing), 2);
  Tool->SetTextAlign(taRightJustify);
  EXPECT_EQ(InkOfText().Left - Bearing, 100 + 200 - 2 - Width);
  Tool->SetTextAlign(taCenter);
  EXPECT_EQ(InkOfText().Left - Bearing, 100 + 100 + 2 - Width / 2);
}

TEST_F(TAnnotationToolTest, CalloutRunsFromTheNearestBoxEdgeToItsTargetMinusItsDistance) {
  TAnnotationCallout& Callout = Tool->GetCallout();
  Callout.GetArrow().SetColor(clBlue);
  Callout.GetArrow().SetVisible(true);
  Callout.SetXPosition(300);
  Callout.SetYPosition(250);
  Chart.Draw();
  const TRect Box = Layout().Box;
  auto BlueIn = [&](const TRect& R) { return PixelProbe::Count(Chart.GetBuffer(), R, clBlue); };
  // A line leaves out its last pixel, so the target's neighbours show it.
  EXPECT_EQ(PixelAt(Box.Right, Box.Bottom), clBlue);
  EXPECT_GT(BlueIn(TRect(298, 248, 301, 251)), 0);
  EXPECT_EQ(BlueIn(TRect(301, 251, 400, 300)), 0);

  // Straight below the box: the line leaves the box's bottom middle and
  // stops 20 pixels before the target.
  const int Middle = (Box.Left + Box.Right) / 2;
  Callout.SetXPosition(Middle);
  Callout.SetYPosition(200);
  Callout.SetDistance(20);
  Chart.Draw();
  EXPECT_EQ(PixelAt(Middle, Box.Bottom), clBlue);
  EXPECT_EQ(PixelAt(Middle, 178), clBlue);
  EXPECT_EQ(BlueIn(TRect(Middle - 1, 181, Middle + 2, 300)), 0);

  // Both the callout and its arrow hidden: nothing is drawn.
  Callout.GetArrow().SetVisible(false);
  Chart.Draw();
  EXPECT_EQ(PixelProbe::Count(Chart.GetBuffer(), clBlue), 0);
}

TEST_F(TAnnotationToolTest, ClicksInTheBoxReachOnClickAndTheCursorShowsOverIt) {
  const TRect Box = Layout().Box;
  int Clicks = 0;
  TPoint At;
  Tool->OnClick = [&](TAnnotationTool* Sender, TMouseButton, TShiftState, int X, int Y) {
    EXPECT_EQ(Sender, Tool);
    ++Clicks;
    At = TPoint(X, Y);
  };
  EXPECT_TRUE(Tool->Clicked(Box.Left, Box.Top));
  EXPECT_TRUE(Tool->Clicked(Box.Right, Box.Bottom));
  EXPECT_FALSE(Tool->Clicked(Box.Right + 1, Box.Top));
  Tool->ChartMouseEvent(cmeDown, mbLeft, {}, Box.Left + 3, Box.Top + 3);
  Tool->ChartMouseEvent(cmeDown, mbLeft, {}, 200, 200);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(At, TPoint(Box.Left + 3, Box.Top + 3));

  // Without a cursor of its own the tool leaves the mouse to the chart.
  Tool->ChartMouseEvent(cmeMove, mbLeft, {}, Box.Left + 3, Box.Top + 3);
  EXPECT_FALSE(Chart.GetMouseCancelled());
  Tool->SetCursor(crHandPoint);
  Tool->ChartMouseEvent(cmeMove, mbLeft, {}, 200, 200);
  EXPECT_FALSE(Chart.GetMouseCancelled());
  Tool->ChartMouseEvent(cmeMove, mbLeft, {}, Box.Left + 3, Box.Top + 3);
  EXPECT_TRUE(Chart.GetMouseCancelled());
  EXPECT_EQ(Chart.GetCursor(), crHandPoint);
  Chart.SetMouseCancelled(false);

  Tool->SetParentChart(nullptr);
  EXPECT_FALSE(Tool->Clicked(Box.Left + 3, Box.Top + 3));
}

TEST_F(TAnnotationToolTest, AssignCopiesTheAnnotationAndItsCallout) {
  Tool->SetText(QStringLiteral("a") + KorLineSeparator + QStringLiteral("b"));
  Tool->SetPosition(ppRightBottom);
  Tool->SetTextAlign(taCenter);
  Tool->SetCursor(crHandPoint);
  Tool->GetCallout().SetXPosition(7);
  Tool->GetCallout().SetZPosition(3);
  Tool->SetWidth(90);
  TAnnotationTool Copy(nullptr);
  Copy.Assign(*Tool);
  EXPECT_EQ(Copy.GetText(), Tool->GetText());
  EXPECT_EQ(Copy.GetPosition(), ppRightBottom);
  EXPECT_EQ(Copy.GetTextAlignment(), taCenter);
  EXPECT_EQ(Copy.GetCursor(), crHandPoint);
  EXPECT_EQ(Copy.GetCallout().GetXPosition(), 7);
  EXPECT_EQ(Copy.GetCallout().GetZPosition(), 3);
  EXPECT_FALSE(Copy.GetAutoSize());
  EXPECT_EQ(Copy.GetWidth(), 90);
  EXPECT_EQ(Copy.Description(), QStringLiteral("Annotation"));
}

}  // namespace

#include "chart/tools/TColorLineTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TKorZoom.h"

#include "platform/Cursors.h"
#include "platform/TBitmap.h"

#include "tests/chart/tools/MouseToolChart.h"
#include "tests/platform/PixelProbe.h"

namespace {

// Both axes fixed to 0..100 and a red colour line at 50 on the bottom axis.
class TColorLineToolTest : public TMouseToolChart {
 protected:
  void SetUp() override {
    TMouseToolChart::SetUp();
    AddLine(100);
    Tool = new TColorLineTool(&Chart);
    Tool->SetAxis(Chart.GetBottomAxis());
    Tool->GetPen().SetColor(clRed);
    Tool->SetValue(50);
    Bottom().SetMinMax(0, 100);
    Left().SetMinMax(0, 100);
    Chart.Draw();
  }
  int X(double Value) { return Bottom().CalcPosValue(Value); }
  // A row of the chart rectangle away from the left axis' grid lines.
  int MidY() { return Left().CalcPosValue(43); }
  TColor Pixel(int PX, int PY) { return Chart.GetBuffer().GetPixel(PX, PY); }
  void Drag(double From, int ToX) {
    Press(X(From), MidY());
    Move(ToX, MidY());
    Release(ToX, MidY());
  }

  TColorLineTool* Tool = nullptr;
};

TEST_F(TColorLineToolTest, TheLineFollowsZoomAndScrollWithoutLosingItsValue) {
  EXPECT_EQ(Pixel(X(50), MidY()), clRed);
  Bottom().SetMinMax(25, 75);  // zoom: 50 is now in the middle
  Chart.Draw();
  const TRect& R = Chart.GetPlotRect();
  EXPECT_NEAR(X(50), (R.Left + R.Right) / 2, 1);
  EXPECT_EQ(Pixel(X(50), MidY()), clRed);

  // Scrolled past the line, it waits at the axis start and keeps its value,
  // so scrolling back brings it home.
  Bottom().SetMinMax(60, 160);
  Chart.Draw();
  EXPECT_EQ(Pixel(Bottom().GetIStartPos(), MidY()), clRed);
  EXPECT_DOUBLE_EQ(Tool->GetValue(), 50);
  Bottom().SetMinMax(0, 100);
  Chart.Draw();
  EXPECT_EQ(Pixel(X(50), MidY()), clRed);
}

TEST_F(TColorLineToolTest, MaximumStyleFollowsTheAxisUntilDragged) {
  Tool->SetAxis(Chart.GetLeftAxis());
  Tool->SetStyle(clMaximum);
  EXPECT_DOUBLE_EQ(Tool->CalcValue(), 100);
  Left().SetMinMax(0, 200);
  Chart.Draw();
  EXPECT_DOUBLE_EQ(Tool->CalcValue(), 200);
  const int Y = Left().CalcPosValue(200);
  EXPECT_TRUE(Tool->Clicked(X(30), Y + 2));
  EXPECT_FALSE(Tool->Clicked(X(30), Y + 3));

  int Begins = 0, Drags = 0, Ends = 0;
  Tool->OnBeginDragLine = [&](TColorLineTool*) { ++Begins; };
  Tool->OnDragLine = [&](TColorLineTool*) { ++Drags; };
  Tool->OnEndDragLine = [&](TColorLineTool* S) {
    ++Ends;
    EXPECT_TRUE(S->GetDragging());
  };
  Move(X(30), Y, Qt::NoButton);  // hovering shows the split cursor
  EXPECT_EQ(Chart.GetCursor(), crVSplit);
  Press(X(30), Y);
  EXPECT_TRUE(Tool->GetDragging());
  EXPECT_FALSE(Chart.GetZoom().Engaged);  // the chart ignored the press
  Move(X(30), Left().CalcPosValue(150));
  Release(X(30), Left().CalcPosValue(150));
  EXPECT_EQ(Tool->GetStyle(), clCustom);
  EXPECT_NEAR(Tool->GetValue(), 150, 1);
  EXPECT_EQ(Begins, 1);
  EXPECT_EQ(Drags, 1);
  EXPECT_EQ(Ends, 1);
  EXPECT_FALSE(Tool->GetDragging());
  Left().SetMinMax(0, 300);
  EXPECT_NEAR(Tool->CalcValue(), 150, 1);
}

TEST_F(TColorLineToolTest, DraggingStopsAtTheAxisEndUnlessNoLimitDrag) {
  Drag(50, Chart.GetPlotRect().Right + 40);
  EXPECT_DOUBLE_EQ(Tool->GetValue(), 100);
  Drag(100, Chart.GetPlotRect().Left - 40);
  EXPECT_DOUBLE_EQ(Tool->GetValue(), 0);

  Tool->SetNoLimitDrag(true);
  Drag(0, Chart.GetPlotRect().Right + 40);
  EXPECT_GT(Tool->GetValue(), 100);

  Tool->SetAllowDrag(false);  // no drag at all
  Tool->SetValue(50);
  Drag(50, X(73));
  EXPECT_DOUBLE_EQ(Tool->GetValue(), 50);
}

TEST_F(TColorLineToolTest, AnInvertedDragLineRestoresEveryPixelWhenDrawnBack) {
  TBitmap Before;
  Before.Assign(Chart.GetBuffer());
  Press(X(50), MidY());
  Move(X(73), MidY());
  // The line moved: the old place is erased, the new one inverted.
  const TColor Under = Before.GetPixel(X(73), MidY());
  EXPECT_EQ(Pixel(X(73), MidY()), ~(clRed ^ Under) & 0xFFFFFF);
  EXPECT_NE(Pixel(X(50), MidY()), clRed);
  EXPECT_EQ(Chart.GetPanelCanvas().GetPen().GetMode(), pmCopy);
  Move(X(50), MidY());
  EXPECT_TRUE(PixelProbe::SamePixels(Before, Chart.GetBuffer()));
  Release(X(50), MidY());
  EXPECT_EQ(Tool->GetStyle(), clCustom);
}

TEST_F(TColorLineToolTest, ALineOfTheDefaultOrNoColourStaysVisibleWhileDragged) {
  for (const TColor Marker : {clDefault, clNone}) {
    Tool->GetPen().SetColor(Marker);
    Tool->SetValue(50);
    Chart.Draw();
    TBitmap Before;
    Before.Assign(Chart.GetBuffer());
    Press(X(50), MidY());
    Move(X(73), MidY());
    // Inverted as a black pen: the pixel takes the not-xor of black.
    const TColor Under = Before.GetPixel(X(73), MidY());
    EXPECT_EQ(Pixel(X(73), MidY()), ~(clBlack ^ Under) & 0xFFFFFF) << std::hex << Marker;
    Move(X(50), MidY());
    EXPECT_TRUE(PixelProbe::SamePixels(Before, Chart.GetBuffer())) << std::hex << Marker;
    Release(X(50), MidY());
  }
}

TEST_F(TColorLineToolTest, StreamedValueKeepsTheStyleAndAssignCopiesTheSettings) {
  Tool->SetStyle(clCenter);
  Tool->SetStateFlag(TComponent::csLoading, true);
  Tool->SetValue(20);
  EXPECT_EQ(Tool->GetStyle(), clCenter);
  Tool->SetStateFlag(TComponent::csLoading, false);

  TColorLineTool Copy(nullptr);
  Tool->SetDraw3D(false);
  Tool->SetNoLimitDrag(true);
  Copy.Assign(*Tool);
  EXPECT_EQ(Copy.GetStyle(), clCenter);
  EXPECT_DOUBLE_EQ(Copy.GetValue(), 20);
  EXPECT_FALSE(Copy.GetDraw3D());
  EXPECT_TRUE(Copy.GetNoLimitDrag());
  EXPECT_EQ(Copy.Description(), Korproco::KorMsg_ColorLineTool);
  EXPECT_EQ(Copy.GetEditorClass(), QStringLiteral("TColorLineToolEditor"));
  Tool->SetValue(30);
  EXPECT_EQ(Tool->GetStyle(), clCustom);
}

}  // namespace

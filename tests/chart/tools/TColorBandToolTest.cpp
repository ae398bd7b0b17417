#include "chart/tools/TColorBandTool.h"

#include "chart/tools/TColorLineTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTools.h"

#include "platform/TBitmap.h"

#include "tests/chart/tools/MouseToolChart.h"
#include "tests/platform/PixelProbe.h"

#include <memory>

namespace {

// Both axes fixed to 0..100 and a red band without border from 20 to 60
// on the bottom axis.
class TColorBandToolTest : public TMouseToolChart {
 protected:
  void SetUp() override {
    TMouseToolChart::SetUp();
    AddLine(100);
    Band = new TColorBandTool(&Chart);
    Band->SetAxis(Chart.GetBottomAxis());
    Band->SetColor(clRed);
    Band->GetPen().SetVisible(false);
    Band->SetStartValue(20);
    Band->SetEndValue(60);
    Bottom().SetMinMax(0, 100);
    Left().SetMinMax(0, 100);
    Chart.Draw();
  }
  int X(double Value) { return Bottom().CalcPosValue(Value); }
  int MidY() { return (Chart.GetPlotRect().Top + Chart.GetPlotRect().Bottom) / 2; }
  TColor Pixel(int PX, int PY) { return Chart.GetBuffer().GetPixel(PX, PY); }
  std::unique_ptr<TBitmap> Snapshot() {
    auto B = std::make_unique<TBitmap>();
    B->Assign(Chart.GetBuffer());
    return B;
  }

  TColorBandTool* Band = nullptr;
};

TEST_F(TColorBandToolTest, TheBandFollowsZoomAndReversedValuesDrawTheSame) {
  EXPECT_EQ(Pixel(X(40), MidY()), clRed);
  EXPECT_NE(Pixel(X(70), MidY()), clRed);
  const TRect R = Band->BoundsRect();
  EXPECT_EQ(R.Left, X(20));
  EXPECT_EQ(R.Right, X(60));
  const std::unique_ptr<TBitmap> Ordered = Snapshot();
  Band->SetStartValue(60);
  Band->SetEndValue(20);
  Chart.Draw();
  EXPECT_TRUE(PixelProbe::SamePixels(*Ordered, Chart.GetBuffer()));

  Bottom().SetMinMax(40, 140);  // scrolled: the band is clipped at the axis start
  Chart.Draw();
  EXPECT_EQ(Band->BoundsRect().Left, Bottom().GetIStartPos());
  EXPECT_EQ(Band->BoundsRect().Right, X(60));
  EXPECT_EQ(Pixel(X(50), MidY()), clRed);
  EXPECT_NE(Pixel(X(70), MidY()), clRed);
}

TEST_F(TColorBandToolTest, ABandOutsideTheAxisRangeDrawsNothingAndIsNeverHit) {
  Band->SetActive(false);
  Chart.Draw();
  const std::unique_ptr<TBitmap> Without = Snapshot();
  Band->SetActive(true);
  Band->SetStartValue(150);
  Band->SetEndValue(180);
  Chart.Draw();
  EXPECT_TRUE(PixelProbe::SamePixels(*Without, Chart.GetBuffer()));
  const TRect R = Band->BoundsRect();
  EXPECT_TRUE(R.Right <= R.Left || R.Bottom <= R.Top);
  int Clicks = 0;
  Band->OnClick = [&](TColorBandTool*, TMouseButton, TShiftState, int, int) { ++Clicks; };
  Band->SetCursor(crHandPoint);
  const TRect& P = Chart.GetPlotRect();
  for (int PX = P.Left - 5; PX <= P.Right + 5; PX += 3) {
    EXPECT_FALSE(Band->Clicked(PX, MidY()));
    Move(PX, MidY(), Qt::NoButton);
    EXPECT_NE(Chart.GetCursor(), crHandPoint);
  }
  Press(P.Right - 1, MidY());
  Release(P.Right - 1, MidY());
  EXPECT_EQ(Clicks, 0);

  Band->SetStartValue(30);  // back in range: hit and clicked
  Chart.Draw();
  Move(X(40), MidY(), Qt::NoButton);
  EXPECT_EQ(Chart.GetCursor(), crHandPoint);
  Press(X(40), MidY());
  Release(X(40), MidY());
  EXPECT_EQ(Clicks, 1);
}

TEST_F(TColorBandToolTest, ResizeStartShowsADraggableStartLine) {
  Band->GetStartLinePen().SetColor(clBlue);
  EXPECT_FALSE(Band->GetStartLine().GetActive());
  EXPECT_EQ(Band->GetStartLine().GetParentChart(), nullptr);
  EXPECT_EQ(Chart.GetTools().Count(), 1);  // the owned lines are no tools of the chart
  Chart.Draw();
  EXPECT_NE(Pixel(X(20), MidY()), clBlue);

  Band->SetResizeStart(true);
  Chart.Draw();
  EXPECT_EQ(Pixel(X(20), MidY()), clBlue);
  Press(X(20), MidY());
  EXPECT_TRUE(Band->GetStartLine().GetDragging());
  Move(X(10), MidY());
  EXPECT_NEAR(Band->GetStartValue(), 10, 1);  // the band follows at every move
  Release(X(10), MidY());
  EXPECT_NEAR(Band->GetStartValue(), 10, 1);
  EXPECT_DOUBLE_EQ(Band->GetEndValue(), 60);
  Chart.Draw();
  EXPECT_EQ(Pixel(X(15), MidY()), clRed);
  EXPECT_EQ(Pixel(Band->BoundsRect().Left, MidY()), clBlue);
}

TEST_F(TColorBandToolTest, PublishedDefaultsAndLinesFollowTheAxis) {
  TColorBandTool Fresh(nullptr);
  EXPECT_EQ(Fresh.GetColor(), clWhite);
  EXPECT_TRUE(Fresh.GetDrawBehind());
  EXPECT_FALSE(Fresh.GetDrawBehindAxes());
  EXPECT_FALSE(Fresh.GetResizeStart());
  EXPECT_FALSE(Fresh.GetResizeEnd());
  EXPECT_TRUE(Fresh.GetEndLine().GetDragRepaint());
  EXPECT_EQ(Fresh.Description(), Korproco::KorMsg_ColorBandTool);
  EXPECT_EQ(Fresh.GetEditorClass(), QStringLiteral("TColorBandToolEditor"));
  const QStringList Names = [&Fresh] {
    QStringList L;
    for (const TPublishedProperty& P : Fresh.Properties()) L << P.Name;
    return L;
  }();
  EXPECT_LT(Names.indexOf("Color"), Names.indexOf("StartValue"));
  EXPECT_LT(Names.indexOf("StartLinePen"), Names.indexOf("ResizeEnd"));

  Band->SetAxis(Chart.GetLeftAxis());
  EXPECT_EQ(Band->GetStartLine().GetAxis(), Chart.GetLeftAxis());
  EXPECT_EQ(Band->GetEndLine().Chart(), &Chart);
  EXPECT_DOUBLE_EQ(Band->GetEndLine().GetValue(), 60);
  Band->SetEndValue(70);
  EXPECT_DOUBLE_EQ(Band->GetEndLine().GetValue(), 70);
}

}  // namespace

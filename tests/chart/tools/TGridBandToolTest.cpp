#include "chart/tools/TGridBandTool.h"

#include "chart/tools/TGridBandBrush.h"

#include "chart/core/Korproco.h"
#include "chart/core/TAxisGridPen.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorGradient.h"
#include "chart/series/TLineSeries.h"

#include "platform/TBitmap.h"

#include "tests/chart/tools/MouseToolChart.h"
#include "tests/platform/PixelProbe.h"

#include <memory>

namespace {

// Both axes fixed to 0..100, the left axis with a tick every 20, and a grid
// band tool on it painting red and blue stripes.
class TGridBandToolTest : public TMouseToolChart {
 protected:
  void SetUp() override {
    TMouseToolChart::SetUp();
    AddLine(100);
    Tool = new TGridBandTool(&Chart);
    Tool->SetAxis(Chart.GetLeftAxis());
    Tool->GetBand1().SetColor(clRed);
    Tool->GetBand2().SetColor(clBlue);
    Bottom().SetMinMax(0, 100);
    Left().SetMinMax(0, 100);
    Left().SetIncrement(20);
    Left().GetGrid().SetVisible(false);
  }
  int Y(double Value) { return Left().CalcPosValue(Value); }
  int MidX() { return (Chart.GetPlotRect().Left + Chart.GetPlotRect().Right) / 2; }
  TColor Pixel(int PX, int PY) { return Chart.GetBuffer().GetPixel(PX, PY); }

  TGridBandTool* Tool = nullptr;
};

TEST_F(TGridBandToolTest, StripesBetweenTicksAlternateAndTileWithoutGaps) {
  Chart.Draw();
  ASSERT_EQ(Left().GetTickCount(), 6);
  // From the top: 100..80 red, 80..60 blue, 60..40 red, ...
  const TColor Expected[5] = {clRed, clBlue, clRed, clBlue, clRed};
  for (int I = 0; I < 5; ++I) {
    const double High = 100 - 20 * I;
    EXPECT_EQ(Pixel(MidX(), (Y(High) + Y(High - 20)) / 2), Expected[I]) << High;
    EXPECT_EQ(Pixel(MidX(), Y(High) + 1), Expected[I]) << High;
    EXPECT_EQ(Pixel(MidX(), Y(High - 20) - 1), Expected[I]) << High;
  }
  // Across the axis the stripes fill the chart rectangle inside its frame.
  const TRect& R = Chart.GetPlotRect();
  EXPECT_EQ(Pixel(R.Left + 1, Y(50)), clRed);
  EXPECT_EQ(Pixel(R.Right - 1, Y(50)), clRed);

  Tool->GetBand2().SetStyle(bsClear);  // a clear brush skips its stripes
  Chart.Draw();
  EXPECT_NE(Pixel(MidX(), Y(70)), clBlue);
  EXPECT_EQ(Pixel(MidX(), Y(50)), clRed);
}

TEST_F(TGridBandToolTest, TwoTicksPaintOnlyTheStripeBeforeTheFirst) {
  Left().SetIncrement(60);  // ticks at 60 and 0
  Chart.Draw();
  ASSERT_EQ(Left().GetTickCount(), 2);
  EXPECT_EQ(Pixel(MidX(), Y(80)), clRed);
  EXPECT_NE(Pixel(MidX(), Y(30)), clRed);
  EXPECT_NE(Pixel(MidX(), Y(30)), clBlue);
}

TEST_F(TGridBandToolTest, TransparentAndGradientStripesAndNoneOverTheSeriesIn3D) {
  Tool->GetBand1().SetStyle(bsClear);
  Chart.Draw();
  const TColor Back = Pixel(MidX(), Y(90));
  Tool->GetBand1().SetStyle(bsSolid);
  Tool->GetBand1().SetTransparency(50);
  Tool->GetBand2().GetGradient().SetVisible(true);
  Tool->GetBand2().GetGradient().SetStartColor(clLime);
  Tool->GetBand2().GetGradient().SetEndColor(clLime);
  Chart.Draw();
  // Half red, half what was behind, per channel (integer mixing: 2 levels).
  const TColor Half = Pixel(MidX(), Y(90));
  EXPECT_NEAR(int(Half & 0xFF), (0xFF + int(Back & 0xFF)) / 2, 2);
  EXPECT_NEAR(int((Half >> 8) & 0xFF), int((Back >> 8) & 0xFF) / 2, 2);
  EXPECT_EQ(Pixel(MidX(), Y(70)), clLime);

  // In 3D the left wall faces away and its axis is drawn again after the
  // series: the stripes stay behind the series all the same.
  auto* Line = new TLineSeries(&Chart);
  Chart.AddSeries(Line);
  Line->SetSeriesColor(clFuchsia);
  Line->AddXY(0, 50);
  Line->AddXY(100, 50);
  Tool->GetBand1().SetTransparency(0);
  Tool->GetBand2().GetGradient().SetVisible(false);
  Chart.SetView3D(true);
  Chart.Draw();
  EXPECT_GT(PixelProbe::Count(Chart.GetBuffer(), Chart.GetPlotRect(), clFuchsia), 50);
  EXPECT_GT(PixelProbe::Count(Chart.GetBuffer(), Chart.GetPlotRect(), clBlue), 50);
}

TEST_F(TGridBandToolTest, TheAxisGridEventFollowsTheToolAndBrushesCopy) {
  EXPECT_TRUE(static_cast<bool>(Left().OnDrawGrids));
  Tool->SetAxis(Chart.GetBottomAxis());
  EXPECT_FALSE(static_cast<bool>(Left().OnDrawGrids));
  EXPECT_TRUE(static_cast<bool>(Bottom().OnDrawGrids));
  Tool->SetActive(false);
  Chart.Draw();
  EXPECT_NE(Pixel(Bottom().CalcPosValue(90), 100), clRed);
  delete Tool;
  EXPECT_FALSE(static_cast<bool>(Bottom().OnDrawGrids));

  TGridBandBrush Source;
  Source.SetBackColor(clYellow);
  Source.SetTransparency(30);
  Source.GetGradient().SetVisible(true);
  Source.SetColor(clNavy);
  TGridBandTool Other(nullptr);
  Other.SetBand2(Source);
  EXPECT_EQ(Other.GetBand2().GetBackColor(), clYellow);
  EXPECT_EQ(Other.GetBand2().GetTransparency(), 30);
  EXPECT_TRUE(Other.GetBand2().GetGradient().GetVisible());
  EXPECT_EQ(Other.GetBand2().GetColor(), clNavy);
  EXPECT_EQ(Other.GetBand1().GetBackColor(), clNone);
  int Changes = 0;
  TGridBandBrush Watched([&Changes](TPersistent*) { ++Changes; });
  Watched.SetTransparency(0);
  Watched.SetBackColor(clNone);
  EXPECT_EQ(Changes, 0);
  Watched.GetGradient().SetVisible(true);
  Watched.SetTransparency(10);
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(Other.Description(), Korproco::KorMsg_GridBandTool);
  EXPECT_EQ(Other.GetEditorClass(), QStringLiteral("TGridBandToolEdit"));
}

}  // namespace

#include "chart/tools/TClipSeriesTool.h"

#include "chart/core/Korproco.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartTools.h"
#include "chart/series/TLineSeries.h"

#include "platform/TBitmap.h"

#include "tests/chart/tools/MouseToolChart.h"
#include "tests/platform/PixelProbe.h"

namespace {

// The left axis covers only the upper half of the chart rectangle (0..100);
// two line series run from the top of it down to -100, which lies in the
// lower half, where only an unclipped series may draw.
class TClipSeriesToolTest : public TMouseToolChart {
 protected:
  void SetUp() override {
    TMouseToolChart::SetUp();
    Red = MakeSeries(clRed, 20);
    Blue = MakeSeries(clBlue, 60);
    Bottom().SetMinMax(0, 100);
    Left().SetMinMax(0, 100);
    Left().SetEndPosition(50);
    Tool = new TClipSeriesTool(&Chart);
    Chart.GetTools().Add(Tool);
  }
  TLineSeries* MakeSeries(TColor Color, double X) {
    auto* S = new TLineSeries(&Chart);
    Chart.AddSeries(S);
    S->SetSeriesColor(Color);
    S->AddXY(X, 100);
    S->AddXY(X + 10, -100);
    return S;
  }
  // Ink of Color in the lower half of the chart rectangle.
  int Below(TColor Color) {
    Chart.Draw();
    const TRect& R = Chart.GetPlotRect();
    return PixelProbe::Count(Chart.GetBuffer(),
                             TRect(R.Left, Left().GetIEndPos() + 2, R.Right, R.Bottom), Color);
  }
  int Above(TColor Color) {
    const TRect& R = Chart.GetPlotRect();
    return PixelProbe::Count(Chart.GetBuffer(), TRect(R.Left, R.Top, R.Right, Left().GetIEndPos()),
                             Color);
  }

  TLineSeries* Red = nullptr;
  TLineSeries* Blue = nullptr;
  TClipSeriesTool* Tool = nullptr;
};

TEST_F(TClipSeriesToolTest, ClipsItsSeriesToTheRectangleOfItsAxes) {
  EXPECT_GT(Below(clRed), 0);
  Tool->SetSeries(Red);
  EXPECT_EQ(Below(clRed), 0);
  EXPECT_GT(Above(clRed), 0);
  EXPECT_GT(Below(clBlue), 0);  // the other series is left alone
  Tool->SetActive(false);
  EXPECT_GT(Below(clRed), 0);
  EXPECT_EQ(Tool->Description(), Korproco::KorMsg_ClipSeries);
}

TEST_F(TClipSeriesToolTest, AReplacedSeriesIsNoLongerClippedAndTheHooksGoWithTheTool) {
  Tool->SetSeries(Red);
  Tool->SetSeries(Blue);
  EXPECT_FALSE(static_cast<bool>(Red->OnBeforeDrawValues));
  EXPECT_FALSE(static_cast<bool>(Red->OnAfterDrawValues));
  EXPECT_GT(Below(clRed), 0);
  EXPECT_EQ(Below(clBlue), 0);

  delete Blue;  // the tool forgets a freed series
  EXPECT_EQ(Tool->GetSeries(), nullptr);
  Tool->SetSeries(Red);
  delete Tool;
  EXPECT_FALSE(static_cast<bool>(Red->OnBeforeDrawValues));
  EXPECT_GT(Below(clRed), 0);
}

}  // namespace

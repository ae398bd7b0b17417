#include "tools/chartdemo/ArrowBubbleDemoCharts.h"
#include "tools/chartdemo/BarDemoCharts.h"
#include "tools/chartdemo/DemoCharts.h"
#include "tools/chartdemo/GanttShapeDemoCharts.h"
#include "tools/chartdemo/LineDemoCharts.h"
#include "tools/chartdemo/PieDemoCharts.h"
#include "tools/chartdemo/ToolDemoCharts.h"

#include "chart/core/TChart.h"
#include "chart/core/TKorCanvas3D.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using TMakeChart = std::function<std::unique_ptr<TChart>()>;

// Every demo chart (each series type, 2D and 3D, tools) drawn frame after
// frame onto one bitmap that something else drew on in between, through
// its canvas and straight into its pixels: the part before the series
// comes from kept pixels from the third frame on, and every frame must
// equal the first, pixel for pixel.
TEST(DemoChartFramesTest, EveryDemoChartsLaterFramesEqualItsFirst) {
  const std::vector<std::pair<const char*, TMakeChart>> Charts = {
      {"raw scans",
       [] { return DemoCharts::RawScanChart(DemoCharts::RawScans(16, 400), 600, 350); }},
      {"gofs", [] { return DemoCharts::GofSChart(450, 250); }},
      {"gofs 3D",
       [] {
         auto Chart = DemoCharts::GofSChart(450, 250);
         Chart->SetView3D(true);
         return Chart;
       }},
      {"markers", [] { return BarDemoCharts::MarkerChart(450, 250); }},
      {"bars", [] { return BarDemoCharts::SpeciesChart(450, 250); }},
      {"horizontal bars", [] { return BarDemoCharts::RmsdChart(450, 250); }},
      {"errors", [] { return BarDemoCharts::ExtrapolationChart(450, 250); }},
      {"error bars", [] { return BarDemoCharts::BaselineChart(450, 250); }},
      {"high-low", [] { return BarDemoCharts::EnvelopeChart(450, 250); }},
      {"line", [] { return LineDemoCharts::TimeCourseChart(450, 250); }},
      {"horizontal line", [] { return LineDemoCharts::ProfileChart(300, 350); }},
      {"points", [] { return LineDemoCharts::ResidualsChart(450, 250); }},
      {"areas", [] { return LineDemoCharts::StackedGofSChart(450, 250); }},
      {"horizontal area", [] { return LineDemoCharts::SidewaysDistributionChart(300, 350); }},
      {"pie", [] { return PieDemoCharts::SpeciesPieChart(350, 250); }},
      {"donut 3D", [] { return PieDemoCharts::ScanDonutChart(350, 250); }},
      {"arrows", [] { return ArrowBubbleDemoCharts::PeakShiftChart(450, 250); }},
      {"tools", [] { return ToolDemoCharts::MarkedGofSChart(450, 250); }},
      {"bubbles", [] { return ArrowBubbleDemoCharts::SpeciesBubbleChart(450, 250); }},
      {"gantt", [] { return GanttShapeDemoCharts::RunScheduleChart(450, 250); }},
      {"shapes", [] { return GanttShapeDemoCharts::AnnotatedScanChart(450, 250); }},
  };
  int Reused = 0;
  for (const auto& [Name, Make] : Charts) {
    SCOPED_TRACE(Name);
    const std::unique_ptr<TChart> Chart = Make();
    const TRect Bounds = Chart->GetRectangle();
    TBitmap Bitmap(Bounds.Width(), Bounds.Height());
    QImage First;
    for (int Frame = 0; Frame < 4; ++Frame) {
      TCanvas& C = Bitmap.GetCanvas();
      C.GetBrush().SetColor(static_cast<TColor>(0x203040 * (Frame + 1)));
      C.FillRect(Bounds);
      C.GetFont().SetHeight(-23 - Frame);
      C.GetPen().SetColor(clFuchsia);
      C.MoveTo(Frame, 0);
      // Pixels written beside the canvas, as a picture loaded would be.
      auto* Row = static_cast<quint32*>(Bitmap.ScanLine(Frame + 5));
      for (int X = 0; X < Bitmap.GetWidth(); X += 3) Row[X] = 0xFF00FF00u;
      Chart->Draw(C, Bounds);
      if (Frame == 0)
        First = Bitmap.Image();
      else
        ASSERT_EQ(Bitmap.Image(), First) << "frame " << Frame;
    }
    if (dynamic_cast<TKorCanvas3D&>(Chart->GetPanelCanvas()).GetFixedLayerReused()) ++Reused;
  }
  // Most charts take their fixed part from kept pixels: the frames above
  // compared that, not only drawing.
  EXPECT_GE(Reused, int(Charts.size()) / 2);
}

}  // namespace

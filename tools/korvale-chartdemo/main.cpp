// Renders the demo charts to PNG files so that anyone can look at them:
//   korvale-chartdemo <folder>
// writes raw-scans.png (100 scans of 1,600 points), gofs.png (also in 3D)
// and one chart of each bar, error-bar, high-low, line, point, area, pie,
// donut, arrow, bubble, Gantt and shape series type, and tools.png with the
// mouse tools a viewer's plot may carry.
#include "tools/chartdemo/ArrowBubbleDemoCharts.h"
#include "tools/chartdemo/BarDemoCharts.h"
#include "tools/chartdemo/DemoCharts.h"
#include "tools/chartdemo/GanttShapeDemoCharts.h"
#include "tools/chartdemo/LineDemoCharts.h"
#include "tools/chartdemo/PieDemoCharts.h"
#include "tools/chartdemo/ToolDemoCharts.h"

#include "chart/core/TChart.h"
#include "platform/QtGuard.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvale-chartdemo <output folder>\n");
    return 2;
  }
  // Pictures only: no window system is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  TGuardedApplication App(argc, argv);
  const QString Folder = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(Folder)) {
    std::fprintf(stderr, "korvale-chartdemo: cannot create %s\n", argv[1]);
    return 1;
  }
  const DemoCharts::TScans Scans = DemoCharts::RawScans(100, 1600);
  DemoCharts::RawScanChart(Scans, 1200, 700)->SaveToBitmapFile(Folder + "/raw-scans.png");
  DemoCharts::GofSChart(900, 500)->SaveToBitmapFile(Folder + "/gofs.png");
  // The same chart in the chart's default 3D view, with its walls.
  const std::unique_ptr<TChart> GofS3D = DemoCharts::GofSChart(900, 500);
  GofS3D->SetView3D(true);
  GofS3D->SaveToBitmapFile(Folder + "/gofs-3d.png");
  BarDemoCharts::MarkerChart(900, 500)->SaveToBitmapFile(Folder + "/markers.png");
  BarDemoCharts::SpeciesChart(900, 500)->SaveToBitmapFile(Folder + "/bars.png");
  BarDemoCharts::RmsdChart(900, 500)->SaveToBitmapFile(Folder + "/horiz-bars.png");
  BarDemoCharts::ExtrapolationChart(900, 500)->SaveToBitmapFile(Folder + "/errors.png");
  BarDemoCharts::BaselineChart(900, 500)->SaveToBitmapFile(Folder + "/error-bars.png");
  BarDemoCharts::EnvelopeChart(900, 500)->SaveToBitmapFile(Folder + "/high-low.png");
  LineDemoCharts::TimeCourseChart(900, 500)->SaveToBitmapFile(Folder + "/line.png");
  LineDemoCharts::ProfileChart(600, 700)->SaveToBitmapFile(Folder + "/horiz-line.png");
  LineDemoCharts::ResidualsChart(900, 500)->SaveToBitmapFile(Folder + "/points.png");
  LineDemoCharts::StackedGofSChart(900, 500)->SaveToBitmapFile(Folder + "/areas.png");
  LineDemoCharts::SidewaysDistributionChart(600, 700)->SaveToBitmapFile(Folder + "/horiz-area.png");
  PieDemoCharts::SpeciesPieChart(700, 500)->SaveToBitmapFile(Folder + "/pie.png");
  PieDemoCharts::ScanDonutChart(700, 500)->SaveToBitmapFile(Folder + "/donut-3d.png");
  ArrowBubbleDemoCharts::PeakShiftChart(900, 500)->SaveToBitmapFile(Folder + "/arrows.png");
  ToolDemoCharts::MarkedGofSChart(900, 500)->SaveToBitmapFile(Folder + "/tools.png");
  ArrowBubbleDemoCharts::SpeciesBubbleChart(900, 500)->SaveToBitmapFile(Folder + "/bubbles.png");
  GanttShapeDemoCharts::RunScheduleChart(900, 500)->SaveToBitmapFile(Folder + "/gantt.png");
  GanttShapeDemoCharts::AnnotatedScanChart(900, 500)->SaveToBitmapFile(Folder + "/shapes.png");
  std::printf("Wrote the demo charts to %s\n", argv[1]);
  return 0;
}

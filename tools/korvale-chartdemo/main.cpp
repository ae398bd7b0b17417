// Renders the demo charts to PNG files so that anyone can look at them:
//   korvale-chartdemo <folder>
// writes raw-scans.png (100 scans of 1,600 points) and gofs.png.
#include "tools/chartdemo/DemoCharts.h"

#include "chart/core/TChart.h"
#include "platform/QtGuard.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

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
  std::printf("Wrote %s/raw-scans.png and %s/gofs.png\n", argv[1], argv[1]);
  return 0;
}

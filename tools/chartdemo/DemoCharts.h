#pragma once

#include <memory>
#include <vector>

class TChart;
class TComponent;

// Charts that look like what a viewer shows, for looking at and timing:
// raw absorbance scans of a sedimenting boundary, and a g(s*) distribution
// on a logarithmic s axis.
namespace DemoCharts {

// Radii (cm) and absorbances of ScanCount scans of PointsPerScan points: a
// boundary that moves out and spreads with time over a rising baseline.
struct TScans {
  std::vector<double> Radius;
  std::vector<std::vector<double>> Absorbance;
};
TScans RawScans(int ScanCount, int PointsPerScan);

// A chart of Width x Height pixels (2D) with one fast-line series per scan,
// axis titles, a legend and a title; the chart owns its series.
std::unique_ptr<TChart> RawScanChart(const TScans& Scans, int Width, int Height);

// Two species' g(s*) against s* in Svedberg units on a logarithmic axis.
std::unique_ptr<TChart> GofSChart(int Width, int Height);

}  // namespace DemoCharts

#pragma once

#include <memory>

class TChart;

// Charts of the pie series with data a viewer shows, for looking at:
// Width x Height pixels each.
namespace PieDemoCharts {

// Share of the loading signal per species as a flat pie, the largest
// species pushed out and the small ones grouped into "Other".
std::unique_ptr<TChart> SpeciesPieChart(int Width, int Height);
// Scans per cell as a 3D donut.
std::unique_ptr<TChart> ScanDonutChart(int Width, int Height);

}  // namespace PieDemoCharts

#pragma once

#include <memory>

class TChart;

// Charts of the bar, error-bar and high-low series with data a viewer
// shows, for looking at: one chart per series type, Width x Height pixels.
namespace BarDemoCharts {

// A scan with the meniscus and cell-bottom markers as 3-pixel bars.
std::unique_ptr<TChart> MarkerChart(int Width, int Height);
// Loading concentration of three species in three cells, side by side.
std::unique_ptr<TChart> SpeciesChart(int Width, int Height);
// Fit RMSD per cell as horizontal bars.
std::unique_ptr<TChart> RmsdChart(int Width, int Height);
// Apparent s against concentration with error whiskers and the fit line.
std::unique_ptr<TChart> ExtrapolationChart(int Width, int Height);
// Mean baseline offset per scan set with its standard deviation.
std::unique_ptr<TChart> BaselineChart(int Width, int Height);
// The range of absorbance over all scans against radius as a band.
std::unique_ptr<TChart> EnvelopeChart(int Width, int Height);

}  // namespace BarDemoCharts

#pragma once

#include <memory>

class TChart;

// Charts of the arrow and bubble series with data a viewer shows, for
// looking at: Width x Height pixels each.
namespace ArrowBubbleDemoCharts {

// How the g(s*) peak of four cells moves when the time correction is
// applied: one arrow per cell from the raw to the corrected peak.
std::unique_ptr<TChart> PeakShiftChart(int Width, int Height);
// The species of one cell: s against molar mass, each bubble's radius
// (in kDa) its share of the loading.
std::unique_ptr<TChart> SpeciesBubbleChart(int Width, int Height);

}  // namespace ArrowBubbleDemoCharts

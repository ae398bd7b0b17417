#pragma once

#include <memory>

class TChart;

// A chart with the mouse tools a scientist places on a viewer's plot, for
// looking at: Width x Height pixels.
namespace ToolDemoCharts {

// g(s*) of two species with grid bands, a colour band over the monomer's
// range, a colour line at the aggregate, an annotation pointing at the
// aggregate's peak and a vertical cursor on it.
std::unique_ptr<TChart> MarkedGofSChart(int Width, int Height);

}  // namespace ToolDemoCharts

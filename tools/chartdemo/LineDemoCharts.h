#pragma once

#include <memory>

class TChart;

// Charts of the line, point and area series with data a viewer shows, for
// looking at: one chart per series type, Width x Height pixels.
namespace LineDemoCharts {

// Boundary midpoint against time, with the rotor speed as stairs.
std::unique_ptr<TChart> TimeCourseChart(int Width, int Height);
// Mean absorbance at each radius drawn sideways: radius up, absorbance across.
std::unique_ptr<TChart> ProfileChart(int Width, int Height);
// Fit residuals against radius as points.
std::unique_ptr<TChart> ResidualsChart(int Width, int Height);
// g(s*) of two species as stacked areas on a logarithmic s axis.
std::unique_ptr<TChart> StackedGofSChart(int Width, int Height);
// A sedimentation-coefficient distribution as a sideways area.
std::unique_ptr<TChart> SidewaysDistributionChart(int Width, int Height);

}  // namespace LineDemoCharts

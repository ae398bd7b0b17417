#pragma once

#include <memory>

class TChart;

// Charts of the Gantt and shape series, for looking at: Width x Height
// pixels each.
namespace GanttShapeDemoCharts {

// The schedule of one sedimentation-velocity run: equilibration,
// acceleration, the scans and the analysis, each step linked to the next.
std::unique_ptr<TChart> RunScheduleChart(int Width, int Height);
// A scan annotated with shapes: the meniscus and plateau regions, the
// boundary midpoint and notes in boxes.
std::unique_ptr<TChart> AnnotatedScanChart(int Width, int Height);

}  // namespace GanttShapeDemoCharts

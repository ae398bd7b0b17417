#pragma once

#include "chart/core/TCustomChartLegend.h"

// Render and interaction: the legend a chart owns and publishes.
class TChartLegend : public TCustomChartLegend {
 public:
  using TCustomChartLegend::TCustomChartLegend;

  QString ClassName() const override { return QStringLiteral("TChartLegend"); }
};

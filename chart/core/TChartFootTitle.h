#pragma once

#include "chart/core/TChartTitle.h"

// Render: a title that stacks from the bottom of the chart, red and italic.
class TChartFootTitle : public TChartTitle {
 public:
  explicit TChartFootTitle(TCustomChart* AChart);

  QString ClassName() const override { return QStringLiteral("TChartFootTitle"); }
};

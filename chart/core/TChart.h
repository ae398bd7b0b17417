#pragma once

#include "chart/core/TCustomChart.h"

// Render: the chart component the program's windows place; it only
// publishes what the custom chart has.
class TChart : public TCustomChart {
 public:
  explicit TChart(TComponent* AOwner) : TCustomChart(AOwner) {}

  QString ClassName() const override { return QStringLiteral("TChart"); }
};

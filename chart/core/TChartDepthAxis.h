#pragma once

#include "chart/core/TChartAxis.h"

// Scale: an axis along the depth of a 3D chart. It maps values to depth
// pixels from 0, labels the series (one slot per Z order) unless some
// series spreads over several Z values, and the chart's two depth axes
// share their direction.
class TChartDepthAxis : public TChartAxis {
 public:
  explicit TChartDepthAxis(TCustomAxisPanel* AChart);

  QString ClassName() const override { return QStringLiteral("TChartDepthAxis"); }
  const TPropertyList& Properties() const override;

  // Also sets the chart's other depth axis.
  void SetInverted(bool Value) override;

 protected:
  // talValue when an active series has Z values of its own (its maximum Z
  // differs from its minimum), else talText.
  TAxisLabelStyle InternalCalcLabelStyle() const override;
};

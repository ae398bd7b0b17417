#pragma once

#include "chart/core/TChartWall.h"

// Render data: the wall at the right: silver and hidden.
class TChartRightWall : public TChartWall {
 public:
  explicit TChartRightWall(TCustomChart* AChart);

  QString ClassName() const override { return QStringLiteral("TChartRightWall"); }
  const TPropertyList& Properties() const override;
};

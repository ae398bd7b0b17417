#pragma once

#include "chart/core/TChartWall.h"

// Render data: the wall behind the series: silver and transparent.
class TChartBackWall : public TChartWall {
 public:
  explicit TChartBackWall(TCustomChart* AChart);

  QString ClassName() const override { return QStringLiteral("TChartBackWall"); }
  const TPropertyList& Properties() const override;
};

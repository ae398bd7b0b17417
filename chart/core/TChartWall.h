#pragma once

#include "chart/core/TCustomChartWall.h"

// Render data: the published form of a chart wall (left and bottom).
class TChartWall : public TCustomChartWall {
 public:
  TChartWall(TCustomChart* AChart, TColor AColor);

  QString ClassName() const override { return QStringLiteral("TChartWall"); }
};

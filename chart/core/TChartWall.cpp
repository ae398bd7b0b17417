#include "chart/core/TChartWall.h"

TChartWall::TChartWall(TCustomChart* AChart, TColor AColor) : TCustomChartWall(AChart) {
  InitColor(AColor);
}

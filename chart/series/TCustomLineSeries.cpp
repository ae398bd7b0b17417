#include "chart/series/TCustomLineSeries.h"

TCustomLineSeries::TCustomLineSeries(TComponent* AOwner) : TChartSeries(AOwner) {}

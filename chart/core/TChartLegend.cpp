#include "chart/core/TChartLegend.h"

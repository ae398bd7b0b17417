#include "chart/core/TChartTheme.h"

TChartThemeSelectorHook ChartThemeSelectorHook;

QString TChartTheme::Description() const {
  return QStringLiteral("Default");
}

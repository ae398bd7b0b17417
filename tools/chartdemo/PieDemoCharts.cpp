#include "tools/chartdemo/PieDemoCharts.h"

#include "tools/chartdemo/DemoChartParts.h"

#include "chart/core/TChart.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/series/TPieSeries.h"

#include <QString>

namespace PieDemoCharts {

using DemoChartParts::Add;
using DemoChartParts::NewChart;

std::unique_ptr<TChart> SpeciesPieChart(int Width, int Height) {
  auto Chart =
      NewChart(Width, Height, QStringLiteral("Loading signal by species"), QString(), QString());
  auto* Pie = Add<TPieSeries>(*Chart, QStringLiteral("Species"), clNavy);
  const struct {
    const char* Label;
    double Share;
  } Species[] = {{"4.5 S monomer", 0.62}, {"7 S dimer", 0.21}, {"11 S", 0.09},
                 {"18 S", 0.04},          {"25 S", 0.025},     {"aggregates", 0.015}};
  for (const auto& S : Species) Pie->AddPie(S.Share, QString::fromLatin1(S.Label));
  Pie->SetExplodeBiggest(12);
  Pie->GetOtherSlice().SetStyle(poBelowPercent);
  Pie->GetOtherSlice().SetValue(5);
  Pie->SetCircled(true);
  return Chart;
}

std::unique_ptr<TChart> ScanDonutChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Scans per cell"), QString(), QString());
  Chart->SetView3D(true);
  auto* Donut = Add<TPieSeries>(*Chart, QStringLiteral("Scans"), clNavy);
  const int Scans[] = {120, 96, 80, 64};
  for (int Cell = 0; Cell < 4; ++Cell)
    Donut->AddPie(Scans[Cell], QStringLiteral("Cell %1").arg(Cell + 1));
  Donut->SetDonutPercent(45);
  Donut->GetMarks().SetVisible(true);
  return Chart;
}

}  // namespace PieDemoCharts

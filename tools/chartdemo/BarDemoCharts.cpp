#include "tools/chartdemo/BarDemoCharts.h"

#include "tools/chartdemo/DemoChartParts.h"
#include "tools/chartdemo/DemoCharts.h"

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/TErrorBarSeries.h"
#include "chart/series/TErrorSeries.h"
#include "chart/series/TFastLineSeries.h"
#include "chart/series/THighLowSeries.h"
#include "chart/series/THorizBarSeries.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace BarDemoCharts {

using DemoChartParts::Add;
using DemoChartParts::NewChart;

std::unique_ptr<TChart> MarkerChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Scan 40 with its markers"),
                        QStringLiteral("Radius (cm)"), QStringLiteral("Absorbance (OD)"));
  const DemoCharts::TScans Scans = DemoCharts::RawScans(80, 800);
  auto* Scan = Add<TFastLineSeries>(*Chart, QStringLiteral("Scan 40"), clNavy);
  for (size_t I = 0; I < Scans.Radius.size(); ++I)
    Scan->AddXY(Scans.Radius[I], Scans.Absorbance[39][I]);
  const struct {
    const char* Title;
    double Radius;
    TColor Color;
  } Markers[] = {{"Meniscus", 5.95, clRed}, {"Bottom", 7.2, clGreen}};
  for (const auto& M : Markers) {
    auto* Bar = Add<TBarSeries>(*Chart, QString::fromLatin1(M.Title), M.Color);
    Bar->SetMultiBar(mbNone);  // each marker at its own radius
    Bar->SetCustomBarWidth(3);
    Bar->GetMarks().SetVisible(false);
    Bar->GetBarPen().SetVisible(false);
    Bar->AddXY(M.Radius, 1.0);
  }
  return Chart;
}

std::unique_ptr<TChart> SpeciesChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Loading concentration by species"),
                        QStringLiteral("Cell"), QStringLiteral("Concentration (OD)"));
  const double Values[3][3] = {{0.62, 0.41, 0.20}, {0.11, 0.09, 0.05}, {0.03, 0.06, 0.02}};
  const char* Titles[] = {"4.5 S", "7 S", "18 S"};
  const TColor Colors[] = {clNavy, clTeal, clMaroon};
  for (int S = 0; S < 3; ++S) {
    auto* Bars = Add<TBarSeries>(*Chart, QString::fromLatin1(Titles[S]), Colors[S]);
    Bars->GetMarks().SetStyle(smsValue);
    for (int Cell = 0; Cell < 3; ++Cell)
      Bars->Add(Values[S][Cell], QStringLiteral("Cell %1").arg(Cell + 1));
  }
  return Chart;
}

std::unique_ptr<TChart> RmsdChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Fit RMSD by cell"),
                        QStringLiteral("RMSD (OD)"), QStringLiteral("Cell"));
  auto* Bars = Add<THorizBarSeries>(*Chart, QStringLiteral("RMSD"), clTeal);
  Bars->SetBarStyle(bsRectGradient);
  Bars->GetMarks().SetStyle(smsValue);
  const double Rmsd[] = {0.0041, 0.0057, 0.0049, 0.0112};
  for (int Cell = 0; Cell < 4; ++Cell)
    Bars->Add(Rmsd[Cell], QStringLiteral("Cell %1").arg(Cell + 1));
  return Chart;
}

std::unique_ptr<TChart> ExtrapolationChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Extrapolation to zero concentration"),
                        QStringLiteral("Concentration (mg/ml)"), QStringLiteral("s20,w (S)"));
  auto* Points = Add<TErrorSeries>(*Chart, QStringLiteral("Apparent s"), clRed);
  Points->GetErrorPen().SetWidth(2);
  const double C[] = {0.25, 0.5, 1.0, 2.0, 4.0};
  const double S[] = {4.46, 4.41, 4.33, 4.16, 3.85};
  const double E[] = {0.06, 0.05, 0.04, 0.04, -0.05};  // one error stored with a minus sign
  for (int I = 0; I < 5; ++I) Points->AddErrorBar(C[I], S[I], E[I]);
  auto* Fit = Add<TFastLineSeries>(*Chart, QStringLiteral("s = s0 (1 - k c)"), clBlack);
  for (int I = 0; I <= 40; ++I) {
    const double X = I * 0.1;
    Fit->AddXY(X, 4.50 * (1 - 0.036 * X));
  }
  return Chart;
}

std::unique_ptr<TChart> BaselineChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Baseline offset by scan set"),
                        QStringLiteral("Scan set"), QStringLiteral("Offset (mOD)"));
  auto* Bars = Add<TErrorBarSeries>(*Chart, QStringLiteral("Mean offset"), clSkyBlue);
  Bars->GetErrorPen().SetWidth(2);
  Chart->GetLegend().SetVisible(false);
  const double Mean[] = {1.8, 0.9, -0.4, -1.6, 0.3};
  const double Sd[] = {0.4, 0.3, 0.3, 0.5, 0.2};
  for (int I = 0; I < 5; ++I) Bars->AddErrorBar(I + 1, Mean[I], Sd[I]);
  return Chart;
}

std::unique_ptr<TChart> EnvelopeChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Absorbance range over 80 scans"),
                        QStringLiteral("Radius (cm)"), QStringLiteral("Absorbance (OD)"));
  const DemoCharts::TScans Scans = DemoCharts::RawScans(80, 200);
  auto* Band = Add<THighLowSeries>(*Chart, QStringLiteral("Min .. max"), clSkyBlue);
  Chart->GetLegend().SetVisible(false);
  Band->GetHighBrush().SetStyle(bsSolid);
  Band->GetPen().SetVisible(false);
  Band->GetHighPen().SetColor(clNavy);
  Band->GetLowPen().SetColor(clNavy);
  for (size_t I = 0; I < Scans.Radius.size(); ++I) {
    double Low = Scans.Absorbance[0][I];
    double High = Low;
    for (const std::vector<double>& A : Scans.Absorbance) {
      Low = std::min(Low, A[I]);
      High = std::max(High, A[I]);
    }
    Band->AddHighLow(Scans.Radius[I], High, Low);
  }
  return Chart;
}

}  // namespace BarDemoCharts

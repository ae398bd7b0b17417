#include "tools/chartdemo/LineDemoCharts.h"

#include "tools/chartdemo/DemoChartParts.h"
#include "tools/chartdemo/DemoCharts.h"

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/THorizAreaSeries.h"
#include "chart/series/THorizLineSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPointSeries.h"

#include <QString>

#include <cmath>

namespace LineDemoCharts {

namespace {

using DemoChartParts::NewChart;

// The demo's series show no marks.
template <class T>
T* Add(TChart& Chart, const QString& Title, TColor Color) {
  T* S = DemoChartParts::Add<T>(Chart, Title, Color);
  S->GetMarks().SetVisible(false);
  return S;
}

// A peak of area Area at S0 with a relative spread, in 1/S.
double LogNormal(double S, double S0, double Spread, double Area) {
  const double Z = std::log(S / S0) / Spread;
  return Area / (S * Spread * std::sqrt(2 * M_PI)) * std::exp(-0.5 * Z * Z);
}

}  // namespace

std::unique_ptr<TChart> TimeCourseChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Boundary midpoint during the run"),
                        QStringLiteral("Time (min)"), QStringLiteral("Radius (cm)"));
  auto* Midpoint = Add<TLineSeries>(*Chart, QStringLiteral("Boundary midpoint"), clNavy);
  Midpoint->GetLinePen().SetWidth(2);
  Midpoint->GetPointer().Show();
  Midpoint->GetPointer().SetSize(3);
  // r = rm exp(w^2 s t) for 4.5 S at 50 000 rpm from a 6.0 cm meniscus.
  const double Omega = 50000 * 2 * M_PI / 60;
  for (int Minute = 10; Minute <= 120; Minute += 10)
    Midpoint->AddXY(Minute, 6.0 * std::exp(Omega * Omega * 4.5e-13 * Minute * 60));
  // The speed set point in thousands of rpm, on the right axis.
  auto* Speed = Add<TLineSeries>(*Chart, QStringLiteral("Speed (krpm)"), clMaroon);
  Speed->SetVertAxis(aRightAxis);
  Speed->SetStairs(true);
  const double Steps[][2] = {{0, 3}, {5, 50}, {60, 50}, {65, 45}, {120, 45}};
  for (const auto& Step : Steps) Speed->AddXY(Step[0], Step[1]);
  Chart->GetRightAxis()->GetTitle().SetCaption(QStringLiteral("Rotor speed (krpm)"));
  return Chart;
}

std::unique_ptr<TChart> ProfileChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Scan 40, radius upward"),
                        QStringLiteral("Absorbance (OD)"), QStringLiteral("Radius (cm)"));
  const DemoCharts::TScans Scans = DemoCharts::RawScans(80, 200);
  Chart->GetLegend().SetVisible(false);
  auto* Profile = Add<THorizLineSeries>(*Chart, QStringLiteral("Scan 40"), clNavy);
  for (size_t I = 0; I < Scans.Radius.size(); ++I)
    Profile->AddXY(Scans.Absorbance[39][I], Scans.Radius[I]);
  return Chart;
}

std::unique_ptr<TChart> ResidualsChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Fit residuals, scan 40"),
                        QStringLiteral("Radius (cm)"), QStringLiteral("Residual (OD)"));
  auto* Residuals = Add<TPointSeries>(*Chart, QStringLiteral("Residuals"), clTeal);
  Residuals->GetPointer().SetStyle(psCircle);
  Residuals->GetPointer().SetSize(2);
  Chart->GetLegend().SetVisible(false);
  // Noise of 5 mOD with a slight systematic wave, as a good fit leaves.
  unsigned Seed = 12345;
  auto Noise = [&Seed] {
    double Sum = 0;
    for (int K = 0; K < 12; ++K) {
      Seed = Seed * 1103515245u + 12345u;
      Sum += (Seed >> 8 & 0xFFFF) / 65536.0;
    }
    return Sum - 6;
  };
  for (int I = 0; I < 150; ++I) {
    const double R = 6.0 + 1.2 * I / 149;
    Residuals->AddXY(R, 0.005 * Noise() + 0.002 * std::sin(R * 9));
  }
  return Chart;
}

std::unique_ptr<TChart> StackedGofSChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("g(s*) by species, stacked"),
                        QStringLiteral("s* (S)"), QStringLiteral("g(s*) (OD/S)"));
  Chart->GetBottomAxis()->SetLogarithmic(true);
  const struct {
    const char* Title;
    double Peak;
    double Spread;
    double Area;
    TColor Color;
  } Species[] = {{"4.5 S monomer", 4.5, 0.10, 0.62, clSkyBlue},
                 {"7 S dimer", 7.0, 0.08, 0.21, clTeal}};
  for (const auto& Sp : Species) {
    auto* Area = Add<TAreaSeries>(*Chart, QString::fromLatin1(Sp.Title), Sp.Color);
    Area->GetAreaLinesPen().Hide();
    Area->GetLinePen().SetColor(clNavy);
    Area->SetMultiArea(maStacked);
    for (int I = 0; I < 200; ++I) {
      const double S = std::exp(std::log(1.0) + (std::log(30.0) - std::log(1.0)) * I / 199);
      Area->AddXY(S, LogNormal(S, Sp.Peak, Sp.Spread, Sp.Area));
    }
  }
  return Chart;
}

std::unique_ptr<TChart> SidewaysDistributionChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Distribution of s, sideways"),
                        QStringLiteral("c(s) (OD/S)"), QStringLiteral("s (S)"));
  Chart->GetLegend().SetVisible(false);
  auto* Area = Add<THorizAreaSeries>(*Chart, QStringLiteral("c(s)"), clSkyBlue);
  Area->GetAreaLinesPen().Hide();
  Area->GetLinePen().SetColor(clNavy);
  for (int I = 0; I <= 120; ++I) {
    const double S = 1 + 19.0 * I / 120;
    Area->AddXY(LogNormal(S, 4.5, 0.08, 0.6) + LogNormal(S, 11, 0.07, 0.15), S);
  }
  return Chart;
}

}  // namespace LineDemoCharts

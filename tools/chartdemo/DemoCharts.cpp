#include "tools/chartdemo/DemoCharts.h"

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartTitle.h"
#include "chart/series/TFastLineSeries.h"

#include <QString>

#include <cmath>

namespace DemoCharts {

namespace {

constexpr double Meniscus = 5.95;
constexpr double Bottom = 7.2;

std::unique_ptr<TChart> NewChart(int Width, int Height, const QString& Title) {
  auto Chart = std::make_unique<TChart>(nullptr);
  Chart->SetBounds(0, 0, Width, Height);
  Chart->SetView3D(false);
  Chart->SetColor(clWhite);
  Chart->GetTitle().SetCaption(Title);
  return Chart;
}

}  // namespace

TScans RawScans(int ScanCount, int PointsPerScan) {
  TScans Scans;
  Scans.Radius.resize(static_cast<size_t>(PointsPerScan));
  for (int I = 0; I < PointsPerScan; ++I)
    Scans.Radius[static_cast<size_t>(I)] = Meniscus + (Bottom - Meniscus) * I / (PointsPerScan - 1);
  for (int S = 0; S < ScanCount; ++S) {
    // The boundary moves from near the meniscus towards the bottom and
    // spreads as it goes; the plateau falls by radial dilution.
    const double T = double(S + 1) / ScanCount;
    const double Boundary = Meniscus + 0.05 + (Bottom - Meniscus - 0.15) * T;
    const double Width = 0.01 + 0.05 * std::sqrt(T);
    const double Plateau = 0.9 * std::exp(-0.4 * T);
    std::vector<double> A(static_cast<size_t>(PointsPerScan));
    for (int I = 0; I < PointsPerScan; ++I) {
      const double R = Scans.Radius[static_cast<size_t>(I)];
      A[static_cast<size_t>(I)] =
          0.05 + 0.02 * (R - Meniscus) + Plateau * 0.5 * (1 + std::erf((R - Boundary) / Width));
    }
    Scans.Absorbance.push_back(std::move(A));
  }
  return Scans;
}

std::unique_ptr<TChart> RawScanChart(const TScans& Scans, int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("Raw scans, cell 2, 280 nm"));
  Chart->GetBottomAxis()->GetTitle().SetCaption(QStringLiteral("Radius (cm)"));
  Chart->GetLeftAxis()->GetTitle().SetCaption(QStringLiteral("Absorbance (OD)"));
  for (size_t S = 0; S < Scans.Absorbance.size(); ++S) {
    auto* Series = new TFastLineSeries(Chart.get());
    Series->SetTitle(QStringLiteral("Scan %1").arg(S + 1));
    Chart->AddSeries(Series);
    Series->BeginUpdate();
    const std::vector<double>& A = Scans.Absorbance[S];
    for (size_t I = 0; I < A.size(); ++I) Series->AddXY(Scans.Radius[I], A[I]);
    Series->EndUpdate();
  }
  return Chart;
}

std::unique_ptr<TChart> GofSChart(int Width, int Height) {
  auto Chart = NewChart(Width, Height, QStringLiteral("g(s*), corrected"));
  Chart->GetBottomAxis()->SetLogarithmic(true);
  Chart->GetBottomAxis()->GetTitle().SetCaption(QStringLiteral("s* (S)"));
  Chart->GetLeftAxis()->GetTitle().SetCaption(QStringLiteral("g(s*) (OD/S)"));
  const struct {
    const char* Title;
    double Peak;
    double Spread;
  } Species[] = {{"4.5 S monomer", 4.5, 0.09}, {"18 S aggregate", 18, 0.06}};
  for (const auto& Sp : Species) {
    auto* Series = new TFastLineSeries(Chart.get());
    Series->SetTitle(QString::fromLatin1(Sp.Title));
    Chart->AddSeries(Series);
    for (int I = 0; I < 400; ++I) {
      const double S = std::exp(std::log(1.0) + (std::log(100.0) - std::log(1.0)) * I / 399);
      const double Z = std::log(S / Sp.Peak) / Sp.Spread;
      Series->AddXY(S, 0.8 / (Sp.Peak * Sp.Spread) * std::exp(-0.5 * Z * Z));
    }
  }
  return Chart;
}

}  // namespace DemoCharts

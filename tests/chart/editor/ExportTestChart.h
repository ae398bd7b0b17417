#pragma once

#include <QString>

#include "chart/core/TChart.h"
#include "chart/core/TChartBackWall.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartTitle.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/series/TBarSeries.h"

// A bar chart with a title, as users export it: panel, back wall and bars
// in colours that probes of an exported picture tell apart.
struct TExportTestChart {
  static constexpr int Width = 400;
  static constexpr int Height = 300;
  static constexpr TColor PanelColor = RGB(255, 255, 200);

  TChart Chart{nullptr};
  TBarSeries* Bars = nullptr;

  TExportTestChart(const QString& Title, TColor WallColor, TColor BarColor) {
    Chart.SetBounds(0, 0, Width, Height);
    Chart.SetView3D(false);
    Chart.SetColor(PanelColor);
    Chart.GetTitle().SetCaption(Title);
    Chart.GetLegend().SetVisible(false);
    Chart.GetBackWall().SetColor(WallColor);
    Chart.GetBackWall().SetTransparent(false);
    Bars = new TBarSeries(&Chart);
    Chart.AddSeries(Bars);
    Bars->SetSeriesColor(BarColor);
    Bars->GetMarks().SetVisible(false);
    for (double Y : {2.0, 5.0, 4.0}) Bars->AddY(Y);
  }
};

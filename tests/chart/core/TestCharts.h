#pragma once

#include "chart/core/TCustomAxisPanel.h"

#include "platform/TRect.h"

// An axis chart without titles, walls or legend: the hooks a full chart
// fills do nothing (no walls, so no wall thickness; every colour is free).
// Tests set the chart rectangle themselves.
class TTestChart : public TCustomAxisPanel {
 public:
  explicit TTestChart(TComponent* AOwner = nullptr) : TCustomAxisPanel(AOwner) {}

  int CalcWallSize(const TChartAxis*) const override { return 0; }
  bool IsFreeSeriesColor(TColor, bool, const TChartSeries*) const override { return true; }

  // The chart rectangle as the layout would leave it, with its width and
  // height.
  void SetChartRect(const TRect& R) {
    SetPlotRect(R);
    ReCalcWidthHeight();
  }

  // Counts the repaint requests (whether or not they repaint).
  void Invalidate() override {
    ++Invalidations;
    TCustomAxisPanel::Invalidate();
  }
  int Invalidations = 0;

 protected:
  void CalcWallsRect() override { CalcSize3DWalls(); }
  void DrawTitlesAndLegend(bool) override {}
  void DrawWalls() override {}
};

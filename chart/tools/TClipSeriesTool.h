#pragma once

#include "chart/core/TKorCustomToolSeries.h"

#include <QString>

class TChartSeries;

// Render: clips its series' drawing to the rectangle of the series' own
// axes (useful when custom axes share the chart rectangle). It works
// through the series' before- and after-draw-values events, which it takes
// over while the series is its own.
class TClipSeriesTool : public TKorCustomToolSeries {
 public:
  explicit TClipSeriesTool(TComponent* AOwner) : TKorCustomToolSeries(AOwner) {}
  // Gives the series' events back.
  ~TClipSeriesTool() override;

  QString ClassName() const override { return QStringLiteral("TClipSeriesTool"); }
  QString Description() const override;
  // Moves the hooks from the old series to the new one.
  void SetSeries(TChartSeries* Value) override;

 private:
  void SeriesBeforeDraw(TChartSeries* Sender);
  void SeriesAfterDraw(TChartSeries* Sender);
  void Unhook();

  // caches: whether the series' drawing in progress is clipped
  bool FClipped = false;
};

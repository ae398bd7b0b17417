#pragma once

#include "chart/series/TCustomErrorSeries.h"

// Render: error whiskers without bars, in each point's colour; the
// series colour and the error pen's colour stay equal.
class TErrorSeries : public TCustomErrorSeries {
 public:
  explicit TErrorSeries(TComponent* AOwner) : TCustomErrorSeries(AOwner) {}

  QString ClassName() const override { return QStringLiteral("TErrorSeries"); }
  const TPropertyList& Properties() const override;
  bool IsOfBarClass(const TChartSeries* Other) const override;

  void SetSeriesColor(TColor AColor) override;
  void SetErrorPen(const TChartPen& Value) override;
};

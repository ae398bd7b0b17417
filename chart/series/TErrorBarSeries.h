#pragma once

#include "chart/series/TCustomErrorSeries.h"

// Render: bars with an error whisker on top of each, pointing away from
// the bar's base (downward for values below the origin).
class TErrorBarSeries : public TCustomErrorSeries {
 public:
  explicit TErrorBarSeries(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TErrorBarSeries"); }
  const TPropertyList& Properties() const override;
  bool IsOfBarClass(const TChartSeries* Other) const override;
  // A wider error pen first, then the error series' preparation.
  void PrepareForGallery(bool IsEnabled) override;
};

#pragma once

#include "chart/series/TAreaSeries.h"

#include <QString>

// Render: an area series drawn against the vertical axis: X is the value
// that is drawn (filled towards the left), against Y values in ascending
// order.
class THorizAreaSeries : public TAreaSeries {
 public:
  explicit THorizAreaSeries(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("THorizAreaSeries"); }

  bool IsOfSeriesClass(const TChartSeries* Other) const override;
  // To the right of the point instead of above it.
  void DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) override;
  int NumSampleValues() const override { return 10; }
};

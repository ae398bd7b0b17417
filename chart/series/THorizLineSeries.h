#pragma once

#include "chart/series/TLineSeries.h"

#include <QString>

// Render: a line series drawn against the vertical axis: X is the value
// that is drawn, against Y values in ascending order.
class THorizLineSeries : public TLineSeries {
 public:
  explicit THorizLineSeries(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("THorizLineSeries"); }

  bool IsOfSeriesClass(const TChartSeries* Other) const override;
  // The widest mark.
  int CalcMarkLength(int ValueIndex) override;
  // Beside the point instead of above it: right of it, or left when the
  // point lies left of its origin.
  void DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) override;
};

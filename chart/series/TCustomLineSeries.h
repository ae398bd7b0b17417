#pragma once

#include "chart/core/TChartSeries.h"

class TChartPen;

// Data: the base of the series drawn as lines; it adds no state, only the
// name LinePen for the series' own pen.
class TCustomLineSeries : public TChartSeries {
 public:
  explicit TCustomLineSeries(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TCustomLineSeries"); }

  TChartPen& GetLinePen() const { return GetPen(); }
  // Through the element's pen setter (copies Value).
  void SetLinePen(const TChartPen& Value) { SetPen(Value); }
};

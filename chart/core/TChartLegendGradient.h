#pragma once

#include "chart/core/TKorGradient.h"

// Data: the gradient of the legend box, which runs from silver on the right
// to white on the left unless set otherwise.
class TChartLegendGradient : public TKorGradient {
 public:
  explicit TChartLegendGradient(TNotifyEvent ChangeHandler = nullptr);

  QString ClassName() const override { return QStringLiteral("TChartLegendGradient"); }
  const TPropertyList& Properties() const override;
};

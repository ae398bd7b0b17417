#pragma once

#include "chart/core/TKorGradient.h"

// Data: the gradient of series marks, which runs from silver on the right
// to white on the left unless set otherwise.
class TSeriesMarksGradient : public TKorGradient {
 public:
  explicit TSeriesMarksGradient(TNotifyEvent ChangeHandler = nullptr);

  QString ClassName() const override { return QStringLiteral("TSeriesMarksGradient"); }
  const TPropertyList& Properties() const override;
};

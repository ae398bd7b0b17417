#pragma once

#include "chart/series/TCustomSortedFunction.h"

// Data: the median of a period: the middle value, or the mean of the two
// middle values for an even count.
class TMedianKorFunction : public TCustomSortedFunction {
 public:
  using TCustomSortedFunction::TCustomSortedFunction;

  QString ClassName() const override { return QStringLiteral("TMedianKorFunction"); }

 protected:
  double CalcResult() override;
};

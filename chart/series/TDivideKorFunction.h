#pragma once

#include "chart/series/TManySeriesKorFunction.h"

// Data: the first source's value divided by every further one's, point by
// point; a zero divisor is skipped rather than giving an infinity.
class TDivideKorFunction : public TManySeriesKorFunction {
 public:
  using TManySeriesKorFunction::TManySeriesKorFunction;

  QString ClassName() const override { return QStringLiteral("TDivideKorFunction"); }

 protected:
  void CalculateValue(double& Result, double Value) override;
};

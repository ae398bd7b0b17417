#pragma once

#include "chart/series/TManySeriesKorFunction.h"

// Data: the first source's value less every further one's, point by point.
class TSubtractKorFunction : public TManySeriesKorFunction {
 public:
  using TManySeriesKorFunction::TManySeriesKorFunction;

  QString ClassName() const override { return QStringLiteral("TSubtractKorFunction"); }

 protected:
  void CalculateValue(double& Result, double Value) override;
};

#pragma once

#include "chart/series/TManySeriesKorFunction.h"

// Data: the product of the sources' values, point by point.
class TMultiplyKorFunction : public TManySeriesKorFunction {
 public:
  using TManySeriesKorFunction::TManySeriesKorFunction;

  QString ClassName() const override { return QStringLiteral("TMultiplyKorFunction"); }

 protected:
  void CalculateValue(double& Result, double Value) override;
};

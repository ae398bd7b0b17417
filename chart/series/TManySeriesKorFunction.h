#pragma once

#include "chart/core/TKorFunction.h"

// Data: a function that only combines several sources point by point: the
// first source that has a point at the index starts the result and every
// further one is folded in with CalculateValue. One source gives 0.
class TManySeriesKorFunction : public TKorFunction {
 public:
  using TKorFunction::TKorFunction;

  QString ClassName() const override { return QStringLiteral("TManySeriesKorFunction"); }

  // 0 when no source has a point at ValueIndex.
  double CalculateMany(const std::vector<TComponent*>& SourceSeriesList, int ValueIndex) override;

 protected:
  // Folds the next source's Value into the running Result.
  virtual void CalculateValue(double& Result, double Value) = 0;
};

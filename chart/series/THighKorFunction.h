#pragma once

#include "chart/core/TKorFunction.h"

// Data: the largest value of a period, or of the values at one index over
// several sources.
class THighKorFunction : public TKorFunction {
 public:
  using TKorFunction::TKorFunction;

  QString ClassName() const override { return QStringLiteral("THighKorFunction"); }

  // An empty range gives 0.
  double Calculate(TChartSeries* Source, int First, int Last) override;
  // 0 when no source has a point at ValueIndex.
  double CalculateMany(const std::vector<TComponent*>& SourceSeriesList, int ValueIndex) override;
};

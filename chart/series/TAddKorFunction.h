#pragma once

#include "chart/core/TKorFunction.h"

// Data: the sum of a period, or of the values at one index over several
// sources.
class TAddKorFunction : public TKorFunction {
 public:
  using TKorFunction::TKorFunction;

  QString ClassName() const override { return QStringLiteral("TAddKorFunction"); }

  // All points use the list's cached total; an empty range gives 0.
  double Calculate(TChartSeries* Source, int First, int Last) override;
  double CalculateMany(const std::vector<TComponent*>& SourceSeriesList, int ValueIndex) override;
};

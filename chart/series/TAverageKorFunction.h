#pragma once

#include "chart/core/TKorFunction.h"

// Data: the mean of a period, or of the values at one index over several
// sources. With IncludeNulls off, null points are left out; with it on,
// their stored values count like any other.
class TAverageKorFunction : public TKorFunction {
 public:
  explicit TAverageKorFunction(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TAverageKorFunction"); }
  const TPropertyList& Properties() const override;
  void Assign(const TPersistent& Source) override;

  bool GetIncludeNulls() const { return FIncludeNulls; }
  void SetIncludeNulls(bool Value);

  QString GetEditorClass() const override { return QStringLiteral("TAverageFuncEditor"); }
  // 0 when nothing is left to average.
  double Calculate(TChartSeries* Source, int First, int Last) override;
  double CalculateMany(const std::vector<TComponent*>& SourceSeriesList, int ValueIndex) override;

 private:
  bool FIncludeNulls = true;
};

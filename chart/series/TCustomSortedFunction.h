#pragma once

#include "chart/core/TKorFunction.h"

#include <vector>

// Data: a function of the ordered values of a period (or of one index over
// several sources): the kept values are sorted ascending into a buffer and
// CalcResult reads it. With IncludeNulls off, null points are left out.
class TCustomSortedFunction : public TKorFunction {
 public:
  explicit TCustomSortedFunction(TComponent* AOwner);

  QString ClassName() const override { return QStringLiteral("TCustomSortedFunction"); }
  const TPropertyList& Properties() const override;
  void Assign(const TPersistent& Source) override;

  bool GetIncludeNulls() const { return FIncludeNulls; }
  void SetIncludeNulls(bool Value);

  // Reads the sources' mandatory values; 0 when no value is kept.
  double Calculate(TChartSeries* Source, int First, int Last) override;
  double CalculateMany(const std::vector<TComponent*>& SourceSeriesList, int ValueIndex) override;

 protected:
  // The result over the sorted buffer; called with at least one value.
  virtual double CalcResult() = 0;
  // The kept values, ascending.
  const std::vector<double>& SortedValues() const { return FSorted; }

 private:
  // Adds Value to the buffer keeping it ascending; equal values keep the
  // order they came in.
  void Insert(double Value);
  // CalcResult over the buffer, which is emptied afterwards in any case.
  double Result();

  bool FIncludeNulls = true;
  // caches: filled and emptied within one Calculate or CalculateMany
  std::vector<double> FSorted;
};

#include "chart/series/TLowKorFunction.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"

#include <algorithm>

double TLowKorFunction::Calculate(TChartSeries* Source, int First, int Last) {
  const TChartValueList& List = ValueList(Source);
  if (First == -1) return List.MinValue();
  if (Last < First) return 0;
  double Result = List.GetValue(First);
  for (int I = First + 1; I <= Last; ++I) Result = std::min(Result, List.GetValue(I));
  return Result;
}

double TLowKorFunction::CalculateMany(const std::vector<TComponent*>& SourceSeriesList,
                                      int ValueIndex) {
  return CombineSources(SourceSeriesList, ValueIndex,
                        [](double Result, double Value) { return std::min(Result, Value); });
}

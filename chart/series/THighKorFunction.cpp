#include "chart/series/THighKorFunction.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"

#include <algorithm>

double THighKorFunction::Calculate(TChartSeries* Source, int First, int Last) {
  const TChartValueList& List = ValueList(Source);
  if (First == -1) return List.MaxValue();
  if (Last < First) return 0;
  double Result = List.GetValue(First);
  for (int I = First + 1; I <= Last; ++I) Result = std::max(Result, List.GetValue(I));
  return Result;
}

double THighKorFunction::CalculateMany(const std::vector<TComponent*>& SourceSeriesList,
                                       int ValueIndex) {
  return CombineSources(SourceSeriesList, ValueIndex,
                        [](double Result, double Value) { return std::max(Result, Value); });
}

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
  double Result = 0;
  bool Started = false;
  for (TComponent* Component : SourceSeriesList) {
    const auto* Source = dynamic_cast<const TChartSeries*>(Component);
    if (Source == nullptr || ValueIndex >= Source->Count()) continue;
    const double Value = ValueList(Source).GetValue(ValueIndex);
    Result = Started ? std::max(Result, Value) : Value;
    Started = true;
  }
  return Result;
}

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
  double Result = 0;
  bool Started = false;
  for (TComponent* Component : SourceSeriesList) {
    const auto* Source = dynamic_cast<const TChartSeries*>(Component);
    if (Source == nullptr || ValueIndex >= Source->Count()) continue;
    const double Value = ValueList(Source).GetValue(ValueIndex);
    Result = Started ? std::min(Result, Value) : Value;
    Started = true;
  }
  return Result;
}

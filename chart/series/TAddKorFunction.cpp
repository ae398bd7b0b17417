#include "chart/series/TAddKorFunction.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"

double TAddKorFunction::Calculate(TChartSeries* Source, int First, int Last) {
  const TChartValueList& List = ValueList(Source);
  if (First == -1) return List.Total();
  double Sum = 0;
  for (int I = First; I <= Last; ++I) Sum += List.GetValue(I);
  return Sum;
}

double TAddKorFunction::CalculateMany(const std::vector<TComponent*>& SourceSeriesList,
                                      int ValueIndex) {
  double Sum = 0;
  for (TComponent* Component : SourceSeriesList) {
    const auto* Source = dynamic_cast<const TChartSeries*>(Component);
    if (Source != nullptr && ValueIndex < Source->Count())
      Sum += ValueList(Source).GetValue(ValueIndex);
  }
  return Sum;
}

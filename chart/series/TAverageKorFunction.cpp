#include "chart/series/TAverageKorFunction.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"

TAverageKorFunction::TAverageKorFunction(TComponent* AOwner) : TKorFunction(AOwner) {}

const TPropertyList& TAverageKorFunction::Properties() const {
  namespace PP = PublishedProperty;
  using C = TAverageKorFunction;
  static const TPropertyList List(TKorFunction::Properties(),
                                  {PP::Boolean<C>(QStringLiteral("IncludeNulls"),
                                                  &C::GetIncludeNulls, &C::SetIncludeNulls, true)});
  return List;
}

void TAverageKorFunction::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TAverageKorFunction*>(&Source))
    FIncludeNulls = Other->FIncludeNulls;
  TKorFunction::Assign(Source);
}

void TAverageKorFunction::SetIncludeNulls(bool Value) {
  if (SetIfChanged(FIncludeNulls, Value)) ReCalculate();
}

double TAverageKorFunction::Calculate(TChartSeries* Source, int First, int Last) {
  const TChartValueList& List = ValueList(Source);
  if (First == -1) {
    // The cached total serves the common case of every point.
    if (FIncludeNulls) return Source->Count() > 0 ? List.Total() / Source->Count() : 0;
    First = 0;
    Last = Source->Count() - 1;
  }
  double Sum = 0;
  int Count = 0;
  for (int I = First; I <= Last; ++I) {
    if (!FIncludeNulls && Source->IsNull(I)) continue;
    Sum += List.GetValue(I);
    ++Count;
  }
  return Count > 0 ? Sum / Count : 0;
}

double TAverageKorFunction::CalculateMany(const std::vector<TComponent*>& SourceSeriesList,
                                          int ValueIndex) {
  double Sum = 0;
  int Count = 0;
  for (TComponent* Component : SourceSeriesList) {
    const auto* Source = dynamic_cast<const TChartSeries*>(Component);
    if (Source == nullptr || ValueIndex >= Source->Count()) continue;
    if (!FIncludeNulls && Source->IsNull(ValueIndex)) continue;
    Sum += ValueList(Source).GetValue(ValueIndex);
    ++Count;
  }
  return Count > 0 ? Sum / Count : 0;
}

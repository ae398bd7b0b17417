#include "chart/series/TCustomSortedFunction.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"

#include "platform/ScopeGuard.h"

#include <algorithm>

TCustomSortedFunction::TCustomSortedFunction(TComponent* AOwner) : TKorFunction(AOwner) {}

const TPropertyList& TCustomSortedFunction::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomSortedFunction;
  static const TPropertyList List(TKorFunction::Properties(),
                                  {PP::Boolean<C>(QStringLiteral("IncludeNulls"),
                                                  &C::GetIncludeNulls, &C::SetIncludeNulls, true)});
  return List;
}

void TCustomSortedFunction::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TCustomSortedFunction*>(&Source))
    FIncludeNulls = Other->FIncludeNulls;
  TKorFunction::Assign(Source);
}

void TCustomSortedFunction::SetIncludeNulls(bool Value) {
  if (SetIfChanged(FIncludeNulls, Value)) ReCalculate();
}

void TCustomSortedFunction::Insert(double Value) {
  FSorted.insert(std::upper_bound(FSorted.begin(), FSorted.end(), Value), Value);
}

double TCustomSortedFunction::Result() {
  TScopeGuard Release([this] { FSorted.clear(); });
  return FSorted.empty() ? 0 : CalcResult();
}

double TCustomSortedFunction::Calculate(TChartSeries* Source, int First, int Last) {
  FSorted.clear();
  if (First == -1) First = 0;
  if (Last == -1) Last = Source->Count() - 1;
  Last = std::min(Last, Source->Count() - 1);
  const TChartValueList& Values = Source->GetMandatory();
  // Skipped nulls take no place, so the buffer holds only kept values and
  // stays sorted.
  for (int I = std::max(First, 0); I <= Last; ++I)
    if (FIncludeNulls || !Source->IsNull(I)) Insert(Values.GetValue(I));
  return Result();
}

double TCustomSortedFunction::CalculateMany(const std::vector<TComponent*>& SourceSeriesList,
                                            int ValueIndex) {
  FSorted.clear();
  for (TComponent* Component : SourceSeriesList) {
    const auto* Source = dynamic_cast<const TChartSeries*>(Component);
    if (Source == nullptr || ValueIndex >= Source->Count()) continue;
    if (FIncludeNulls || !Source->IsNull(ValueIndex))
      Insert(Source->GetMandatory().GetValue(ValueIndex));
  }
  return Result();
}

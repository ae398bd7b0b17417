#include "chart/core/TSeriesGroup.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TSeriesGroups.h"

TSeriesGroup::TSeriesGroup(TSeriesGroups* ACollection)
    : FCollection(ACollection),
      FSeries(ACollection != nullptr ? ACollection->GetChart() : nullptr) {}

const TPropertyList& TSeriesGroup::Properties() const {
  namespace PP = PublishedProperty;
  using C = TSeriesGroup;
  static const TPropertyList List = [] {
    TPublishedProperty Series =
        PP::Object<C, TCustomSeriesList>(QStringLiteral("Series"), &C::SeriesObject);
    Series.Stored = [](const TPersistent& P) { return !PP::As<C>(P).GetSeries().Empty(); };
    return TPropertyList({
        PP::String<C>(QStringLiteral("Name"), &C::NameText, &C::SetName),
        Series,
        PP::Enum<C, TSeriesGroupActive>(
            QStringLiteral("Active"), &C::GetActive, &C::SetActive,
            {QStringLiteral("gaYes"), QStringLiteral("gaNo"), QStringLiteral("gaSome")}, gaYes),
    });
  }();
  return List;
}

void TSeriesGroup::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TSeriesGroup*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  FName = Other->FName;
  FSeries.Assign(Other->FSeries);
}

int TSeriesGroup::GetIndex() const {
  return FCollection != nullptr ? FCollection->IndexOf(this) : -1;
}

TSeriesGroupActive TSeriesGroup::GetActive() const {
  int Active = 0;
  for (const TChartSeries* S : FSeries)
    if (S->GetActive()) ++Active;
  if (Active == FSeries.Count()) return gaYes;
  return Active == 0 ? gaNo : gaSome;
}

void TSeriesGroup::SetActive(TSeriesGroupActive Value) {
  if (Value == gaSome || Value == GetActive()) return;
  FSeries.SetAllActive(Value == gaYes);
}

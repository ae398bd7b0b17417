#include "chart/core/TSeriesGroups.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TSeriesGroup.h"

TSeriesGroups::TSeriesGroups(TCustomAxisPanel* AChart) : FChart(AChart) {}

TSeriesGroups::~TSeriesGroups() = default;

void TSeriesGroups::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TSeriesGroups*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  Clear();
  for (const auto& Group : Other->FItems) Add()->Assign(*Group);
}

TSeriesGroup* TSeriesGroups::Get(int Index) const {
  KorCheckListIndex(Index, Count());
  return FItems[static_cast<size_t>(Index)].get();
}

TSeriesGroup* TSeriesGroups::Add() {
  FItems.push_back(std::make_unique<TSeriesGroup>(this));
  return FItems.back().get();
}

void TSeriesGroups::Delete(int Index) {
  KorCheckListIndex(Index, Count());
  FItems.erase(FItems.begin() + Index);
}

void TSeriesGroups::Clear() {
  FItems.clear();
}

int TSeriesGroups::IndexOf(const TSeriesGroup* AGroup) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[static_cast<size_t>(I)].get() == AGroup) return I;
  return -1;
}

int TSeriesGroups::Contains(const TChartSeries* ASeries) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[static_cast<size_t>(I)]->GetSeries().Contains(ASeries)) return I;
  return -1;
}

void TSeriesGroups::RemoveSeries(TChartSeries* ASeries) {
  for (const auto& Group : FItems)
    while (Group->GetSeries().Remove(ASeries)) {
    }
}

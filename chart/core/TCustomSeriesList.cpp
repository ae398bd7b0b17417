#include "chart/core/TCustomSeriesList.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TSeriesEnumerator.h"

#include <algorithm>
#include <utility>

TCustomSeriesList::~TCustomSeriesList() = default;

void TCustomSeriesList::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TCustomSeriesList*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  const std::vector<TChartSeries*> Old = std::exchange(FItems, Other->FItems);
  for (TChartSeries* S : Old)
    if (!Contains(S)) Removed(S);
}

TChartSeries* TCustomSeriesList::Get(int Index) const {
  KorCheckListIndex(Index, Count());
  return FItems[static_cast<size_t>(Index)];
}

void TCustomSeriesList::Put(int Index, TChartSeries* ASeries) {
  KorCheckListIndex(Index, Count());
  FItems[static_cast<size_t>(Index)] = ASeries;
}

void TCustomSeriesList::Add(TChartSeries* ASeries) {
  FItems.push_back(ASeries);
}

void TCustomSeriesList::Insert(int Index, TChartSeries* ASeries) {
  KorCheckListIndex(Index, Count() + 1);
  FItems.insert(FItems.begin() + Index, ASeries);
}

void TCustomSeriesList::Delete(int Index) {
  TChartSeries* Gone = Get(Index);
  FItems.erase(FItems.begin() + Index);
  Removed(Gone);
}

bool TCustomSeriesList::Remove(TChartSeries* ASeries) {
  const int Index = IndexOf(ASeries);
  if (Index < 0) return false;
  Delete(Index);
  return true;
}

int TCustomSeriesList::IndexOf(const TChartSeries* ASeries) const {
  const auto It = std::find(FItems.begin(), FItems.end(), ASeries);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TCustomSeriesList::Exchange(int Index1, int Index2) {
  KorCheckListIndex(Index1, Count());
  KorCheckListIndex(Index2, Count());
  std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
}

void TCustomSeriesList::Clear() {
  const std::vector<TChartSeries*> Gone = std::move(FItems);
  FItems.clear();
  for (TChartSeries* S : Gone) Removed(S);
}

std::unique_ptr<TSeriesEnumerator> TCustomSeriesList::GetEnumerator() const {
  return std::make_unique<TSeriesEnumerator>(*this);
}

void TCustomSeriesList::ClearValues() {
  for (int I = 0; I < Count(); ++I) Get(I)->Clear();
}

void TCustomSeriesList::FillSampleValues(int NumValues) {
  for (int I = 0; I < Count(); ++I) Get(I)->FillSampleValues(NumValues);
}

bool TCustomSeriesList::GetAllActive() const {
  return std::all_of(FItems.begin(), FItems.end(),
                     [](const TChartSeries* S) { return S->GetActive(); });
}

void TCustomSeriesList::SetAllActive(bool Value) {
  for (int I = 0; I < Count(); ++I) Get(I)->SetActive(Value);
}

#include "chart/core/TDataSourcesList.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TChartSeries.h"

#include <algorithm>

TComponent* TDataSourcesList::Get(int Index) const {
  KorCheckListIndex(Index, Count());
  return FItems[static_cast<size_t>(Index)];
}

int TDataSourcesList::IndexOf(const TComponent* AComponent) const {
  const auto It = std::find(FItems.begin(), FItems.end(), AComponent);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

int TDataSourcesList::Add(TComponent* AComponent) {
  if (FOwner != nullptr) return FOwner->InternalSetDataSource(AComponent, false);
  Append(AComponent);
  return Count() - 1;
}

void TDataSourcesList::Delete(int Index) {
  TComponent* Source = Get(Index);
  if (FOwner == nullptr) {
    FItems.erase(FItems.begin() + Index);
    return;
  }
  // The series treats the removal of its first source as losing its data
  // source altogether and then empties the list. That is right for the
  // only source; with more sources only this entry may go, so it is taken
  // out (with its link) before the series is told, and the rest stay.
  if (Count() > 1) FOwner->RemoveDataSource(Source);
  FOwner->InternalRemoveDataSource(Source);
  Remove(Source);
}

void TDataSourcesList::Clear() {
  if (FOwner != nullptr) FOwner->RemoveAllLinkedSeries();
  FItems.clear();
  if (FOwner != nullptr && !FOwner->GetManualData()) FOwner->Clear();
}

bool TDataSourcesList::Remove(TComponent* AComponent) {
  const auto It = std::find(FItems.begin(), FItems.end(), AComponent);
  if (It == FItems.end()) return false;
  FItems.erase(It);
  return true;
}

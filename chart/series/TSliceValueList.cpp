#include "chart/series/TSliceValueList.h"

#include "chart/core/TChartSeries.h"

#include <algorithm>
#include <utility>

int TSliceValueList::GetValue(int Index) const {
  if (Index < 0 || Index >= Count()) return 0;
  return FItems[static_cast<size_t>(Index)];
}

void TSliceValueList::SetValue(int Index, int Value) {
  if (Index < 0) return;
  Pad(Index + 1);
  int& Item = FItems[static_cast<size_t>(Index)];
  if (Item == Value) return;
  Item = Value;
  FOwner.Repaint();
}

bool TSliceValueList::AnySet() const {
  return std::any_of(FItems.begin(), FItems.end(), [](int V) { return V > 0; });
}

void TSliceValueList::Delete(int Index) {
  if (Index >= 0 && Index < Count()) FItems.erase(FItems.begin() + Index);
}

void TSliceValueList::Exchange(int A, int B) {
  if (A < 0 || B < 0) return;
  Pad(std::max(A, B) + 1);
  std::swap(FItems[static_cast<size_t>(A)], FItems[static_cast<size_t>(B)]);
}

void TSliceValueList::Pad(int Count) {
  if (Count > this->Count()) FItems.resize(static_cast<size_t>(Count), 0);
}

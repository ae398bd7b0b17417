#include "chart/core/TLabelsList.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TChartSeries.h"

#include <algorithm>
#include <utility>

QString TLabelsList::GetLabel(int Index) const {
  if (Index < 0 || Index >= Count()) return QString();
  return FItems[static_cast<size_t>(Index)];
}

void TLabelsList::SetLabel(int Index, const QString& Text) {
  CheckNotNegative(Index);
  if (Index >= Count()) {
    if (Text.isEmpty()) return;
    GrowTo(Index + 1);
  }
  FItems[static_cast<size_t>(Index)] = Text;
  Changed();
}

void TLabelsList::InsertLabel(int Index, const QString& Text) {
  CheckNotNegative(Index);
  if (FItems.empty() && Text.isEmpty()) return;
  GrowTo(Index);
  FItems.insert(FItems.begin() + Index, Text);
}

void TLabelsList::DeleteLabel(int Index) {
  KorCheckListIndex(Index, Count());
  FItems.erase(FItems.begin() + Index);
}

void TLabelsList::Delete(int Start, int Quantity) {
  if (Start < 0 || Start >= Count() || Quantity < 1) return;
  const int Cut = std::min(Quantity, Count() - Start);
  FItems.erase(FItems.begin() + Start, FItems.begin() + Start + Cut);
}

void TLabelsList::Exchange(int Index1, int Index2) {
  CheckNotNegative(Index1);
  CheckNotNegative(Index2);
  const int Far = std::max(Index1, Index2);
  // Both past the end: two empty slots, nothing to move.
  if (std::min(Index1, Index2) >= Count()) return;
  if (Far >= Count()) GrowTo(Far + 1);
  std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
}

void TLabelsList::Assign(const TLabelsList& Source) {
  if (&Source == this) return;
  Clear();
  for (int I = 0; I < Source.Count(); ++I) InsertLabel(I, Source.GetLabel(I));
}

int TLabelsList::IndexOfLabel(const QString& Text, bool CaseSensitive) const {
  const QString Wanted = CaseSensitive ? Text : Text.toUpper();
  for (int I = 0; I < Count(); ++I) {
    const QString& Item = FItems[static_cast<size_t>(I)];
    if ((CaseSensitive ? Item : Item.toUpper()) == Wanted) return I;
  }
  return -1;
}

void TLabelsList::CheckNotNegative(int Index) const {
  if (Index < 0) KorCheckListIndex(Index, Count());
}

void TLabelsList::GrowTo(int NewCount) {
  if (NewCount > Count()) FItems.resize(static_cast<size_t>(NewCount));
}

void TLabelsList::Changed() const {
  if (FOwner != nullptr) FOwner->Repaint();
}

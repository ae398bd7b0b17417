#include "chart/core/TMarksItems.h"

#include "chart/core/KorException.h"
#include "chart/core/TMarksItem.h"
#include "chart/core/TSeriesMarks.h"

#include "platform/FormatSettings.h"

#include <algorithm>

TMarksItems::TMarksItems(TSeriesMarks* AMarks) : FMarks(AMarks) {}

TMarksItems::~TMarksItems() = default;

TMarksItem* TMarksItems::Existing(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return FItems[static_cast<size_t>(Index)].get();
}

TMarksItem& TMarksItems::Get(int Index) {
  if (Index < 0)
    throw ChartException(Format(QStringLiteral("Mark item index %d out of bounds."), {Index}));
  if (Index >= Count()) FItems.resize(static_cast<size_t>(Index) + 1);
  std::unique_ptr<TMarksItem>& Slot = FItems[static_cast<size_t>(Index)];
  if (!Slot) {
    // Set up before it gets a parent, so that creating an item repaints
    // nothing.
    Slot = std::make_unique<TMarksItem>();
    Slot->SetColor(clInfoBk);
    TSeriesMarks::InitShadow(Slot->GetShadow());
    if (FMarks != nullptr) Slot->SetParent(FMarks->GetParent());
  }
  return *Slot;
}

void TMarksItems::Delete(int Index) {
  Delete(Index, 1);
}

void TMarksItems::Delete(int Start, int Quantity) {
  if (Start < 0 || Start >= Count() || Quantity < 1) return;
  const int Cut = std::min(Quantity, Count() - Start);
  FItems.erase(FItems.begin() + Start, FItems.begin() + Start + Cut);
}

void TMarksItems::Clear() {
  FItems.clear();
  if (FMarks != nullptr) FMarks->Repaint();
}

void TMarksItems::SetParent(TCustomKorPanel* Value) {
  for (const auto& Item : FItems)
    if (Item) Item->SetParent(Value);
}

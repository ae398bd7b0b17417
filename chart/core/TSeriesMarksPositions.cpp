#include "chart/core/TSeriesMarksPositions.h"

#include "chart/core/KorException.h"
#include "chart/core/TSeriesMarkPosition.h"

#include "platform/FormatSettings.h"

#include <algorithm>

TSeriesMarksPositions::TSeriesMarksPositions() = default;

TSeriesMarksPositions::~TSeriesMarksPositions() = default;

TSeriesMarkPosition* TSeriesMarksPositions::Get(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return FItems[static_cast<size_t>(Index)].get();
}

TSeriesMarkPosition& TSeriesMarksPositions::Ensure(int Index) {
  if (Index < 0)
    throw ChartException(Format(QStringLiteral("Mark position index %d out of bounds."), {Index}));
  if (Index >= Count()) FItems.resize(static_cast<size_t>(Index) + 1);
  std::unique_ptr<TSeriesMarkPosition>& Slot = FItems[static_cast<size_t>(Index)];
  if (!Slot) Slot = std::make_unique<TSeriesMarkPosition>();
  return *Slot;
}

void TSeriesMarksPositions::Put(int Index, const TSeriesMarkPosition& APosition) {
  if (Index < 0) return;
  TSeriesMarkPosition& Slot = Ensure(Index);
  Slot.Custom = true;
  Slot.Assign(APosition);
}

void TSeriesMarksPositions::Automatic(int Index) {
  if (TSeriesMarkPosition* P = Get(Index)) P->Custom = false;
}

void TSeriesMarksPositions::Clear() {
  FItems.clear();
}

bool TSeriesMarksPositions::ExistCustom() const {
  return std::any_of(FItems.begin(), FItems.end(), [](const auto& P) { return P && P->Custom; });
}

void TSeriesMarksPositions::Delete(int Index) {
  Delete(Index, 1);
}

void TSeriesMarksPositions::Delete(int Start, int Quantity) {
  if (Start < 0 || Start >= Count() || Quantity < 1) return;
  const int Cut = std::min(Quantity, Count() - Start);
  FItems.erase(FItems.begin() + Start, FItems.begin() + Start + Cut);
}

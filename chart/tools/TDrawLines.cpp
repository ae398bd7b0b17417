#include "chart/tools/TDrawLines.h"

#include "chart/tools/TDrawLine.h"

#include "chart/core/KorEngine.h"

TDrawLines::TDrawLines(TDrawLineTool* AOwner) : FOwner(AOwner) {}

TDrawLines::~TDrawLines() {
  Clear();
}

void TDrawLines::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TDrawLines*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  Clear();
  for (const auto& Line : Other->FItems) Add()->Assign(*Line);
}

TDrawLine* TDrawLines::Get(int Index) const {
  KorCheckListIndex(Index, Count());
  return FItems[static_cast<size_t>(Index)].get();
}

void TDrawLines::Put(int Index, const TDrawLine& Line) {
  Get(Index)->Assign(Line);
}

TDrawLine* TDrawLines::Last() const {
  return FItems.empty() ? nullptr : FItems.back().get();
}

TDrawLine* TDrawLines::Add() {
  FItems.push_back(std::make_unique<TDrawLine>(this));
  return FItems.back().get();
}

TDrawLine* TDrawLines::Add(double X0, double Y0, double X1, double Y1) {
  FItems.push_back(std::make_unique<TDrawLine>(this, X0, Y0, X1, Y1));
  return FItems.back().get();
}

// The line leaves the collection before it is freed, so that nothing its
// destructor reaches still finds it here.
void TDrawLines::Delete(int Index) {
  KorCheckListIndex(Index, Count());
  std::unique_ptr<TDrawLine> Line = std::move(FItems[static_cast<size_t>(Index)]);
  FItems.erase(FItems.begin() + Index);
}

void TDrawLines::Clear() {
  while (!FItems.empty()) Delete(Count() - 1);
}

int TDrawLines::IndexOf(const TDrawLine* Line) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[static_cast<size_t>(I)].get() == Line) return I;
  return -1;
}

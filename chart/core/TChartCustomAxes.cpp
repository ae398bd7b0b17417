#include "chart/core/TChartCustomAxes.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorCustomToolAxis.h"

#include <utility>

TChartCustomAxes::TChartCustomAxes(TCustomAxisPanel* AChart) : FChart(AChart) {}

TChartCustomAxes::~TChartCustomAxes() {
  // The chart is going away and clears its axis tools' links itself; its
  // tool list may already be gone, so it is not visited here.
  while (!FItems.empty()) {
    std::unique_ptr<TChartAxis> Gone = std::move(FItems.back());
    FItems.pop_back();
  }
}

void TChartCustomAxes::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TChartCustomAxes*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  while (Count() > Other->Count()) Delete(Count() - 1);
  while (Count() < Other->Count()) Add();
  for (int I = 0; I < Count(); ++I) Put(I, *Other->Get(I));
}

TChartAxis* TChartCustomAxes::Get(int Index) const {
  KorCheckListIndex(Index, Count());
  return FItems[static_cast<size_t>(Index)].get();
}

void TChartCustomAxes::Put(int Index, const TChartAxis& Axis) {
  Get(Index)->Assign(Axis);
}

TChartAxis* TChartCustomAxes::Add() {
  FItems.push_back(std::make_unique<TChartAxis>(FChart));
  return FItems.back().get();
}

void TChartCustomAxes::Delete(int Index) {
  KorCheckListIndex(Index, Count());
  // Out of the collection before it is freed, so that nothing the axis'
  // destructor reaches finds it half-removed.
  std::unique_ptr<TChartAxis> Gone = std::move(FItems[static_cast<size_t>(Index)]);
  FItems.erase(FItems.begin() + Index);
  ForgetAxisInTools(Gone.get());
  Gone.reset();
}

void TChartCustomAxes::Clear() {
  while (!FItems.empty()) Delete(0);
}

int TChartCustomAxes::IndexOf(const TChartAxis* Axis) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[static_cast<size_t>(I)].get() == Axis) return I;
  return -1;
}

void TChartCustomAxes::ResetScales(const TChartAxis* Axis) {
  if (Axis == nullptr) return;
  for (const auto& Custom : FItems)
    if (Custom->GetMasterAxis() == Axis) Custom->SetMinMax(Axis->GetMinimum(), Axis->GetMaximum());
}

void TChartCustomAxes::ForgetAxisInTools(const TChartAxis* Axis) const {
  if (FChart == nullptr) return;
  const TChartTools& Tools = FChart->GetTools();
  for (int I = 0; I < Tools.Count(); ++I)
    if (auto* Tool = dynamic_cast<TKorCustomToolAxis*>(Tools.Get(I));
        Tool && Tool->GetAxis() == Axis)
      Tool->ClearAxisLink();
}

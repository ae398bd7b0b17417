#include "chart/core/TChartTools.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TKorCustomTool.h"

#include <algorithm>

TChartTools::~TChartTools() {
  for (TKorCustomTool* Tool : FItems) Tool->LeftToolList();
}

TKorCustomTool* TChartTools::Get(int Index) const {
  KorCheckListIndex(Index, Count());
  return FItems[static_cast<size_t>(Index)];
}

TKorCustomTool* TChartTools::Add(TKorCustomTool* ATool) {
  if (ATool != nullptr) ATool->SetParentChart(FChart);
  return ATool;
}

void TChartTools::Remove(TKorCustomTool* ATool) {
  const auto It = std::find(FItems.begin(), FItems.end(), ATool);
  if (It == FItems.end()) return;
  FItems.erase(It);
  if (ATool->GetParentChart() == FChart) ATool->LeftToolList();
}

int TChartTools::IndexOf(const TKorCustomTool* ATool) const {
  const auto It = std::find(FItems.begin(), FItems.end(), ATool);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TChartTools::Clear() {
  while (!FItems.empty()) {
    TKorCustomTool* Tool = FItems.front();
    Remove(Tool);
    // A tool is a component: freeing it also takes it from its owner.
    delete Tool;
  }
}

void TChartTools::SetActive(bool Value) {
  for (int I = 0; I < Count(); ++I) Get(I)->SetActive(Value);
}

#include "chart/core/TKorToolTypes.h"

#include "chart/core/KorEngine.h"

#include <algorithm>

TKorToolClass TKorToolTypes::Get(int Index) const {
  KorCheckListIndex(Index, Count());
  return FItems[static_cast<size_t>(Index)];
}

int TKorToolTypes::IndexOf(TKorToolClass AClass) const {
  const auto It = std::find(FItems.begin(), FItems.end(), AClass);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TKorToolTypes::Remove(TKorToolClass AClass) {
  const int Index = IndexOf(AClass);
  if (Index >= 0) FItems.erase(FItems.begin() + Index);
}

TKorToolTypes& KorToolTypes() {
  static TKorToolTypes Types;
  return Types;
}

void RegisterKorTools(const std::vector<TKorToolClass>& ToolClasses) {
  TKorToolTypes& Types = KorToolTypes();
  for (TKorToolClass C : ToolClasses) {
    if (!C || Types.IndexOf(C) >= 0) continue;
    RegisterClass(*C.Info());
    Types.Add(C);
  }
}

void UnRegisterKorTools(const std::vector<TKorToolClass>& ToolClasses) {
  for (TKorToolClass C : ToolClasses) KorToolTypes().Remove(C);
}

#include "chart/editor/TChartEditorPages.h"

void TChartEditorPages::Register(const QString& TabName, TChartEditorPageFactory Factory,
                                 TPageSizing Sizing) {
  if (Factory)
    FEntries[TabName] = TEntry{std::move(Factory), Sizing};
  else
    Unregister(TabName);
}

void TChartEditorPages::Unregister(const QString& TabName) {
  FEntries.erase(TabName);
}

bool TChartEditorPages::IsRegistered(const QString& TabName) const {
  return Find(TabName) != nullptr;
}

const TChartEditorPageFactory* TChartEditorPages::Find(const QString& TabName) const {
  const auto it = FEntries.find(TabName);
  return it == FEntries.end() ? nullptr : &it->second.Factory;
}

TPageSizing TChartEditorPages::Sizing(const QString& TabName) const {
  const auto it = FEntries.find(TabName);
  return it == FEntries.end() ? TPageSizing::psWhenMade : it->second.Sizing;
}

TChartEditorPages& ChartEditorPages() {
  static TChartEditorPages pages;
  return pages;
}

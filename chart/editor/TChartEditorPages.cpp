#include "chart/editor/TChartEditorPages.h"

void TChartEditorPages::Register(const QString& TabName, TChartEditorPageFactory Factory) {
  if (Factory)
    FFactories[TabName] = std::move(Factory);
  else
    Unregister(TabName);
}

void TChartEditorPages::Unregister(const QString& TabName) {
  FFactories.erase(TabName);
}

bool TChartEditorPages::IsRegistered(const QString& TabName) const {
  return Find(TabName) != nullptr;
}

const TChartEditorPageFactory* TChartEditorPages::Find(const QString& TabName) const {
  const auto it = FFactories.find(TabName);
  return it == FFactories.end() ? nullptr : &it->second;
}

TChartEditorPages& ChartEditorPages() {
  static TChartEditorPages pages;
  return pages;
}

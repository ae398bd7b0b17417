#include "chart/core/TLegendItems.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TCustomChartLegend.h"
#include "chart/core/TLegendItem.h"

TLegendItems::TLegendItems(TCustomChartLegend* ALegend) : FLegend(ALegend) {}

TLegendItems::~TLegendItems() = default;

TLegendItem& TLegendItems::Get(int Index) {
  if (Index < 0) KorCheckListIndex(Index, Count());
  while (Count() <= Index) FItems.push_back(std::make_unique<TLegendItem>(this));
  return *FItems[static_cast<size_t>(Index)];
}

void TLegendItems::Clear() {
  FItems.clear();
  FCustomTexts = false;
  FLegend->Repaint();
}

void TLegendItems::TextChanged() {
  FCustomTexts = true;
  FLegend->Repaint();
}

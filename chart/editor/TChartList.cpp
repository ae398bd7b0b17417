#include "chart/editor/TChartList.h"

#include "chart/editor/TGalleryChart.h"

#include <algorithm>

int TChartList::IndexOf(const TGalleryChart* Chart) const {
  const auto it = std::find(FItems.begin(), FItems.end(), Chart);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TChartList::Remove(const TGalleryChart* Chart) {
  const auto it = std::find(FItems.begin(), FItems.end(), Chart);
  if (it != FItems.end()) FItems.erase(it);
}

void TChartList::Clear() {
  // Emptied before freeing, so code a chart's destructor reaches sees no
  // chart that is half gone.
  std::vector<TGalleryChart*> items;
  items.swap(FItems);
  for (TGalleryChart* chart : items) delete chart;
}

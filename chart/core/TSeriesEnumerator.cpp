#include "chart/core/TSeriesEnumerator.h"

#include "chart/core/TCustomSeriesList.h"

bool TSeriesEnumerator::MoveNext() {
  if (FIndex >= FList.Count() - 1) return false;
  ++FIndex;
  return true;
}

TChartSeries* TSeriesEnumerator::GetCurrent() const {
  return FList.Get(FIndex);
}

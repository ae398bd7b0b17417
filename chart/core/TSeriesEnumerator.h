#pragma once

class TChartSeries;
class TCustomSeriesList;

// Walks a series list from the front: MoveNext before the first
// GetCurrent. The list must outlive the enumerator.
class TSeriesEnumerator {
 public:
  explicit TSeriesEnumerator(const TCustomSeriesList& AList) : FList(AList) {}
  TSeriesEnumerator(const TSeriesEnumerator&) = delete;
  TSeriesEnumerator& operator=(const TSeriesEnumerator&) = delete;

  // Advances while there is a next series; false at the end.
  bool MoveNext();
  // The series at the current position; raises ChartException before the
  // first MoveNext or past the end.
  TChartSeries* GetCurrent() const;
  int GetIndex() const { return FIndex; }

 private:
  const TCustomSeriesList& FList;
  int FIndex = -1;
};

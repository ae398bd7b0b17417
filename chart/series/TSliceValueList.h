#pragma once

#include <vector>

class TChartSeries;

// Data: one integer percent per point of a pie (how far a slice is pushed
// out, or how high it stands in 3D). The list is usually shorter than the
// series: a missing entry is 0. Writing pads it with zeros and repaints the
// owner series only when the value changed.
class TSliceValueList {
 public:
  explicit TSliceValueList(TChartSeries& AOwner) : FOwner(AOwner) {}
  TSliceValueList(const TSliceValueList&) = delete;
  TSliceValueList& operator=(const TSliceValueList&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  // 0 for an index outside the list.
  int GetValue(int Index) const;
  // A negative index is ignored.
  void SetValue(int Index, int Value);
  // Any entry above 0.
  bool AnySet() const;

  // The entry of a deleted point goes; indexes past the list have none.
  void Delete(int Index);
  void Exchange(int A, int B);
  // Zeros up to Count entries.
  void Pad(int Count);
  void Clear() { FItems.clear(); }
  void Assign(const TSliceValueList& Source) { FItems = Source.FItems; }

 private:
  TChartSeries& FOwner;
  std::vector<int> FItems;
};

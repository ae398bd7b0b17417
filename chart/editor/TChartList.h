#pragma once

#include <cstddef>
#include <vector>

class TGalleryChart;

// Data: the gallery panel's charts in cell order. The list frees the
// charts it holds when it is cleared or destroyed (a chart removes itself
// from its component owner when freed), so whoever adds a chart hands it
// over to the list.
class TChartList {
 public:
  TChartList() = default;
  ~TChartList() { Clear(); }
  TChartList(const TChartList&) = delete;
  TChartList& operator=(const TChartList&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  // nullptr outside the list.
  TGalleryChart* Get(int Index) const {
    return Index >= 0 && Index < Count() ? FItems[static_cast<std::size_t>(Index)] : nullptr;
  }
  TGalleryChart* operator[](int Index) const { return Get(Index); }
  int IndexOf(const TGalleryChart* Chart) const;
  void Add(TGalleryChart* Chart) { FItems.push_back(Chart); }
  // Takes Chart out of the list without freeing it.
  void Remove(const TGalleryChart* Chart);
  // Frees every chart.
  void Clear();

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

 private:
  std::vector<TGalleryChart*> FItems;
};

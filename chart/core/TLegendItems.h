#pragma once

#include <memory>
#include <vector>

class TCustomChartLegend;
class TLegendItem;

// Data: the legend's record of its shown items by position (0 = the first
// item drawn), created on demand. When the application sets a text the
// list holds CustomTexts and the legend takes texts, text positions and
// symbol rectangles from it instead of computing them.
class TLegendItems {
 public:
  explicit TLegendItems(TCustomChartLegend* ALegend);
  ~TLegendItems();
  TLegendItems(const TLegendItems&) = delete;
  TLegendItems& operator=(const TLegendItems&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  // The item at Index, created (with the ones before it) when missing.
  // Raises ChartException for a negative index.
  TLegendItem& Get(int Index);
  TLegendItem& operator[](int Index) { return Get(Index); }
  bool GetCustomTexts() const { return FCustomTexts; }
  // Frees every item; the legend computes its texts again.
  void Clear();

 private:
  friend class TLegendItem;
  // An item's text was set by the application.
  void TextChanged();

  TCustomChartLegend* FLegend;  // not owned: the owner
  std::vector<std::unique_ptr<TLegendItem>> FItems;
  bool FCustomTexts = false;
};

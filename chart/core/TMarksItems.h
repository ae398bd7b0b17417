#pragma once

#include <memory>
#include <vector>

class TCustomKorPanel;
class TMarksItem;
class TSeriesMarks;

// Data: the custom mark items of a series, one slot per point index; a slot
// is empty until an item is asked for, and the list may be shorter than the
// series. Owns the items. While a stream is reading items (LoadingCustom),
// clearing the series keeps them.
class TMarksItems {
 public:
  // AMarks (the owner, may be nullptr) gives new items their parent and
  // shadow and is repainted by Clear.
  explicit TMarksItems(TSeriesMarks* AMarks);
  ~TMarksItems();
  TMarksItems(const TMarksItems&) = delete;
  TMarksItems& operator=(const TMarksItems&) = delete;

  // Slots, empty ones included.
  int Count() const { return static_cast<int>(FItems.size()); }
  // The item of point Index, or nullptr (past the end, empty slot, negative).
  TMarksItem* Existing(int Index) const;
  // The item of point Index, created when missing (the list grows with empty
  // slots) in the tooltip colour with the marks' shadow. Raises
  // ChartException for a negative index.
  TMarksItem& Get(int Index);
  // Remove slots with the points they belong to; slots past the end of the
  // list are not there to remove.
  void Delete(int Index);
  void Delete(int Start, int Quantity);
  // Frees every item and repaints.
  void Clear();

  bool GetLoadingCustom() const { return FLoadingCustom; }
  void SetLoadingCustom(bool Value) { FLoadingCustom = Value; }

  // Every item takes the marks' new parent.
  void SetParent(TCustomKorPanel* Value);

 private:
  TSeriesMarks* FMarks;  // owner, not owned
  std::vector<std::unique_ptr<TMarksItem>> FItems;
  bool FLoadingCustom = false;
};

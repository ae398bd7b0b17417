#pragma once

#include <memory>
#include <vector>

class TSeriesMarkPosition;

// Data: the mark positions of a series, one slot per point index. A slot is
// empty until its point's mark was drawn or moved, and the list may be
// shorter than the series (a missing slot is an empty one). Owns the
// positions. Negative indexes name no slot.
class TSeriesMarksPositions {
 public:
  TSeriesMarksPositions();
  ~TSeriesMarksPositions();
  TSeriesMarksPositions(const TSeriesMarksPositions&) = delete;
  TSeriesMarksPositions& operator=(const TSeriesMarksPositions&) = delete;

  // Slots, empty ones included.
  int Count() const { return static_cast<int>(FItems.size()); }
  // The position in slot Index, or nullptr (past the end, or empty).
  TSeriesMarkPosition* Get(int Index) const;
  // A custom position for point Index: the list grows with empty slots, the
  // slot is created when empty, flagged custom and takes APosition's points
  // and sizes.
  void Put(int Index, const TSeriesMarkPosition& APosition);
  // The position in slot Index, created (not custom, all zero) when the slot
  // is empty. Raises ChartException for a negative index.
  TSeriesMarkPosition& Ensure(int Index);
  // The mark of point Index follows its point again.
  void Automatic(int Index);
  void Clear();
  // Whether any position was placed by the user.
  bool ExistCustom() const;
  // Remove slots with the points they belong to; slots past the end of the
  // list are not there to remove.
  void Delete(int Index);
  void Delete(int Start, int Quantity);

 private:
  std::vector<std::unique_ptr<TSeriesMarkPosition>> FItems;
};

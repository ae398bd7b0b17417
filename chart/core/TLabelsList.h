#pragma once

#include <QString>

#include <vector>

class TChartSeries;

// Data: the labels of a series' points, one slot per point from the first
// up to the last labelled one; an empty text is an empty slot. The list may
// be shorter than the series (a point past its end has no label) and takes
// no memory until a point gets a label.
class TLabelsList {
 public:
  // Owner (may be nullptr) is repainted when a label is set.
  explicit TLabelsList(TChartSeries* AOwner = nullptr) : FOwner(AOwner) {}
  TLabelsList(const TLabelsList&) = delete;
  TLabelsList& operator=(const TLabelsList&) = delete;

  TChartSeries* GetOwner() const { return FOwner; }
  int Count() const { return static_cast<int>(FItems.size()); }

  // Empty for an index outside the list.
  QString GetLabel(int Index) const;
  // Grows the list with empty slots up to Index for a non-empty text; an
  // empty text past the end changes nothing. Raises ChartException for a
  // negative index.
  void SetLabel(int Index, const QString& Text);
  // Inserts a slot at Index, growing the list with empty slots up to it
  // first; an empty text into an empty list is not stored. Raises
  // ChartException for a negative index.
  void InsertLabel(int Index, const QString& Text);
  // Raises ChartException for an index outside the list.
  void DeleteLabel(int Index);
  // Removes the slots of Start .. Start + Quantity - 1 that exist.
  void Delete(int Start, int Quantity);
  // Swaps two points' labels; a slot past the end counts as empty, so the
  // list grows only when a label moves there. Raises ChartException for a
  // negative index.
  void Exchange(int Index1, int Index2);
  void Clear() { FItems.clear(); }
  void Assign(const TLabelsList& Source);
  // The first index whose label equals Text (ignoring case unless
  // CaseSensitive), or -1.
  int IndexOfLabel(const QString& Text, bool CaseSensitive = false) const;

 private:
  void CheckNotNegative(int Index) const;
  void GrowTo(int NewCount);
  void Changed() const;

  TChartSeries* FOwner;  // not owned
  std::vector<QString> FItems;
};

#pragma once

#include <vector>

class TChartSeries;
class TComponent;

// Data: the components a series takes its points from (other series, a
// series source), in order; the first is "the" data source. The list does
// not own them. Add, Delete and Clear go through the owning series, which
// validates sources and keeps its links; Append, Remove and ClearRaw only
// edit the list (the series' own bookkeeping uses them).
class TDataSourcesList {
 public:
  explicit TDataSourcesList(TChartSeries* AOwner = nullptr) : FOwner(AOwner) {}
  TDataSourcesList(const TDataSourcesList&) = delete;
  TDataSourcesList& operator=(const TDataSourcesList&) = delete;

  TChartSeries* GetOwner() const { return FOwner; }

  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises ChartException for an index outside the list.
  TComponent* Get(int Index) const;
  TComponent* operator[](int Index) const { return Get(Index); }
  // nullptr when the list is empty.
  TComponent* First() const { return FItems.empty() ? nullptr : FItems.front(); }
  int IndexOf(const TComponent* AComponent) const;

  // The owning series validates and adds the source (raising ChartException
  // for an invalid one); the source's index, or -1 when it was there
  // already. Without an owner a plain append.
  int Add(TComponent* AComponent);
  // Takes entry Index out and tells the owning series that the source was
  // removed. Raises ChartException for an index outside the list.
  void Delete(int Index);
  // The owning series drops its links to the sources, the list is
  // emptied, and the series' points are cleared unless they were entered
  // by hand.
  void Clear();

  void Append(TComponent* AComponent) { FItems.push_back(AComponent); }
  // True when AComponent was in the list.
  bool Remove(TComponent* AComponent);
  void ClearRaw() { FItems.clear(); }

 private:
  TChartSeries* FOwner;  // not owned
  std::vector<TComponent*> FItems;
};

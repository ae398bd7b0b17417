#pragma once

#include "platform/TPersistent.h"

#include <memory>
#include <vector>

class TChartSeries;
class TCustomAxisPanel;
class TSeriesEnumerator;

// Data: an ordered list of series that does not own them (a chart's
// series, a group's series, the series linked to a data source). The
// owner chart is only recorded; it may be none.
class TCustomSeriesList : public TPersistent {
 public:
  using const_iterator = std::vector<TChartSeries*>::const_iterator;

  explicit TCustomSeriesList(TCustomAxisPanel* AOwner = nullptr) : FOwner(AOwner) {}
  ~TCustomSeriesList() override;

  QString ClassName() const override { return QStringLiteral("TCustomSeriesList"); }
  // From another series list: the same entries in the same order.
  void Assign(const TPersistent& Source) override;

  TCustomAxisPanel* GetOwner() const { return FOwner; }

  int Count() const { return static_cast<int>(FItems.size()); }
  bool Empty() const { return FItems.empty(); }
  // Get, Put, Insert (0 .. Count), Delete and Exchange raise ChartException
  // for an index outside the list.
  TChartSeries* Get(int Index) const;
  TChartSeries* operator[](int Index) const { return Get(Index); }
  void Put(int Index, TChartSeries* ASeries);
  void Add(TChartSeries* ASeries);
  void Insert(int Index, TChartSeries* ASeries);
  void Delete(int Index);
  // True when ASeries was in the list (its first entry is removed).
  bool Remove(TChartSeries* ASeries);
  // -1 when absent.
  int IndexOf(const TChartSeries* ASeries) const;
  bool Contains(const TChartSeries* ASeries) const { return IndexOf(ASeries) >= 0; }
  void Exchange(int Index1, int Index2);
  void Clear();

  // Plain iteration; the loops below use indexes instead, so that a series
  // may leave the list while they run.
  const_iterator begin() const { return FItems.begin(); }
  const_iterator end() const { return FItems.end(); }
  std::unique_ptr<TSeriesEnumerator> GetEnumerator() const;

  // Every series: Clear, FillSampleValues, SetActive.
  void ClearValues();
  void FillSampleValues(int NumValues = 0);
  // True when every series is active (and for an empty list).
  bool GetAllActive() const;
  void SetAllActive(bool Value);

 protected:
  // A series left the list through Delete, Remove or Clear (not Put).
  virtual void Removed(TChartSeries*) {}

 private:
  TCustomAxisPanel* FOwner;  // not owned
  std::vector<TChartSeries*> FItems;
};

#pragma once

#include "platform/TPersistent.h"

#include <memory>
#include <vector>

class TChartSeries;
class TCustomAxisPanel;
class TSeriesGroup;

// Data: the owned collection of a chart's series groups, held by the
// chart's series list.
class TSeriesGroups : public TPersistent {
 public:
  explicit TSeriesGroups(TCustomAxisPanel* AChart = nullptr);
  ~TSeriesGroups() override;

  QString ClassName() const override { return QStringLiteral("TSeriesGroups"); }
  // From another collection: as many groups, each taking the other's name
  // and series.
  void Assign(const TPersistent& Source) override;

  TCustomAxisPanel* GetChart() const { return FChart; }

  int Count() const { return static_cast<int>(FItems.size()); }
  // Get and Delete raise ChartException for an index outside the
  // collection.
  TSeriesGroup* Get(int Index) const;
  TSeriesGroup* operator[](int Index) const { return Get(Index); }
  // A new empty group at the end, owned by the collection.
  TSeriesGroup* Add();
  void Delete(int Index);
  void Clear();
  // -1 when the group is not in this collection.
  int IndexOf(const TSeriesGroup* AGroup) const;
  // The index of the first group holding ASeries, or -1.
  int Contains(const TChartSeries* ASeries) const;
  // Takes ASeries out of every group (it left the chart).
  void RemoveSeries(TChartSeries* ASeries);

 private:
  TCustomAxisPanel* FChart;  // not owned
  std::vector<std::unique_ptr<TSeriesGroup>> FItems;
};

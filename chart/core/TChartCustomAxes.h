#pragma once

#include "platform/TPersistent.h"

#include <memory>
#include <vector>

class TChartAxis;
class TCustomAxisPanel;

// Scale: the owned collection of a chart's custom axes (those beyond the
// six standard ones). Each axis belongs to the collection's chart and is
// in that chart's list of all axes while it exists.
class TChartCustomAxes : public TPersistent {
 public:
  explicit TChartCustomAxes(TCustomAxisPanel* AChart);
  ~TChartCustomAxes() override;

  QString ClassName() const override { return QStringLiteral("TChartCustomAxes"); }
  // From another collection: as many axes, each taking the settings of the
  // other's axis at the same index.
  void Assign(const TPersistent& Source) override;

  TCustomAxisPanel* GetChart() const { return FChart; }

  int Count() const { return static_cast<int>(FItems.size()); }
  // Get, Put and Delete raise ChartException for an index outside the
  // collection.
  TChartAxis* Get(int Index) const;
  TChartAxis* operator[](int Index) const { return Get(Index); }
  // Axis Index takes Axis' settings.
  void Put(int Index, const TChartAxis& Axis);
  // A new axis of the chart, at the end.
  TChartAxis* Add();
  // Frees axis Index; axis tools of the chart that point at it lose it.
  void Delete(int Index);
  // Frees every axis, from the front.
  void Clear();
  // -1 when the axis is not in this collection.
  int IndexOf(const TChartAxis* Axis) const;
  // Every custom axis whose master is Axis takes Axis' minimum and maximum.
  void ResetScales(const TChartAxis* Axis);

 private:
  void ForgetAxisInTools(const TChartAxis* Axis) const;

  TCustomAxisPanel* FChart;  // not owned
  std::vector<std::unique_ptr<TChartAxis>> FItems;
};

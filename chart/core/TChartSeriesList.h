#pragma once

#include "chart/core/TCustomSeriesList.h"
#include "chart/core/TSeriesGroups.h"

#include <QString>

class TSeriesGroup;

// Data: a chart's list of series (not owning them) with the chart's
// series groups (owned). A series that leaves the list leaves every group
// too, so that no group keeps a series of another chart or a freed one.
class TChartSeriesList : public TCustomSeriesList {
 public:
  explicit TChartSeriesList(TCustomAxisPanel* AOwner = nullptr);
  ~TChartSeriesList() override;

  QString ClassName() const override { return QStringLiteral("TChartSeriesList"); }

  TSeriesGroups& GetGroups() { return FGroups; }
  const TSeriesGroups& GetGroups() const { return FGroups; }
  void SetGroups(const TSeriesGroups& Value) { FGroups.Assign(Value); }
  // A new group named AName.
  TSeriesGroup* AddGroup(const QString& AName);

 protected:
  void Removed(TChartSeries* ASeries) override { FGroups.RemoveSeries(ASeries); }

 private:
  TSeriesGroups FGroups;
};

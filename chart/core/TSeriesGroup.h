#pragma once

#include "chart/core/TCustomSeriesList.h"

#include "platform/TPersistent.h"

#include <QString>

class TChartSeries;
class TSeriesGroups;

// Whether the series of a group are shown: all, none, or some of them.
enum TSeriesGroupActive { gaYes, gaNo, gaSome };

// Data: a named set of a chart's series that editors show and hide
// together. The group lists its series without owning them; Active is
// computed from them.
class TSeriesGroup : public TPersistent {
 public:
  // Collection (may be nullptr) is the group collection that holds this
  // group; the group's series list has the collection's chart as owner.
  explicit TSeriesGroup(TSeriesGroups* ACollection = nullptr);

  QString ClassName() const override { return QStringLiteral("TSeriesGroup"); }
  const TPropertyList& Properties() const override;
  // From another group: its name and series.
  void Assign(const TPersistent& Source) override;

  TSeriesGroups* GetCollection() const { return FCollection; }
  // The place in the collection, -1 without one.
  int GetIndex() const;

  const QString& GetName() const { return FName; }
  void SetName(const QString& Value) { FName = Value; }
  TCustomSeriesList& GetSeries() { return FSeries; }
  const TCustomSeriesList& GetSeries() const { return FSeries; }
  void SetSeries(const TCustomSeriesList& Value) { FSeries.Assign(Value); }
  // gaYes when every series is active (and for an empty group), gaNo when
  // none is, else gaSome.
  TSeriesGroupActive GetActive() const;
  // gaYes activates every series, gaNo deactivates every one; gaSome and
  // the current state change nothing.
  void SetActive(TSeriesGroupActive Value);

  void Add(TChartSeries* ASeries) { FSeries.Add(ASeries); }
  void Hide() { SetActive(gaNo); }
  void Show() { SetActive(gaYes); }

 private:
  QString NameText() const { return FName; }
  TCustomSeriesList* SeriesObject() { return &FSeries; }

  TSeriesGroups* FCollection;  // not owned
  QString FName;
  TCustomSeriesList FSeries;
};

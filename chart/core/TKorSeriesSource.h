#pragma once

#include "platform/TComponent.h"
#include "platform/TPersistent.h"

#include <QString>

class TChartSeries;
class TCustomAxisPanel;

// Data: the base of components that fill a series from outside the chart
// (files, databases). The source is its series' data source; while active
// it loads the series' points (Load), and closing it empties them. The
// series is not owned; the source forgets it when it is freed.
class TKorSeriesSource : public TComponent, public TPersistent {
 public:
  explicit TKorSeriesSource(TComponent* AOwner) : TComponent(AOwner) {}
  // Closes first, so that the series does not keep points of a source
  // that is gone.
  ~TKorSeriesSource() override;

  QString ClassName() const override { return QStringLiteral("TKorSeriesSource"); }
  const TPropertyList& Properties() const override;

  TChartSeries* GetSeries() const { return FSeries; }
  // Closes, leaves the old series (which drops this source from its data
  // sources) and becomes the new series' data source. The new series
  // raises ChartException when it cannot take the source (see
  // TChartSeries::SetDataSource); the source is then on no series.
  void SetSeries(TChartSeries* Value);
  bool GetActive() const { return FActive; }
  // Activating loads the series' points (not while the source is read
  // from a stream: Loaded does it then); deactivating empties the series.
  virtual void SetActive(bool Value);

  // Whether the source can feed series of AChart.
  virtual bool Available(const TCustomAxisPanel*) const { return true; }
  // The source's name in editors; empty here.
  virtual QString Description() const { return QString(); }
  // The class name of the source's editor form; empty: none.
  virtual QString Editor() const { return QString(); }
  virtual bool HasNew() const { return false; }
  // Whether ASeries is fed by a source of this class.
  virtual bool HasSeries(const TChartSeries* ASeries) const;
  // Deactivates, unless the source is being read or destroyed.
  virtual void Close();
  // Fills the series; nothing here.
  virtual void Load() {}
  virtual void Open() { SetActive(true); }
  // Loads again when active and not being read.
  void Refresh();
  void Loaded() override;

  // ASeries has taken this source into its data sources: a source that
  // fed another series moves over (closed meanwhile, and owned by the new
  // series when the old series owned it).
  void MoveToSeries(TChartSeries* ASeries);
  // ASeries no longer takes its data from this source.
  void ForgetSeries(const TChartSeries* ASeries);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // The series' component name for streams; a name read from a stream is
  // looked up among the owner's components, at once or in Loaded.
  QString SeriesName() const;
  void SetSeriesName(const QString& Value);
  void LinkSeries(TChartSeries* Value);

  bool FActive = false;
  TChartSeries* FSeries = nullptr;  // not owned
  // The series as the component that reports its own destruction; by then
  // it is no longer a series, so the free notice is matched against this.
  TComponent* FSeriesComponent = nullptr;
  QString FPendingSeriesName;
};

#pragma once

#include "chart/core/TKorCustomTool.h"

class TChartAxis;
class TChartSeries;

// Interaction: a tool that works on one series (not owned). The tool
// watches the series and forgets it when the series is freed; the tool
// itself stays.
class TKorCustomToolSeries : public TKorCustomTool {
 public:
  explicit TKorCustomToolSeries(TComponent* AOwner) : TKorCustomTool(AOwner) {}

  QString ClassName() const override { return QStringLiteral("TKorCustomToolSeries"); }
  // "Series": the series by its component name (stored only when set).
  const TPropertyList& Properties() const override;
  QString GetEditorClass() const override { return QStringLiteral("TSeriesToolEditor"); }
  // Resolves a "Series" read before the series itself was read.
  void Loaded() override;
  // From another series tool also its series.
  void Assign(const TPersistent& Source) override;

  TChartSeries* GetSeries() const { return FSeries; }
  virtual void SetSeries(TChartSeries* Value);
  // Empty without a series.
  QString GetSeriesName() const;
  // Looks the name up among the owner's components, then the chart's
  // series; a name not found yet is kept until Loaded.
  void SetSeriesName(const QString& Value);

  // The series' axes; without a series the chart's bottom (left) axis,
  // unless only the top (right) axis has active series. None without a
  // series and a chart.
  TChartAxis* GetHorizAxis() const;
  TChartAxis* GetVertAxis() const;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TChartSeries* FSeries = nullptr;  // not owned
  // The series as the component that reports its own destruction; by then
  // it is no longer a series, so the free notice is matched against this.
  TComponent* FSeriesComponent = nullptr;
  QString FPendingSeriesName;
};

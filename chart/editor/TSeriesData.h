#pragma once

#include "chart/core/KorSeriesData.h"
#include "chart/core/TKorExportData.h"
#include "platform/TColor.h"

#include <QString>

#include <vector>

class TChartSeries;
class TChartValueList;
class TCustomChart;

// Data: the base of the series data exports. It exports the points of one
// series, or of every series of a chart side by side, one line per point
// index; the derived formats lay out the header and the fields.
//
// The chart and the series are not owned; the exporter is made for one
// export and must not outlive them.
class TSeriesData : public TKorExportData {
 public:
  // A null ASeries exports every series of AChart.
  TSeriesData(TCustomChart* AChart, TChartSeries* ASeries);

  QString ClassName() const override { return QStringLiteral("TSeriesData"); }
  const TPropertyList& Properties() const override;

  bool GetIncludeColors() const { return FIncludeColors; }
  void SetIncludeColors(bool Value) { ChangeField(FIncludeColors, Value); }
  bool GetIncludeIndex() const { return FIncludeIndex; }
  void SetIncludeIndex(bool Value) { ChangeField(FIncludeIndex, Value); }
  bool GetIncludeHeader() const { return FIncludeHeader; }
  void SetIncludeHeader(bool Value) { ChangeField(FIncludeHeader, Value); }
  bool GetIncludeLabels() const { return FIncludeLabels; }
  void SetIncludeLabels(bool Value) { ChangeField(FIncludeLabels, Value); }
  TCustomChart* GetChart() const { return FChart; }
  TChartSeries* GetSeries() const { return FSeries; }
  // The flags of the last Prepare.
  KorFormatFlags GetFormat() const { return FFormat; }

  // Prepare, then PointToString of every point index, each line ending in
  // CR LF.
  QString AsString() override;
  // What the exported points hold (the series', or the first chart series'
  // with points).
  virtual KorFormatFlags GuessSeriesFormat() const;
  // One point line without its line end; empty here.
  virtual QString PointToString(int Index);

  // The guessed flags without labels and colours that are not wanted.
  void Prepare();
  // The point count of the series, or the largest among the chart's series;
  // -1 when there is no series.
  int MaxSeriesCount() const;

 protected:
  // Series, or every series of the chart, in chart order.
  std::vector<TChartSeries*> ExportedSeries() const;
  bool Has(KorFormatFlag Flag) const { return (FFormat & Flag) != 0; }
  // The list exported as "X" (the positions) and as "Y" (the values); for
  // a horizontal series these are its Y and X lists.
  static const TChartValueList& XList(const TChartSeries& Series);
  static const TChartValueList& YList(const TChartSeries& Series);
  // The value lists after X and Y (error, radius, end, ...).
  static std::vector<const TChartValueList*> FurtherLists(const TChartSeries& Series);
  // "#rrggbb" of the colour's RGB value.
  static QString ColorText(TColor Color);
  // The label of point Index, empty beyond the series' points.
  static QString LabelOf(const TChartSeries& Series, int Index);
  // The colour of point Index, clDefault beyond the series' points.
  static TColor ColorOf(const TChartSeries& Series, int Index);

 private:
  bool FIncludeColors = false;
  bool FIncludeIndex = false;
  bool FIncludeHeader = false;
  bool FIncludeLabels = true;
  TCustomChart* FChart;   // not owned
  TChartSeries* FSeries;  // not owned; null: all series of the chart
  KorFormatFlags FFormat = 0;
};

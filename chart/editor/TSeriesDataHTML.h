#pragma once

#include "chart/editor/TSeriesData.h"

#include <QString>

// Data: series points as an HTML table, one row per point index; every
// series has its own label and colour columns.
class TSeriesDataHTML : public TSeriesData {
 public:
  TSeriesDataHTML(TCustomChart* AChart, TChartSeries* ASeries);

  QString ClassName() const override { return QStringLiteral("TSeriesDataHTML"); }

  QString AsString() override;
  // The row of point Index (without its line end).
  QString PointToString(int Index) override;

 private:
  QString HeaderRow() const;
  // The number of cells a series takes in a row.
  int ColumnCount(const TChartSeries& Series) const;
};

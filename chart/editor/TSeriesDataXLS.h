#pragma once

#include "chart/editor/TSeriesData.h"

#include <QByteArray>
#include <QString>

// Data: series points as a one-sheet spreadsheet record stream: an
// optional header row of label cells, then one row per point index with
// every series' label, colour and value columns.
class TSeriesDataXLS : public TSeriesData {
 public:
  TSeriesDataXLS(TCustomChart* AChart, TChartSeries* ASeries);

  QString ClassName() const override { return QStringLiteral("TSeriesDataXLS"); }

  // The record stream. Raises ChartException, before writing anything,
  // when the rows or columns do not fit the format's 16-bit numbers, and
  // EFileError when the stream does not take the bytes.
  void SaveToStream(QIODevice& Stream) override;
  // The record stream SaveToStream writes; raises as it does.
  QByteArray Records();

  // Label cells hold single bytes of code page 1252 (which the stream
  // names): characters it lacks become "?"; at most 255 bytes are kept.
  static QByteArray LabelBytes(const QString& Text);

 private:
  int ColumnCount() const;
  void WriteHeader(QByteArray& Out) const;
  void WriteRow(QByteArray& Out, int Row, int Index) const;
};

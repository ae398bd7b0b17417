#pragma once

#include "chart/editor/TSeriesData.h"

#include <QChar>
#include <QString>

// Data: series points as delimited text, one line per point index; labels
// and colours appear once per line, taken from the first series.
class TSeriesDataText : public TSeriesData {
 public:
  TSeriesDataText(TCustomChart* AChart, TChartSeries* ASeries);

  QString ClassName() const override { return QStringLiteral("TSeriesDataText"); }
  const TPropertyList& Properties() const override;

  QChar GetTextDelimiter() const { return FTextDelimiter; }
  void SetTextDelimiter(QChar Value) { ChangeField(FTextDelimiter, Value); }
  // Written before and after header words, labels and date-time texts;
  // inside such a field it is written twice. Empty: no quoting.
  const QString& GetTextQuotes() const { return FTextQuotes; }
  void SetTextQuotes(const QString& Value) { ChangeField(FTextQuotes, Value); }
  // Picture format of numbers; empty: the default form.
  const QString& GetValueFormat() const { return FValueFormat; }
  void SetValueFormat(const QString& Value) { ChangeField(FValueFormat, Value); }

  // The header line (when IncludeHeader), the point lines and an empty
  // line, each ending in CR LF.
  QString AsString() override;
  // With all series and labels wanted, any series' labels make the label
  // column.
  KorFormatFlags GuessSeriesFormat() const override;
  QString PointToString(int Index) override;

 private:
  QString HeaderLine() const;
  QString Quoted(const QString& Text) const;
  // Appends Field, after the delimiter unless it is the first of Line.
  void AddField(QString& Line, bool& First, const QString& Field) const;
  QString ValueText(const TChartValueList& List, int Index) const;
  // The label of the first exported series, or with all series the first
  // non-empty label at Index.
  QString LabelAt(int Index) const;

  // The property table reaches the delimiter as a one-character text.
  QString DelimiterText() const { return QString(FTextDelimiter); }
  void SetDelimiterText(const QString& Value);
  QString TextQuotesText() const { return FTextQuotes; }
  QString ValueFormatText() const { return FValueFormat; }

  QChar FTextDelimiter = QLatin1Char('\t');
  QString FTextQuotes;
  QString FValueFormat;
};

#pragma once

#include "chart/editor/TSeriesData.h"

#include <QByteArray>
#include <QString>

// Data: series points as an XML document: one series element per series
// (inside a chart element with all series), one point element per point.
class TSeriesDataXML : public TSeriesData {
 public:
  TSeriesDataXML(TCustomChart* AChart, TChartSeries* ASeries);

  QString ClassName() const override { return QStringLiteral("TSeriesDataXML"); }
  const TPropertyList& Properties() const override;

  // The encoding the declaration names; empty: the declaration names none
  // (the document is then UTF-8).
  const QString& GetEncoding() const { return FEncoding; }
  void SetEncoding(const QString& Value) { ChangeField(FEncoding, Value); }
  // "shift_jis" on a Japanese system, else "ISO-8859-1".
  static QString DefaultEncoding();

  QString AsString() override;
  // The document's bytes in the encoding its declaration names (UTF-8
  // without a declaration), so that readers see the same characters; a
  // character that encoding cannot hold is written as a character
  // reference. An encoding this system does not know gets ASCII with
  // references. Encodings are taken to keep ASCII as it is, as the 8-bit
  // and multi-byte sets do. Raises EFileError when the stream does not
  // take the bytes.
  void SaveToStream(QIODevice& Stream) override;
  // Text in Encoding, as SaveToStream writes it.
  static QByteArray EncodeDocument(const QString& Text, const QString& Encoding);

 private:
  QString SeriesElement(const TChartSeries& Series) const;
  QString PointElement(const TChartSeries& Series, int Index) const;
  QString EncodingText() const { return FEncoding; }

  QString FEncoding;
};

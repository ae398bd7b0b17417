#include "chart/editor/TSeriesDataXML.h"

#include "chart/core/KorEngine.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TKorSeriesTypes.h"
#include "platform/Exception.h"

#include <QIODevice>
#include <QLocale>
#include <QStringEncoder>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// Text as an attribute value between double quotes. Line breaks and tabs
// are written as references, since readers turn them into blanks;
// other control characters cannot appear in XML at all.
QString AttributeText(const QString& Text) {
  QString Result;
  Result.reserve(Text.size());
  for (const QChar C : Text) {
    switch (C.unicode()) {
      case '&': Result += QStringLiteral("&amp;"); break;
      case '<': Result += QStringLiteral("&lt;"); break;
      case '>': Result += QStringLiteral("&gt;"); break;
      case '"': Result += QStringLiteral("&quot;"); break;
      case '\t': Result += QStringLiteral("&#9;"); break;
      case '\n': Result += QStringLiteral("&#10;"); break;
      case '\r': Result += QStringLiteral("&#13;"); break;
      default: Result += C.unicode() < 0x20 ? QChar(u'?') : C;
    }
  }
  return Result;
}

QString Attribute(const QString& Name, const QString& Value) {
  return Name + QStringLiteral("=\"") + AttributeText(Value) + QLatin1Char('"');
}

bool IsUtf8(const QString& Encoding) {
  return Encoding.isEmpty() ||
         Encoding.compare(QStringLiteral("utf-8"), Qt::CaseInsensitive) == 0 ||
         Encoding.compare(QStringLiteral("utf8"), Qt::CaseInsensitive) == 0;
}

QByteArray CharacterReference(char32_t CodePoint) {
  return "&#" + QByteArray::number(static_cast<uint>(CodePoint)) + ';';
}

}  // namespace

TSeriesDataXML::TSeriesDataXML(TCustomChart* AChart, TChartSeries* ASeries)
    : TSeriesData(AChart, ASeries), FEncoding(DefaultEncoding()) {
  SetIncludeHeader(true);
}

QString TSeriesDataXML::DefaultEncoding() {
  return QLocale::system().language() == QLocale::Japanese ? QStringLiteral("shift_jis")
                                                           : QStringLiteral("ISO-8859-1");
}

const TPropertyList& TSeriesDataXML::Properties() const {
  namespace PP = PublishedProperty;
  using C = TSeriesDataXML;
  static const TPropertyList List = [this] {
    TPublishedProperty Encoding =
        PP::String<C>(QStringLiteral("Encoding"), &C::EncodingText, &C::SetEncoding);
    // The default depends on the system, so only a different encoding
    // is stored.
    Encoding.Stored = [](const TPersistent& P) {
      return PP::As<C>(P).GetEncoding() != DefaultEncoding();
    };
    return TPropertyList(TSeriesData::Properties(),
                         {PP::Boolean<C>(QStringLiteral("IncludeHeader"), &C::GetIncludeHeader,
                                         &C::SetIncludeHeader, true),
                          Encoding});
  }();
  return List;
}

QString TSeriesDataXML::AsString() {
  Prepare();
  QString Result;
  if (GetIncludeHeader()) {
    Result += QStringLiteral("<?xml version=\"1.0\"");
    if (!FEncoding.isEmpty())
      Result += QLatin1Char(' ') + Attribute(QStringLiteral("encoding"), FEncoding);
    Result += QStringLiteral("?>") + LineEnd;
  }
  const bool AllSeries = GetSeries() == nullptr;
  if (AllSeries) Result += QStringLiteral("<chart>") + LineEnd;
  for (const TChartSeries* Series : ExportedSeries()) Result += SeriesElement(*Series);
  if (AllSeries) Result += QStringLiteral("</chart>");
  return Result;
}

QString TSeriesDataXML::SeriesElement(const TChartSeries& Series) const {
  QString Result =
      QStringLiteral("<series ") + Attribute(QStringLiteral("title"), SeriesTitleOrName(&Series)) +
      QLatin1Char(' ') + Attribute(QStringLiteral("type"), GetGallerySeriesName(Series)) +
      QLatin1Char(' ') + Attribute(QStringLiteral("color"), ColorText(Series.GetSeriesColor())) +
      QLatin1Char('>') + LineEnd;
  Result += QStringLiteral("<points count=\"%1\">").arg(Series.Count()) + LineEnd;
  for (int I = 0; I < Series.Count(); ++I) Result += PointElement(Series, I) + LineEnd;
  Result += QStringLiteral("</points>") + LineEnd;
  Result += QStringLiteral("</series>") + LineEnd + LineEnd;
  return Result;
}

QString TSeriesDataXML::PointElement(const TChartSeries& Series, int Index) const {
  QString Result = QStringLiteral("<point ");
  if (GetIncludeIndex()) Result += Attribute(QStringLiteral("index"), QString::number(Index));
  auto Add = [&Result](const QString& Name, const QString& Value) {
    Result += QLatin1Char(' ') + Attribute(Name, Value);
  };
  if (Has(tfLabel)) Add(QStringLiteral("text"), LabelOf(Series, Index));
  if (Has(tfColor)) Add(QStringLiteral("color"), ColorText(ColorOf(Series, Index)));
  if (Has(tfNoMandatory)) Add(XList(Series).GetName(), XList(Series).ToString(Index));
  Add(YList(Series).GetName(), YList(Series).ToString(Index));
  for (const TChartValueList* List : FurtherLists(Series))
    Add(List->GetName(), List->ToString(Index));
  return Result + QStringLiteral("/>");
}

void TSeriesDataXML::SaveToStream(QIODevice& Stream) {
  // Without a declaration readers take the document for UTF-8.
  const QByteArray Bytes = EncodeDocument(AsString(), GetIncludeHeader() ? FEncoding : QString());
  if (Stream.write(Bytes) != Bytes.size())
    throw EFileError(QStringLiteral("Cannot write the data. %1").arg(Stream.errorString()));
}

QByteArray TSeriesDataXML::EncodeDocument(const QString& Text, const QString& Encoding) {
  if (IsUtf8(Encoding)) return Text.toUtf8();
  const bool Latin1 = Encoding.compare(QStringLiteral("ISO-8859-1"), Qt::CaseInsensitive) == 0 ||
                      Encoding.compare(QStringLiteral("latin1"), Qt::CaseInsensitive) == 0;
  const QByteArray Name = Encoding.toLatin1();
  QStringEncoder Encoder(Name.constData(), QStringEncoder::Flag::Stateless);
  QByteArray Result;
  Result.reserve(Text.size());
  for (const char32_t CodePoint : Text.toUcs4()) {
    // The markup is ASCII; only texts from the chart can be outside it.
    if (CodePoint < 0x80) {
      Result += static_cast<char>(CodePoint);
    } else if (Latin1) {
      if (CodePoint <= 0xFF)
        Result += static_cast<char>(CodePoint);
      else
        Result += CharacterReference(CodePoint);
    } else if (Encoder.isValid()) {
      // An encoder keeps reporting an error once it met one.
      if (Encoder.hasError())
        Encoder = QStringEncoder(Name.constData(), QStringEncoder::Flag::Stateless);
      const QString One = QString::fromUcs4(&CodePoint, 1);
      const QByteArray Encoded = Encoder.encode(One);
      Result += Encoder.hasError() ? CharacterReference(CodePoint) : Encoded;
    } else {
      Result += CharacterReference(CodePoint);
    }
  }
  return Result;
}

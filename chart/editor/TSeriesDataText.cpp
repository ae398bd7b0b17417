#include "chart/editor/TSeriesDataText.h"

#include "chart/core/KorEngine.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "platform/FormatSettings.h"
#include "platform/TDateTime.h"

namespace {

const QString LineEnd = QStringLiteral("\r\n");

}  // namespace

TSeriesDataText::TSeriesDataText(TCustomChart* AChart, TChartSeries* ASeries)
    : TSeriesData(AChart, ASeries) {}

const TPropertyList& TSeriesDataText::Properties() const {
  namespace PP = PublishedProperty;
  using C = TSeriesDataText;
  static const TPropertyList List(TSeriesData::Properties(),
                                  {PP::String<C>(QStringLiteral("TextDelimiter"), &C::DelimiterText,
                                                 &C::SetDelimiterText, QStringLiteral("\t")),
                                   PP::String<C>(QStringLiteral("TextQuotes"), &C::TextQuotesText,
                                                 &C::SetTextQuotes, QString()),
                                   PP::String<C>(QStringLiteral("ValueFormat"), &C::ValueFormatText,
                                                 &C::SetValueFormat, QString())});
  return List;
}

void TSeriesDataText::SetDelimiterText(const QString& Value) {
  SetTextDelimiter(Value.isEmpty() ? QChar() : Value.at(0));
}

QString TSeriesDataText::AsString() {
  Prepare();
  QString Result;
  if (GetIncludeHeader()) Result += HeaderLine() + LineEnd;
  return Result + TSeriesData::AsString() + LineEnd;
}

KorFormatFlags TSeriesDataText::GuessSeriesFormat() const {
  KorFormatFlags Result = TSeriesData::GuessSeriesFormat();
  if (GetSeries() == nullptr && GetIncludeLabels() && (Result & tfLabel) == 0)
    for (const TChartSeries* Series : ExportedSeries())
      if (HasLabels(*Series)) return Result | tfLabel;
  return Result;
}

QString TSeriesDataText::HeaderLine() const {
  QString Line;
  bool First = true;
  if (GetIncludeIndex()) AddField(Line, First, Quoted(Korconst::KorMsg_Index));
  if (Has(tfLabel)) AddField(Line, First, Quoted(Korconst::KorMsg_Text));
  if (Has(tfColor)) AddField(Line, First, Quoted(Korconst::KorMsg_Colors));
  for (const TChartSeries* Series : ExportedSeries()) {
    if (Has(tfNoMandatory)) AddField(Line, First, Quoted(XList(*Series).GetName()));
    if (Series->GetValuesList().Count() == 2) {
      AddField(Line, First, Quoted(SeriesTitleOrName(Series)));
    } else {
      AddField(Line, First, Quoted(YList(*Series).GetName()));
      for (const TChartValueList* List : FurtherLists(*Series))
        AddField(Line, First, Quoted(List->GetName()));
    }
  }
  return Line;
}

QString TSeriesDataText::PointToString(int Index) {
  QString Line;
  bool First = true;
  if (GetIncludeIndex()) AddField(Line, First, QString::number(Index));
  bool FirstSeries = true;
  for (const TChartSeries* Series : ExportedSeries()) {
    if (FirstSeries) {
      if (Has(tfLabel)) AddField(Line, First, Quoted(LabelAt(Index)));
      if (Has(tfColor)) AddField(Line, First, ColorText(ColorOf(*Series, Index)));
      FirstSeries = false;
    }
    if (Has(tfNoMandatory)) AddField(Line, First, ValueText(XList(*Series), Index));
    AddField(Line, First, ValueText(YList(*Series), Index));
    for (const TChartValueList* List : FurtherLists(*Series))
      AddField(Line, First, ValueText(*List, Index));
  }
  return Line;
}

QString TSeriesDataText::Quoted(const QString& Text) const {
  if (FTextQuotes.isEmpty()) return Text;
  // A quote inside the field is doubled, so that readers do not take it
  // for the end of the field.
  QString Inner = Text;
  Inner.replace(FTextQuotes, FTextQuotes + FTextQuotes);
  return FTextQuotes + Inner + FTextQuotes;
}

void TSeriesDataText::AddField(QString& Line, bool& First, const QString& Field) const {
  if (!First) Line += FTextDelimiter;
  Line += Field;
  First = false;
}

QString TSeriesDataText::ValueText(const TChartValueList& List, int Index) const {
  if (Index >= List.Count()) return QString();
  const double Value = List.GetValue(Index);
  if (List.GetDateTime()) return Quoted(DateTimeToStr(Value));
  return FValueFormat.isEmpty() ? FloatToStr(Value) : FormatFloat(FValueFormat, Value);
}

QString TSeriesDataText::LabelAt(int Index) const {
  if (GetSeries() != nullptr) return LabelOf(*GetSeries(), Index);
  for (const TChartSeries* Series : ExportedSeries()) {
    const QString Label = LabelOf(*Series, Index);
    if (!Label.isEmpty()) return Label;
  }
  return QString();
}

#include "chart/editor/TSeriesData.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TCustomChart.h"

#include <algorithm>

TSeriesData::TSeriesData(TCustomChart* AChart, TChartSeries* ASeries)
    : FChart(AChart), FSeries(ASeries) {}

const TPropertyList& TSeriesData::Properties() const {
  namespace PP = PublishedProperty;
  using C = TSeriesData;
  static const TPropertyList List(
      TKorExportData::Properties(),
      {PP::Boolean<C>(QStringLiteral("IncludeColors"), &C::GetIncludeColors, &C::SetIncludeColors,
                      false),
       PP::Boolean<C>(QStringLiteral("IncludeIndex"), &C::GetIncludeIndex, &C::SetIncludeIndex,
                      false),
       PP::Boolean<C>(QStringLiteral("IncludeHeader"), &C::GetIncludeHeader, &C::SetIncludeHeader,
                      false),
       PP::Boolean<C>(QStringLiteral("IncludeLabels"), &C::GetIncludeLabels, &C::SetIncludeLabels,
                      true)});
  return List;
}

QString TSeriesData::AsString() {
  Prepare();
  QString Result;
  const int Count = MaxSeriesCount();
  for (int I = 0; I < Count; ++I) Result += PointToString(I) + QStringLiteral("\r\n");
  return Result;
}

KorFormatFlags TSeriesData::GuessSeriesFormat() const {
  if (FSeries != nullptr) return SeriesGuessContents(*FSeries);
  for (const TChartSeries* Series : ExportedSeries())
    if (Series->Count() > 0) return SeriesGuessContents(*Series);
  return 0;
}

QString TSeriesData::PointToString(int) {
  return QString();
}

void TSeriesData::Prepare() {
  FFormat = GuessSeriesFormat();
  if (!FIncludeLabels) FFormat &= ~tfLabel;
  if (!FIncludeColors) FFormat &= ~tfColor;
}

int TSeriesData::MaxSeriesCount() const {
  const std::vector<TChartSeries*> All = ExportedSeries();
  if (All.empty()) return -1;
  int Result = 0;
  for (const TChartSeries* Series : All) Result = std::max(Result, Series->Count());
  return Result;
}

std::vector<TChartSeries*> TSeriesData::ExportedSeries() const {
  if (FSeries != nullptr) return {FSeries};
  std::vector<TChartSeries*> Result;
  if (FChart != nullptr)
    for (int I = 0; I < FChart->SeriesCount(); ++I) Result.push_back(FChart->GetSeries(I));
  return Result;
}

const TChartValueList& TSeriesData::XList(const TChartSeries& Series) {
  return Series.GetNotMandatory();
}

const TChartValueList& TSeriesData::YList(const TChartSeries& Series) {
  return Series.GetMandatory();
}

std::vector<const TChartValueList*> TSeriesData::FurtherLists(const TChartSeries& Series) {
  std::vector<const TChartValueList*> Result;
  const TChartValueLists& Lists = Series.GetValuesList();
  for (int I = 2; I < Lists.Count(); ++I) Result.push_back(Lists.Get(I));
  return Result;
}

QString TSeriesData::ColorText(TColor Color) {
  const TColor Rgb = ColorToRGB(Color);
  return QString::asprintf("#%.2x%.2x%.2x", GetRValue(Rgb), GetGValue(Rgb), GetBValue(Rgb));
}

QString TSeriesData::LabelOf(const TChartSeries& Series, int Index) {
  return Index < Series.Count() ? Series.GetXLabel(Index) : QString();
}

TColor TSeriesData::ColorOf(const TChartSeries& Series, int Index) {
  return Index < Series.Count() ? Series.GetValueColor(Index) : clDefault;
}

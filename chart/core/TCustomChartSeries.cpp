#include "chart/core/TCustomChartSeries.h"

TCustomChartSeries::TCustomChartSeries(TComponent* AOwner) : TCustomChartElement(AOwner) {}

const TPropertyList& TCustomChartSeries::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomChartSeries;
  static const TPropertyList List = [this] {
    TPublishedProperty Identifier =
        PP::String<C>(QStringLiteral("Identifier"), &C::GetIdentifierText, &C::SetIdentifier);
    Identifier.Stored = [](const TPersistent& P) {
      return !PP::As<C>(P).GetIdentifier().isEmpty();
    };
    TPublishedProperty Style =
        PP::Integer<C>(QStringLiteral("Style"), &C::GetStyleMask, &C::SetStyleMask);
    Style.Stored = [](const TPersistent& P) { return !PP::As<C>(P).GetStyle().Empty(); };
    return TPropertyList(
        TCustomChartElement::Properties(),
        {
            PP::Boolean<C>(QStringLiteral("ShowInLegend"), &C::GetShowInLegend, &C::SetShowInLegend,
                           true),
            PP::String<C>(QStringLiteral("Title"), &C::GetTitleText, &C::SetTitleText, QString()),
            Identifier,
            Style,
        });
  }();
  return List;
}

void TCustomChartSeries::Assign(const TPersistent& Source) {
  if (const auto* Other = dynamic_cast<const TCustomChartSeries*>(&Source)) {
    if (Other == this) return;
    SetShowInLegend(Other->FShowInLegend);
    SetTitle(Other->FTitle);
    FStyle = Other->FStyle;
    FIdentifier = Other->FIdentifier;
  }
  TCustomChartElement::Assign(Source);
}

void TCustomChartSeries::SetShowInLegend(bool Value) {
  SetBooleanProperty(FShowInLegend, Value);
}

void TCustomChartSeries::SetTitle(const QString& Value) {
  SetStringProperty(FTitle, Value);
}

void TCustomChartSeries::CalcHorizMargins(int& LeftMargin, int& RightMargin) {
  LeftMargin = 0;
  RightMargin = 0;
}

void TCustomChartSeries::CalcVerticalMargins(int& TopMargin, int& BottomMargin) {
  TopMargin = 0;
  BottomMargin = 0;
}

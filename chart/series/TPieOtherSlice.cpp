#include "chart/series/TPieOtherSlice.h"

#include "chart/series/TPieSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TCustomChart.h"

TPieOtherSlice::TPieOtherSlice(TPieSeries& AOwner) : FOwner(AOwner) {}

TPieOtherSlice::~TPieOtherSlice() = default;

const TPropertyList& TPieOtherSlice::Properties() const {
  namespace PP = PublishedProperty;
  using C = TPieOtherSlice;
  static const TPropertyList List = [] {
    TPublishedProperty Text = PP::String<C>(QStringLiteral("Text"), &C::StoredText, &C::SetText);
    Text.Stored = [](const TPersistent& I) { return !PP::As<C>(I).FText.isEmpty(); };
    return TPropertyList({
        PP::Color<C>(QStringLiteral("Color"), &C::GetColor, &C::SetColor, clDefault),
        PP::Object<C, TChartLegend>(QStringLiteral("Legend"), &C::GetLegend),
        PP::Enum<C, TPieOtherStyle>(QStringLiteral("Style"), &C::GetStyle, &C::SetStyle,
                                    {"poNone", "poBelowPercent", "poBelowValue"}, poNone),
        Text,
        PP::Double<C>(QStringLiteral("Value"), &C::GetValue, &C::SetValue, 0.0),
    });
  }();
  return List;
}

void TPieOtherSlice::Assign(const TPersistent& Source) {
  const auto* S = dynamic_cast<const TPieOtherSlice*>(&Source);
  if (S == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (S == this) return;
  FColor = S->FColor;
  FStyle = S->FStyle;
  FText = S->FText;
  FValue = S->FValue;
  SetLegend(S->FLegend.get());
  FOwner.Repaint();
}

void TPieOtherSlice::SetColor(TColor Value) {
  FOwner.SetColorProperty(FColor, Value);
}

TChartLegend* TPieOtherSlice::GetLegend() {
  if (FLegend == nullptr) {
    auto* Chart = dynamic_cast<TCustomChart*>(FOwner.GetParentChart());
    if (Chart == nullptr) return nullptr;
    FLegend = std::make_unique<TChartLegend>(Chart);
    FLegend->SetVisible(false);
    FLegend->SetLegendStyle(lsValues);
    // It lists the grouped points beside the chart's own legend and
    // takes no room from the chart.
    FLegend->SetResizeChart(false);
    FLegend->SetSeries(&FOwner);
  }
  return FLegend.get();
}

void TPieOtherSlice::SetLegend(const TChartLegend* Value) {
  if (Value == nullptr) {
    FLegend.reset();
    FOwner.Repaint();
  } else if (TChartLegend* Own = GetLegend()) {
    Own->Assign(*Value);
  }
}

void TPieOtherSlice::ForgetLegend() {
  FLegend.reset();
}

void TPieOtherSlice::SetStyle(TPieOtherStyle Value) {
  if (SetIfChanged(FStyle, Value)) FOwner.Repaint();
}

QString TPieOtherSlice::GetText() const {
  return FText.isEmpty() ? Korconst::KorMsg_PieOther : FText;
}

void TPieOtherSlice::SetText(const QString& Value) {
  FOwner.SetStringProperty(FText, Value);
}

void TPieOtherSlice::SetValue(double Value) {
  FOwner.SetDoubleProperty(FValue, Value);
}

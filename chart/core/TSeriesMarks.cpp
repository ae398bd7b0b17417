#include "chart/core/TSeriesMarks.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TMarksCallout.h"
#include "chart/core/TMarksItem.h"
#include "chart/core/TMarksItems.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarksGradient.h"
#include "chart/core/TSeriesMarksPositions.h"
#include "chart/core/TSeriesMarksSymbol.h"

#include <algorithm>

namespace {

constexpr int MarksShadowSize = 1;

}  // namespace

// Set up before the parent is known, so that building the marks repaints
// nothing.
TSeriesMarks::TSeriesMarks(TChartSeries* ASeries)
    : TKorCustomShape(nullptr),
      FSeries(ASeries),
      FItems(std::make_unique<TMarksItems>(this)),
      FPositions(std::make_unique<TSeriesMarksPositions>()) {
  SetVisible(false);
  SetColor(clInfoBk);
  InitShadow(GetShadow());
  if (ASeries != nullptr) SetParent(ASeries->GetParentChart());
}

TSeriesMarks::~TSeriesMarks() = default;

void TSeriesMarks::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TSeriesMarks*>(&Source);
  if (Other != nullptr && Other != this) {
    SetAngle(Other->FAngle);
    SetCallout(Other->FCallout.get());
    SetClip(Other->FClip);
    SetDrawEvery(Other->FDrawEvery);
    SetMultiLine(Other->FMultiLine);
    SetStyle(Other->FStyle);
    SetSymbol(Other->FSymbol.get());
  }
  TKorCustomShape::Assign(Source);
}

const TPropertyList& TSeriesMarks::Properties() const {
  namespace PP = PublishedProperty;
  using C = TSeriesMarks;
  using B = TKorCustomShapeBrushPen;
  static const TPropertyList List = [this] {
    const TPropertyList& Base = TKorCustomShape::Properties();
    auto Inherited = [&Base](const char* Name) { return *Base.Find(QString::fromLatin1(Name)); };
    auto CalloutExists = [](const TPersistent& P) {
      return PP::As<C>(P).ExistingCallout() != nullptr;
    };
    TPublishedProperty Arrow = PP::Object<C, TChartPen>(QStringLiteral("Arrow"), &C::ArrowObject);
    Arrow.Stored = CalloutExists;
    TPublishedProperty ArrowLength =
        PP::Integer<C>(QStringLiteral("ArrowLength"), &C::GetArrowLength, &C::SetArrowLength);
    ArrowLength.Stored = [](const TPersistent& P) {
      const C& Marks = PP::As<C>(P);
      return Marks.ExistingCallout() != nullptr &&
             Marks.GetArrowLength() != TMarksCallout::DefaultLength;
    };
    TPublishedProperty Callout =
        PP::Object<C, TMarksCallout>(QStringLiteral("Callout"), &C::GetCallout);
    Callout.Stored = CalloutExists;
    TPublishedProperty Symbol =
        PP::Object<C, TSeriesMarksSymbol>(QStringLiteral("Symbol"), &C::GetSymbol);
    Symbol.Stored = [](const TPersistent& P) { return PP::As<C>(P).ExistingSymbol() != nullptr; };
    // The shape's text format is left out: marks take it from code only.
    return TPropertyList{
        PP::Integer<C>(QStringLiteral("Angle"), &C::GetAngle, &C::SetAngle, 0),
        Arrow,
        ArrowLength,
        Callout,
        PP::Color<C>(QStringLiteral("BackColor"), &C::GetBackColor, &C::SetBackColor, clInfoBk),
        Inherited("Bevel"),
        Inherited("BevelWidth"),
        Inherited("Brush"),
        PP::Boolean<C>(QStringLiteral("Clip"), &C::GetClip, &C::SetClip, false),
        PP::Color<TKorCustomShape>(QStringLiteral("Color"), &TKorCustomShape::GetColor,
                                   &TKorCustomShape::SetColor, clInfoBk),
        PP::Integer<C>(QStringLiteral("DrawEvery"), &C::GetDrawEvery, &C::SetDrawEvery, 1),
        Inherited("Font"),
        Inherited("Frame"),
        Inherited("Gradient"),
        PP::Boolean<C>(QStringLiteral("MultiLine"), &C::GetMultiLine, &C::SetMultiLine, false),
        Inherited("Shadow"),
        Inherited("ShapeStyle"),
        PP::Enum<C, TSeriesMarksStyle>(
            QStringLiteral("Style"), &C::GetStyle, &C::SetStyle,
            {"smsValue", "smsPercent", "smsLabel", "smsLabelPercent", "smsLabelValue", "smsLegend",
             "smsPercentTotal", "smsLabelPercentTotal", "smsXValue", "smsXY"},
            smsLabel),
        Symbol,
        Inherited("Transparency"),
        Inherited("Transparent"),
        PP::Boolean<B>(QStringLiteral("Visible"), &B::GetVisible, &B::SetVisible, false),
    };
  }();
  return List;
}

TKorGradientClass TSeriesMarks::GetGradientClass() const {
  return [](TNotifyEvent ChangeHandler) -> std::unique_ptr<TKorGradient> {
    return std::make_unique<TSeriesMarksGradient>(std::move(ChangeHandler));
  };
}

void TSeriesMarks::RepaintSeries() {
  if (FSeries != nullptr)
    FSeries->Repaint();
  else
    Repaint();
}

void TSeriesMarks::SetSeriesBoolean(bool& Field, bool Value) {
  if (FSeries != nullptr)
    FSeries->SetBooleanProperty(Field, Value);
  else
    SetShapeField(Field, Value);
}

void TSeriesMarks::SetSeriesInteger(int& Field, int Value) {
  if (FSeries != nullptr)
    FSeries->SetIntegerProperty(Field, Value);
  else
    SetShapeField(Field, Value);
}

void TSeriesMarks::SetAngle(int Value) {
  SetSeriesInteger(FAngle, Value);
}

TChartPen& TSeriesMarks::GetArrow() {
  return GetCallout()->GetArrow();
}

void TSeriesMarks::SetArrow(const TChartPen& Value) {
  GetCallout()->SetArrow(Value);
}

int TSeriesMarks::GetArrowLength() const {
  return FCallout ? FCallout->GetLength() : TMarksCallout::DefaultLength;
}

void TSeriesMarks::SetArrowLength(int Value) {
  GetCallout()->SetLength(Value);
}

TMarksCallout* TSeriesMarks::GetCallout() {
  if (!FCallout) {
    FCallout = std::make_unique<TMarksCallout>(FSeries);
    FCallout->SetParent(GetParent());
  }
  return FCallout.get();
}

void TSeriesMarks::SetCallout(const TMarksCallout* Value) {
  if (Value != nullptr) {
    GetCallout()->Assign(*Value);
  } else if (FCallout) {
    FCallout.reset();
    Repaint();
  }
}

void TSeriesMarks::SetClip(bool Value) {
  SetSeriesBoolean(FClip, Value);
}

void TSeriesMarks::SetDrawEvery(int Value) {
  SetSeriesInteger(FDrawEvery, Value);
}

int TSeriesMarks::EffectiveDrawEvery() const {
  // 0 would divide by zero when marks are picked, and a negative step would
  // pick no sensible points.
  return std::max(1, FDrawEvery);
}

void TSeriesMarks::SetMultiLine(bool Value) {
  SetSeriesBoolean(FMultiLine, Value);
}

void TSeriesMarks::SetStyle(TSeriesMarksStyle Value) {
  if (SetIfChanged(FStyle, Value)) RepaintSeries();
}

TSeriesMarksSymbol* TSeriesMarks::GetSymbol() {
  if (!FSymbol) FSymbol = std::make_unique<TSeriesMarksSymbol>(GetParent());
  return FSymbol.get();
}

void TSeriesMarks::SetSymbol(const TSeriesMarksSymbol* Value) {
  if (Value != nullptr) {
    GetSymbol()->Assign(*Value);
  } else if (FSymbol) {
    FSymbol.reset();
    Repaint();
  }
}

bool TSeriesMarks::GetLoadingItems() const {
  return FItems->GetLoadingCustom();
}

void TSeriesMarks::SetLoadingItems(bool Value) {
  FItems->SetLoadingCustom(Value);
}

TKorCustomShape& TSeriesMarks::MarkItem(int ValueIndex) {
  if (TMarksItem* Item = FItems->Existing(ValueIndex)) return *Item;
  return *this;
}

TMarksItem& TSeriesMarks::GetItem(int ValueIndex) {
  return FItems->Get(ValueIndex);
}

void TSeriesMarks::Clear() {
  FPositions->Clear();
  if (!FItems->GetLoadingCustom()) FItems->Clear();
}

void TSeriesMarks::ResetPositions() {
  for (int I = 0; I < FPositions->Count(); ++I) FPositions->Automatic(I);
  RepaintSeries();
}

void TSeriesMarks::UsePosition(int Index, TSeriesMarkPosition& APosition) {
  TSeriesMarkPosition& Stored = FPositions->Ensure(Index);
  if (!Stored.Custom) {
    Stored.Assign(APosition);
    return;
  }
  const TPoint OwnStart = APosition.ArrowFrom;
  APosition.Assign(Stored);
  if (APosition.ArrowFix) APosition.ArrowFrom = OwnStart;
}

void TSeriesMarks::ApplyArrowLength(TSeriesMarkPosition& APosition) const {
  if (FCallout) FCallout->ApplyArrowLength(APosition);
}

void TSeriesMarks::InitShadow(TKorShadow& AShadow) {
  AShadow.SetColor(clGray);
  AShadow.SetSize(MarksShadowSize);
  AShadow.SetDefaultColor(clGray);
  AShadow.SetDefaultSize(MarksShadowSize);
}

void TSeriesMarks::SetParent(TCustomKorPanel* Value) {
  TKorCustomShape::SetParent(Value);
  if (FCallout) FCallout->SetParent(Value);
  if (FSymbol) FSymbol->SetParent(Value);
  FItems->SetParent(Value);
}

#include "chart/core/TKorCustomShapeBrushPen.h"

#include "chart/core/TCustomKorPanel.h"

TKorCustomShapeBrushPen::TKorCustomShapeBrushPen(TCustomKorPanel* AParent)
    : FParent(AParent), FPen(std::make_unique<TChartPen>([this](TPersistent*) { Repaint(); })) {}

TKorCustomShapeBrushPen::~TKorCustomShapeBrushPen() = default;

void TKorCustomShapeBrushPen::Assign(const TPersistent& Source) {
  const TKorCustomShapeBrushPen* Other = dynamic_cast<const TKorCustomShapeBrushPen*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  GetBrush().Assign(Other->GetBrush());
  FPen->Assign(*Other->FPen);
  SetVisible(Other->FVisible);
}

namespace {

// A sub-object property whose getter may create the object.
TPublishedProperty SubObject(const QString& Name,
                             TPersistent* (*Get)(const TKorCustomShapeBrushPen& Shape)) {
  TPublishedProperty P;
  P.Name = Name;
  P.Kind = TPropertyKind::pkClass;
  P.Get = [Get](const TPersistent& I) {
    return TPropertyValue(Get(PublishedProperty::As<TKorCustomShapeBrushPen>(I)));
  };
  return P;
}

}  // namespace

const TPropertyList& TKorCustomShapeBrushPen::Properties() const {
  namespace PP = PublishedProperty;
  using C = TKorCustomShapeBrushPen;
  static const TPropertyList List{
      SubObject(QStringLiteral("Brush"),
                [](const C& Shape) -> TPersistent* { return &Shape.GetBrush(); }),
      // Every chart element drawn as a shape calls its outline pen "Frame",
      // and that is the name streams and editors use.
      SubObject(QStringLiteral("Frame"),
                [](const C& Shape) -> TPersistent* { return &Shape.GetPen(); }),
      PP::Boolean<C>(QStringLiteral("Visible"), &C::GetVisible, &C::SetVisible, true),
  };
  return List;
}

TChartBrushClass TKorCustomShapeBrushPen::GetBrushClass() const {
  return [](TNotifyEvent ChangeHandler) {
    return std::make_unique<TChartBrush>(std::move(ChangeHandler));
  };
}

TChartBrush& TKorCustomShapeBrushPen::GetBrush() const {
  if (!FBrush) {
    auto* Self = const_cast<TKorCustomShapeBrushPen*>(this);
    FBrush = GetBrushClass()([Self](TPersistent*) { Self->Repaint(); });
  }
  return *FBrush;
}

void TKorCustomShapeBrushPen::SetBrush(const TChartBrush& Value) {
  GetBrush().Assign(Value);
}

void TKorCustomShapeBrushPen::SetPen(const TChartPen& Value) {
  FPen->Assign(Value);
}

void TKorCustomShapeBrushPen::SetVisible(bool Value) {
  if (FParent != nullptr)
    FParent->SetBooleanProperty(FVisible, Value);
  else
    FVisible = Value;
}

void TKorCustomShapeBrushPen::SetParent(TCustomKorPanel* Value) {
  FParent = Value;
}

void TKorCustomShapeBrushPen::Repaint() {
  if (FParent != nullptr) FParent->Invalidate();
}

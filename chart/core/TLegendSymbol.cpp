#include "chart/core/TLegendSymbol.h"

#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomChart.h"
#include "chart/core/TCustomChartLegend.h"
#include "chart/core/TKorGradient.h"

#include "platform/Rounding.h"
#include "platform/TBrush.h"

TLegendSymbol::TLegendSymbol(TCustomChartLegend* ALegend)
    : FLegend(ALegend), FPen(std::make_unique<TChartPen>([this](TPersistent*) { Repaint(); })) {}

TLegendSymbol::~TLegendSymbol() = default;

void TLegendSymbol::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TLegendSymbol*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  SetContinuous(Other->FContinuous);
  SetDefaultPen(Other->FDefaultPen);
  SetGradient(Other->FGradient.get());
  FPen->Assign(*Other->FPen);
  SetPosition(Other->FPosition);
  SetSquared(Other->FSquared);
  SetVisible(Other->FVisible);
  SetWidth(Other->FWidth);
  SetWidthUnits(Other->FWidthUnits);
}

const TPropertyList& TLegendSymbol::Properties() const {
  namespace PP = PublishedProperty;
  using C = TLegendSymbol;
  static const TPropertyList List = [] {
    TPublishedProperty Gradient =
        PP::Object<C, TKorGradient>(QStringLiteral("Gradient"), &C::GradientObject);
    Gradient.Stored = [](const TPersistent& P) {
      return PP::As<C>(P).ExistingGradient() != nullptr;
    };
    return TPropertyList({
        PP::Boolean<C>(QStringLiteral("Continuous"), &C::GetContinuous, &C::SetContinuous, false),
        PP::Boolean<C>(QStringLiteral("DefaultPen"), &C::GetDefaultPen, &C::SetDefaultPen, true),
        Gradient,
        PP::Object<C, TChartPen>(QStringLiteral("Pen"), &C::PenObject),
        PP::Enum<C, TLegendSymbolPosition>(QStringLiteral("Position"), &C::GetPosition,
                                           &C::SetPosition, {"spLeft", "spRight"}, spLeft),
        PP::Boolean<C>(QStringLiteral("Squared"), &C::GetSquared, &C::SetSquared, false),
        PP::Boolean<C>(QStringLiteral("Visible"), &C::GetVisible, &C::SetVisible, true),
        PP::Integer<C>(QStringLiteral("Width"), &C::GetWidth, &C::SetWidth, 20),
        PP::Enum<C, TLegendSymbolSize>(QStringLiteral("WidthUnits"), &C::GetWidthUnits,
                                       &C::SetWidthUnits, {"lcsPercent", "lcsPixels"}, lcsPercent),
    });
  }();
  return List;
}

TKorGradient* TLegendSymbol::GetGradient() {
  if (!FGradient) FGradient = std::make_unique<TKorGradient>([this](TPersistent*) { Repaint(); });
  return FGradient.get();
}

void TLegendSymbol::SetGradient(const TKorGradient* Value) {
  if (Value == nullptr) {
    if (!FGradient) return;
    FGradient.reset();
    Repaint();
    return;
  }
  GetGradient()->Assign(*Value);
}

void TLegendSymbol::SetPen(const TChartPen& Value) {
  FPen->Assign(Value);
}

int TLegendSymbol::CalcWidth(int Value) const {
  if (!FVisible) return 0;
  if (FSquared) return FLegend->GetItemHeight() - 5;
  if (FWidthUnits == lcsPixels) return FWidth;
  return Round(Value * FWidth * 0.01);
}

void TLegendSymbol::Draw(TColor AColor, const TRect& R) {
  TCanvas3D& C = FLegend->GetChart().GetPanelCanvas();
  C.AssignVisiblePen(*FPen);
  if (FGradient && FGradient->GetVisible()) {
    // The item's colour goes into a copy: drawing leaves the stored
    // gradient as the user set it.
    TKorGradient Fill;
    Fill.Assign(*FGradient);
    Fill.SetEndColor(AColor);
    Fill.Draw(C, R);
    C.GetBrush().SetStyle(bsClear);
  } else {
    C.GetBrush().SetStyle(bsSolid);
    C.GetBrush().SetColor(clWhite);
  }
  if (FPen->GetVisible()) C.Rectangle(R);
}

void TLegendSymbol::Repaint() {
  FLegend->Repaint();
}

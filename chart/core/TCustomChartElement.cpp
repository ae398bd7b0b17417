#include "chart/core/TCustomChartElement.h"

#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TCustomAxisPanel.h"

TCustomChartElement::TCustomChartElement(TComponent* AOwner)
    : TComponent(AOwner),
      FBrush(std::make_unique<TChartBrush>([this](TPersistent* S) { CanvasChanged(S); })) {}

TCustomChartElement::~TCustomChartElement() = default;

const TPropertyList& TCustomChartElement::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomChartElement;
  static const TPropertyList List{
      PP::Boolean<C>(QStringLiteral("Active"), &C::GetActive, &C::SetActive, true),
      PP::Object<C, TChartBrush>(QStringLiteral("Brush"), &C::BrushObject),
      PP::Object<C, TChartPen>(QStringLiteral("Pen"), &C::PenObject),
      PP::Boolean<C>(QStringLiteral("ShowInEditor"), &C::GetShowInEditor, &C::SetShowInEditor,
                     true),
  };
  return List;
}

void TCustomChartElement::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TCustomChartElement*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  SetActive(Other->FActive);
  FBrush->Assign(*Other->FBrush);
  GetPen().Assign(Other->GetPen());
  SetTag(Other->GetTag());
}

TChartPen& TCustomChartElement::GetPen() const {
  if (!FPen) {
    auto* Self = const_cast<TCustomChartElement*>(this);
    FPen = Self->CreateChartPen();
  }
  return *FPen;
}

std::unique_ptr<TChartPen> TCustomChartElement::CreateChartPen() {
  return std::make_unique<TChartPen>([this](TPersistent* S) { CanvasChanged(S); });
}

void TCustomChartElement::SetActive(bool Value) {
  SetBooleanProperty(FActive, Value);
}

void TCustomChartElement::SetBrush(const TChartBrush& Value) {
  FBrush->Assign(Value);
}

void TCustomChartElement::SetPen(const TChartPen& Value) {
  GetPen().Assign(Value);
}

void TCustomChartElement::SetParentChart(TCustomAxisPanel* Value) {
  FParentChart = Value;
}

void TCustomChartElement::Repaint() {
  if (FParentChart != nullptr) FParentChart->Invalidate();
}

TComponent* TCustomChartElement::GetParentComponent() const {
  return FParentChart;
}

void TCustomChartElement::SetParentComponent(TComponent* Value) {
  if (auto* Chart = dynamic_cast<TCustomAxisPanel*>(Value)) SetParentChart(Chart);
}

void TCustomChartElement::CanvasChanged(TPersistent*) {
  Repaint();
}

void TCustomChartElement::SetBooleanProperty(bool& Variable, bool Value) {
  if (SetIfChanged(Variable, Value)) Repaint();
}

void TCustomChartElement::SetColorProperty(TColor& Variable, TColor Value) {
  if (SetIfChanged(Variable, Value)) Repaint();
}

void TCustomChartElement::SetDoubleProperty(double& Variable, double Value) {
  // Exact inequality (a NaN never equals anything, so it is always stored).
  if (Variable != Value) {
    Variable = Value;
    Repaint();
  }
}

void TCustomChartElement::SetIntegerProperty(int& Variable, int Value) {
  if (SetIfChanged(Variable, Value)) Repaint();
}

void TCustomChartElement::SetStringProperty(QString& Variable, const QString& Value) {
  if (SetIfChanged(Variable, Value)) Repaint();
}

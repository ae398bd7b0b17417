#include "chart/editor/TButtonGradient.h"

#include "chart/editor/KorEditorHelpers.h"
#include "chart/editor/TKorGradientEditor.h"

#include "chart/core/TCanvas3D.h"
#include "chart/core/TCustomKorGradient.h"

#include "platform/ModalHooks.h"
#include "platform/TBrush.h"
#include "platform/TPen.h"

namespace {

// The frame of a gradient that is not drawn on the chart.
constexpr TColor HiddenFrameColor = 0x808080;

}  // namespace

TButtonGradient::TButtonGradient(QWidget* Parent) : TKorButton(Parent) {}

void TButtonGradient::LinkGradient(TCustomKorGradient* Gradient) {
  FGradient = Gradient;
  if (Gradient != nullptr) LinkProperty(Gradient, QString());
  repaint();
}

TKorGradientEditor* TButtonGradient::GetEditor() const {
  return FEditor;
}

void TButtonGradient::DrawSymbol(TCanvas3D& Canvas) {
  if (!isEnabled() || FGradient == nullptr) return;
  const TRect R = SymbolRectangle();
  FGradient->Draw(Canvas, R);
  Canvas.GetBrush().SetStyle(bsClear);
  Canvas.GetPen().SetStyle(psSolid);
  Canvas.GetPen().SetWidth(1);
  Canvas.GetPen().SetColor(FGradient->GetVisible() ? clBlack : HiddenFrameColor);
  Canvas.TKorCanvas::Rectangle(R);
}

void TButtonGradient::Click() {
  if (FGradient == nullptr) {
    TKorButton::Click();
    return;
  }
  const std::unique_ptr<TKorGradientEditor> Editor = KorCreateForm<TKorGradientEditor>(this);
  Editor->SetColorsOnly(FColorsOnly);
  Editor->RefreshGradient(FGradient);
  FEditor = Editor.get();
  if (ShowModal(*Editor) != mrOk) return;
  repaint();
  TKorButton::Click();
}

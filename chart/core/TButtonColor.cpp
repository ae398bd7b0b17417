#include "chart/core/TButtonColor.h"

#include "chart/core/KorColorRoutines.h"
#include "chart/core/TCanvas3D.h"

#include "platform/TBrush.h"
#include "platform/TPen.h"
#include "platform/TPersistent.h"

TButtonColor::TButtonColor(QWidget* Parent) : TKorButton(Parent) {}

TColor TButtonColor::GetSymbolColor() const {
  if (GetColorProc) return GetColorProc();
  TColor Value = clBlack;
  if (GetLinkedObject() != nullptr && !GetLinkedProperty().isEmpty() &&
      GetColorProperty(*GetLinkedObject(), GetLinkedProperty(), Value))
    return ColorToRGB(Value);
  return FSymbolColor;
}

void TButtonColor::SetSymbolColor(TColor Value) {
  if (GetLinkedObject() != nullptr && !GetLinkedProperty().isEmpty())
    SetColorProperty(*GetLinkedObject(), GetLinkedProperty(), Value);
  else
    FSymbolColor = Value;
}

void TButtonColor::DrawSymbol(TCanvas3D& Canvas) {
  const TColor Color = GetSymbolColor();
  if (Color == clNone) return;
  Canvas.GetBrush().SetColor(Color);
  Canvas.GetBrush().SetStyle(bsSolid);
  if (!isEnabled()) Canvas.GetPen().SetStyle(psClear);
  Canvas.TKorCanvas::Rectangle(SymbolRectangle());
}

void TButtonColor::Click() {
  TColor Color = GetSymbolColor();
  if (!EditColorDialog(this, Color)) return;
  SetSymbolColor(Color);
  repaint();
  TKorButton::Click();
}

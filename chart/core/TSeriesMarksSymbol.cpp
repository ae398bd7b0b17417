#include "chart/core/TSeriesMarksSymbol.h"

#include "chart/core/TKorShadow.h"

namespace {

constexpr int SymbolShadowSize = 1;

}  // namespace

// Set up before the parent is known, so that building the symbol repaints
// nothing.
TSeriesMarksSymbol::TSeriesMarksSymbol(TCustomKorPanel* AParent) : TKorCustomShape(nullptr) {
  SetVisible(false);
  GetShadow().SetSize(SymbolShadowSize);
  GetShadow().SetDefaultSize(SymbolShadowSize);
  SetParent(AParent);
}

const TPropertyList& TSeriesMarksSymbol::Properties() const {
  namespace PP = PublishedProperty;
  using B = TKorCustomShapeBrushPen;
  static const TPropertyList List(
      TKorCustomShape::Properties(),
      {
          PP::Boolean<B>(QStringLiteral("Visible"), &B::GetVisible, &B::SetVisible, false),
      });
  return List;
}

#include "chart/tools/TAnnotationCallout.h"

#include "chart/core/TChartPen.h"

TAnnotationCallout::TAnnotationCallout() : TCallout(nullptr) {
  SetVisible(false);
  GetArrow().SetVisible(false);
}

void TAnnotationCallout::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TAnnotationCallout*>(&Source);
  if (Other != nullptr && Other != this) {
    SetXPosition(Other->FXPosition);
    SetYPosition(Other->FYPosition);
    SetZPosition(Other->FZPosition);
  }
  TCallout::Assign(Source);
}

const TPropertyList& TAnnotationCallout::Properties() const {
  namespace PP = PublishedProperty;
  using C = TAnnotationCallout;
  using B = TKorCustomShapeBrushPen;
  static const TPropertyList List = [this] {
    return TPropertyList(
        TCallout::Properties(),
        {
            PP::Boolean<B>(QStringLiteral("Visible"), &B::GetVisible, &B::SetVisible, false),
            PP::Integer<C>(QStringLiteral("XPosition"), &C::GetXPosition, &C::SetXPosition, 0),
            PP::Integer<C>(QStringLiteral("YPosition"), &C::GetYPosition, &C::SetYPosition, 0),
            PP::Integer<C>(QStringLiteral("ZPosition"), &C::GetZPosition, &C::SetZPosition, 0),
        });
  }();
  return List;
}

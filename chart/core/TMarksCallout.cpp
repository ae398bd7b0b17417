#include "chart/core/TMarksCallout.h"

#include "chart/core/TSeriesMarkPosition.h"

TMarksCallout::TMarksCallout(TChartSeries* ASeries) : TCallout(ASeries) {
  SetVisible(false);
}

void TMarksCallout::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TMarksCallout*>(&Source);
  if (Other != nullptr && Other != this) SetLength(Other->FLength);
  TCallout::Assign(Source);
}

const TPropertyList& TMarksCallout::Properties() const {
  namespace PP = PublishedProperty;
  using C = TMarksCallout;
  using B = TKorCustomShapeBrushPen;
  static const TPropertyList List = [this] {
    return TPropertyList(
        TCallout::Properties(),
        {
            PP::Boolean<B>(QStringLiteral("Visible"), &B::GetVisible, &B::SetVisible, false),
            PP::Integer<C>(QStringLiteral("Length"), &C::GetLength, &C::SetLength, DefaultLength),
        });
  }();
  return List;
}

void TMarksCallout::ApplyArrowLength(TSeriesMarkPosition& APosition) const {
  const int Distance = GetDistance();
  APosition.LeftTop.Y -= FLength + Distance;
  APosition.ArrowTo.Y -= FLength + Distance;
  APosition.ArrowFrom.Y -= Distance;
}

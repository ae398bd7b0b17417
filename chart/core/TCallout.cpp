#include "chart/core/TCallout.h"

#include "chart/core/TChartBrush.h"
#include "chart/core/TWhitePen.h"

bool KorCheckMarkArrowColor = false;

TCallout::TCallout(TChartSeries* ASeries)
    : TSeriesPointer(ASeries),
      FArrow(std::make_unique<TWhitePen>([this](TPersistent*) { Repaint(); })) {
  Change3D(false);
  SetKeepGradientColors(true);
  GetBrush().SetColor(clBlack);
}

TCallout::~TCallout() = default;

void TCallout::Assign(const TPersistent& Source) {
  const auto* Other = dynamic_cast<const TCallout*>(&Source);
  if (Other != nullptr && Other != this) {
    FArrow->Assign(*Other->FArrow);
    SetArrowHead(Other->FArrowHead);
    SetArrowHeadSize(Other->FArrowHeadSize);
    SetDistance(Other->FDistance);
  }
  TSeriesPointer::Assign(Source);
}

const TPropertyList& TCallout::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCallout;
  static const TPropertyList List = [this] {
    return TPropertyList(
        TSeriesPointer::Properties(),
        {
            PP::Boolean<TSeriesPointer>(QStringLiteral("Draw3D"), &TSeriesPointer::GetDraw3D,
                                        &TSeriesPointer::SetDraw3D, false),
            PP::Object<C, TChartPen>(QStringLiteral("Arrow"), &C::ArrowObject),
            PP::Enum<C, TArrowHeadStyle>(QStringLiteral("ArrowHead"), &C::GetArrowHead,
                                         &C::SetArrowHead, {"ahNone", "ahLine", "ahSolid"}, ahNone),
            PP::Integer<C>(QStringLiteral("ArrowHeadSize"), &C::GetArrowHeadSize,
                           &C::SetArrowHeadSize, 8),
            PP::Integer<C>(QStringLiteral("Distance"), &C::GetDistance, &C::SetDistance, 0),
        });
  }();
  return List;
}

void TCallout::SetArrow(const TChartPen& Value) {
  FArrow->Assign(Value);
}

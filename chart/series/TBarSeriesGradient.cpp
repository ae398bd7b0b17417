#include "chart/series/TBarSeriesGradient.h"

TBarSeriesGradient::TBarSeriesGradient(TNotifyEvent ChangeHandler)
    : TCustomKorGradient(std::move(ChangeHandler)) {
  SetVisible(true);
}

const TPropertyList& TBarSeriesGradient::Properties() const {
  namespace PP = PublishedProperty;
  using G = TCustomKorGradient;
  static const TPropertyList List{
      PP::Integer<G>(QStringLiteral("Balance"), &G::GetBalance, &G::SetBalance, 50),
      PP::Enum<G, TGradientDirection>(
          QStringLiteral("Direction"), &G::GetDirection, &G::SetDirection,
          {"gdTopBottom", "gdBottomTop", "gdLeftRight", "gdRightLeft", "gdFromCenter",
           "gdFromTopLeft", "gdFromBottomLeft", "gdRadial", "gdDiagonalUp", "gdDiagonalDown"}),
      PP::Color<G>(QStringLiteral("MidColor"), &G::GetMidColor, &G::SetMidColor, clNone),
      PP::Color<G>(QStringLiteral("StartColor"), &G::GetStartColor, &G::SetStartColor, clWhite),
      PP::Boolean<G>(QStringLiteral("Visible"), &G::GetVisible, &G::SetVisible, true),
  };
  return List;
}

void TBarSeriesGradient::Assign(const TPersistent& Source) {
  if (const auto* G = dynamic_cast<const TBarSeriesGradient*>(&Source)) SetRelative(G->FRelative);
  TCustomKorGradient::Assign(Source);
}

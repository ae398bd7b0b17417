#include "chart/core/TKorGradient.h"

TKorGradient::TKorGradient(TNotifyEvent ChangeHandler)
    : TCustomKorGradient(std::move(ChangeHandler)) {}

const TPropertyList& TKorGradient::Properties() const {
  namespace PP = PublishedProperty;
  using G = TCustomKorGradient;
  static const TPropertyList List{
      PP::Integer<G>(QStringLiteral("Balance"), &G::GetBalance, &G::SetBalance, 50),
      PP::Enum<G, TGradientDirection>(
          QStringLiteral("Direction"), &G::GetDirection, &G::SetDirection,
          {"gdTopBottom", "gdBottomTop", "gdLeftRight", "gdRightLeft", "gdFromCenter",
           "gdFromTopLeft", "gdFromBottomLeft", "gdRadial", "gdDiagonalUp", "gdDiagonalDown"},
          gdTopBottom),
      PP::Color<G>(QStringLiteral("EndColor"), &G::GetEndColor, &G::SetEndColor, clYellow),
      PP::Color<G>(QStringLiteral("MidColor"), &G::GetMidColor, &G::SetMidColor, clNone),
      PP::Integer<G>(QStringLiteral("RadialX"), &G::GetRadialX, &G::SetRadialX, 0),
      PP::Integer<G>(QStringLiteral("RadialY"), &G::GetRadialY, &G::SetRadialY, 0),
      PP::Color<G>(QStringLiteral("StartColor"), &G::GetStartColor, &G::SetStartColor, clWhite),
      PP::Boolean<G>(QStringLiteral("Visible"), &G::GetVisible, &G::SetVisible, false),
  };
  return List;
}

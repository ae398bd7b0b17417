#include "chart/core/TCustomPanelNoCaption.h"

#include "platform/TPersistent.h"

TCustomPanelNoCaption::TCustomPanelNoCaption(TComponent* AOwner) : TCustomControl(AOwner) {
  TCustomControl::SetColor(clBtnFace);
}

const TPropertyList& TCustomPanelNoCaption::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomPanelNoCaption;
  const QStringList Bevels{"bvNone", "bvLowered", "bvRaised", "bvSpace"};
  static const TPropertyList List(
      TCustomControl::Properties(),
      {
          PP::Color<C>(QStringLiteral("Color"), &C::GetColor, &C::SetColor, clBtnFace),
          PP::Enum<C, TPanelBevel>(QStringLiteral("BevelInner"), &C::GetBevelInner,
                                   &C::SetBevelInner, Bevels, bvNone),
          PP::Enum<C, TPanelBevel>(QStringLiteral("BevelOuter"), &C::GetBevelOuter,
                                   &C::SetBevelOuter, Bevels, bvRaised),
          PP::Integer<C>(QStringLiteral("BevelWidth"), &C::GetBevelWidth, &C::SetBevelWidth, 1),
          PP::Integer<C>(QStringLiteral("BorderWidth"), &C::GetBorderWidth, &C::SetBorderWidth, 0),
      });
  return List;
}

void TCustomPanelNoCaption::SetBevelInner(TPanelBevel Value) {
  if (SetIfChanged(FBevelInner, Value)) Invalidate();
}

void TCustomPanelNoCaption::SetBevelOuter(TPanelBevel Value) {
  if (SetIfChanged(FBevelOuter, Value)) Invalidate();
}

void TCustomPanelNoCaption::SetBevelWidth(int Value) {
  if (SetIfChanged(FBevelWidth, Value)) Invalidate();
}

void TCustomPanelNoCaption::SetBorderWidth(int Value) {
  if (SetIfChanged(FBorderWidth, Value)) Invalidate();
}

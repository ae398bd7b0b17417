#include "chart/core/TAxisItem.h"

TAxisItem::TAxisItem(TCustomKorPanel* AParent) : TKorCustomShape(AParent) {
  SetTransparent(true);
}

void TAxisItem::Assign(const TPersistent& Source) {
  if (const TAxisItem* Other = dynamic_cast<const TAxisItem*>(&Source)) {
    SetText(Other->FText);
    SetValue(Other->FValue);
  }
  TKorCustomShape::Assign(Source);
}

const TPropertyList& TAxisItem::Properties() const {
  namespace PP = PublishedProperty;
  using C = TAxisItem;
  static const TPropertyList List(
      TKorCustomShape::Properties(),
      {
          PP::String<C>(QStringLiteral("Text"), &C::GetText, &C::SetText, QString()),
          PP::Double<C>(QStringLiteral("Value"), &C::GetValue, &C::SetValue),
          PP::Boolean<TKorCustomShape>(QStringLiteral("Transparent"),
                                       &TKorCustomShape::GetTransparent,
                                       &TKorCustomShape::SetTransparent, true),
      });
  return List;
}

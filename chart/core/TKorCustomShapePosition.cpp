#include "chart/core/TKorCustomShapePosition.h"

void TKorCustomShapePosition::Assign(const TPersistent& Source) {
  TKorCustomShape::Assign(Source);
  const auto* Other = dynamic_cast<const TKorCustomShapePosition*>(&Source);
  if (Other == nullptr || Other == this) return;
  SetCustomPosition(Other->FCustomPosition);
  if (!Other->FCustomPosition) return;
  SetLeft(Other->GetLeft());
  SetTop(Other->GetTop());
}

const TPropertyList& TKorCustomShapePosition::Properties() const {
  namespace PP = PublishedProperty;
  using C = TKorCustomShapePosition;
  static const TPropertyList List = [] {
    // Left and Top mean something only at a custom position.
    auto atCustomPosition = [](const TPersistent& P) {
      return static_cast<const C&>(P).GetCustomPosition();
    };
    TPublishedProperty Left = PP::Integer<C>(QStringLiteral("Left"), &C::GetLeft, &C::SetLeft);
    Left.Stored = atCustomPosition;
    TPublishedProperty Top = PP::Integer<C>(QStringLiteral("Top"), &C::GetTop, &C::SetTop);
    Top.Stored = atCustomPosition;
    return TPropertyList(TKorCustomShape(nullptr).Properties(),
                         {
                             PP::Boolean<C>(QStringLiteral("CustomPosition"), &C::GetCustomPosition,
                                            &C::SetCustomPosition, false),
                             Left,
                             Top,
                         });
  }();
  return List;
}

void TKorCustomShapePosition::SetLeft(int Value) {
  TRect bounds = GetShapeBounds();
  OffsetRect(bounds, Value - bounds.Left, 0);
  SetCustomPosition(true);
  SetShapeBounds(bounds);
}

void TKorCustomShapePosition::SetTop(int Value) {
  TRect bounds = GetShapeBounds();
  OffsetRect(bounds, 0, Value - bounds.Top);
  SetCustomPosition(true);
  SetShapeBounds(bounds);
}

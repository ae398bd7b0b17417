#include "chart/core/TBackImage.h"

void TBackImage::Assign(const TPersistent& Source) {
  if (const TBackImage* Other = dynamic_cast<const TBackImage*>(&Source)) {
    if (Other == this) return;
    FInside = Other->FInside;
    FLeft = Other->FLeft;
    FTop = Other->FTop;
    FMode = Other->FMode;
  }
  TPicture::Assign(Source);
}

void TBackImage::SetInside(bool Value) {
  ChangeField(FInside, Value);
}

void TBackImage::SetLeft(int Value) {
  ChangeField(FLeft, Value);
}

void TBackImage::SetTop(int Value) {
  ChangeField(FTop, Value);
}

void TBackImage::SetMode(TKorBackImageMode Value) {
  ChangeField(FMode, Value);
}

const TPropertyList& TBackImage::Properties() const {
  namespace PP = PublishedProperty;
  using C = TBackImage;
  static const TPropertyList List(
      TPicture::Properties(),
      {
          PP::Boolean<C>(QStringLiteral("Inside"), &C::GetInside, &C::SetInside, false),
          PP::Integer<C>(QStringLiteral("Left"), &C::GetLeft, &C::SetLeft, 0),
          PP::Integer<C>(QStringLiteral("Top"), &C::GetTop, &C::SetTop, 0),
          PP::Enum<C, TKorBackImageMode>(QStringLiteral("Mode"), &C::GetMode, &C::SetMode,
                                         {"pbmStretch", "pbmTile", "pbmCenter", "pbmCustom"},
                                         pbmStretch),
      });
  return List;
}

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

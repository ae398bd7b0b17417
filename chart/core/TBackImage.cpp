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
  if (SetIfChanged(FInside, Value)) Changed();
}

void TBackImage::SetLeft(int Value) {
  if (SetIfChanged(FLeft, Value)) Changed();
}

void TBackImage::SetTop(int Value) {
  if (SetIfChanged(FTop, Value)) Changed();
}

void TBackImage::SetMode(TKorBackImageMode Value) {
  if (SetIfChanged(FMode, Value)) Changed();
}

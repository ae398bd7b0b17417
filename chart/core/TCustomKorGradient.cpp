#include "chart/core/TCustomKorGradient.h"

TCustomKorGradient::TCustomKorGradient(TNotifyEvent ChangeHandler) {
  OnChange = std::move(ChangeHandler);
}

template <class T>
void TCustomKorGradient::Update(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TCustomKorGradient::Assign(const TPersistent& Source) {
  const TCustomKorGradient* Other = dynamic_cast<const TCustomKorGradient*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  FBalance = Other->FBalance;
  FDirection = Other->FDirection;
  FStartColor = Other->FStartColor;
  FEndColor = Other->FEndColor;
  FMidColor = Other->FMidColor;
  FRadialX = Other->FRadialX;
  FRadialY = Other->FRadialY;
  FVisible = Other->FVisible;
  FHasMiddle = Other->FHasMiddle;
  Changed();
}

void TCustomKorGradient::SetBalance(int Value) {
  Update(FBalance, Value);
}

void TCustomKorGradient::SetDirection(TGradientDirection Value) {
  Update(FDirection, Value);
}

void TCustomKorGradient::SetStartColor(TColor Value) {
  Update(FStartColor, Value);
}

void TCustomKorGradient::SetEndColor(TColor Value) {
  Update(FEndColor, Value);
}

TColor TCustomKorGradient::GetMidColor() const {
  return FHasMiddle ? FMidColor : clNone;
}

void TCustomKorGradient::SetMidColor(TColor Value) {
  if (Value == clNone) {
    Update(FHasMiddle, false);
    return;
  }
  if (FHasMiddle && FMidColor == Value) return;
  FMidColor = Value;
  FHasMiddle = true;
  Changed();
}

void TCustomKorGradient::SetRadialX(int Value) {
  Update(FRadialX, Value);
}

void TCustomKorGradient::SetRadialY(int Value) {
  Update(FRadialY, Value);
}

void TCustomKorGradient::SetVisible(bool Value) {
  Update(FVisible, Value);
}

void TCustomKorGradient::UseMiddleColor() {
  Update(FHasMiddle, true);
}

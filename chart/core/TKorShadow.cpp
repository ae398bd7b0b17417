#include "chart/core/TKorShadow.h"

#include <algorithm>

TKorShadow::TKorShadow(TNotifyEvent ChangeHandler) {
  OnChange = std::move(ChangeHandler);
}

void TKorShadow::Assign(const TPersistent& Source) {
  const TKorShadow* Other = dynamic_cast<const TKorShadow*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  FColor = Other->FColor;
  FHorizSize = Other->FHorizSize;
  FSmooth = Other->FSmooth;
  FTransparency = Other->FTransparency;
  FVertSize = Other->FVertSize;
  Changed();
}

const TPropertyList& TKorShadow::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List = [] {
    TPublishedProperty Color = PP::Color<TKorShadow>(QStringLiteral("Color"), &TKorShadow::GetColor,
                                                     &TKorShadow::SetColor);
    Color.Stored = [](const TPersistent& P) {
      const TKorShadow& S = PP::As<TKorShadow>(P);
      return S.GetColor() != S.GetDefaultColor();
    };
    TPublishedProperty HorizSize = PP::Integer<TKorShadow>(
        QStringLiteral("HorizSize"), &TKorShadow::GetHorizSize, &TKorShadow::SetHorizSize);
    HorizSize.Stored = [](const TPersistent& P) {
      const TKorShadow& S = PP::As<TKorShadow>(P);
      return S.GetHorizSize() != S.GetDefaultSize();
    };
    TPublishedProperty VertSize = PP::Integer<TKorShadow>(
        QStringLiteral("VertSize"), &TKorShadow::GetVertSize, &TKorShadow::SetVertSize);
    VertSize.Stored = [](const TPersistent& P) {
      const TKorShadow& S = PP::As<TKorShadow>(P);
      return S.GetVertSize() != S.GetDefaultSize();
    };
    return TPropertyList{
        Color,
        HorizSize,
        PP::Boolean<TKorShadow>(QStringLiteral("Smooth"), &TKorShadow::GetSmooth,
                                &TKorShadow::SetSmooth, true),
        PP::Integer<TKorShadow>(QStringLiteral("Transparency"), &TKorShadow::GetTransparency,
                                &TKorShadow::SetTransparency, 0),
        VertSize,
    };
  }();
  return List;
}

void TKorShadow::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed();
}

void TKorShadow::SetHorizSize(int Value) {
  if (FHorizSize == Value) return;
  FHorizSize = Value;
  Changed();
}

void TKorShadow::SetVertSize(int Value) {
  if (FVertSize == Value) return;
  FVertSize = Value;
  Changed();
}

void TKorShadow::SetSmooth(bool Value) {
  if (FSmooth == Value) return;
  FSmooth = Value;
  Changed();
}

void TKorShadow::SetTransparency(TKorTransparency Value) {
  Value = std::clamp(Value, 0, 100);
  if (FTransparency == Value) return;
  FTransparency = Value;
  Changed();
}

int TKorShadow::GetSize() const {
  return std::max(FHorizSize, FVertSize);
}

void TKorShadow::SetSize(int Value) {
  if (FHorizSize == Value && FVertSize == Value) return;
  FHorizSize = Value;
  FVertSize = Value;
  Changed();
}

void TKorShadow::SetDefaultColor(TColor Value) {
  FDefaultColor = Value;
}

void TKorShadow::SetDefaultSize(int Value) {
  FDefaultSize = Value;
}

#include "platform/TBrush.h"

#include "platform/TBitmap.h"

TBrush::TBrush() = default;

TBrush::~TBrush() = default;

void TBrush::Assign(const TPersistent& Source) {
  const TBrush* Other = dynamic_cast<const TBrush*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  FColor = Other->FColor;
  FStyle = Other->FStyle;
  if (Other->FBitmap) {
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
    FBitmap->Assign(*Other->FBitmap);
  } else {
    FBitmap.reset();
  }
  Changed();
}

const TPropertyList& TBrush::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List{
      PP::Color<TBrush>(QStringLiteral("Color"), &TBrush::GetColor, &TBrush::SetColor, clWhite),
      PP::Enum<TBrush, TBrushStyle>(QStringLiteral("Style"), &TBrush::GetStyle, &TBrush::SetStyle,
                                    {"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                     "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"},
                                    bsSolid),
  };
  return List;
}

void TBrush::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed();
}

void TBrush::SetBitmap(const TBitmap* Value) {
  if (Value == FBitmap.get()) return;
  if (Value == nullptr || Value->GetEmpty()) {
    if (!FBitmap) return;
    FBitmap.reset();
  } else {
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
    FBitmap->Assign(*Value);
  }
  Changed();
}

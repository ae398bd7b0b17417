#include "platform/TPen.h"

void TPen::Assign(const TPersistent& Source) {
  const TPen* Other = dynamic_cast<const TPen*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  FColor = Other->FColor;
  FWidth = Other->FWidth;
  FStyle = Other->FStyle;
  FMode = Other->FMode;
  FEndCap = Other->FEndCap;
  FJoin = Other->FJoin;
  FUserDashes = Other->FUserDashes;
  Changed();
}

const TPropertyList& TPen::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List{
      PP::Color<TPen>(QStringLiteral("Color"), &TPen::GetColor, &TPen::SetColor, clBlack),
      PP::Enum<TPen, TPenMode>(
          QStringLiteral("Mode"), &TPen::GetMode, &TPen::SetMode,
          {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
           "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask",
           "pmNotMask", "pmXor", "pmNotXor"},
          pmCopy),
      PP::Enum<TPen, TPenStyle>(QStringLiteral("Style"), &TPen::GetStyle, &TPen::SetStyle,
                                {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot",
                                 "psClear", "psInsideFrame", "psUserStyle", "psAlternate"},
                                psSolid),
      PP::Integer<TPen>(QStringLiteral("Width"), &TPen::GetWidth, &TPen::SetWidth, 1),
  };
  return List;
}

void TPen::SetColor(TColor Value) {
  ChangeField(FColor, Value);
}

void TPen::SetWidth(int Value) {
  if (Value >= 0 && SetIfChanged(FWidth, Value)) Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  ChangeField(FStyle, Value);
}

void TPen::SetMode(TPenMode Value) {
  ChangeField(FMode, Value);
}

void TPen::SetEndCap(TPenEndCap Value) {
  ChangeField(FEndCap, Value);
}

void TPen::SetJoin(TPenJoin Value) {
  ChangeField(FJoin, Value);
}

void TPen::SetUserDashes(const std::vector<int>& Value) {
  ChangeField(FUserDashes, Value);
}

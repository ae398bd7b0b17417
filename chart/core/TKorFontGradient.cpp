#include "chart/core/TKorFontGradient.h"

TKorFontGradient::TKorFontGradient(TNotifyEvent ChangeHandler)
    : TKorGradient(std::move(ChangeHandler)) {}

void TKorFontGradient::Assign(const TPersistent& Source) {
  if (const TKorFontGradient* Other = dynamic_cast<const TKorFontGradient*>(&Source))
    FOutline = Other->FOutline;
  TKorGradient::Assign(Source);
}

const TPropertyList& TKorFontGradient::Properties() const {
  namespace PP = PublishedProperty;
  static const TPropertyList List(
      TKorGradient().Properties(),
      {PP::Boolean<TKorFontGradient>(QStringLiteral("Outline"), &TKorFontGradient::GetOutline,
                                     &TKorFontGradient::SetOutline, false)});
  return List;
}

void TKorFontGradient::SetOutline(bool Value) {
  if (FOutline == Value) return;
  FOutline = Value;
  Changed();
}

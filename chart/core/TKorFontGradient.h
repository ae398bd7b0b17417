#pragma once

#include "chart/core/TKorGradient.h"

// Data: the gradient that fills the letters of a font; with Outline the
// gradient fills the letters' widened outline instead.
class TKorFontGradient : public TKorGradient {
 public:
  explicit TKorFontGradient(TNotifyEvent ChangeHandler = nullptr);

  // Also copies Outline when Source is a font gradient.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TKorFontGradient"); }
  const TPropertyList& Properties() const override;

  bool GetOutline() const { return FOutline; }
  void SetOutline(bool Value);

 private:
  bool FOutline = false;
};

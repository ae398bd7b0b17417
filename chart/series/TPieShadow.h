#pragma once

#include "chart/core/TKorShadow.h"

// Data: the shadow a pie casts below its circle; grey by default.
class TPieShadow : public TKorShadow {
 public:
  static constexpr TColor DefaultColor = 0xA0A0A0;

  explicit TPieShadow(TNotifyEvent ChangeHandler = nullptr);

  QString ClassName() const override { return QStringLiteral("TPieShadow"); }
};

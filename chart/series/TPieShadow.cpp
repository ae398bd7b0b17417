#include "chart/series/TPieShadow.h"

#include <utility>

TPieShadow::TPieShadow(TNotifyEvent ChangeHandler) : TKorShadow(nullptr) {
  SetColor(DefaultColor);
  SetDefaultColor(DefaultColor);
  // Attached only now: setting the defaults is no change of the owner.
  OnChange = std::move(ChangeHandler);
}

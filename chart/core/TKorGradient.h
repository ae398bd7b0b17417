#pragma once

#include "chart/core/TCustomKorGradient.h"

// Data: the gradient chart elements publish (panels, walls, legends,
// titles, series fills).
class TKorGradient : public TCustomKorGradient {
 public:
  explicit TKorGradient(TNotifyEvent ChangeHandler = nullptr);

  QString ClassName() const override { return QStringLiteral("TKorGradient"); }
  const TPropertyList& Properties() const override;
};

#pragma once

#include "chart/core/TCustomKorGradient.h"

// Data: the gradient of "bsRectGradient" bars. Its end colour is the bar's
// own colour, worked out per bar while drawing; the relative flag scales
// that colour by how far the bar's value reaches toward the series' maximum.
class TBarSeriesGradient : public TCustomKorGradient {
 public:
  explicit TBarSeriesGradient(TNotifyEvent ChangeHandler = nullptr);

  QString ClassName() const override { return QStringLiteral("TBarSeriesGradient"); }
  const TPropertyList& Properties() const override;
  // The relative flag too, then the gradient.
  void Assign(const TPersistent& Source) override;

  bool GetRelative() const { return FRelative; }
  void SetRelative(bool Value) { ChangeField(FRelative, Value); }

 private:
  bool FRelative = false;
};

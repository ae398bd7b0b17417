#pragma once

#include "chart/core/TKorCustomShape.h"

#include <QString>

// Data: one custom label of an axis: a text at a value, drawn in its own
// shape (transparent unless set otherwise). An empty text shows the
// value as the axis formats it.
class TAxisItem : public TKorCustomShape {
 public:
  explicit TAxisItem(TCustomKorPanel* AParent);

  // Text and value from another axis item, then the shape.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TAxisItem"); }
  const TPropertyList& Properties() const override;

  QString GetText() const { return FText; }
  void SetText(const QString& Value) { SetShapeField(FText, Value); }
  double GetValue() const { return FValue; }
  void SetValue(double Value) { SetShapeField(FValue, Value); }

 private:
  QString FText;
  double FValue = 0;
};

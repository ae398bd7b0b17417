#pragma once

#include "chart/core/TCallout.h"

// Data: the line or arrow from an annotation's box to a point of the chart.
// XPosition, YPosition and ZPosition are the target in chart pixels (Z the
// depth in 3D). Hidden, with a hidden arrow, until the user shows either.
class TAnnotationCallout : public TCallout {
 public:
  // Without a series: the annotation gives the callout its chart.
  TAnnotationCallout();

  // Copies the three positions, then the callout.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TAnnotationCallout"); }
  const TPropertyList& Properties() const override;

  int GetXPosition() const { return FXPosition; }
  void SetXPosition(int Value) { SetShapeField(FXPosition, Value); }
  int GetYPosition() const { return FYPosition; }
  void SetYPosition(int Value) { SetShapeField(FYPosition, Value); }
  int GetZPosition() const { return FZPosition; }
  void SetZPosition(int Value) { SetShapeField(FZPosition, Value); }

 private:
  int FXPosition = 0;
  int FYPosition = 0;
  int FZPosition = 0;
};

#pragma once

#include "chart/core/TDottedGrayPen.h"

// Data: the dotted grey pen of an axis grid. Centered puts the grid lines
// halfway between the ticks; ZPosition is the depth (percent of the
// chart's 3D depth) of the lines drawn across the floor or side wall.
class TAxisGridPen : public TDottedGrayPen {
 public:
  explicit TAxisGridPen(TNotifyEvent ChangeHandler = nullptr);

  // The dotted pen's settings, and centring and Z position from another
  // grid pen.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TAxisGridPen"); }
  const TPropertyList& Properties() const override;

  bool GetCentered() const { return FCentered; }
  void SetCentered(bool Value) { ChangeField(FCentered, Value); }
  double GetZPosition() const { return FZPosition; }
  void SetZPosition(double Value) { ChangeField(FZPosition, Value); }
  // The Z position streams leave out (the chart gives the axes on the far
  // side another one). InitZPosition sets it together with the Z position,
  // without a change notification, while the chart builds its axes.
  double GetDefaultZPosition() const { return FDefaultZPosition; }
  void InitZPosition(double Value) {
    FZPosition = Value;
    FDefaultZPosition = Value;
  }

 private:
  bool FCentered = false;
  double FZPosition = 0;
  double FDefaultZPosition = 0;
};

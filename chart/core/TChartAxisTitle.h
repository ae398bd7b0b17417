#pragma once

#include "chart/core/TKorCustomShape.h"

#include <QString>

// Data: the caption of an axis with its angle and the shape settings it
// is streamed with. The axis draws it.
class TChartAxisTitle : public TKorCustomShape {
 public:
  explicit TChartAxisTitle(TCustomKorPanel* AParent);

  // Angle and caption from another axis title, then the shape.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TChartAxisTitle"); }
  const TPropertyList& Properties() const override;

  // Degrees, stored modulo 360 (-90 is 270).
  int GetAngle() const { return FAngle; }
  void SetAngle(int Value);
  QString GetCaption() const { return FCaption; }
  void SetCaption(const QString& Value) { SetShapeField(FCaption, Value); }
  // The angle streams leave out: the axis' own (vertical axes read their
  // titles turned). InitAngle sets it together with the angle, without a
  // repaint, while the chart builds its axes.
  int GetDefaultAngle() const { return FDefaultAngle; }
  void InitAngle(int Value);

 private:
  int FAngle = 0;
  QString FCaption;
  int FDefaultAngle = 0;
};

// Value modulo 360 in 0 .. 359, for label and title angles.
int NormalizeAxisAngle(int Value);

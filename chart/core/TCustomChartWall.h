#pragma once

#include "chart/core/TKorCustomShape.h"

class TCustomChart;

// Render data: one wall around the plotting area: a flat panel (Size 0) or
// a block Size pixels thick, shaded darker on its sides unless Dark3D is
// off. Its frame pen is published as "Pen".
class TCustomChartWall : public TKorCustomShape {
 public:
  explicit TCustomChartWall(TCustomChart* AChart);

  QString ClassName() const override { return QStringLiteral("TCustomChartWall"); }
  const TPropertyList& Properties() const override;
  // Dark3D, AutoHide and Size of another wall, then the shape.
  void Assign(const TPersistent& Source) override;

  bool GetDark3D() const { return FDark3D; }
  void SetDark3D(bool Value) { SetShapeField(FDark3D, Value); }
  bool GetAutoHide() const { return FAutoHide; }
  void SetAutoHide(bool Value) { SetShapeField(FAutoHide, Value); }
  int GetSize() const { return FSize; }
  void SetSize(int Value) { SetShapeField(FSize, Value); }
  // The colour streams leave out.
  TColor GetDefaultColor() const { return FDefaultColor; }

  // The chart shows its walls, this one is visible and not hidden.
  bool ShouldDraw() const;
  // Darker sides unless the brush is clear or a picture, or Dark3D is off.
  bool ApplyDark3D() const;
  // A gradient exists and is visible.
  bool HasGradient() const;

 protected:
  // The wall's colour and the default streams compare it with.
  void InitColor(TColor Value);

 private:
  bool FDark3D = true;
  bool FAutoHide = false;
  int FSize = 0;
  TColor FDefaultColor = clDefault;
};

#pragma once

#include "chart/core/TKorCustomShape.h"

// Render: a shape the user may place himself. Left and Top are the shape
// bounds' left and top edge (device pixels of the parent's frame); setting
// either switches CustomPosition on, so the owner stops placing the shape.
class TKorCustomShapePosition : public TKorCustomShape {
 public:
  using TKorCustomShape::TKorCustomShape;

  // Copies the shape and CustomPosition, and Left and Top when it is on.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TKorCustomShapePosition"); }
  const TPropertyList& Properties() const override;

  bool GetCustomPosition() const { return FCustomPosition; }
  void SetCustomPosition(bool Value) { SetShapeField(FCustomPosition, Value); }
  int GetLeft() const { return GetShapeBounds().Left; }
  // Moves the bounds so that they start at Value; the size is kept.
  void SetLeft(int Value);
  int GetTop() const { return GetShapeBounds().Top; }
  void SetTop(int Value);

 private:
  bool FCustomPosition = false;
};

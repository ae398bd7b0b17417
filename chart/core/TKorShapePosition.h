#pragma once

#include "chart/core/TKorCustomShapePosition.h"

// Data and render: the published, movable box of annotations and of the
// selection; it keeps its own bounds rectangle.
class TKorShapePosition : public TKorCustomShapePosition {
 public:
  using TKorCustomShapePosition::TKorCustomShapePosition;

  QString ClassName() const override { return QStringLiteral("TKorShapePosition"); }
};

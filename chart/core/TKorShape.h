#pragma once

#include "chart/core/TKorCustomShape.h"

// Data and render: the published form of the custom shape.
class TKorShape : public TKorCustomShape {
 public:
  using TKorCustomShape::TKorCustomShape;

  QString ClassName() const override { return QStringLiteral("TKorShape"); }
};

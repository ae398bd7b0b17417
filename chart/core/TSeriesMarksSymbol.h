#pragma once

#include "chart/core/TKorCustomShape.h"

// Data: the small box in the point's colour that a mark may show before
// its text. Hidden until made visible.
class TSeriesMarksSymbol : public TKorCustomShape {
 public:
  explicit TSeriesMarksSymbol(TCustomKorPanel* AParent = nullptr);

  QString ClassName() const override { return QStringLiteral("TSeriesMarksSymbol"); }
  const TPropertyList& Properties() const override;

  // Visible and not transparent.
  bool ShouldDraw() const { return GetVisible() && !GetTransparent(); }
};

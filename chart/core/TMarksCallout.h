#pragma once

#include "chart/core/TCallout.h"

class TSeriesMarkPosition;

// Data: the callout of series marks: the line or arrow from each point to
// its mark, and how far (Length, pixels) the mark sits above its point.
// Hidden pointer by default; the arrow is white.
class TMarksCallout : public TCallout {
 public:
  static constexpr int DefaultLength = 8;

  explicit TMarksCallout(TChartSeries* ASeries);

  // Copies Length, then the callout.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TMarksCallout"); }
  const TPropertyList& Properties() const override;

  int GetLength() const { return FLength; }
  void SetLength(int Value) { SetShapeField(FLength, Value); }

  // Moves a mark up: its box and arrow end by Length + Distance, its arrow
  // start by Distance.
  void ApplyArrowLength(TSeriesMarkPosition& APosition) const;

 private:
  int FLength = DefaultLength;
};

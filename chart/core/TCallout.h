#pragma once

#include "chart/core/TSeriesPointer.h"

#include <memory>

class TChartPen;

// How the end of a callout's arrow is drawn: a plain line (with the pointer
// at its start), an open head or a filled head.
enum TArrowHeadStyle { ahNone, ahLine, ahSolid };

// Whether a callout arrow whose colour equals the point's or the panel's
// colour is drawn in black (white on a black panel) so that it stays
// visible. Off by default.
extern bool KorCheckMarkArrowColor;

// Data: a pointer with an arrow from a point to a label: the arrow's pen
// (white by default), head style and size (pixels), and the distance
// (pixels) between the point and the arrow's start.
class TCallout : public TSeriesPointer {
 public:
  explicit TCallout(TChartSeries* ASeries);
  ~TCallout() override;

  // Copies the arrow, its head, head size and distance, then the pointer.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TCallout"); }
  const TPropertyList& Properties() const override;

  TChartPen& GetArrow() const { return *FArrow; }
  void SetArrow(const TChartPen& Value);
  TArrowHeadStyle GetArrowHead() const { return FArrowHead; }
  void SetArrowHead(TArrowHeadStyle Value) { SetShapeField(FArrowHead, Value); }
  int GetArrowHeadSize() const { return FArrowHeadSize; }
  void SetArrowHeadSize(int Value) { SetShapeField(FArrowHeadSize, Value); }
  int GetDistance() const { return FDistance; }
  void SetDistance(int Value) { SetShapeField(FDistance, Value); }

  // On the parent's canvas: the arrow pen's line or arrow from From to To
  // (at depth Z in 3D), and with a plain line the pointer at From, both for
  // a point in AColor. Nothing without a parent.
  void Draw(TColor AColor, const TPoint& From, const TPoint& To, int Z);

 private:
  TChartPen* ArrowObject() { return FArrow.get(); }
  // The arrow pen's colour, turned black or white when it would vanish
  // against the point or the panel (only with KorCheckMarkArrowColor).
  TColor ArrowColor(TColor AColor, TColor PanelColor) const;

  std::unique_ptr<TChartPen> FArrow;
  TArrowHeadStyle FArrowHead = ahNone;
  int FArrowHeadSize = 8;
  int FDistance = 0;
};

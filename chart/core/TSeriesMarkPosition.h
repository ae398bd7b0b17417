#pragma once

#include "platform/TRect.h"

// Data: where the mark of one point lies, in device pixels: its box (left-top
// corner and size) and the arrow from the point (ArrowFrom) to the box
// (ArrowTo). Custom: the user moved the mark, so drawing keeps it where it was
// put. ArrowFix: the arrow start stays the point's own even when the mark has
// a custom position.
class TSeriesMarkPosition {
 public:
  // Copies the three points and the two sizes, not the flags.
  void Assign(const TSeriesMarkPosition& Source);
  // The rectangle at LeftTop with Width and Height (right and bottom
  // exclusive).
  TRect Bounds() const { return ::Bounds(LeftTop.X, LeftTop.Y, Width, Height); }

  TPoint ArrowFrom;
  bool ArrowFix = false;
  TPoint ArrowTo;
  bool Custom = false;
  int Height = 0;
  TPoint LeftTop;
  int Width = 0;
};

#pragma once

#include "platform/TColor.h"
#include "platform/TPersistent.h"

#include <vector>

// Line styles. Pens of width 0 or 1 are cosmetic: always one device pixel
// wide, with fixed dash lengths in pixels. Wider pens are geometric: their
// width and dash lengths scale with the width (and with the canvas mapping).
enum TPenStyle {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame,
  psUserStyle,  // dash lengths from SetUserDashes
  psAlternate   // cosmetic: every other pixel set
};

// How a pen pixel P combines with the pixel D already there (binary raster
// operations, in the classic order).
enum TPenMode {
  pmBlack,        // 0
  pmWhite,        // 1
  pmNop,          // D
  pmNot,          // not D
  pmCopy,         // P
  pmNotCopy,      // not P
  pmMergePenNot,  // P or not D
  pmMaskPenNot,   // P and not D
  pmMergeNotPen,  // not P or D
  pmMaskNotPen,   // not P and D
  pmMerge,        // P or D
  pmNotMerge,     // not (P or D)
  pmMask,         // P and D
  pmNotMask,      // not (P and D)
  pmXor,          // P xor D
  pmNotXor        // not (P xor D)
};

// Ends and joins of geometric pens (round by default, as plain wide pens are).
enum TPenEndCap { pecRound, pecSquare, pecFlat };
enum TPenJoin { pjRound, pjBevel, pjMiter };

// The line-drawing object of a canvas: data only; the canvas reads it before
// every primitive. Every setter that changes a value calls OnChange.
class TPen : public TPersistent {
 public:
  TPen() = default;

  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TPen"); }
  const TPropertyList& Properties() const override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  // Logical units; 0 and 1 both draw one device pixel.
  int GetWidth() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode Value);
  TPenEndCap GetEndCap() const { return FEndCap; }
  void SetEndCap(TPenEndCap Value);
  TPenJoin GetJoin() const { return FJoin; }
  void SetJoin(TPenJoin Value);
  // psUserStyle: alternating on and off lengths in pixels (cosmetic pens) or
  // in pen widths (geometric pens). An on length of 0 draws one dot, so
  // {0, n + 1} sets one pixel in every n + 1.
  const std::vector<int>& GetUserDashes() const { return FUserDashes; }
  void SetUserDashes(const std::vector<int>& Value);

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
  TPenEndCap FEndCap = pecRound;
  TPenJoin FJoin = pjRound;
  std::vector<int> FUserDashes;
};

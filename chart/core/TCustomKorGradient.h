#pragma once

#include "chart/core/KorCanvas.h"

#include "platform/TColor.h"
#include "platform/TPersistent.h"
#include "platform/TRect.h"

class TCanvas3D;
class TKorCanvas;

// Where the start colour of a gradient lies and how the colours spread.
enum TGradientDirection {
  gdTopBottom,
  gdBottomTop,
  gdLeftRight,
  gdRightLeft,
  gdFromCenter,
  gdFromTopLeft,
  gdFromBottomLeft,
  gdRadial,
  gdDiagonalUp,
  gdDiagonalDown
};

// Colour Index of the Count + 1 steps from Start to End (RGB values), per
// channel: evenly spaced (rounded toward zero) for balance 50, else along
// the curve ((Index + 1) / (Count + 1)) ^ (0.5 + 0.015 Balance), so lower
// balances reach the end colour sooner.
TColor KorGradientColor(TColor Start, TColor End, long long Index, long long Count, int Balance);

// Data and render: the colours, direction and balance of a gradient fill,
// and how it fills a shape on a surface. Every setter calls the owner's
// change handler (given at construction) only when the value changes.
class TCustomKorGradient : public TPersistent {
 public:
  explicit TCustomKorGradient(TNotifyEvent ChangeHandler = nullptr);

  // Copies balance, direction, the colours, the radial offsets, visibility
  // and whether the middle colour is used.
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TCustomKorGradient"); }

  // 50 spreads the colours evenly; other values bend the colour curve.
  int GetBalance() const { return FBalance; }
  void SetBalance(int Value);
  TGradientDirection GetDirection() const { return FDirection; }
  void SetDirection(TGradientDirection Value);
  TColor GetStartColor() const { return FStartColor; }
  void SetStartColor(TColor Value);
  TColor GetEndColor() const { return FEndColor; }
  void SetEndColor(TColor Value);
  // clNone when no middle colour is used; setting clNone stops using it
  // (the colour is kept for UseMiddleColor), any other colour starts.
  TColor GetMidColor() const;
  void SetMidColor(TColor Value);
  // Pixels the centre of a radial gradient is moved by.
  int GetRadialX() const { return FRadialX; }
  void SetRadialX(int Value);
  int GetRadialY() const { return FRadialY; }
  void SetRadialY(int Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);

  bool HasMiddleColor() const { return FHasMiddle; }
  // Uses the stored middle colour again.
  void UseMiddleColor();

  // Fills R, clipped to a rounded rectangle when RoundSize > 0. A middle
  // colour splits linear gradients at the centre line; monochrome surfaces
  // get the colours' grey.
  void Draw(TKorCanvas& Canvas, const TRect& R, int RoundSize = 0) const;
  // Fills the bounds of the quadrilateral, clipped to it.
  void Draw(TKorCanvas& Canvas, const TFourPoints& Points) const;
  // The same with the corners projected at Z.
  void Draw(TCanvas3D& Canvas, const TFourPoints& Points, int Z) const;
  // The same for a polygon, projected at Z only when Is3D.
  void Draw(TCanvas3D& Canvas, const TPointArray& Points, int Z, bool Is3D) const;
  // Ellipses from the end colour at the rim of R to the start colour at
  // its centre (moved by RadialX and RadialY), clipped to R.
  void DrawRadial(TKorCanvas& Canvas, const TRect& R) const;

 private:
  void DrawRadial(TKorCanvas& Canvas, const TRect& R, TColor Start, TColor End) const;
  void DrawWithMiddle(TKorCanvas& Canvas, const TRect& R, TColor Start, TColor Middle,
                      TColor End) const;

  int FBalance = 50;
  TGradientDirection FDirection = gdTopBottom;
  TColor FStartColor = clWhite;
  TColor FEndColor = clYellow;
  TColor FMidColor = clNone;
  int FRadialX = 0;
  int FRadialY = 0;
  bool FVisible = false;
  bool FHasMiddle = false;
};

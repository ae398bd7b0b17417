#pragma once

#include "platform/TColor.h"
#include "platform/TPersistent.h"

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

// Data: the colours, direction and balance of a gradient fill. Every
// setter calls the owner's change handler (given at construction) only when
// the value changes.
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

 private:
  template <class T>
  void Update(T& Field, T Value);

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

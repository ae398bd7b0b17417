#pragma once

#include "chart/core/KorCanvas.h"

#include "platform/TColor.h"
#include "platform/TPersistent.h"

// Data: a drop shadow's colour, offsets and softness. Sizes are pixel
// offsets of the shadow to the right and downward (negative: left and
// upward). Every setter calls the owner's change handler (given at
// construction) only when the value changes.
class TKorShadow : public TPersistent {
 public:
  explicit TKorShadow(TNotifyEvent ChangeHandler = nullptr);

  // Copies colour, sizes, smoothness and transparency (not the owner's
  // defaults, which belong to the owner).
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TKorShadow"); }
  const TPropertyList& Properties() const override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  int GetHorizSize() const { return FHorizSize; }
  void SetHorizSize(int Value);
  int GetVertSize() const { return FVertSize; }
  void SetVertSize(int Value);
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  // Percent, clamped to 0..100.
  TKorTransparency GetTransparency() const { return FTransparency; }
  void SetTransparency(TKorTransparency Value);
  // The larger of the two sizes; setting it sets both.
  int GetSize() const;
  void SetSize(int Value);

  // What streams compare Color and the sizes with; owners with another
  // default colour or size set these when they create the shadow.
  TColor GetDefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(TColor Value);
  int GetDefaultSize() const { return FDefaultSize; }
  void SetDefaultSize(int Value);

 private:
  TColor FColor = clSilver;
  int FHorizSize = 0;
  bool FSmooth = true;
  TKorTransparency FTransparency = 0;
  int FVertSize = 0;
  TColor FDefaultColor = clSilver;
  int FDefaultSize = 0;
};

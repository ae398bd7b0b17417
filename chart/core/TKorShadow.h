#pragma once

#include "chart/core/KorCanvas.h"

#include "platform/TColor.h"
#include "platform/TPersistent.h"
#include "platform/TRect.h"

#include <memory>

class TCanvas3D;
class TKorBlend;
class TKorCanvas;

// Data and render: a drop shadow's colour, offsets and softness, and how
// it is drawn behind a rectangle or an ellipse. Sizes are pixel offsets of
// the shadow to the right and downward (negative: left and upward). Every
// setter calls the owner's change handler (given at construction) only
// when the value changes.
class TKorShadow : public TPersistent {
 public:
  explicit TKorShadow(TNotifyEvent ChangeHandler = nullptr);
  ~TKorShadow() override;

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

  // The shadow of the element in R (chart coordinates at depth Z): strips
  // below and beside it, soft (lines brightening outward) when Smooth and
  // Size > 1. Nothing for a clNone colour or zero sizes.
  void Draw(TCanvas3D& Canvas, const TRect& R, int Z = 0);
  // The shadow of the ellipse in R: soft ones fade radially.
  void DrawEllipse(TCanvas3D& Canvas, const TRect& R, int Z = 0);
  // Brush in the shadow colour, no pen, and blending over the shadow's
  // area when it is transparent; false when there is no shadow to draw.
  bool PrepareCanvas(TCanvas3D& Canvas, const TRect& R, int Z);
  // Ends the blending PrepareCanvas began.
  void FinishBlending(TKorCanvas& Canvas);

 private:
  void DrawSoft(TCanvas3D& Canvas, const TRect& R, int Z);
  void DrawHard(TCanvas3D& Canvas, const TRect& R, int Z);
  bool IsSoft() const;
  // R moved by the sizes.
  TRect ShadowRect(const TRect& R) const;

  TColor FColor = clSilver;
  int FHorizSize = 0;
  bool FSmooth = true;
  TKorTransparency FTransparency = 0;
  int FVertSize = 0;
  TColor FDefaultColor = clSilver;
  int FDefaultSize = 0;
  // caches
  std::unique_ptr<TKorBlend> FBlend;  // from PrepareCanvas to FinishBlending
};

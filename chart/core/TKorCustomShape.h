#pragma once

#include "chart/core/KorCanvas.h"
#include "chart/core/TCustomPanelNoCaption.h"
#include "chart/core/TKorCustomShapeBrushPen.h"

#include "platform/TColor.h"
#include "platform/TRect.h"

#include <memory>

class TCanvas3D;
class TKorFont;
class TKorGradient;
class TKorShadow;

enum TChartObjectShapeStyle { fosRectangle, fosRoundRectangle };

enum TTextFormat { ttfNormal, ttfHtml };

// Makes the gradient of a shape; a shape class names its gradient class
// through GetGradientClass.
using TKorGradientClass = std::unique_ptr<TKorGradient> (*)(TNotifyEvent ChangeHandler);

// Render: the framed, filled, optionally rotated and shadowed box that
// titles, legends and other text blocks are drawn on, at ShapeBounds
// (device pixels of the parent's frame). Every setter repaints the parent
// only when the value changed.
class TKorCustomShape : public TKorCustomShapeBrushPen {
 public:
  explicit TKorCustomShape(TCustomKorPanel* AParent);
  ~TKorCustomShape() override;

  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TKorCustomShape"); }
  const TPropertyList& Properties() const override;
  // "ShadowColor" and "ShadowSize" of older streams, into Shadow.
  bool ReadLegacyProperty(const QString& Name, const TPropertyValue& Value) override;

  TPanelBevel GetBevel() const { return FBevel; }
  void SetBevel(TPanelBevel Value) { SetShapeField(FBevel, Value); }
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value) { SetShapeField(FBevelWidth, Value); }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { SetShapeField(FColor, Value); }
  TKorFont& GetFont() const { return *FFont; }
  void SetFont(const TKorFont& Value);
  // Created on first use; nullptr frees it, anything else is copied in.
  TKorGradient* GetGradient();
  const TKorGradient* ExistingGradient() const { return FGradient.get(); }
  void SetGradient(const TKorGradient* Value);
  TKorShadow& GetShadow() const { return *FShadow; }
  void SetShadow(const TKorShadow& Value);
  TColor GetShadowColor() const;
  void SetShadowColor(TColor Value);
  int GetShadowSize() const;
  void SetShadowSize(int Value);
  TChartObjectShapeStyle GetShapeStyle() const { return FShapeStyle; }
  void SetShapeStyle(TChartObjectShapeStyle Value) { SetShapeField(FShapeStyle, Value); }
  TTextFormat GetTextFormat() const { return FTextFormat; }
  void SetTextFormat(TTextFormat Value) { SetShapeField(FTextFormat, Value); }
  // A transparent shape draws nothing at all.
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value) { SetShapeField(FTransparent, Value); }
  // Percent 0..100 of the background showing through the whole shape.
  int GetTransparency() const { return FTransparency; }
  void SetTransparency(int Value);
  const TRect& GetShapeBounds() const { return FShapeBounds; }
  void SetShapeBounds(const TRect& Value) { SetShapeField(FShapeBounds, Value); }
  // Right - Left + 1 and Bottom - Top + 1; setting them moves the right or
  // bottom edge.
  int GetWidth() const { return FShapeBounds.Right - FShapeBounds.Left + 1; }
  void SetWidth(int Value);
  int GetHeight() const { return FShapeBounds.Bottom - FShapeBounds.Top + 1; }
  void SetHeight(int Value);

  // DrawRectRotated (ShapeBounds, 0, 0).
  void Draw();
  // The shape in R rotated by Angle degrees (about R's centre) at depth Z,
  // on the parent's canvas.
  void DrawRectRotated(const TRect& R, double Angle = 0, int Z = 0);

 protected:
  virtual TKorGradientClass GetGradientClass() const;

 private:
  // Sub-object getters for the property table.
  TKorFont* FontObject() { return FFont.get(); }
  TKorShadow* ShadowObject() { return FShadow.get(); }
  void DrawShadows(TCanvas3D& Canvas, const TRect& R, const TFourPoints& Outline, bool Rotated,
                   int Z);
  void FillShape(TCanvas3D& Canvas, const TRect& R, const TFourPoints& Outline, bool Rotated,
                 int Z);
  void OutlineShape(TCanvas3D& Canvas, const TRect& R, const TFourPoints& Outline, bool Rotated,
                    int Z);

  TPanelBevel FBevel = bvNone;
  int FBevelWidth = 2;
  TColor FColor = clWhite;
  std::unique_ptr<TKorFont> FFont;
  std::unique_ptr<TKorGradient> FGradient;  // created on first use
  std::unique_ptr<TKorShadow> FShadow;
  TChartObjectShapeStyle FShapeStyle = fosRectangle;
  TTextFormat FTextFormat = ttfNormal;
  bool FTransparent = false;
  int FTransparency = 0;
  TRect FShapeBounds;
};

// The corners left-top, right-top, right-bottom, left-bottom of R turned by
// Angle degrees about R's centre (integer centre, rounded corners).
void RectToFourPoints(const TRect& R, double Angle, TFourPoints& Points);

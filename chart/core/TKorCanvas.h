#pragma once

#include "chart/core/KorCanvas.h"
#include "chart/core/TCustomKorGradient.h"

#include "platform/TBitmap.h"
#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>

#include <memory>

class TBrush;
class TCanvas;
class TCanvasLayer;
class TChartBrush;
class TFont;
class TGraphic;
class TKorBlend;
class TKorFont;
class TPen;

// Render: the 2D half of the surface every chart element draws on. It
// wraps a platform canvas (not owned) and uses that canvas's own pen, brush
// and font as the current drawing objects; chart pens, brushes and fonts
// are copied into them with the Assign operations. Coordinates are the
// canvas's logical units.
class TKorCanvas {
 public:
  TKorCanvas();
  virtual ~TKorCanvas();
  TKorCanvas(const TKorCanvas&) = delete;
  TKorCanvas& operator=(const TKorCanvas&) = delete;

  // The wrapped canvas and its current objects. Before any canvas is set
  // the surface draws on an empty bitmap, where drawing does nothing.
  TCanvas& GetReferenceCanvas() const { return *FCanvas; }
  TPen& GetPen() const { return *FPen; }
  TBrush& GetBrush() const { return *FBrush; }
  TFont& GetFont() const { return *FFont; }

  // True while the surface records into a picture (blending is skipped).
  bool GetMetafiling() const { return FMetafiling; }
  void SetMetafiling(bool Value) { FMetafiling = Value; }
  // Percent of the blending in progress.
  int GetTransparency() const { return FTransparency; }
  // The rectangle of the current frame (set by InitWindow).
  const TRect& GetBounds() const { return FBounds; }
  // The chart font last made current with AssignFont, or nullptr.
  const TKorFont* GetFontObject() const { return FFontObject; }
  // Percent applied to font sizes by AssignFont; 100 leaves them.
  double GetFontZoom() const { return FFontZoom; }
  void SetFontZoom(double Value) { FFontZoom = Value; }

  // State of the wrapped device.
  virtual TColor GetBackColor() const = 0;
  virtual TCanvasBackMode GetBackMode() const = 0;
  virtual TCanvas* GetHandle() const = 0;
  virtual bool GetMonochrome() const = 0;
  virtual TColor GetPixel(int X, int Y) const = 0;
  virtual bool GetSupportsFullRotation() const = 0;
  virtual int GetTextAlign() const = 0;
  virtual bool GetUseBuffer() const = 0;
  virtual void SetBackColor(TColor Color) = 0;
  virtual void SetBackMode(TCanvasBackMode Mode) = 0;
  virtual void SetMonochrome(bool Value) = 0;
  virtual void SetPixel(int X, int Y, TColor Color) = 0;
  virtual void SetTextAlign(int Flags) = 0;
  virtual void SetUseBuffer(bool Value) = 0;

  // Makes Pen current in Color: hidden chart pens clear the surface pen;
  // black on a monochrome surface.
  virtual void AssignVisiblePenColor(const TPen& Pen, TColor Color);
  // What is drawn over R until EndBlending shows the background through it
  // by Transparency percent. Needs a bitmap under the surface: elsewhere
  // (printers, recordings) the drawing stays opaque.
  virtual std::unique_ptr<TKorBlend> BeginBlending(const TRect& R, int Transparency);
  virtual void EndBlending(std::unique_ptr<TKorBlend> Blend);

  // Primitives with the semantics of the platform canvas.
  virtual void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) = 0;
  // A ring segment; angles in radians counter-clockwise from 3 o'clock.
  virtual void Donut(int XCenter, int YCenter, int XRadius, int YRadius, double StartAngle,
                     double EndAngle, double HolePercent) = 0;
  // Nothing for nullptr or an empty graphic.
  virtual void Draw(int X, int Y, const TGraphic* Graphic) = 0;
  virtual void Ellipse(int X1, int Y1, int X2, int Y2) = 0;
  virtual void FillRect(const TRect& R) = 0;
  // A bevel Width pixels deep inside Rect; Rect ends shrunk by Width.
  virtual void Frame3D(TRect& Rect, TColor TopColor, TColor BottomColor, int Width);
  virtual void LineTo(int X, int Y) = 0;
  virtual void MoveTo(int X, int Y) = 0;
  virtual void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) = 0;
  virtual void Rectangle(int X0, int Y0, int X1, int Y1) = 0;
  virtual void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) = 0;
  // Nothing for nullptr.
  virtual void StretchDraw(const TRect& R, const TGraphic* Graphic) = 0;
  virtual void TextOut(int X, int Y, const QString& Text) = 0;
  // The text extent plus the current chart font's shadow offset whenever
  // that font has a shadow object.
  virtual int TextWidth(const QString& Text) const;
  virtual int TextHeight(const QString& Text) const;
  // Clips intersect with the clip in force, which is remembered for
  // UnClipRectangle (one level only).
  virtual void ClipRectangle(const TRect& R) = 0;
  // Corners are quarter ellipses RoundSize wide and high.
  virtual void ClipRectangle(const TRect& R, int RoundSize);
  // Inverted: the ellipse is cut out of the clip in force, which is then
  // not remembered.
  virtual void ClipEllipse(const TRect& R, bool Inverted = false);
  // The caller's points are not changed.
  virtual void ClipPolygon(const TPoint* Points, int Count);
  virtual void DoHorizLine(int X0, int X1, int Y) = 0;
  virtual void DoVertLine(int X, int Y0, int Y1) = 0;
  virtual void EraseBackground(const TRect& R) = 0;
  virtual void GradientFill(const TRect& R, TColor StartColor, TColor EndColor,
                            TGradientDirection Direction, int Balance = 50) = 0;
  // The buffer no longer holds a finished picture.
  virtual void Invalidate() = 0;
  virtual void Line(int X0, int Y0, int X1, int Y1) = 0;
  // HighIndex + 1 points.
  virtual void Polyline(const TPoint* Points, int HighIndex) = 0;
  virtual void Polygon(const TPoint* Points, int HighIndex) = 0;
  // Angle in degrees counter-clockwise.
  virtual void RotateLabel(int X, int Y, const QString& Text, double Angle) = 0;
  virtual void UnClipRectangle() = 0;

  // Draws on Canvas from now on, with Canvas's pen, brush and font as the
  // current objects.
  void SetCanvas(TCanvas& Canvas);
  // Default pen, brush, font, background and alignment; no chart font.
  void ResetState();
  // The brush in Color, its background from the brush's own colour.
  void AssignBrush(const TChartBrush& Brush, TColor Color);
  // The brush in Color; BackColor fills hatch gaps and pattern background,
  // clNone leaves them transparent.
  void AssignBrushColor(const TChartBrush& Brush, TColor Color, TColor BackColor);
  void AssignVisiblePen(const TPen& Pen);
  // Copies Font into the surface's font (scaled by the font zoom) and makes
  // it the current chart font. Font itself is not changed; it records this
  // surface.
  void AssignFont(TKorFont& Font);
  // Height of the text "W".
  int GetFontHeight() const;
  // The colour solids shade their faces from: the brush colour when the
  // brush is solid, else the background colour (hatched and pattern brushes
  // shade the gaps between their lines).
  TColor ShadingBaseColor() const;
  // Makes Color the face colour: the brush colour when the brush is solid,
  // else the background colour.
  void SetShadingColor(TColor Color);
  // The face colour becomes Base darkened by Quantity (each face is
  // darkened from the solid's base colour, never from the previous face).
  void InternalDark(TColor Base, int Quantity);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  void RoundRect(const TRect& R, int X, int Y) {
    RoundRect(R.Left, R.Top, R.Right, R.Bottom, X, Y);
  }
  void Line(const TPoint& P0, const TPoint& P1) { Line(P0.X, P0.Y, P1.X, P1.Y); }
  // Html: the text carries the HTML subset of labels.
  void TextOut(int X, int Y, const QString& Text, bool Html);
  // Replaces Points by their convex hull: corners only (no point on an
  // edge), clockwise on the screen, starting after the lowest-y point
  // (largest x among equals), which comes last. Fewer than three points:
  // false and unchanged; exactly three are kept as they are; points all on
  // one line give false and the line's two ends.
  static bool ConvexHull(TPointArray& Points);

  // The part of a frame drawn before its series, which seldom changes from
  // one frame to the next: recorded, and given the pixels kept of the
  // frame before when that recorded exactly the same (see TCanvasLayer).
  void BeginFixedLayer();
  // Draws what was recorded, or copies the kept pixels.
  void EndFixedLayer();
  // Whether the last frame's fixed layer came from kept pixels.
  bool GetFixedLayerReused() const;

 protected:
  // Draws on nothing until a canvas is set again (used when the canvas in
  // use is about to be freed).
  void DetachCanvas();
  bool IsCanvas(const TCanvas& Canvas) const { return FCanvas == &Canvas; }
  void SetBounds(const TRect& Value) { FBounds = Value; }
  // The box of Text drawn at (X, Y) with the current alignment, for fills
  // and blending behind text: right and centre alignment move it left, the
  // vertical alignment is not looked at (the box starts at Y).
  TRect TextBox(int X, int Y, const QString& Text) const;
  void SetTransparency(int Value) { FTransparency = Value; }

 private:
  friend class TKorFont;
  // The font is going away.
  void ForgetFont(const TKorFont& Font);
  void UnlinkFont();

  TCanvas* FCanvas;  // not owned
  TFont* FFont;      // the canvas's own objects
  TPen* FPen;
  TBrush* FBrush;
  bool FMetafiling = false;
  int FTransparency = 0;
  TRect FBounds;
  TKorFont* FFontObject = nullptr;  // not owned; see TKorFont::GetCanvas
  double FFontZoom = 100.0;
  TBitmap FDetached;  // 0 x 0: the canvas of a surface that has none
  // caches
  // Whole recordings with their pixels, each valid for an equal recording
  // only, so never reset.
  std::unique_ptr<TCanvasLayer> FFixedLayer;
};

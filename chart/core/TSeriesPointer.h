#pragma once

#include "chart/core/TKorCustomShapeBrushPen.h"

#include "platform/TColor.h"
#include "platform/TRect.h"

#include <memory>

class TCanvas3D;
class TChartSeries;
class TKorGradient;

// The shapes of a series pointer.
enum TSeriesPointerStyle {
  psRectangle,
  psCircle,
  psTriangle,
  psDownTriangle,
  psCross,
  psDiagCross,
  psStar,
  psDiamond,
  psSmallDot,
  psNothing,
  psLeftTriangle,
  psRightTriangle
};

// Data: the marker drawn at each point of point, line and bubble series:
// its shape, half width and half height in pixels, 3D look, fill and
// transparency. The owning series (may be none, not owned) gives the
// pointer its depths; the parent panel is that series' chart when the
// pointer is made.
class TSeriesPointer : public TKorCustomShapeBrushPen {
 public:
  explicit TSeriesPointer(TChartSeries* ASeries);
  ~TSeriesPointer() override;

  // Copies the published properties (not the series or the internal flags).
  void Assign(const TPersistent& Source) override;
  QString ClassName() const override { return QStringLiteral("TSeriesPointer"); }
  const TPropertyList& Properties() const override;

  TSeriesPointerStyle GetStyle() const { return FStyle; }
  void SetStyle(TSeriesPointerStyle Value) { SetShapeField(FStyle, Value); }
  // Half sizes in pixels. The setters raise ChartException for a value of
  // 0 or less and keep the old size.
  int GetHorizSize() const { return FHorizSize; }
  void SetHorizSize(int Value);
  int GetVertSize() const { return FVertSize; }
  void SetVertSize(int Value);
  // The larger half size; setting it sets both.
  int GetSize() const;
  void SetSize(int Value);
  // Darker sides on solid 3D shapes.
  bool GetDark3D() const { return FDark3D; }
  void SetDark3D(bool Value) { SetShapeField(FDark3D, Value); }
  // Solid shapes (cube, sphere, pyramid) in 3D charts.
  bool GetDraw3D() const { return FDraw3D; }
  void SetDraw3D(bool Value) { SetShapeField(FDraw3D, Value); }
  // Whether the axes keep room for the pointer at their ends.
  bool GetInflateMargins() const { return FInflateMargins; }
  void SetInflateMargins(bool Value) { SetShapeField(FInflateMargins, Value); }
  // Percent 0..100 of the background showing through.
  int GetTransparency() const { return FTransparency; }
  void SetTransparency(int Value);
  // Invisible unless made visible.
  TKorGradient& GetGradient() const { return *FGradient; }
  void SetGradient(const TKorGradient& Value);
  // The brush colour.
  TColor GetColor() const;
  void SetColor(TColor Value);

  TChartSeries* GetSeries() const { return FSeries; }
  // Whether editors may change the sizes.
  bool GetAllowChangeSize() const { return FAllowChangeSize; }
  void SetAllowChangeSize(bool Value) { FAllowChangeSize = Value; }
  // False: drawing makes the gradient's end colour the point's colour.
  bool GetKeepGradientColors() const { return FKeepGradientColors; }
  void SetKeepGradientColors(bool Value) { FKeepGradientColors = Value; }
  // The owning series' start, middle and end depth (0 without a series).
  int GetStartZ() const;
  int GetMiddleZ() const;
  int GetEndZ() const;

  // Store without repainting and without checks, for series code that sets
  // the pointer while it draws.
  void ChangeStyle(TSeriesPointerStyle Value) { FStyle = Value; }
  void ChangeHorizSize(int Value) { FHorizSize = Value; }
  void ChangeVertSize(int Value) { FVertSize = Value; }
  void Change3D(bool Value) { FDraw3D = Value; }

  // When visible and inflating margins, each margin becomes at least the
  // half size + 1 (pixels).
  void CalcHorizMargins(int& LeftMargin, int& RightMargin) const;
  void CalcVerticalMargins(int& TopMargin, int& BottomMargin) const;

  // -- drawing (device pixels of the chart's canvas)

  // Pen and brush of ACanvas for a pointer of a point in AColor: the pen
  // in AColor when its colour is clDefault (cleared when hidden); the
  // brush in its own colour, or, when that is clDefault, AColor for a solid
  // brush and black for a pattern; AColor fills the pattern's gaps.
  void PrepareCanvas(TCanvas3D& ACanvas, TColor AColor) const;
  // PrepareCanvas on the parent's canvas in the pointer's colour.
  void Prepare() const;
  // The pointer centred at (X, Y) on the parent's canvas, in the parent's
  // 3D mode, with the pointer's sizes, colour and style (or the given
  // colour and style). Nothing without a parent.
  void Draw(int X, int Y);
  void Draw(const TPoint& P) { Draw(P.X, P.Y); }
  void Draw(int X, int Y, TColor AColor, TSeriesPointerStyle AStyle);
  // The shape AStyle centred at (PX, PY) with half sizes HorizHalf and
  // VertHalf, at the series' depths when Is3D, over the canvas' current pen
  // and brush; then the gradient (its end colour AColor unless the
  // gradient keeps its colours) and the transparency.
  void DrawPointer(TCanvas3D& ACanvas, bool Is3D, int PX, int PY, int HorizHalf, int VertHalf,
                   TColor AColor, TSeriesPointerStyle AStyle);

 private:
  TKorGradient* GradientObject() { return FGradient.get(); }
  void DrawShape(TCanvas3D& C, bool Is3D, int PX, int PY, int H, int V, TSeriesPointerStyle AStyle);
  void DrawGradient(TCanvas3D& C, bool Is3D, int PX, int PY, int H, int V, TColor AColor,
                    TSeriesPointerStyle AStyle);
  // The end colour follows the point without repainting the chart.
  void FollowPointColor(TColor AColor);

  TChartSeries* FSeries;  // not owned
  TSeriesPointerStyle FStyle = psRectangle;
  int FHorizSize = 4;
  int FVertSize = 4;
  bool FDark3D = true;
  bool FDraw3D = true;
  bool FInflateMargins = true;
  int FTransparency = 0;
  std::unique_ptr<TKorGradient> FGradient;
  bool FAllowChangeSize = true;
  bool FKeepGradientColors = false;
};

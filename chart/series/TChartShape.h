#pragma once

#include "chart/core/TChartSeries.h"

#include "platform/TColor.h"
#include "platform/TCustomControl.h"
#include "platform/TRect.h"

#include <QString>
#include <QStringList>

#include <memory>

class TCanvas3D;
class TKorFont;
class TKorGradient;

// The geometric figures a shape series draws.
enum TChartShapeStyle {
  chasRectangle,
  chasCircle,
  chasVertLine,
  chasHorizLine,
  chasTriangle,
  chasInvertTriangle,
  chasLine,
  chasDiamond,
  chasCube,
  chasCross,
  chasDiagCross,
  chasStar,
  chasPyramid,
  chasInvertPyramid
};

// How the two corners are read: as device pixels, as axis values, or the
// first as an axis value and the second as a pixel extent from it.
enum TChartShapeXYStyle { xysPixels, xysAxis, xysAxisOrigin };

// Vertical placement of a text block in a rectangle.
enum TKorVertAlign { vaTop, vaCenter, vaBottom };

// Render: one figure (rectangle, ellipse, lines, triangles, solids) with
// optional lines of text inside the rectangle spanned by two corners. The
// corners are the series' two points (X0, Y0) and (X1, Y1).
//
// A shape may end up with fewer points (Clear, Delete, a type change, the
// data grid): its corner getters then answer the default corners (0, 0)
// and (100, 100), a corner setter first puts the two default points back,
// nothing is drawn and nothing is hit. With more than two points only the
// first two are corners, and it is not drawn either.
class TChartShape : public TChartSeries {
 public:
  explicit TChartShape(TComponent* AOwner);
  ~TChartShape() override;

  QString ClassName() const override { return QStringLiteral("TChartShape"); }
  const TPropertyList& Properties() const override;
  // From another shape its figure, text and look, then the series part
  // (which brings the corners).
  void Assign(const TPersistent& Source) override;
  QString GetEditorClass() const override { return QStringLiteral("TChartShapeEditor"); }

  // -- properties

  TChartShapeStyle GetStyle() const { return FStyle; }
  void SetStyle(TChartShapeStyle Value);
  TChartShapeXYStyle GetXYStyle() const { return FXYStyle; }
  void SetXYStyle(TChartShapeXYStyle Value);
  // The corners, in the units XYStyle gives. Setting one marks the data as
  // manual (streams keep it) and repaints.
  double GetX0() const { return Corner(0, true); }
  void SetX0(double Value) { SetCorner(0, true, Value); }
  double GetY0() const { return Corner(0, false); }
  void SetY0(double Value) { SetCorner(0, false, Value); }
  double GetX1() const { return Corner(1, true); }
  void SetX1(double Value) { SetCorner(1, true, Value); }
  double GetY1() const { return Corner(1, false); }
  void SetY1(double Value) { SetCorner(1, false, Value); }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TKorVertAlign GetVertAlign() const { return FVertAlign; }
  void SetVertAlign(TKorVertAlign Value);
  QStringList GetText() const { return FText; }
  void SetText(const QStringList& Value);
  TKorFont& GetFont() const { return *FFont; }
  void SetFont(const TKorFont& Value);
  TKorGradient& GetGradient() const { return *FGradient; }
  void SetGradient(const TKorGradient& Value);
  // Corners 12 x 12 pixels round on rectangles (without gradient).
  bool GetRoundRectangle() const { return FRoundRectangle; }
  void SetRoundRectangle(bool Value);
  // No fill and no gradient; solids lose their dark sides.
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);

  // The series colour is the brush colour.
  void SetSeriesColor(TColor AColor) override;

  // -- geometry (device pixels of the chart)

  // The corners as pixels, in the order they were given.
  TRect GetShapeRectangle() const;
  // Switches to pixels and takes the corners from Rect.
  void SetShapeRectangle(const TRect& Rect);
  // The shape rectangle with left <= right and top <= bottom, at least one
  // pixel wide and high.
  TRect GetAdjustedRectangle() const;

  // -- overrides

  bool UseAxis() const override { return FXYStyle != xysPixels; }
  void CalcZOrder() override;
  bool MoreSameZOrder() const override { return false; }
  void DrawValue(int ValueIndex) override;
  void DrawLegendShape(int ValueIndex, const TRect& Rect) override;
  // 0 when (X, Y) is on the figure, else -1.
  int Clicked(int X, int Y) const override;
  bool IsValidSourceOf(const TChartSeries* Value) const override;
  // After the inherited entries: the figures and "Hollow".
  QStringList CreateSubGallery() const override;
  void SetSubGallery(int Index) override;
  void PrepareForGallery(bool IsEnabled) override;
  void AddSampleValues(int NumValues, bool OnlyMandatory = false) override;

 protected:
  // The brush colour becomes the series colour.
  void CanvasChanged(TPersistent* Sender) override;

 private:
  bool HasCorners() const { return Count() >= 2; }
  double Corner(int Index, bool IsX) const;
  void SetCorner(int Index, bool IsX, double Value);
  // Empties the series and adds the default corners.
  void AddDefaultCorners();
  bool Is3DShape() const;
  // Pen and brush of the figure on C; the text background follows.
  void PrepareCanvas(TCanvas3D& C) const;
  // The figure in R (device pixels); Is3D at the series' depths.
  void DrawShape(TCanvas3D& C, bool Is3D, const TRect& R);
  void DrawShape2D(TCanvas3D& C, const TRect& R);
  void DrawShape3D(TCanvas3D& C, const TRect& R);
  // The gradient into R (clipped to the ellipse for circles), then a
  // clear brush; nothing when hidden or transparent.
  void DrawGradient(TCanvas3D& C, bool Is3D, const TRect& R);
  void DrawText(TCanvas3D& C, const TRect& R);
  QString AlignmentName() const;
  // Property-table accessors.
  TKorFont* FontObject() { return FFont.get(); }
  TKorGradient* GradientObject() { return FGradient.get(); }

  TChartShapeStyle FStyle = chasCircle;
  TChartShapeXYStyle FXYStyle = xysAxis;
  TAlignment FAlignment = taCenter;
  TKorVertAlign FVertAlign = vaCenter;
  QStringList FText;
  std::unique_ptr<TKorFont> FFont;
  std::unique_ptr<TKorGradient> FGradient;
  bool FRoundRectangle = false;
  bool FTransparent = false;
  bool FFollowingBrush = false;  // guards the colour exchange with the brush
};

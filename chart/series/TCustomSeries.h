#pragma once

#include "chart/series/TCustomLineSeries.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/TSeriesPointer.h"

#include "platform/TBrush.h"
#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>

#include <functional>
#include <memory>

class TChartAxis;
class TChartBrush;
class TChartHiddenPen;
class TChartPen;
class TCustomSeries;
class TKorGradient;
class TKorShadow;
class TSeriesMarkPosition;

// How the series of one class on a chart pile up.
enum TCustomSeriesStack { cssNone, cssOverlap, cssStack, cssStack100 };

using TSeriesClickPointerEvent =
    std::function<void(TCustomSeries* Sender, int ValueIndex, int X, int Y)>;
using TOnGetPointerStyle =
    std::function<TSeriesPointerStyle(TCustomSeries* Sender, int ValueIndex)>;

// Render: the common drawing of line, point and area series. For each
// point it can join the previous point with a segment (straight, as
// stairs or as a 3D ribbon), fill the area between that segment and the
// origin, and draw a pointer symbol; the series types choose with three
// switches (draw line, draw area, pointer visible). It also stacks the
// series of one class, widens the margins for pointers, marks and thick
// lines, and finds the point or segment under the mouse.
//
// Two series are of the same class when either one's class is the other's
// or derives from it (see IsOfSeriesClass).
class TCustomSeries : public TCustomLineSeries {
 public:
  explicit TCustomSeries(TComponent* AOwner);
  ~TCustomSeries() override;

  QString ClassName() const override { return QStringLiteral("TCustomSeries"); }
  const TPropertyList& Properties() const override;
  // From another TCustomSeries its drawing settings, then the series part.
  void Assign(const TPersistent& Source) override;
  QString GetEditorClass() const override { return QStringLiteral("TCustomSeriesEditor"); }

  // -- properties

  TChartBrush& GetAreaChartBrush() const { return *FAreaBrush; }
  void SetAreaBrush(const TChartBrush& Value);
  TBrushStyle GetAreaBrushStyle() const;
  void SetAreaBrushStyle(TBrushStyle Value);
  // clDefault: the point's colour.
  TColor GetAreaColor() const { return FAreaColor; }
  void SetAreaColor(TColor Value);
  TChartPen& GetAreaLinesPen() const { return *FAreaLinesPen; }
  void SetAreaLinesPen(const TChartPen& Value);
  // Whether segments and areas count for the hit test. A plain field.
  bool GetClickableLine() const { return FClickableLine; }
  void SetClickableLine(bool Value) { FClickableLine = Value; }
  bool GetColorEachLine() const { return FColorEachLine; }
  void SetColorEachLine(bool Value);
  bool GetDark3D() const { return FDark3D; }
  void SetDark3D(bool Value);
  bool GetDrawArea() const { return FDrawArea; }
  void SetDrawArea(bool Value);
  bool GetDrawLine() const { return FDrawLine; }
  void SetDrawLine(bool Value) { FDrawLine = Value; }
  bool GetInvertedStairs() const { return FInvertedStairs; }
  void SetInvertedStairs(bool Value);
  // Pixels of the 3D ribbon's height.
  int GetLineHeight() const { return FLineHeight; }
  void SetLineHeight(int Value);
  // The style of the series brush, used for the 3D ribbon.
  TBrushStyle GetLineBrush() const;
  void SetLineBrush(TBrushStyle Value);
  TChartHiddenPen& GetOutLine() const { return *FOutLine; }
  void SetOutLine(const TChartPen& Value);
  TSeriesPointer& GetPointer() const { return *FPointer; }
  void SetPointer(const TSeriesPointer& Value);
  TKorShadow& GetShadow() const { return *FShadow; }
  void SetShadow(const TKorShadow& Value);
  TCustomSeriesStack GetStacked() const { return FStacked; }
  // Also on every series of the chart whose class is this one's or an
  // ancestor of it.
  void SetStacked(TCustomSeriesStack Value);
  bool GetStairs() const { return FStairs; }
  void SetStairs(bool Value);
  virtual TKorGradient& GetGradient() const;
  void SetGradient(const TKorGradient& Value);
  // Percent 0..100 of the background showing through areas.
  virtual TKorTransparency GetTransparency() const { return FTransparency; }
  virtual void SetTransparency(TKorTransparency Value);

  // -- stacking and positions

  // Whether Other's class is this series' class or derives from it.
  virtual bool IsOfSeriesClass(const TChartSeries* Other) const;
  // Either one's class is the other's or derives from it.
  bool SameClass(const TChartSeries* Other) const;
  // The sum of the origin values at ValueIndex of the active series of the
  // same class with a point there, in list order, up to this one (all of
  // them with IncludeAll); only values of the sign of this series' own
  // value count, so negative values stack downward from 0.
  double PointOrigin(int ValueIndex, bool IncludeAll) const;
  // Pixel on the value axis of Value stacked on the series before this one.
  int CalcStackedPos(int ValueIndex, double Value) const;
  // Pixel on the value axis the area of ValueIndex reaches down (or up) to.
  virtual int GetOriginPos(int ValueIndex) const;
  // The area colour of a point in AColor.
  TColor GetAreaBrushColor(TColor AColor) const;
  // Pixels the marks need beyond a point: callout length plus distance.
  virtual int CalcMarkLength(int ValueIndex);
  // Whether (X, Y) of the mouse is on the pointer of ValueIndex drawn at
  // (PX, PY).
  virtual bool ClickedPointer(int ValueIndex, int PX, int PY, int X, int Y);
  // Sizes the pointer for ValueIndex; nothing here.
  virtual void PreparePointer(int) {}
  // The pointer of ValueIndex at (X, Y) in AColor.
  void DrawPointer(int X, int Y, TColor AColor, int ValueIndex);

  // -- overrides

  void SetParentChart(TCustomAxisPanel* Value) override;
  void CalcHorizMargins(int& LeftMargin, int& RightMargin) override;
  void CalcVerticalMargins(int& TopMargin, int& BottomMargin) override;
  void CalcZOrder() override;
  void DrawAllValues() override;
  void DrawValue(int ValueIndex) override;
  void DrawLegendShape(int ValueIndex, const TRect& Rect) override;
  void DrawMark(int ValueIndex, const QString& St, TSeriesMarkPosition& APosition) override;
  double MaxXValue() const override;
  double MinXValue() const override;
  double MaxYValue() const override;
  double MinYValue() const override;
  int CalcXPos(int ValueIndex) const override;
  int CalcYPos(int ValueIndex) const override;
  // The pointer, then the point itself, then the segment (and area) to
  // the point before: the earlier index of a segment; -1 for none.
  int Clicked(int X, int Y) const override;

  TSeriesClickPointerEvent OnClickPointer;
  TOnGetPointerStyle OnGetPointerStyle;

 protected:
  bool Stacking() const { return FStacked == cssStack || FStacked == cssStack100; }
  // The axis the mandatory values lie along (none without a chart).
  TChartAxis* ValueAxis() const;
  TChartAxis* OtherAxis() const;
  bool Is3D() const;

 private:
  // Sub-object getters for the property table.
  TChartBrush* AreaBrushObject() { return FAreaBrush.get(); }
  TChartPen* AreaLinesPenObject() { return FAreaLinesPen.get(); }
  TChartHiddenPen* OutLineObject() { return FOutLine.get(); }
  TSeriesPointer* PointerObject() { return FPointer.get(); }
  TKorShadow* ShadowObject() { return FShadow.get(); }
  TKorGradient* GradientObject() { return &GetGradient(); }
  TChartPen* LinePenObject() { return &GetLinePen(); }
  int TransparencyValue() const { return GetTransparency(); }
  void SetTransparencyValue(int Value) { SetTransparency(Value); }

  // The drawing pass with a clean start (no previous point).
  void DrawPass();
  void DrawShadowPass();
  void DrawOutlinePass();
  // What the pass draws with: the point's colour, the colour of lines and
  // the line pen, unless the shadow or outline pass replaces them.
  TColor PointColor(int ValueIndex) const;
  TColor LineColor() const;
  const TChartPen& LinePen() const;
  // The line pen current on the canvas.
  void UseLinePen();
  bool PointersShown() const { return FPointer->GetVisible() && !FPassHidesPointers; }
  // The extreme of origin plus value over the points (stacked range).
  double StackedExtreme(double Start, bool Max) const;
  // The first visible point's segment from the point before it, cut at
  // the chart rectangle's edge.
  void DrawEnteringSegment(int ValueIndex, int X, int Y);
  // Pixel on the value axis where the straight line from point Before to
  // point ValueIndex crosses the other axis' pixel Edge.
  int EdgeValuePos(int Before, int ValueIndex, int Edge) const;
  // The segment from the old point to (X, Y) and, when Pointers, the
  // pointers it touches.
  void DrawSegment(int ValueIndex, int X, int Y, TColor AColor, bool IsLast, bool Pointers);
  void DrawSegment3D(int X, int Y, TColor AColor, bool IsLast);
  void DrawSegment2D(int X, int Y, TColor AColor);
  // Canvas pen and brush of lines in AColor.
  void PrepareLineCanvas(TColor AColor);
  void FillArea(int X, int Y, TColor AColor, bool IsLast);
  void FillStairsArea(int X, int Y, bool IsLast);
  void FillSlopedArea(int X, int Y, bool IsLast);
  // The area drawn through Draw, blended over R when transparent.
  void Blended(const TRect& R, const std::function<void()>& Draw);
  // The line of the legend symbol and the pen that decides the pointer's
  // size in it.
  void DrawLegendLine(TColor AColor, const TRect& Rect);
  const TChartPen& LegendPen() const;
  bool HitsSegment(const TPoint& Mouse, const TPoint& P, const TPoint& Previous) const;

  std::unique_ptr<TChartBrush> FAreaBrush;
  TColor FAreaColor = clDefault;
  std::unique_ptr<TChartPen> FAreaLinesPen;
  bool FClickableLine = true;
  bool FColorEachLine = true;
  bool FDark3D = true;
  bool FDrawArea = false;
  bool FDrawLine = false;
  bool FInvertedStairs = false;
  int FLineHeight = 0;
  std::unique_ptr<TChartHiddenPen> FOutLine;
  std::unique_ptr<TSeriesPointer> FPointer;
  std::unique_ptr<TKorShadow> FShadow;
  TCustomSeriesStack FStacked = cssNone;
  bool FStairs = false;
  TKorTransparency FTransparency = 0;
  std::unique_ptr<TKorGradient> FGradient;
  // caches: the previous point of the drawing pass (pixels), reset at the
  // start of every pass; the dark 3D ratio of the pass
  double FDark3DRatio = 1;
  int FOldX = 0;
  int FOldY = 0;
  int FOldBottom = 0;
  int FBottom = 0;
  TColor FOldColor = clNone;  // clNone: no previous point
  int FOldIndex = -1;
  // caches: set only during the shadow and outline passes
  TColor FPassColor = clNone;  // clNone: the series' own colours
  const TChartPen* FPassPen = nullptr;
  bool FPassHidesPointers = false;
};

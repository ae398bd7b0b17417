#pragma once

#include "chart/core/TChartSeries.h"

#include "platform/TBrush.h"
#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class TBarSeriesGradient;
class TChartAxis;
class TChartHiddenPen;
class TChartPen;
class TCustomBarSeries;

// The shape of a bar.
enum TBarStyle {
  bsRectangle,
  bsPyramid,
  bsInvPyramid,
  bsCilinder,
  bsEllipse,
  bsArrow,
  bsRectGradient,
  bsCone,
  bsBevel,
  bsSlantCube,
  bsDiamond,
  bsInvArrow,
  bsInvCone
};

// How the bar series of one chart share the space of a category.
enum TMultiBar { mbNone, mbSide, mbStacked, mbStacked100, mbSideAll, mbSelfStack };

// May change TheBarStyle for the bar of point ValueIndex.
using TGetBarStyleEvent =
    std::function<void(TCustomBarSeries* Sender, int ValueIndex, TBarStyle& TheBarStyle)>;

// Data and render: what bar series have whatever their orientation: how
// the bar series of a chart share a category (side by side, stacked,
// stacked to 100 %, each series one column), the bar size in pixels, the
// offset and origin of the bars, their styles and decorations (gradient,
// bevel, transparency, tick lines) and the room marks need. The
// orientation (Category/Value axis, bounds, drawing) is the subclass's.
//
// Bar series of the same class (either one's class is the other's or a
// base of it) on one chart keep the same MultiBar and SideMargins.
class TCustomBarSeries : public TChartSeries {
 public:
  explicit TCustomBarSeries(TComponent* AOwner);
  ~TCustomBarSeries() override;

  QString ClassName() const override { return QStringLiteral("TCustomBarSeries"); }
  const TPropertyList& Properties() const override;
  // From another bar series its bar settings, then the series part.
  void Assign(const TPersistent& Source) override;
  QString GetEditorClass() const override { return QStringLiteral("TBarSeriesEditor"); }

  // -- properties

  bool GetAutoBarSize() const { return FAutoBarSize; }
  void SetAutoBarSize(bool Value);
  bool GetAutoMarkPosition() const { return FAutoMarkPosition; }
  void SetAutoMarkPosition(bool Value);
  // The series brush and pen under their bar names.
  TChartBrush& GetBarBrush() const { return GetBrush(); }
  void SetBarBrush(const TChartBrush& Value) { SetBrush(Value); }
  TChartPen& GetBarPen() const { return GetPen(); }
  void SetBarPen(const TChartPen& Value) { SetPen(Value); }
  TBarStyle GetBarStyle() const { return FBarStyle; }
  void SetBarStyle(TBarStyle Value);
  // Percent of the category width.
  int GetBarWidthPercent() const { return FBarWidthPercent; }
  void SetBarWidthPercent(int Value);
  // Pixels.
  int GetBevelSize() const { return FBevelSize; }
  void SetBevelSize(int Value);
  bool GetDark3D() const { return FDark3D; }
  void SetDark3d(bool Value);
  int GetDepthPercent() const { return FDepthPercent; }
  void SetDepthPercent(int Value);
  TBarSeriesGradient& GetGradient() const { return *FGradient; }
  void SetGradient(const TBarSeriesGradient& Value);
  TMultiBar GetMultiBar() const { return FMultiBar; }
  // Also on every bar series of the same class on the chart.
  void SetMultiBar(TMultiBar Value);
  // Percent of the bar size.
  int GetOffsetPercent() const { return FOffsetPercent; }
  void SetOffsetPercent(int Value);
  bool GetSideMargins() const { return FSideMargins; }
  // Also on every bar series of the same class on the chart.
  void SetSideMargins(bool Value);
  int GetStackGroup() const { return FStackGroup; }
  void SetStackGroup(int Value);
  TChartHiddenPen& GetTickLines() const { return *FTickLines; }
  void SetTickLines(const TChartPen& Value);
  bool GetUseYOrigin() const { return FUseYOrigin; }
  void SetUseOrigin(bool Value);
  double GetYOrigin() const { return FYOrigin; }
  void SetOrigin(double Value);
  int GetConePercent() const { return FConePercent; }
  void SetConePercent(int Value);
  // 0 (opaque) to 100.
  int GetTransparency() const { return FTransparency; }
  void SetTransparency(int Value);
  // Pixels; 0 sizes the bars from BarWidthPercent.
  int GetCustomBarSize() const { return FCustomBarSize; }
  void SetCustomBarSize(int Value);

  // -- layout and drawing

  // BarStyle, as OnGetBarStyle changes it for the point.
  TBarStyle GetBarStyle(int ValueIndex);
  int AddBar(double AValue, const QString& ALabel, TColor AColor) {
    return Add(AValue, ALabel, AColor);
  }
  // Figures of the current drawing pass (see DoBeforeDrawChart and the
  // margin calculation).
  int GetBarSize() const { return FBarSize; }
  int GetNumBars() const { return FNumBars; }
  int GetOrderPosition() const { return FOrderPos; }
  int GetPreviousCount() const { return FPreviousCount; }
  int GetMaxBarPoints() const { return FMaxBarPoints; }
  // The rectangle of the bar drawn last (device pixels).
  const TRect& GetBarBounds() const { return FBarBounds; }

  // The value the bar of ValueIndex starts from: the stack below it, the
  // whole stack (IncludeAll, for 100 % stacking) or YOrigin.
  virtual double PointOrigin(int ValueIndex, bool IncludeAll) const;
  // Pixel along the value axis where the bar of ValueIndex starts.
  virtual int GetOriginPos(int ValueIndex) const = 0;
  // Pixels along the value axis that marks of the point need beyond the
  // bar's end (0 without points or visible marks).
  int CalcMarkLength(int ValueIndex);
  // The end colour of the gradient of the bar of ValueIndex.
  TColor CalcGradientColor(int ValueIndex) const;
  // Whether Other is of this series' class or of one derived from it.
  virtual bool IsOfBarClass(const TChartSeries* Other) const;
  // Either one's class is the other's or a base of it.
  bool SameBarClass(const TChartSeries* Other) const;

  void SetParentChart(TCustomAxisPanel* Value) override;
  void DoBeforeDrawChart() override;
  void CalcZOrder() override;
  void CalcDepthPositions() override;
  void CalcFirstLastVisibleIndex() override;
  // The first visible point whose bar holds (X, Y), or -1.
  int Clicked(int X, int Y) const override;
  void DrawLegendShape(int ValueIndex, const TRect& Rect) override;
  void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void PrepareForGallery(bool IsEnabled) override;
  QStringList CreateSubGallery() const override;
  void SetSubGallery(int Index) override;
  int NumSampleValues() const override;

  TGetBarStyleEvent OnGetBarStyle;

 protected:
  // Device pixels of the axes this series' bars lie along (category) and
  // grow along (value); none without a chart.
  virtual TChartAxis* CategoryAxis() const = 0;
  virtual TChartAxis* ValueAxis() const = 0;
  virtual int InternalCalcMarkLength(int) { return 0; }
  virtual bool InternalClicked(int, const TPoint&) const { return false; }
  // Whether the sub-gallery offers the stacking entries.
  virtual bool SubGalleryStack() const { return true; }
  // Nothing here; the orientation draws the line across the bar at Pos.
  virtual void DrawTickLine(int, TBarStyle) {}

  // The bar size, and both margins of the category axis widened by the
  // bar margin.
  void InternalApplyBarMargin(int& First, int& Second);
  int ApplyBarOffset(int Position) const;
  // Pixel of the bar's origin along the value axis; DefaultPos when bars
  // do not grow from YOrigin.
  int InternalGetOriginPos(int ValueIndex, int DefaultPos) const;
  // The mandatory range as stacking changes it.
  double MaxMandatoryValue(double Value) const;
  double MinMandatoryValue(double Value) const;
  // Pixel of the bar's end along the value axis: BasePos side by side,
  // else the top of the point's stack (100 % stacking: its percent of the
  // stack, pixel 0 for an empty stack).
  int ValuePosition(int ValueIndex, int BasePos) const;

  // Canvas pen and brush of a bar in AColor.
  void SetPenBrushBar(TColor AColor);
  // A rectangle that stays visible when it has no width or height.
  void BarRectangle(TColor AColor, int ALeft, int ATop, int ARight, int ABottom);
  void BarRectangle(TColor AColor, const TRect& R) {
    BarRectangle(AColor, R.Left, R.Top, R.Right, R.Bottom);
  }
  void BarGradient(int ValueIndex, const TRect& R);
  void DrawBevel();
  // The lines across the bar at the value axis' ticks strictly between
  // StartPos and EndPos.
  void DrawTickLines(int StartPos, int EndPos, TBarStyle AStyle);
  // Draws the bar through Draw, blended when the series is transparent.
  void DrawBlended(const std::function<void()>& Draw);

  void SetBarBounds(const TRect& R) { FBarBounds = R; }
  TColor GetNormalBarColor() const { return FNormalBarColor; }
  void SetNormalBarColor(TColor Value) { FNormalBarColor = Value; }
  bool Is3D() const;

 private:
  // Writes MultiBar and SideMargins into every same-class series of the
  // chart (this one included).
  void SetOtherMultiBar();
  // The series of the chart's list, in order, that are bar series of
  // this one's class.
  std::vector<TCustomBarSeries*> SameClassSeries() const;
  TChartPen* BarPenObject() { return &GetBarPen(); }
  TChartBrush* BarBrushObject() { return &GetBarBrush(); }
  TBarSeriesGradient* GradientObject() { return FGradient.get(); }
  TChartHiddenPen* TickLinesObject() { return FTickLines.get(); }

  bool FAutoBarSize = false;
  bool FAutoMarkPosition = true;
  TBarStyle FBarStyle = bsRectangle;
  int FBarWidthPercent = 70;
  int FBevelSize = 1;
  bool FDark3D = true;
  int FDepthPercent = 100;
  std::unique_ptr<TBarSeriesGradient> FGradient;
  TMultiBar FMultiBar = mbSide;
  int FOffsetPercent = 0;
  bool FSideMargins = true;
  int FStackGroup = 0;
  std::unique_ptr<TChartHiddenPen> FTickLines;
  bool FUseYOrigin = true;
  double FYOrigin = 0;
  int FConePercent = 0;
  int FTransparency = 0;
  int FCustomBarSize = 0;
  // caches: figures of one drawing pass, reset by DoBeforeDrawChart (the
  // bar size by the margin calculation); the bounds and colour of the bar
  // being drawn
  int FBarSize = 0;
  int FNumBars = 0;
  int FOrderPos = 1;
  int FPreviousCount = 0;
  int FMaxBarPoints = -1;
  TRect FBarBounds;
  TColor FNormalBarColor = clDefault;
};

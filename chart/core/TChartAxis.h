#pragma once

#include "chart/core/TCustomKorPanel.h"

#include "platform/TPersistent.h"
#include "platform/TRect.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TAxisGridPen;
class TAxisItem;
class TAxisItems;
class TChartAxis;
class TChartAxisPen;
class TChartAxisTitle;
class TChartHiddenPen;
class TChartPen;
class TChartSeries;
class TCustomAxisPanel;
class TKorCustomShape;
class TKorFont;

enum TAxisLabelAlign { alDefault, alOpposite };
enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };

// The smallest range and increment an axis works with.
constexpr double MinAxisRange = 1e-10;
constexpr double MinAxisIncrement = 1e-12;

// Value to pixel (the axis' X, Y or own direction).
using TAxisCalcPos = int (TChartAxis::*)(double Value) const;
using TAxisDrawLabelEvent =
    std::function<void(TChartAxis* Sender, int& X, int& Y, int& Z, QString& Text, bool& DrawLabel)>;
using TAxisDrawGrids = std::function<void(TChartAxis* Sender)>;

// Everything the value-to-pixel functions of an axis read: two axes with
// equal mappings give every value the same pixel.
struct TAxisMapping {
  TAxisCalcPos CalcX = nullptr;
  TAxisCalcPos CalcY = nullptr;
  bool RangeZero = true;
  bool Inverted = false;
  int CenterPos = 0;
  int StartPos = 0;
  int EndPos = 0;
  double Minimum = 0;
  double Maximum = 0;
  double Scale = 0;
  double LogRange = 0;
  double LogScale = 0;
  double LogMin = 0;
  double LogMax = 0;
  bool operator==(const TAxisMapping&) const = default;
};

// The next step of the 1, 2, 5 sequence above Value; the minimum increment
// for Value <= 0 or NaN.
double KorNextStep(double Value);

// Scale: one side of the chart rectangle. Keeps the axis range (automatic
// from the series bound to it, or fixed; linear, logarithmic with any base,
// or date-time; inverted; over a part of the side) and maps values to
// pixels and back; chooses the label increment. Every double-to-pixel
// conversion saturates at +-KorMaxPixelPos, and NaN maps to the start
// pixel.
//
// An axis belongs to one chart: the six standard axes are the chart's own,
// custom axes its custom-axes collection's; either way the axis is in the
// chart's list of all axes from construction to destruction.
class TChartAxis : public TPersistent {
 public:
  explicit TChartAxis(TCustomAxisPanel* AChart);
  ~TChartAxis() override;

  QString ClassName() const override { return QStringLiteral("TChartAxis"); }
  const TPropertyList& Properties() const override;
  // The settings of another axis (not its chart, master, Z position or
  // working state); anything else raises EConvertError.
  void Assign(const TPersistent& Source) override;

  TCustomAxisPanel* GetParentChart() const { return FParentChart; }
  // Custom axes are those past the six standard ones in the chart's list.
  bool IsCustom() const;
  bool IsDepthAxis() const { return FIsDepthAxis; }
  // Also re-chooses the value-to-pixel functions.
  void SetIsDepthAxis(bool Value);

  // -- range

  bool GetAutomatic() const { return FAutomatic; }
  void SetAutomatic(bool Value);
  bool GetAutomaticMaximum() const { return FAutomaticMaximum; }
  void SetAutomaticMaximum(bool Value);
  bool GetAutomaticMinimum() const { return FAutomaticMinimum; }
  void SetAutomaticMinimum(bool Value);
  double GetIncrement() const { return FDesiredIncrement; }
  // 0: automatic. Raises AxisException for a negative value or NaN.
  void SetDesiredIncrement(double Value);
  void SetIncrement(double Value) { SetDesiredIncrement(Value); }
  double GetMaximum() const { return FMaximumValue; }
  // Raise AxisException when the range would be inverted (not while the
  // chart reads a stream).
  void SetMaximum(double Value);
  double GetMinimum() const { return FMinimumValue; }
  void SetMinimum(double Value);
  // Fixed range: the smaller and larger of A and B, at least MinAxisRange
  // wide; custom axes following this one get the same.
  void SetMinMax(double AMin, double AMax);
  bool GetLogarithmic() const { return FLogarithmic; }
  // Raises AxisException on a date-time axis or a negative range (which
  // the range calculation of switching on finds).
  void SetLogarithmic(bool Value);
  double GetLogarithmicBase() const { return FLogarithmicBase; }
  // Raises AxisException unless the base is > 0 and not 1.
  void SetLogarithmicBase(double Value);
  int GetMaximumOffset() const { return FMaximumOffset; }
  void SetMaximumOffset(int Value);
  int GetMinimumOffset() const { return FMinimumOffset; }
  void SetMinimumOffset(int Value);
  // A custom axis follows the range of its master.
  TChartAxis* GetMasterAxis() const { return FMasterAxis; }
  void SetMasterAxis(TChartAxis* Value) { FMasterAxis = Value; }

  // -- placement

  bool GetHorizontal() const { return FHorizontal; }
  void SetHorizontal(bool Value);
  bool GetOtherSide() const { return FOtherSide; }
  void SetOtherSide(bool Value);
  // The chart calls this once it has placed one of its standard axes: the
  // placement (horizontal, other side, visible) becomes what streams leave
  // out, so a file records exactly where it differs.
  void KeepPlacementAsDefault();
  bool GetInverted() const { return FInverted; }
  virtual void SetInverted(bool Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  double GetStartPosition() const { return FStartPosition; }
  void SetStartPosition(double Value);
  double GetEndPosition() const { return FEndPosition; }
  void SetEndPosition(double Value);
  double GetPositionPercent() const { return FPositionPercent; }
  void SetPositionPercent(double Value);
  TKorUnits GetPositionUnits() const { return FPositionUnits; }
  void SetPositionUnits(TKorUnits Value);
  double GetZPosition() const { return FZPosition; }
  // 0 is stored as 0.01.
  void SetZPosition(double Value);

  // -- look (drawn by the label and tick code)

  // The owned pens and title; the setters copy Value's settings in.
  TChartAxisPen& GetAxis() const { return *FAxis; }
  void SetAxis(const TChartAxisPen& Value);
  TChartAxisTitle& GetTitle() const { return *FTitle; }
  void SetTitle(const TChartAxisTitle& Value);
  int GetTitleSize() const { return FTitleSize; }
  void SetTitleSize(int Value);
  TAxisGridPen& GetGrid() const { return *FGrid; }
  void SetGrid(const TAxisGridPen& Value);
  bool GetGridCentered() const;
  void SetGridCentered(bool Value);
  TAxisLabelAlign GetLabelsAlign() const { return FLabelsAlign; }
  void SetLabelsAlign(TAxisLabelAlign Value);
  bool GetLabelsAlternate() const { return FLabelsAlternate; }
  void SetLabelsAlternate(bool Value);
  int GetLabelsAngle() const { return FLabelsAngle; }
  // Stored modulo 360.
  void SetLabelsAngle(int Value);
  TAxisItems& GetItems() const { return *FItems; }
  // Visibility and font of the labels' common format.
  bool GetLabels() const;
  void SetLabels(bool Value);
  TKorFont& GetLabelsFont() const;
  void SetLabelsFont(const TKorFont& Value);
  bool GetLabelsOnAxis() const { return FLabelsOnAxis; }
  void SetLabelsOnAxis(bool Value);
  int GetLabelsSeparation() const { return FLabelsSeparation; }
  // Raises AxisException for a negative value; 0 turns label fitting off.
  void SetLabelsSeparation(int Value);
  int GetLabelsSize() const { return FLabelsSize; }
  void SetLabelsSize(int Value);
  TAxisLabelStyle GetLabelStyle() const { return FLabelStyle; }
  void SetLabelStyle(TAxisLabelStyle Value);
  bool GetLabelsExponent() const { return FLabelsExponent; }
  void SetLabelsExponent(bool Value);
  bool GetLabelsMultiLine() const { return FLabelsMultiLine; }
  void SetLabelsMultiLine(bool Value);
  const QString& GetAxisValuesFormat() const { return FAxisValuesFormat; }
  void SetAxisValuesFormat(const QString& Value);
  const QString& GetDateTimeFormat() const { return FDateTimeFormat; }
  void SetDateTimeFormat(const QString& Value);
  bool GetExactDateTime() const { return FExactDateTime; }
  void SetExactDateTime(bool Value);
  bool GetRoundFirstLabel() const { return FRoundFirstLabel; }
  void SetRoundFirstLabel(bool Value);
  TChartHiddenPen& GetMinorGrid() const { return *FMinorGrid; }
  void SetMinorGrid(const TChartPen& Value);
  int GetMinorTickCount() const { return FMinorTickCount; }
  void SetMinorTickCount(int Value);
  int GetMinorTickLength() const { return FMinorTickLength; }
  void SetMinorTickLength(int Value);
  TChartPen& GetMinorTicks() const { return *FMinorTicks; }
  void SetMinorTicks(const TChartPen& Value);
  TChartPen& GetTicks() const { return *FTicks; }
  void SetTicks(const TChartPen& Value);
  TChartPen& GetTicksInner() const { return *FTicksInner; }
  void SetTicksInner(const TChartPen& Value);
  int GetTickInnerLength() const { return FTickInnerLength; }
  void SetTickInnerLength(int Value);
  int GetTickLength() const { return FTickLength; }
  void SetTickLength(int Value);
  bool GetTickOnLabelsOnly() const { return FTickOnLabelsOnly; }
  void SetTickOnLabelsOnly(bool Value);

  // -- working state of the current drawing pass

  double GetIMinimum() const { return FIMinimum; }
  double GetIMaximum() const { return FIMaximum; }
  double GetIRange() const { return FIRange; }
  int GetIStartPos() const { return FIStartPos; }
  int GetIEndPos() const { return FIEndPos; }
  int GetIAxisSize() const { return FIAxisSize; }
  int GetICenterPos() const { return FICenterPos; }
  // Moves the pixels of the current pass by Delta along the axis, the range
  // kept: a series draws its drop shadow through moved axes and then moves
  // them back by -Delta.
  void MovePositions(int Delta) {
    FIStartPos += Delta;
    FIEndPos += Delta;
    FICenterPos += Delta;
  }
  int GetPosAxis() const { return FPosAxis; }
  void SetPosAxis(int Value) { FPosAxis = Value; }
  int GetPosLabels() const { return FPosLabels; }
  void SetPosLabels(int Value) { FPosLabels = Value; }
  int GetPosTitle() const { return FPosTitle; }
  void SetPosTitle(int Value) { FPosTitle = Value; }
  int GetIZPos() const { return FIZPos; }
  // The visibility the chart computed for this pass.
  bool GetIsVisible() const { return FIsVisible; }
  void SetIsVisible(bool Value) { FIsVisible = Value; }
  bool GetIsDateTimeNow() const { return FIsDateTime; }

  // -- range operations

  // Writes the data range into Maximum / Minimum where automatic, then
  // takes them as the internal range.
  void AdjustMaxMin();
  // The internal range widened so that the data ends Rect's amounts of
  // pixels inside the axis ends (left/right or top/bottom of Rect).
  // Margins that leave the axis no pixel keep the range.
  void AdjustMaxMinRect(const TRect& Rect);
  void CalcMinMax(double& AMin, double& AMax) const;
  void InternalCalcPositions();
  void RecalcSizeCenter();
  void InternalCalcRange();
  // Moves a fixed range by Offset (with CheckLimits only towards data
  // beyond the range).
  void Scroll(double Offset, bool CheckLimits = false);
  // Re-chooses the value-to-pixel functions (logarithmic, fast, depth).
  void SetCalcPosValue();

  // -- conversion

  int CalcPosValue(double Value) const { return (this->*FCalcPosValue)(Value); }
  int CalcXPosValue(double Value) const { return (this->*FCalcXPosValue)(Value); }
  int CalcYPosValue(double Value) const { return (this->*FCalcYPosValue)(Value); }
  // Pixels[I] = CalcXPosValue(Values[I]) (CalcYPosValue) for I < Count, in
  // one call whose loop the compiler vectorises for linear axes: a long
  // data trace pays one call, not one indirect call per value.
  void CalcXPosValues(const double* Values, int Count, int* Pixels) const;
  void CalcYPosValues(const double* Values, int Count, int* Pixels) const;
  TAxisMapping GetMapping() const;
  int CalcSizeValue(double Value) const;
  double CalcPosPoint(int Value) const;

  // -- increments

  // The label increment for the widest label of the current range, in the
  // labels font on the chart's canvas.
  double CalcIncrement();
  // For labels MaxLabelSize pixels along the axis, LabelsSeparation percent
  // apart.
  double CalcXYIncrement(int MaxLabelSize) const;
  // The smallest increment of the 1, 2, 5 sequence (powers of the base on
  // a logarithmic axis, calendar steps on a date-time axis) that shows at
  // most MaxNumLabels labels; Increment when that fits. Always a positive
  // number (the range itself when the increment outgrew every double).
  double CalcLabelsIncrement(int MaxNumLabels) const;
  double CalcDateTimeIncrement(int MaxNumLabels) const;
  // LogarithmicBase to the power of Value's logarithm rounded (ties to
  // even).
  double RoundLogPower(double Value) const;
  // The date-time flag of the value list the first active series bound to
  // the axis has for it.
  bool IsDateTime() const;
  void IncDecDateTime(bool Increment, double& Value, double AnIncrement,
                      int tmpWhichDateTime) const;
  // The label text of a value: the date-time format on a date-time axis
  // (empty for negative values), else the picture format AxisValuesFormat;
  // with LabelsMultiLine every blank starts a new line.
  virtual QString LabelValue(double Value) const;
  // Pixels of Value's label in the labels font on the chart's canvas:
  // its widest line, and TextHeight ("W") per line.
  int LabelWidth(double Value) const;
  int LabelHeight(double Value) const;
  // LabelStyle, or for talAuto what the series bound to the axis suggest.
  TAxisLabelStyle CalcLabelStyle() const;

  // -- layout: the room the axis takes at the side of the chart rectangle

  // Places the axis line, labels and title at R's edge on the axis' side
  // (Inflate false), or takes the room of title, labels, wall and ticks
  // off that edge of R and places title and labels there (Inflate true).
  void CalcRect(TRect& R, bool InflateChartRectangle);
  // Amount pixels taken off R on the axis' side.
  void InflateAxisRect(TRect& R, int Amount) const;
  // Pixel moved Amount pixels away from the chart, on the axis' side.
  int InflateAxisPos(int Value, int Amount) const;
  // Axis pen and ticks (or minor ticks) across the axis, in pixels.
  int SizeTickAxis() const;
  // The room of the labels across the axis (twice with LabelsAlternate).
  int SizeLabels();
  // FixedSize when not 0; else the text height when a text at Angle runs
  // across the axis, else the width of Text (the widest label without one).
  int InternalCalcSize(TKorFont& Font, int Angle, int FixedSize, const QString& Text);
  // The widest label, by the custom items or the label style.
  int MaxLabelsWidth();

  // -- drawing

  // Draws the axis on the chart's canvas: title, labels (custom items,
  // values, logarithmic powers, the application's values, point labels or
  // series names), axis line, ticks, grid, inner and minor ticks and minor
  // grid. CalcPosAxis first puts the axis line at the chart rectangle's
  // edge. The ticks of this drawing are kept for DrawGrids.
  void Draw(bool CalcPosAxis);
  // The title's caption at (X, Y): along the depth at half the chart's
  // depth for a depth axis, else like a label at the title's angle.
  void DrawTitle(int X, int Y);
  // One label text (lines split at the line separator) anchored at (X, Y)
  // and aligned by Angle and the axis' side, on Format's background (the
  // labels' common format when nullptr), at the axis' Z pixel. OnDrawLabel
  // may move, change or suppress it.
  void DrawAxisLabel(int X, int Y, int Angle, const QString& St, TKorCustomShape* Format = nullptr);
  // The grid at the first NumTicks ticks of the current drawing, after
  // OnDrawGrids.
  void DrawGrids(int NumTicks);
  // One grid line at pixel APos along the axis, with the canvas' pen; none
  // at or beyond the axis ends.
  void DrawGridLine(int APos);
  // The axis drawn with its labels at APosLabels, its title at APosTitle
  // and its line at APosAxis (pixels across the axis), the grid shown or
  // not, over the pixels AStartPos .. AEndPos along it (the Start/End
  // positions' pixels for the forms without them), optionally over the
  // range AMinimum .. AMaximum with AIncrement (raises AxisException for a
  // negative increment). The axis keeps its own positions, range and grid
  // afterwards, also when drawing fails.
  void CustomDraw(int APosLabels, int APosTitle, int APosAxis, bool GridVisible);
  void CustomDrawStartEnd(int APosLabels, int APosTitle, int APosAxis, bool GridVisible,
                          int AStartPos, int AEndPos);
  void CustomDrawMinMax(int APosLabels, int APosTitle, int APosAxis, bool GridVisible,
                        double AMinimum, double AMaximum, double AIncrement);
  void CustomDrawMinMaxStartEnd(int APosLabels, int APosTitle, int APosAxis, bool GridVisible,
                                double AMinimum, double AMaximum, double AIncrement, int AStartPos,
                                int AEndPos);
  // The major ticks of the current drawing (pixels along the axis, in the
  // order they were added).
  int GetTickCount() const { return static_cast<int>(FTicksPositions.size()); }
  const std::vector<int>& GetTicksPositions() const { return FTicksPositions; }
  // While set, the grid leaves out its lines on the back wall (or across
  // the floor and side walls): the chart draws those parts separately
  // when walls face away from the viewer.
  bool GetHideBackGrid() const { return FHideBackGrid; }
  void SetHideBackGrid(bool Value) { FHideBackGrid = Value; }
  bool GetHideSideGrid() const { return FHideSideGrid; }
  void SetHideSideGrid(bool Value) { FHideSideGrid = Value; }

  // -- placement operations

  int ApplyPosition(int APos, const TRect& R) const;
  int GetRectangleEdge(const TRect& R) const;
  int CalcZPos() const;
  TRect AxisRect() const;
  bool Clicked(int X, int Y) const;

  TAxisDrawLabelEvent OnDrawLabel;
  TAxisDrawGrids OnDrawGrids;

 protected:
  // Stores Value and invalidates the chart on a change.
  template <class T>
  void SetAxisField(T& Field, const T& Value) {
    if (SetIfChanged(Field, Value)) InvalidateChart();
  }
  void InvalidateChart() const;
  // talNone without an active series bound to the axis; talText when one
  // whose non-mandatory values lie along the axis has a point label;
  // otherwise talValue.
  virtual TAxisLabelStyle InternalCalcLabelStyle() const;
  // Whether the series' non-mandatory values (X of a vertical series) lie
  // along this axis.
  bool SeriesAlongAxis(const TChartSeries& Series) const;

 private:
  // Value to pixel. The plain forms round the offset from the start or end
  // pixel, the clamped forms the position itself; all of them saturate at
  // +-KorMaxPixelPos and send NaN to the start pixel.
  int CalcXPosValuePlain(double Value) const;
  int CalcYPosValuePlain(double Value) const;
  int CalcXPosValueClamped(double Value) const;
  int CalcYPosValueClamped(double Value) const;
  int CalcXPosValueLog(double Value) const;
  int CalcYPosValueLog(double Value) const;
  int CalcDepthPosValue(double Value) const;
  // The batch forms of the conversion Calc: the vectorised loops of the
  // linear forms, a loop over Calc for the others.
  void CalcPosValues(TAxisCalcPos Calc, const double* Values, int Count, int* Pixels) const;
  int PixelOf(double Position) const;
  int OffsetPixel(int Base, double Offset) const;
  // A label's size along the axis: the widest line's width (IsWidth), else
  // the text height of its lines.
  int InternalLabelSize(double Value, bool IsWidth) const;
  // Whether label texts run along the axis (so their width counts).
  bool LabelsAlongAxis() const;
  // Pixels a label takes along the axis in the current canvas font: its
  // width or its lines' height, for slanted labels what keeps two of them
  // clear of each other.
  int LabelExtent(const QString& Text) const;
  // The largest extent of the labels AIncrement apart over the range (0
  // when they are too many to measure, or powers of a logarithmic axis).
  int WidestLabelExtent(double AIncrement);
  // Whether some active series bound to the axis has at most MaxPoints
  // points along it.
  bool HasSeriesWithAtMost(int MaxPoints) const;
  bool FastCalc() const;
  double DataMinimum() const;
  double DataMaximum() const;
  // Changes to the owned pens, title and labels repaint the chart.
  TNotifyEvent ChangeHandler();
  // Sub-object getters for the property table.
  TChartAxisPen* AxisObject() { return FAxis.get(); }
  TChartAxisTitle* TitleObject() { return FTitle.get(); }
  TAxisGridPen* GridObject() { return FGrid.get(); }
  TKorFont* LabelsFontObject() { return &GetLabelsFont(); }
  TChartHiddenPen* MinorGridObject() { return FMinorGrid.get(); }
  TChartPen* MinorTicksObject() { return FMinorTicks.get(); }
  TChartPen* TicksObject() { return FTicks.get(); }
  TChartPen* TicksInnerObject() { return FTicksInner.get(); }

  // -- drawing steps (see the .cpp)

  // The labels of the current drawing, by items or label style.
  void DrawLabels();
  // Values from the highest multiple of AIncrement down, stepping by
  // calendar units for the exact date-time step Which.
  void DrawDefaultLabels(double AIncrement, int Which);
  // The powers of the logarithmic base in the range.
  void DrawLogLabels();
  // The values OnGetNextAxisLabel gives.
  void DrawApplicationLabels(double AIncrement, int Which);
  // Default labels, logarithmic ones on a logarithmic axis without an
  // increment.
  void DrawValueLabels(double AIncrement, int Which);
  void DrawItems();
  // The marks or point labels of the series bound to the axis.
  void DrawPointLabels(TAxisLabelStyle Style);
  // One label per series slot of a depth axis: the series' titles.
  void DrawDepthSeriesLabels();
  // The label of Value where it lies on the axis (CheckOverlap: only when
  // it keeps clear of the previous label).
  void DrawValueLabel(double Value, bool CheckOverlap);
  // Text at APos along the axis, in Item's font and shape (the labels'
  // when nullptr).
  void DrawThisLabel(int APos, const QString& Text, TAxisItem* Item, double Value);
  // Whether a label Size pixels long at APos keeps clear of the previous
  // one (LabelsSeparation percent apart); records it when it does.
  bool LabelFits(int APos, int Size);
  void AddTick(int APos, double Value);
  // +1 when outward (away from the chart) is towards larger pixels.
  int Outward() const;
  // The pixel across a depth axis where it runs (chart bottom or top).
  int DepthAxisPos() const;
  // Where the ticks start outside the axis line: the axis position plus
  // the wall thickness (no wall for the top axis).
  int TickBase(int WallSize) const;
  // Text alignment for a label at Angle, moving the anchor (X, Y) as the
  // angle needs; Width is the label's widest line.
  int LabelAlignment(int Angle, int Width, int H, int& X, int& Y);
  void DrawLabelBackground(TKorCustomShape& Format, const TPoint& First, int Z, int Align,
                           int Angle, int Width, int Lines, int H);
  // One line of a label; with LabelsExponent at angle 0 a text with an
  // exponent ("E") as mantissa and raised exponent.
  void DrawLabelLine(int X, int Y, int Z, int Angle, int Align, const QString& Line);
  void DrawAxisLine();
  // Lines Length pixels long at each of Positions, starting at Start
  // across the axis and going Sign-wards.
  void DrawTickLines(const std::vector<int>& Positions, int Start, int Length, int Sign);
  void DrawMinorTicksAndGrid(int WallSize);
  // Pixels of the minor ticks between (and beyond) the major ticks.
  std::vector<int> MinorTickPositions() const;
  // A line between two points in chart coordinates, at depth Z in 3D.
  void AxisLine(int X0, int Y0, int X1, int Y1, int Z);
  // Whether APos lies strictly between the axis ends.
  bool InsideAxis(int APos) const;

  TCustomAxisPanel* FParentChart;  // not owned
  bool FAutomatic = true;
  bool FAutomaticMaximum = true;
  bool FAutomaticMinimum = true;
  double FDesiredIncrement = 0;
  double FMaximumValue = 0;
  double FMinimumValue = 0;
  bool FLogarithmic = false;
  double FLogarithmicBase = 10;
  int FMaximumOffset = 0;
  int FMinimumOffset = 0;
  std::unique_ptr<TChartAxisPen> FAxis;
  int FPosAxis = 0;
  double FZPosition = 0;
  std::unique_ptr<TChartAxisTitle> FTitle;
  int FTitleSize = 0;
  int FPosTitle = 0;
  std::unique_ptr<TAxisGridPen> FGrid;
  TAxisLabelAlign FLabelsAlign = alDefault;
  bool FLabelsAlternate = false;
  int FLabelsAngle = 0;
  std::unique_ptr<TAxisItems> FItems;
  bool FLabelsOnAxis = true;
  int FLabelsSeparation = 10;
  int FLabelsSize = 0;
  TAxisLabelStyle FLabelStyle = talAuto;
  bool FLabelsExponent = false;
  bool FLabelsMultiLine = false;
  int FPosLabels = 0;
  QString FAxisValuesFormat;
  QString FDateTimeFormat;
  bool FExactDateTime = true;
  bool FRoundFirstLabel = true;
  std::unique_ptr<TChartHiddenPen> FMinorGrid;
  int FMinorTickCount = 3;
  int FMinorTickLength = 2;
  std::unique_ptr<TChartPen> FMinorTicks;
  std::unique_ptr<TChartPen> FTicks;
  std::unique_ptr<TChartPen> FTicksInner;
  int FTickInnerLength = 0;
  int FTickLength = 4;
  bool FTickOnLabelsOnly = true;
  bool FInverted = false;
  bool FHorizontal = false;
  bool FOtherSide = false;
  bool FVisible = true;
  bool FDefaultHorizontal = false;
  bool FDefaultOtherSide = false;
  bool FDefaultVisible = true;
  double FStartPosition = 0;
  double FEndPosition = 100;
  double FPositionPercent = 0;
  TKorUnits FPositionUnits = muPercent;
  TChartAxis* FMasterAxis = nullptr;  // not owned
  bool FIsDepthAxis = false;
  // Set while SetMinMax hands the range on to the following axes, so that
  // axes following each other in a ring stop.
  bool FSettingMinMax = false;
  // caches: working state of the current drawing pass
  bool FIsDateTime = false;
  double FLogScale = 0;
  double FAxisScale = 0;
  int FICenterPos = 0;
  double FLogMax = 0;
  double FLogMin = 0;
  double FIMaximum = 0;
  double FIMinimum = 0;
  double FIRange = 0;
  double FLogRange = 0;
  bool FRangeZero = true;
  bool FIsVisible = true;
  bool FHideBackGrid = false;
  bool FHideSideGrid = false;
  int FIZPos = 0;
  int FIStartPos = 0;
  int FIEndPos = 0;
  int FIAxisSize = 0;
  TAxisCalcPos FCalcXPosValue = &TChartAxis::CalcXPosValueClamped;
  TAxisCalcPos FCalcYPosValue = &TChartAxis::CalcYPosValueClamped;
  TAxisCalcPos FCalcPosValue = &TChartAxis::CalcYPosValueClamped;
  std::vector<int> FTicksPositions;
  // The value of each tick (minor ticks are placed between values, not
  // between rounded pixels).
  std::vector<double> FTicksValues;
  // Labels drawn in this pass (every other one moves outward when
  // alternating), and the previous label's place and half size for the
  // overlap rule.
  int FLabelCount = 0;
  bool FHasPreviousLabel = false;
  int FPreviousLabelPos = 0;
  int FPreviousLabelHalf = 0;
  // MaxLabelsWidth for alternating vertical labels; -1 until needed.
  int FAlternateWidth = -1;
};

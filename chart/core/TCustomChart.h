#pragma once

#include "chart/core/TCustomAxisPanel.h"
#include "chart/core/TKorCustomTool.h"

#include "platform/TColor.h"
#include "platform/TCustomControl.h"
#include "platform/TRect.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TChartAxis;
class TChartBackWall;
class TChartFootTitle;
class TChartLegend;
class TChartRightWall;
class TChartSeries;
class TChartTitle;
class TChartValueList;
class TChartWall;
class TChartWalls;
class TCustomChart;
class TCustomChartWall;
class TKorBlend;

enum TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues };

using TOnGetLegendText = std::function<void(TCustomAxisPanel* Sender, TLegendStyle LegendStyle,
                                            int Index, QString& LegendText)>;
using TOnGetLegendPos =
    std::function<void(TCustomChart* Sender, int Index, int& X, int& Y, int& XColor)>;
using TOnGetLegendRect = std::function<void(TCustomChart* Sender, TRect& Rect)>;
using TChartClickEvent =
    std::function<void(TCustomChart* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TChartClickAxis = std::function<void(TCustomChart* Sender, TChartAxis* Axis,
                                           TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TChartClickSeries =
    std::function<void(TCustomChart* Sender, TChartSeries* Series, int ValueIndex,
                       TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TChartClickTitle = std::function<void(TCustomChart* Sender, TChartTitle* Title,
                                            TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TChartAllowScrollEvent =
    std::function<void(TChartAxis* Sender, double& AMin, double& AMax, bool& AllowScroll)>;

// The gap between a title and the chart rectangle, in pixels.
extern int KorTitleFootDistance;

// Whether the mouse wheel scrolls the vertical axes.
extern bool KorUseMouseWheel;
// The keys that must be held to start panning with the scroll button.
extern TShiftState KorScrollKeyShift;
// Each step of an animated zoom moves the axes this fraction (1 / factor)
// of the way to their targets.
extern double AnimatedZoomFactor;

enum TChartClickedPartStyle : unsigned char {
  cpNone,
  cpLegend,
  cpAxis,
  cpSeries,
  cpTitle,
  cpFoot,
  cpChartRect,
  cpSeriesMarks,
  cpSubTitle,
  cpSubFoot
};

// What lies under a point of the chart.
struct TChartClickedPart {
  TChartClickedPartStyle Kind = cpNone;
  int ValueIndex = -1;             // the point, mark or legend item; -1: none
  TChartSeries* Series = nullptr;  // not owned
  TChartAxis* Axis = nullptr;      // not owned
};

// The range settings of one axis from before the first zoom or scroll. The
// record names its axis, so that axes added or freed in between neither
// shift the others' ranges nor are restored from a stranger's.
struct TAxisSavedScales {
  TChartAxis* Axis = nullptr;  // not owned; dropped when the axis is freed
  bool Automatic = true;
  bool AutomaticMinimum = true;
  bool AutomaticMaximum = true;
  double Min = 0;
  double Max = 0;
};
using TAllAxisSavedScales = std::vector<TAxisSavedScales>;

// Render: the chart with its titles, walls and legend around the axis
// chart. Draws them in the places the axis chart's drawing pass leaves for
// them and answers the hooks that need them (wall sizes, free colours,
// legend texts).
class TCustomChart : public TCustomAxisPanel {
 public:
  explicit TCustomChart(TComponent* AOwner);
  ~TCustomChart() override;

  QString ClassName() const override { return QStringLiteral("TCustomChart"); }
  const TPropertyList& Properties() const override;
  // Palette index, titles, legend, scroll button and walls of another
  // chart, then the axis chart's part.
  void Assign(const TPersistent& Source) override;
  // Streams write the tools after the series.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;
  // "BackColor", which older files wrote, sets the back wall's colour.
  bool ReadLegacyProperty(const QString& Name, const TPropertyValue& Value) override;

  // For editors that offer the value lists a list may take its values
  // from: when ValueList's series takes its data from another series,
  // Proc gets the name of each value list of that series, in order;
  // otherwise nothing.
  using TValueSourceProc = std::function<void(const QString& Name)>;
  virtual void FillValueSourceItems(const TChartValueList& ValueList,
                                    const TValueSourceProc& Proc) const;
  // The series sources a series may take its data from beside other
  // series; a chart offers none.
  virtual void FillSeriesSourceItems(const TChartSeries& Series,
                                     const TValueSourceProc& Proc) const;

  TChartTitle& GetTitle() const { return *FTitle; }
  TChartTitle& GetSubTitle() const { return *FSubTitle; }
  TChartFootTitle& GetFoot() const { return *FFoot; }
  TChartFootTitle& GetSubFoot() const { return *FSubFoot; }
  TChartWalls& GetWalls() const { return *FWalls; }
  TChartBackWall& GetBackWall() const;
  TChartWall& GetLeftWall() const;
  TChartWall& GetBottomWall() const;
  TChartRightWall& GetRightWall() const;
  TChartLegend& GetLegend() const { return *FLegend; }
  TMouseButton GetScrollMouseButton() const { return FScrollMouseButton; }
  void SetScrollMouseButton(TMouseButton Value) { FScrollMouseButton = Value; }
  int GetColorPaletteIndex() const { return FColorPaletteIndex; }
  void SetColorPaletteIndex(int Value) { FColorPaletteIndex = Value; }

  // The back wall's colour, or the panel's when the back wall is
  // transparent; setting it colours the back wall (and makes its brush
  // solid unless the chart is loading or has no window).
  TColor GetBackColor() const override;
  void SetBackColor(TColor Value);

  // -- hooks of the axis chart

  int CalcWallSize(const TChartAxis* Axis) const override;
  bool IsFreeSeriesColor(TColor AColor, bool CheckBackground,
                         const TChartSeries* Series) const override;
  // The series' own legend text when the series has a legend, else the
  // chart legend's.
  QString FormattedValueLegend(TChartSeries* ASeries, int ValueIndex) override;
  void DrawLegendShape(const TRect& Rect) override;

  // -- walls

  void PrepareWallCanvas(const TCustomChartWall& Wall);
  bool DrawWallFirst(int APos);
  bool DrawRightWallAfter();
  bool DrawLeftWallFirst();
  void DrawLeftWall();
  void DrawRightWall();
  void DrawBackWall();
  void DrawBottomWall();
  // Whether some active series uses axes.
  bool ActiveSeriesUseAxis() const;

  // The standard name of an axis, or its title's caption.
  QString AxisTitleOrName(const TChartAxis* Axis) const;

  // -- mouse, zoom and scroll

  // The part under Pos (chart pixels); with OnlyResponding a series counts
  // only when a click on it would reach a handler.
  TChartClickedPart CalcNeedClickedPart(const TPoint& Pos, bool OnlyResponding) const;
  void CalcClickedPart(const TPoint& Pos, TChartClickedPart& Part) const;
  // Tells every active tool, in list order, until one cancels the mouse.
  void BroadcastMouseEvent(TChartMouseEvent AEvent, TMouseButton Button, TShiftState Shift, int X,
                           int Y);
  using TCustomAxisPanel::BroadcastMouseEvent;
  // Every vertical axis moves by 3 % of its range (down: towards larger
  // values).
  void ScrollVerticalAxes(bool Up);
  // Zooms to Rect (chart pixels) as a mouse drag over it would.
  void ZoomRect(const TRect& Rect);
  // Keeps the centre of every axis the zoom direction covers and scales
  // its width by 100 / Percent (above 100 zooms in). Nothing for a
  // Percent that is not positive.
  void ZoomPercent(double Percent);
  // The four standard axes get the ranges (animated when the zoom says so)
  // after the scales from before the first zoom were saved.
  void DoZoom(double TopMin, double TopMax, double BottomMin, double BottomMax, double LeftMin,
              double LeftMax, double RightMin, double RightMax);
  // Restores the scales from before the first zoom or scroll, then the
  // panel's undo.
  void UndoZoom() override;
  // The range settings of every non-depth axis.
  TAllAxisSavedScales SaveScales() const;
  // Every saved axis that still exists gets its range settings back; Saved
  // is emptied.
  void RestoreScales(TAllAxisSavedScales& Saved);
  // False from the first zoom or scroll until the zoom is undone.
  bool GetScalesRestored() const { return FScalesRestored; }

  TOnGetLegendText OnGetLegendText;
  TOnGetLegendPos OnGetLegendPos;
  TOnGetLegendRect OnGetLegendRect;
  TChartAllowScrollEvent OnAllowScroll;
  TChartClickAxis OnClickAxis;
  TChartClickEvent OnClickBackground;
  TChartClickEvent OnClickLegend;
  TChartClickSeries OnClickSeries;
  TChartClickTitle OnClickTitle;
  TChartNotifyEvent OnScroll;
  TChartNotifyEvent OnZoom;

 protected:
  void CalcWallsRect() override;
  void DrawTitlesAndLegend(bool BeforeSeries) override;
  void DrawWalls() override;

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos) override;
  void DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos) override;
  // Escape cancels a zoom drag.
  void KeyDown(int& Key, TShiftState Shift) override;
  // Also ends a zoom drag, zooming nowhere.
  void CancelMouseDrags() override;
  // Zooms to the normalised zoom rectangle.
  void CalcZoomPoints();
  void AxisRemoved(TChartAxis* Axis) override;

 private:
  void DrawTitles(bool CustomPositioned);
  // Starts the side wall's face at APos from the chart top to Bottom: its
  // blend (returned, ended by the caller after the wall) and gradient.
  std::unique_ptr<TKorBlend> TryDrawWall(TCustomChartWall& Wall, int APos, int Bottom);
  // Mouse-down steps; true when the click was handled.
  bool ClickedPartDown(const TChartClickedPart& Part, TMouseButton Button, TShiftState Shift, int X,
                       int Y, bool& BackgroundChecked);
  bool CheckBackground(TMouseButton Button, TShiftState Shift, int X, int Y);
  bool CheckZoomPanning(TMouseButton Button, TShiftState Shift, int X, int Y);
  bool ClickedSeries(const TChartClickedPart& Part, TMouseButton Button, TShiftState Shift, int X,
                     int Y);
  TChartTitle* TitleOfPart(TChartClickedPartStyle Kind) const;
  // Ends the drags whose button is no longer held: a press of that button
  // (Pressed) or a move without it means its release went to another window.
  void EndLostDrags(TShiftState Shift, const TMouseButton* Pressed);
  void CancelZoomDrag();
  void DragZoom(int X, int Y);
  void EndZoomDrag(int X, int Y);
  void DragPanning(int X, int Y);
  // Scrolls the axes of one orientation by the pixel move from Old to New;
  // true when panning in that orientation is allowed and the point moved.
  bool PanAxes(bool Horizontal, int New, int Old);
  void SaveScalesOnce();

  std::unique_ptr<TChartTitle> FTitle;
  std::unique_ptr<TChartTitle> FSubTitle;
  std::unique_ptr<TChartFootTitle> FFoot;
  std::unique_ptr<TChartFootTitle> FSubFoot;
  std::unique_ptr<TChartWalls> FWalls;
  std::unique_ptr<TChartLegend> FLegend;
  TMouseButton FScrollMouseButton = mbRight;
  int FColorPaletteIndex = 0;
  // caches: the scales to go back to when the zoom is undone
  TAllAxisSavedScales FSavedScales;
  bool FScalesRestored = true;
};

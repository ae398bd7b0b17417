#pragma once

#include "chart/core/TCustomAxisPanel.h"

#include "platform/TColor.h"
#include "platform/TCustomControl.h"
#include "platform/TRect.h"

#include <QString>

#include <functional>
#include <memory>

class TChartAxis;
class TChartBackWall;
class TChartFootTitle;
class TChartLegend;
class TChartRightWall;
class TChartSeries;
class TChartTitle;
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

  TOnGetLegendText OnGetLegendText;
  TOnGetLegendPos OnGetLegendPos;
  TOnGetLegendRect OnGetLegendRect;
  TChartAllowScrollEvent OnAllowScroll;
  TChartClickAxis OnClickAxis;
  TChartClickEvent OnClickBackground;
  TChartClickEvent OnClickLegend;
  TChartClickSeries OnClickSeries;
  TChartClickTitle OnClickTitle;

 protected:
  void CalcWallsRect() override;
  void DrawTitlesAndLegend(bool BeforeSeries) override;
  void DrawWalls() override;

 private:
  void DrawTitles(bool CustomPositioned);
  // Starts the side wall's face at APos from the chart top to Bottom: its
  // blend (returned, ended by the caller after the wall) and gradient.
  std::unique_ptr<TKorBlend> TryDrawWall(TCustomChartWall& Wall, int APos, int Bottom);

  std::unique_ptr<TChartTitle> FTitle;
  std::unique_ptr<TChartTitle> FSubTitle;
  std::unique_ptr<TChartFootTitle> FFoot;
  std::unique_ptr<TChartFootTitle> FSubFoot;
  std::unique_ptr<TChartWalls> FWalls;
  std::unique_ptr<TChartLegend> FLegend;
  TMouseButton FScrollMouseButton = mbRight;
  int FColorPaletteIndex = 0;
};

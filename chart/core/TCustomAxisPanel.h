#pragma once

#include "chart/core/TCustomKorPanelExtended.h"
#include "chart/core/TKorEvent.h"

#include "platform/TColor.h"
#include "platform/TRect.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TChartAxes;
class TChartAxis;
class TChartCustomAxes;
class TChartPen;
class TChartSeries;
class TChartSeriesList;
class TChartTools;
class TKorCustomDesigner;
class TKorCustomTool;

// What the chart tells its tools while it draws.
enum TChartToolEvent {
  cteAfterDraw,
  cteBeforeDrawSeries,
  cteBeforeDraw,
  cteBeforeDrawAxes,
  cteAfterDrawSeries,
  cteMouseLeave
};

class TCustomAxisPanel;

using TChartNotifyEvent = std::function<void(TCustomAxisPanel* Sender)>;
// The text of an axis label; Series is nullptr and ValueIndex -1 for a
// label of a value.
using TAxisOnGetLabel = std::function<void(TChartAxis* Sender, TChartSeries* Series, int ValueIndex,
                                           QString& LabelText)>;
// The value of label LabelIndex of an axis; setting Stop ends the labels.
using TAxisOnGetNextLabel =
    std::function<void(TChartAxis* Sender, int LabelIndex, double& LabelValue, bool& Stop)>;

// Render: the axis chart. It owns the series list (not the series: their
// component owner frees them, and a series leaves the chart first), the
// six standard axes and the custom axes, the tools, the paging state and
// the 3D depth figures, and draws everything in one fixed order. Titles,
// walls and the legend are a derived chart's, reached through the abstract
// hooks.
class TCustomAxisPanel : public TCustomKorPanelExtended {
 public:
  explicit TCustomAxisPanel(TComponent* AOwner);
  ~TCustomAxisPanel() override;

  QString ClassName() const override { return QStringLiteral("TCustomAxisPanel"); }
  const TPropertyList& Properties() const override;
  // From another axis panel: 3D percent, axes settings, clipping, palette,
  // custom axes and paging; then the panel's part.
  void Assign(const TPersistent& Source) override;

  // -- properties

  int GetChart3DPercent() const { return FChart3DPercent; }
  // Raises ChartException outside 1 .. 100.
  void SetChart3DPercent(int Value);
  bool GetAxisBehind() const { return FAxisBehind; }
  void SetAxisBehind(bool Value) { SetBooleanProperty(FAxisBehind, Value); }
  bool GetAxisVisible() const { return FAxisVisible; }
  void SetAxisVisible(bool Value) { SetBooleanProperty(FAxisVisible, Value); }
  bool GetClipPoints() const { return FClipPoints; }
  void SetClipPoints(bool Value) { SetBooleanProperty(FClipPoints, Value); }
  bool GetView3DWalls() const { return FView3DWalls; }
  void SetView3DWalls(bool Value) { SetBooleanProperty(FView3DWalls, Value); }
  int GetPage() const { return FPage; }
  void SetPage(int Value);
  int GetMaxPointsPerPage() const { return FMaxPointsPerPage; }
  // Raises ChartException for a negative value.
  void SetMaxPointsPerPage(int Value);
  bool GetScaleLastPage() const { return FScaleLastPage; }
  void SetScaleLastPage(bool Value) { SetBooleanProperty(FScaleLastPage, Value); }
  const std::vector<TColor>& GetColorPalette() const { return FColorPalette; }
  void SetColorPalette(const std::vector<TColor>& Value);
  TColor GetLegendBackColor() const { return FLegendBackColor; }
  void SetLegendBackColor(TColor Value) { FLegendBackColor = Value; }
  // The pen of legend symbols, or none (not owned).
  TChartPen* GetLegendSymbolPen() const { return FLegendSymbolPen; }
  void SetLegendSymbolPen(TChartPen* Value) { FLegendSymbolPen = Value; }
  bool GetRotationInverted() const { return FRotationInverted; }
  bool GetSuppressSeriesEvents() const { return FSuppressSeriesEvents; }
  void SetSuppressSeriesEvents(bool Value) { FSuppressSeriesEvents = Value; }
  bool GetAutoRepaint() const { return FAutoRepaint; }
  void SetAutoRepaint(bool Value) { FAutoRepaint = Value; }
  // Whether the series' Z orders spread them over the depth.
  bool GetApplyZOrder() const { return GetApplyDepthOrder(); }

  // Figures of the last drawing pass.
  int GetZOrderCount() const { return FZOrderCount; }
  void SetZOrderCount(int Value) { FZOrderCount = Value; }
  int GetSeriesDepth3D() const { return FSeriesDepth3D; }
  int GetSeriesDepthHeight3D() const { return FSeriesDepthHeight3D; }
  int GetDepth3D() const { return FDepth3D; }
  int GetDepthHeight3D() const { return FDepthHeight3D; }

  // -- axes

  TChartAxes& GetAxesList() const { return *FAxes; }
  TChartCustomAxes& GetCustomAxes() const { return *FCustomAxes; }
  TChartAxis* GetBottomAxis() const { return FBottomAxis; }
  TChartAxis* GetTopAxis() const { return FTopAxis; }
  TChartAxis* GetLeftAxis() const { return FLeftAxis; }
  TChartAxis* GetRightAxis() const { return FRightAxis; }
  TChartAxis* GetDepthAxis() const { return FDepthAxis; }
  TChartAxis* GetDepthTopAxis() const { return FDepthTopAxis; }
  // The visibility computed by the last drawing pass.
  bool IsAxisVisible(const TChartAxis* Axis) const;
  bool CalcIsAxisVisible(const TChartAxis* Axis) const;
  bool HasActiveSeries(const TChartAxis* Axis) const;
  bool NoActiveSeries(const TChartAxis* Axis) const;
  TChartSeries* GetAxisSeries(const TChartAxis* Axis) const;
  TChartSeries* GetAxisSeriesMaxPoints(const TChartAxis* Axis) const;
  // The data range the axis asks for (paging and depth axes included).
  double MinXValue(const TChartAxis* Axis) const;
  double MaxXValue(const TChartAxis* Axis) const;
  double MinYValue(const TChartAxis* Axis) const;
  double MaxYValue(const TChartAxis* Axis) const;
  double InternalMinMax(const TChartAxis* Axis, bool IsMin, bool IsX) const;
  // Wall thickness on the axis' side (0 without walls).
  virtual int CalcWallSize(const TChartAxis* Axis) const = 0;

  // -- series list

  TChartSeriesList& GetSeriesList() const { return *FSeriesList; }
  TChartSeries* AddSeries(TChartSeries* ASeries);
  void InternalAddSeries(TChartSeries* ASeries);
  void RemoveSeries(TChartSeries* ASeries);
  void RemoveSeries(int SeriesIndex);
  void RemoveAllSeries();
  // Frees every series, or those whose class name is ClassName.
  void FreeAllSeries(const QString& SeriesClassName = QString());
  void ExchangeSeries(int Index1, int Index2);
  void ExchangeSeries(TChartSeries* Series1, TChartSeries* Series2);
  void SeriesUp(TChartSeries* ASeries);
  void SeriesDown(TChartSeries* ASeries);
  // Raises ChartException for an index outside 0 .. SeriesCount - 1.
  TChartSeries* GetSeries(int Index) const;
  int SeriesCount() const;
  int CountActiveSeries() const;
  // The first active series, or none.
  TChartSeries* GetASeries() const;
  int IndexOfSeries(const TChartSeries* ASeries) const;
  TChartSeries* SeriesLegend(int ItemIndex, bool OnlyActive) const;
  TChartSeries* ActiveSeriesLegend(int ItemIndex) const { return SeriesLegend(ItemIndex, true); }
  QString SeriesTitleLegend(int SeriesIndex, bool OnlyActive = false) const;
  int GetMaxValuesCount() const;
  int MaxTextWidth();
  int MaxMarkWidth();
  // The widest line of Text (lines split at the line separator) on the
  // chart's canvas, and the number of lines.
  int MultiLineTextWidth(const QString& Text, int& NumLines);

  // -- colours

  TColor GetDefaultColor(int Index) const;
  TColor GetFreeSeriesColor(bool CheckBackground, const TChartSeries* Series) const;
  virtual bool IsFreeSeriesColor(TColor AColor, bool CheckBackground,
                                 const TChartSeries* Series) const = 0;
  void ColorPaletteChanged();

  // -- paging

  int NumPages() const;
  void NextPage();
  void PreviousPage();
  // Prints pages From .. To (0: first, 0: last) as one job on the
  // program's printer, one page of points per printer page, and selects
  // the page that was current before however the job ends. A failure
  // aborts the job and goes on to the caller.
  void PrintPages(int FromPage = 0, int ToPage = 0);

  // -- data sources

  virtual void CheckDatasource(TChartSeries* ASeries);
  bool IsValidDataSource(TChartSeries* ASeries, TComponent* AComponent) const;
  // Raises ChartException when Dest is (indirectly) Source's data source.
  void CheckOtherSeries(TChartSeries* Dest, TChartSeries* Source) const;
  void RemovedDataSource(TChartSeries* ASeries, TComponent* AComponent);

  // -- tools and events

  TChartTools& GetTools() const { return *FTools; }
  void BroadcastToolEvent(TChartToolEvent AEvent);
  void BroadcastSeriesEvent(TChartSeries* ASeries, TChartSeriesEvent Event);
  // Sends a new event of class T (made without arguments) to the panel's
  // listeners.
  template <class T>
  void BroadcastKorEventClass() {
    T Event;
    BroadcastKorEvent(Event);
  }
  // The legend text of one value; empty here.
  virtual QString FormattedValueLegend(TChartSeries* ASeries, int ValueIndex);
  virtual void DrawLegendShape(const TRect& Rect);
  // Whether the back plane at depth Z faces away and is drawn after the
  // series.
  virtual bool DrawBackWallAfter(int Z);

  // -- drawing

  // Only while the chart is not in the middle of a drawing pass.
  void Invalidate() override;
  // The axis passes and the series of one frame (see the .cpp).
  void InternalDraw(const TRect& UserRectangle) override;
  // The panel is painted first where the canvas draws flat.
  bool FramePaintsEveryPixel() const override;
  void CalcSize3DWalls();

  TKorCustomDesigner* GetDesigner() const { return FDesigner; }
  void SetDesigner(TKorCustomDesigner* Value) { FDesigner = Value; }

  TChartNotifyEvent OnAfterDraw;
  TChartNotifyEvent OnBeforeDrawAxes;
  TChartNotifyEvent OnBeforeDrawChart;
  TChartNotifyEvent OnBeforeDrawSeries;
  TChartNotifyEvent OnPageChange;
  TAxisOnGetLabel OnGetAxisLabel;
  TAxisOnGetNextLabel OnGetNextAxisLabel;

 protected:
  virtual void CalcWallsRect() = 0;
  virtual void DoOnAfterDraw();
  virtual void DoOnBeforeDrawAxes();
  virtual void DoOnBeforeDrawChart();
  virtual void DoOnBeforeDrawSeries();
  virtual void DrawTitlesAndLegend(bool BeforeSeries) = 0;
  virtual void DrawWalls() = 0;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Streams write the chart's series as its children.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;
  // The panel's handling, then the tools hear that the mouse left.
  void MouseLeave() override;
  // An axis of the chart is being freed (also while the chart is).
  virtual void AxisRemoved(TChartAxis*) {}

  void CalcInvertedRotation();
  void CalcZOrderPass();
  void CalcAxisRectPass();
  void CalcSeriesMarginsPass();
  void DrawAllSeries();
  void DrawAxes();
  // One series, or the group of series sharing its Z order.
  void DrawSeries(TChartSeries* ASeries);

 private:
  friend class TChartAxis;
  // Axes register themselves when they are made and leave when freed.
  void AxisCreated(TChartAxis* Axis);
  void AxisDestroyed(TChartAxis* Axis);

  bool FAutoRepaint = true;
  int FChart3DPercent = 15;
  std::unique_ptr<TChartTools> FTools;
  bool FAxisBehind = true;
  bool FAxisVisible = true;
  bool FClipPoints = true;
  std::unique_ptr<TChartAxes> FAxes;  // every axis, not owning
  std::unique_ptr<TChartCustomAxes> FCustomAxes;
  std::unique_ptr<TChartSeriesList> FSeriesList;
  // The standard axes are owned here; custom axes by FCustomAxes.
  std::vector<std::unique_ptr<TChartAxis>> FStandardAxes;
  TChartAxis* FBottomAxis = nullptr;
  TChartAxis* FTopAxis = nullptr;
  TChartAxis* FLeftAxis = nullptr;
  TChartAxis* FRightAxis = nullptr;
  TChartAxis* FDepthAxis = nullptr;
  TChartAxis* FDepthTopAxis = nullptr;
  bool FView3DWalls = true;
  int FPage = 1;
  int FMaxPointsPerPage = 0;
  bool FScaleLastPage = true;
  std::vector<TColor> FColorPalette;
  TColor FLegendBackColor = clWhite;
  TChartPen* FLegendSymbolPen = nullptr;
  bool FSuppressSeriesEvents = false;
  TKorCustomDesigner* FDesigner = nullptr;  // not owned
  // caches: figures of the last drawing pass
  bool FRotationInverted = false;
  int FZOrderCount = 0;
  int FSeriesDepth3D = 0;
  int FSeriesDepthHeight3D = 0;
  int FDepth3D = 0;
  int FDepthHeight3D = 0;
};

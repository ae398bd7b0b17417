#pragma once

#include "chart/core/TCustomPanelNoCaption.h"
#include "chart/core/TKorSeriesType.h"
#include "chart/editor/TChartList.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TChartGalleryPanel;
class TChartSeries;
class TChartTheme;
class TCustomChart;
class TGalleryChart;

using TGalleryPanelEvent = std::function<void(TChartGalleryPanel* Sender)>;
// Makes a theme for a chart: what UseTheme is given in place of a class.
using TChartThemeFactory = std::function<std::unique_ptr<TChartTheme>(TCustomChart* Chart)>;

// Whether gallery charts show their axis labels while the gallery dialog is
// maximised.
extern bool KorGalleryCheckMaximize;
// The end colour of the focused chart's gradient.
extern TColor clKorGallery;

// Interaction: the grid of small sample charts a user picks a series type
// (or a variant of one) from. The panel frees its charts through its chart
// list. Charts it makes are owned (as components) by the panel; a chart
// made elsewhere and added to GetCharts() is handed over to the list
// (make it with the panel as owner; a chart told its panel with
// SetGalleryPanel also leaves the list when freed by someone else).
class TChartGalleryPanel : public TCustomPanelNoCaption {
 public:
  explicit TChartGalleryPanel(TComponent* AOwner);
  ~TChartGalleryPanel() override;

  QString ClassName() const override { return QStringLiteral("TChartGalleryPanel"); }
  const TPropertyList& Properties() const override;

  // -- properties

  bool GetDisplaySub() const { return FDisplaySub; }
  void SetDisplaySub(bool Value) { FDisplaySub = Value; }
  bool GetFocusRotation() const { return FFocusRotation; }
  void SetFocusRotation(bool Value);
  int GetNumRows() const { return FNumRows; }
  void SetNumRows(int Value);
  int GetNumCols() const { return FNumCols; }
  void SetNumCols(int Value);
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  bool GetView3D() const { return FView3D; }
  void SetView3D(bool Value);

  TChartList& GetCharts() { return FCharts; }
  const TChartList& GetCharts() const { return FCharts; }
  // nullptr outside the list.
  TGalleryChart* GetChart(int Index) const { return FCharts.Get(Index); }
  TGalleryChart* GetSelectedChart() const { return FSelectedChart; }
  // True: pages list function types instead of plain series types.
  bool GetFunctionsMode() const { return FFunctionsMode; }
  void SetFunctionsMode(bool Value) { FFunctionsMode = Value; }
  // The series whose type is being changed (not owned; may be none) and
  // whether types that cannot take its data are shown disabled.
  TChartSeries* GetChangeSeries() const { return FChangeSeries; }
  void SetChangeSeries(TChartSeries* Value) { FChangeSeries = Value; }
  bool GetCheckSeries() const { return FCheckSeries; }
  void SetCheckSeries(bool Value) { FCheckSeries = Value; }
  // Pixels of one cell (set by ResizeCharts and page building).
  int GetCellWidth() const { return FCellWidth; }
  int GetCellHeight() const { return FCellHeight; }
  // The open sub-gallery (nullptr when none) and its inner panel.
  QDialog* GetSubGallery() const { return FSubGallery; }
  TChartGalleryPanel* GetSubPanel() const { return FSubPanel; }
  // Charts of a sub-gallery keep their keys instead of passing them on.
  bool GetIsSubGallery() const { return FIsSubGallery; }

  // -- methods

  // One chart per registered type valid for Page, in registry order.
  void CreateGalleryPage(const QString& Page);
  // One chart per class the registry knows, in the given order.
  void CreateChartList(const std::vector<TChartSeriesClass>& SeriesClasses);
  // Frees every chart; nothing is selected afterwards.
  void ClearCharts();
  // Chart is being freed: it leaves the list (and the selection).
  void ForgetChart(const TGalleryChart* Chart);
  // One chart per sub-gallery variant of SeriesClass (SeriesCount series
  // each), titled with the variant's name, the variant applied and its
  // index kept as the chart's tag; the first variant is selected.
  void AddSubGalleryCharts(TChartSeriesClass SeriesClass, int SeriesCount);
  // A new chart in the panel previewing AType (appended to the charts and
  // placed in its cell).
  TGalleryChart* CreateChart(const TKorSeriesType& AType);
  // Makes Chart the selected chart (nullptr: the last enabled one).
  virtual void SelectChart(TGalleryChart* Chart);
  // Opens the variants of the selected chart's type below it (modal);
  // nothing without a selection.
  void ShowSubGallery();
  // False when nothing is selected; else the selected chart's series class,
  // function class (none) and chosen variant (0 when none was chosen).
  bool GetSeriesClass(TChartSeriesClass& SeriesClass, TKorFunctionClass& FunctionClass,
                      int& SubIndex) const;
  // A theme from Factory is applied to every chart (nothing without one).
  void UseTheme(const TChartThemeFactory& Factory);
  // Places every chart in its cell.
  void ResizeCharts();
  bool ValidSeries(const TKorSeriesType& AType, const QString& Page) const;
  // Handlers the charts' clicks are wired to (also for charts made by
  // others): select on click, choose on double click.
  void ChartOnClick(TGalleryChart* Chart);
  void ChartOnDblClick(TGalleryChart* Chart);
  // A key pressed on the panel or one of its charts (Key is a Qt::Key);
  // true when the panel used it.
  bool HandleKey(int Key, TShiftState Shift);
  // The nearest enabled chart to the left of, above, right of or below the
  // selection in its row or column (Key: a Qt arrow key); nullptr when none.
  TGalleryChart* NeighbourChart(int Key) const;
  // Where a sub-gallery of Size opens at Corner (screen pixels), moved so
  // that it stays 2 pixels inside WorkArea.
  static TPoint SubGalleryPosition(const TPoint& Corner, const TPoint& Size, const TRect& WorkArea);

  // -- events

  TGalleryPanelEvent OnSelectedChart;
  TGalleryPanelEvent OnChangeChart;
  TGalleryPanelEvent OnSubSelected;

 protected:
  void Resize() override;
  void KeyDown(int& Key, TShiftState Shift) override;

 private:
  void ShowSelectedChart();
  void FindSelectedChart();
  int CalcRows(int ValidCount) const;
  void CalcCellSize(int Rows);
  void PlaceChart(TGalleryChart& Chart, int Index) const;
  void ChartMouseDown(TGalleryChart& Chart, int X, int Y);
  void SubGalleryChosen(TChartGalleryPanel* Inner);
  void FillSubGallery(TChartGalleryPanel& Inner);
  void FinishChart(TGalleryChart& Chart, TKorFunctionClass FunctionClass);
  void AddGallerySeries(TGalleryChart& Chart, TKorFunctionClass FunctionClass, int Count);
  void RecreateSeries(TGalleryChart& Chart);

  bool FDisplaySub = true;
  bool FFocusRotation = true;
  int FNumRows = 3;
  int FNumCols = 4;
  bool FSmooth = false;
  bool FView3D = true;
  bool FFunctionsMode = false;
  TChartSeries* FChangeSeries = nullptr;  // not owned
  bool FCheckSeries = false;
  bool FIsSubGallery = false;
  TChartList FCharts;
  TGalleryChart* FSelectedChart = nullptr;  // one of FCharts
  // caches: cell size of the current page, the open sub-gallery.
  int FCellWidth = 0;
  int FCellHeight = 0;
  QPointer<QDialog> FSubGallery;
  TChartGalleryPanel* FSubPanel = nullptr;
};

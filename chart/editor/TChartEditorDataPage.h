#pragma once

#include <QWidget>

#include "platform/TComponent.h"
#include "platform/TCustomControl.h"

class QAction;
class QMenu;
class QShowEvent;
class QToolButton;
class TChartGrid;
class TChartGridNavigator;
class TChartSeries;
class TCustomChart;

// Interaction: the chart editor's Data page: a grid over the points of
// every series of the edited chart, its navigator, switches for what the
// grid shows, and a pop-up menu acting on the point of the current cell.
//
// Ownership: the page owns the grid and the navigator as components and
// frees them before its widget base destroys their host widgets. The chart
// is not owned; a free notification forgets it.
class TChartEditorDataPage : public QWidget, public TComponent {
 public:
  explicit TChartEditorDataPage(QWidget* Parent = nullptr);
  ~TChartEditorDataPage() override;

  TCustomChart* GetChart() const { return FChart; }
  // The grid is bound to it when the page is shown next.
  void SetChart(TCustomChart* Value);

  // Handlers.
  // Binds the grid to the chart and sets the switches from it; runs on
  // every show of the page.
  void PageShow();
  void SBGridTextClick();
  void SBGridColClick();
  void SBGridXClick();
  // A right-button press makes the cell under (X, Y) current and pops up
  // PopupData there (client pixels of the grid).
  void ChartGrid1MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  // Enables the pop-up's items for the current cell.
  void PopupDataPopup();
  void EditColorClick();
  void DefaultColorClick();
  void MakeNullClick();
  void AppendRowClick();
  void DeleteRowClick();
  // The grid's font from the font dialog; the rows become as high as a "W"
  // in it plus 2 pixels.
  void TextFontClick();

  TChartGrid* ChartGrid1;
  TChartGridNavigator* ChartGridNavigator1;
  QToolButton* SBGridText;
  QToolButton* SBGridCol;
  QToolButton* SBGrid3D;
  QToolButton* SBGridX;
  QMenu* PopupData;
  QAction* EditColor1;
  QAction* DefaultColor1;
  QAction* MakeNull1;
  QAction* AppendRow1;
  QAction* DeleteRow1;
  QAction* TextFont1;

 protected:
  void showEvent(QShowEvent* Event) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void BuildPage();
  void BuildPopup();
  // Sets the switches from the grid without acting on them.
  void FillToggles();
  TChartSeries* FirstSeries() const;
  // The series of the current cell (the first series for the colours and
  // labels columns) and its point there; none when the row has no point
  // of that series.
  TChartSeries* CellSeries() const;
  int CellPoint() const;
  void SetCellColor(TColor Color);

  TCustomChart* FChart = nullptr;  // not owned, free-notified
  bool FUpdating = false;          // while the switches are being filled
};

// Makes the chart editor's Data page this page, bound to the edited chart.
void RegisterDataEditorPage();

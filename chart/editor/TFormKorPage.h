#pragma once

#include "chart/core/TKorToolTypes.h"

#include "platform/TComponent.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QShowEvent;
class TChartPageNavigator;
class TCustomChart;
class TEditUpDown;
class TKorCustomTool;

// The tool class that shows the page number on a paged chart. The tools
// library sets it when it registers its tools; while none is set the
// paging page hides "Show Page Number".
extern TKorToolClass KorPageNumToolClass;

// Interaction: the chart editor's "Paging" page: points per page, how the
// last page scales, the legend of the current page, the page-number tool,
// and a navigator over the chart's pages. The navigator is a component of
// the page, freed before the page's widgets.
class TFormKorPage : public QWidget, public TComponent {
 public:
  // Chart is not owned; it outlives the page.
  TFormKorPage(QWidget* Owner, TCustomChart* Chart);
  ~TFormKorPage() override;

  TCustomChart* GetChart() const;

  // Fills every control from the chart.
  void FormShow();
  // "Page %d of %d" with the chart's current page and page count.
  void RefreshLabel();
  // The chart's first tool of the page-number class, or nullptr.
  TKorCustomTool* FindPageNumTool() const;

  // What the controls do (tests call them directly).
  void SEPointsPerPageChange();
  void CBScaleLastClick();
  void CBPageLegendClick();
  void CBPageNumClick();

  QLabel* LPointsPerPage = nullptr;
  TEditUpDown* SEPointsPerPage = nullptr;
  QCheckBox* CBScaleLast = nullptr;
  QCheckBox* CBPageLegend = nullptr;
  QCheckBox* CBPageNum = nullptr;
  TChartPageNavigator* ChartPageNavigator1 = nullptr;  // owned as a component
  QLabel* LabelPages = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void Connect();
  template <class Sender, class Signal>
  void Wire(Sender* Control, Signal Changed, void (TFormKorPage::*Handler)());

  bool FUpdating = false;
};

// Registers the chart editor's "General", "Panel" and "Paging" pages
// (tabs "TabGeneral", "TabPanel", "TabPaging").
void RegisterGeneralEditorPages();

#pragma once

#include "chart/core/TKorSeriesType.h"

#include "platform/TComponent.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QHBoxLayout;
class QKeyEvent;
class QPushButton;
class QShowEvent;
class QTabBar;
class QWidget;
class TChartGalleryPanel;
class TChartSeries;
class TCustomAxisPanel;

// The row under both series galleries: "&3D" (checked), "&Smooth", then OK
// (the default button) and Cancel on the right; the controls are made on
// Parent and laid out in Row. OK, Cancel and choosing a chart of Panel
// close Dialog; the check boxes run On3D and OnSmooth (guarded).
void AddGalleryButtons(QDialog& Dialog, QWidget& Parent, QHBoxLayout& Row,
                       TChartGalleryPanel& Panel, QCheckBox*& CB3D, QCheckBox*& CBSmooth,
                       QPushButton*& BOk, QPushButton*& BCancel, std::function<void()> On3D,
                       std::function<void()> OnSmooth);

// Interaction: the series gallery dialog ("KorChart Gallery"): a tab per
// kind (series, functions), a tab per gallery page of that kind, the grid
// of sample charts, "&3D" and "&Smooth". Choosing a chart closes it with
// OK. The gallery panel is a component owned by the dialog.
class TKorGallery : public QDialog, public TComponent {
 public:
  explicit TKorGallery(QWidget* Parent = nullptr);
  ~TKorGallery() override;

  TChartGalleryPanel* GetGalleryPanel() const { return ChartGalleryPanel1; }
  // The page names of the active kind, in the order shown.
  QStringList PageNames() const;

  // Handlers (public so tests can drive them).
  void FormShow();
  void TabTypesChange();
  void TabPagesChange();
  void CB3DClick();
  void CBSmoothClick();
  // Removes the functions tab (and functions mode).
  void HideFunctions();
  // Hides the panel with the buttons and boxes.
  void HideButtons();

  QTabBar* TabTypes = nullptr;
  QTabBar* TabPages = nullptr;
  TChartGalleryPanel* ChartGalleryPanel1 = nullptr;
  QWidget* P1 = nullptr;
  QCheckBox* CB3D = nullptr;
  QCheckBox* CBSmooth = nullptr;
  QPushButton* BOk = nullptr;
  QPushButton* BCancel = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;

 private:
  void BuildForm();
  bool FunctionsTab() const;
};

// Runs the gallery (this dialog, or the alternate gallery form when the
// saved "GalleryMode" is not 0) centred on Owner's window. Series: the
// series being changed (or none): its type is preselected and, with
// CheckValid, types that cannot take its data are greyed. On OK the results
// are filled (SubIndex: the chosen variant, 0 when none) and View3D takes
// the "&3D" box's state; false when cancelled.
bool GetChartGalleryClass(QWidget* Owner, TChartSeries* Series, bool ShowFunctions, int& SubIndex,
                          bool CheckValid, TKorFunctionClass& FunctionClass, bool& View3D,
                          TChartSeriesClass& SeriesClass);

// A new series of the chosen type on Chart (nullptr when cancelled, or
// when changing Series to its own class without a variant). Its owner is
// the series' owner, else the chart's. The chart's 3D view follows "&3D".
TChartSeries* CreateNewSeriesGallery(QWidget* Owner, TChartSeries* Series, TCustomAxisPanel* Chart,
                                     int& SubIndex, bool CheckValid, bool ShowFunctions);
TChartSeries* CreateNewSeriesGallery(QWidget* Owner, TCustomAxisPanel* Chart);

// Replaces Series by a series of the chosen type that takes over its data,
// links, place and name (the old one is freed); returns the series now in
// Series (unchanged when cancelled).
TChartSeries* ChangeSeriesTypeGallery(QWidget* Owner, TChartSeries*& Series);
// The gallery for Chart's first series; on a choice every series of the
// chart changes to the chosen type. Nothing for a chart without series.
void ChangeAllSeriesGallery(QWidget* Owner, TCustomAxisPanel& Chart);

// Lets the chart list box add series and change their type through the
// gallery (and makes sure the standard series types are registered);
// UnRegisterSeriesGallery takes the hooks back.
void RegisterSeriesGallery();
void UnRegisterSeriesGallery();

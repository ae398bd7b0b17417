#pragma once

#include "chart/core/TKorSeriesType.h"

#include "platform/TComponent.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QPushButton;
class QShowEvent;
class TChart;
class TChartGalleryPanel;
class TChartListBox;

// Interaction: the list-based series gallery: the registered series types
// by name (one sample series each in a private chart), filtered by page,
// and the variants of the type chosen in the list as a grid of charts.
// Choosing a chart closes it with OK. The chart and the gallery panel are
// components owned by the form.
class TKorGalleryForm : public QDialog, public TComponent {
 public:
  explicit TKorGalleryForm(QWidget* Parent = nullptr);
  ~TKorGalleryForm() override;

  TChartGalleryPanel* GetGalleryPanel() const { return ChartGalleryPanel1; }
  TChart* GetChart() const { return FChart; }
  // The class whose variants the gallery shows (none before the first).
  TChartSeriesClass GetShownClass() const { return FShownClass; }

  // Handlers (public so tests can drive them).
  void CBPageChange();
  void ChartListBox1Click();
  void CB3DClick();
  void CBSmoothClick();
  // Nothing: this gallery lists no functions.
  void HideFunctions() {}

  TChartListBox* ChartListBox1 = nullptr;
  QComboBox* CBPage = nullptr;
  TChartGalleryPanel* ChartGalleryPanel1 = nullptr;
  QCheckBox* CB3D = nullptr;
  QCheckBox* CBSmooth = nullptr;
  QPushButton* BOk = nullptr;
  QPushButton* BCancel = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;

 private:
  void BuildForm();
  void FillPages();

  TChart* FChart = nullptr;  // owned as a component
  TChartSeriesClass FShownClass;
};

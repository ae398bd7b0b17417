#pragma once

#include "chart/core/TKorGradient.h"

#include "platform/TComponent.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;
class QShowEvent;
class QSlider;
class QTabWidget;
class QWidget;
class TButtonColor;
class TChartGalleryPanel;
class TComboFlat;
class TCustomChart;
class TPreviewGradient;

// Interaction: the editor of one gradient: visibility, direction, the
// start, middle and end colours, balance and radial offset, picked by hand,
// from named presets or from a gallery of the directions. Edits go to the
// gradient at once; Cancel puts back the whole gradient as it was at the
// last refresh.
//
// It is a modal dialog (EditKorGradient) or a form docked into an editor
// page: create it with the docked constructor, parented to the page, and
// dock it with AddFormTo(*Editor, *Page). The page frees it as its Qt
// child; the form frees its preview and gallery components first.
class TKorGradientEditor : public QDialog, public TComponent {
 public:
  // The modal dialog; bind the gradient with RefreshGradient (or give it
  // as the form's tag, a TCustomKorGradient*) before showing.
  explicit TKorGradientEditor(QWidget* Owner);
  // The docked form for Gradient (not owned; nullptr: the form's tag, a
  // TCustomKorGradient*, when shown). Without OK and Cancel, and shorter
  // by their height.
  TKorGradientEditor(QWidget* Owner, TCustomKorGradient* Gradient);
  ~TKorGradientEditor() override;

  // The gradient edited; not owned, kept alive by the caller while bound.
  TCustomKorGradient* GetGradient() const { return FGradient; }
  bool GetModified() const { return FModified; }
  // Colours only: no "&End..." or "S&wap", and every control enabled
  // whatever the gradient's visibility.
  bool GetColorsOnly() const { return FColorsOnly; }
  void SetColorsOnly(bool Value);
  bool GetHideVisible() const { return FHideVisible; }
  void SetHideVisible(bool Value);
  bool GetDocked() const { return FDocked; }
  // The copy Cancel restores.
  const TKorGradient& GetBackup() const { return FBackup; }

  // Rebinds the form to Gradient (nullptr unbinds): a fresh backup, the
  // controls, the enabling and the preview.
  virtual void RefreshGradient(TCustomKorGradient* Gradient);
  // Fills the controls from the gradient.
  virtual void RefreshControls();
  // The preview panel and the direction charts take the gradient's look.
  virtual void SetPreview();

  // What the controls do (tests call them directly).
  void FormShow();
  void EnableControls();
  void CBVisibleClick();
  void CBDirectionChange();
  void GalleryClick();
  void CBMidClick();
  void BStartClick();
  void BMidClick();
  void BEndClick();
  void BSwapClick();
  void SBBalanceChange();
  void TrackBar1Change();
  void TrackBar2Change();
  // A chart of the direction gallery was chosen.
  void DirectionsSelectedChart();
  void BCancelClick();
  // Escape and the window's close button count as "Cancel"; a docked form
  // has neither and ignores them.
  void reject() override;

  QCheckBox* CBVisible = nullptr;
  QLabel* LabelDirection = nullptr;
  TComboFlat* CBDirection = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabDefault = nullptr;
  QWidget* TabColors = nullptr;
  QWidget* TabOptions = nullptr;
  QWidget* TabDirections = nullptr;
  QListWidget* Gallery = nullptr;
  TPreviewGradient* Preview = nullptr;
  TButtonColor* BStart = nullptr;
  TButtonColor* BMid = nullptr;
  TButtonColor* BEnd = nullptr;
  QCheckBox* CBMid = nullptr;
  QPushButton* BSwap = nullptr;
  QLabel* LabelBalanceCaption = nullptr;
  QScrollBar* SBBalance = nullptr;
  QLabel* LabelBalance = nullptr;
  QLabel* LabelHoriz = nullptr;
  QSlider* TrackBar1 = nullptr;
  QLabel* LRadialX = nullptr;
  QLabel* LabelVert = nullptr;
  QSlider* TrackBar2 = nullptr;
  QLabel* LRadialY = nullptr;
  // Null when the gallery of directions is not available.
  TChartGalleryPanel* Directions = nullptr;
  QWidget* PanelButtons = nullptr;
  QPushButton* BOK = nullptr;
  QPushButton* BCancel = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildForm();
  void BuildDefaultTab();
  void BuildColorsTab();
  void BuildOptionsTab();
  void BuildDirectionsTab();
  void Connect();
  void Dock();
  void FillPresets();
  void ApplyPreset(int Number);
  void ShowBalance();
  void ShowRadial();
  void SelectDirectionChart();
  void ColorDirectionCharts();
  // The charts of the direction gallery, in direction order.
  TCustomChart* DirectionChart(int Direction) const;
  int DirectionChartCount() const;

  TCustomKorGradient* FGradient = nullptr;  // not owned
  bool FColorsOnly = false;
  bool FHideVisible = false;
  bool FDocked = false;
  TKorGradient FBackup;
  bool FModified = false;
  bool FUpdating = false;
};

// Edits Gradient in the gradient dialog, shown modally over Owner; true when
// closed with OK (the gradient keeps the edits), false after Cancel (the
// gradient is as before). ColorsOnly as the editor's switch; HideVisible
// hides the "&Visible" box.
bool EditKorGradient(QWidget* Owner, TCustomKorGradient& Gradient, bool ColorsOnly = false,
                     bool HideVisible = false);

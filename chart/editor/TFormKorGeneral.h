#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QShowEvent;
class QTabWidget;
class TButtonPen;
class TCustomChart;
class TEditUpDown;
class TRadioGroup;
class TUpDown;

// Interaction: the chart editor's "General" page: zoom and scroll settings,
// the chart's margins and cursor, and the print preview. Controls edit the
// chart at once; the up-down edits only while the page is showing (before
// that they are being filled).
class TFormKorGeneral : public QWidget {
 public:
  // Chart is not owned; it outlives the page.
  TFormKorGeneral(QWidget* Owner, TCustomChart* Chart);

  TCustomChart* GetChart() const { return FChart; }

  // Fills every control from the chart.
  void FormShow();

  // What the controls do (tests call them directly).
  void CBAllowZoomClick();
  void CBAnimatedZoomClick();
  void SEAniZoomStepsChange();
  void BZoomColorClick();
  void EMinPixChange();
  void CBDirChange();
  void CBZoomMouseChange();
  void CBUpLeftClick();
  void RGPanningClick();
  void CBScrollMouseChange();
  void BPrintClick();
  void SETopMaChange();
  void SELeftMaChange();
  void SEBotMaChange();
  void SERightMaChange();
  void CBMarUnitsChange();
  void CBCursorChange();

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabZoom = nullptr;
  QWidget* TabScroll = nullptr;
  QCheckBox* CBAllowZoom = nullptr;
  QCheckBox* CBAnimatedZoom = nullptr;
  QLabel* LSteps = nullptr;
  TEditUpDown* SEAniZoomSteps = nullptr;
  TButtonPen* BZoomPen = nullptr;
  QPushButton* BZoomColor = nullptr;
  QLabel* LMinPix = nullptr;
  TEditUpDown* EMinPix = nullptr;
  TUpDown* UDMinPix = nullptr;
  QLabel* LDir = nullptr;
  QComboBox* CBDir = nullptr;
  QLabel* LZoomMouse = nullptr;
  QComboBox* CBZoomMouse = nullptr;
  QCheckBox* CBUpLeft = nullptr;
  TRadioGroup* RGPanning = nullptr;
  QLabel* LScrollMouse = nullptr;
  QComboBox* CBScrollMouse = nullptr;
  QPushButton* BPrint = nullptr;
  QGroupBox* GBMargins = nullptr;
  TEditUpDown* SETopMa = nullptr;
  TEditUpDown* SELeftMa = nullptr;
  TEditUpDown* SEBotMa = nullptr;
  TEditUpDown* SERightMa = nullptr;
  QComboBox* CBMarUnits = nullptr;
  QLabel* LCursor = nullptr;
  QComboBox* CBCursor = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildZoomTab();
  void BuildScrollTab();
  void BuildBottom();
  void Connect();
  // Connects a control signal to Handler through the edit guard.
  template <class Sender, class Signal>
  void Wire(Sender* Control, Signal Changed, void (TFormKorGeneral::*Handler)());
  void EnableZoomControls();
  // -2000..2000 for pixels, 0..100 for percent.
  void AdjustMarginLimits();
  void ShowMargins();
  // Index and Opposite as the chart numbers margins (left, top, right,
  // bottom). A percent margin is refused when it and the opposite one
  // would leave no room for the chart.
  void ChangeMargin(TEditUpDown& Edit, int Index, int Opposite);
  // Up-down edits count only while the page shows and is not being filled.
  bool Editing() const;

  TCustomChart* FChart = nullptr;  // not owned
  bool FUpdating = false;
};

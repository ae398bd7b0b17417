#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QShowEvent;
class QTabWidget;
class TButtonColor;
class TButtonPen;
class TCustomKorPanelExtended;
class TEditUpDown;
class TKorGradientEditor;
class TKorShadowEditor;
class TRadioGroup;

// Interaction: the chart editor's "Panel" page: the panel's colour and
// back picture, its bevels and border, and (on their own tabs) docked
// editors of its gradient and shadow. Controls edit the panel at once; the
// up-down edits only while the page is showing.
class TFormKorPanel : public QWidget {
 public:
  // Panel is not owned; it outlives the page.
  TFormKorPanel(QWidget* Owner, TCustomKorPanelExtended* Panel);

  TCustomKorPanelExtended* GetPanel() const { return FPanel; }

  // Fills every control from the panel.
  void FormShow();
  // Enabling and captions of the back picture's controls.
  void CheckImageControls();
  // "&Default" is checked, and then disabled, exactly for the system
  // button-face colour.
  void CheckColorDefault();

  // What the controls do (tests call them directly).
  void CBColorDefClick();
  void RGBitmapClick();
  void BBrowseImageClick();
  void CBImageInsideClick();
  void CBTranspClick();
  void ELeftChange();
  void ETopChange();
  void CBInnerChange();
  void CBOuterChange();
  void SEPanelWiChange();
  void SEPanelBorChange();
  void ERoundChange();

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabBack = nullptr;
  QWidget* TabBorders = nullptr;
  QWidget* TabGradient = nullptr;
  QWidget* TabShadow = nullptr;
  TButtonColor* BPanelColor = nullptr;
  QCheckBox* CBColorDef = nullptr;
  QWidget* GBImage = nullptr;
  TRadioGroup* RGBitmap = nullptr;
  QPushButton* BBrowseImage = nullptr;
  QCheckBox* CBImageInside = nullptr;
  QCheckBox* CBTransp = nullptr;
  QLabel* LLeft = nullptr;
  TEditUpDown* ELeft = nullptr;
  QLabel* LTop = nullptr;
  TEditUpDown* ETop = nullptr;
  QLabel* LInner = nullptr;
  QComboBox* CBInner = nullptr;
  QLabel* LOuter = nullptr;
  QComboBox* CBOuter = nullptr;
  QLabel* LPanelWi = nullptr;
  TEditUpDown* SEPanelWi = nullptr;
  QLabel* LPanelBor = nullptr;
  TEditUpDown* SEPanelBor = nullptr;
  QLabel* LRound = nullptr;
  TEditUpDown* ERound = nullptr;
  TButtonPen* BBorder = nullptr;
  // Docked into TabGradient and TabShadow; Qt children of the tabs.
  TKorGradientEditor* GradientEditor = nullptr;
  TKorShadowEditor* ShadowEditor = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildBackTab();
  void BuildBordersTab();
  void DockEditors();
  void Connect();
  template <class Sender, class Signal>
  void Wire(Sender* Control, Signal Changed, void (TFormKorPanel::*Handler)());
  bool Editing() const;

  TCustomKorPanelExtended* FPanel = nullptr;  // not owned
  bool FUpdating = false;
};

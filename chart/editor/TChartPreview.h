#pragma once

#include "chart/core/KorCanvas.h"
#include "platform/TComponent.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QShowEvent;
class QSlider;
class QWidget;
class TCustomKorNavigator;
class TCustomKorPanel;
class TEditUpDown;
class TKorPreviewPanel;
class TRadioGroup;

// When set (the default), opening the print preview turns the printer to
// landscape, the shape most charts print best in.
extern bool KorChangePaperOrientation;

// Makes the page navigator a preview shows beside the paper.
using TKorNavigatorClass = std::function<TCustomKorNavigator*(TComponent* Owner)>;

// Interaction: the print preview dialog ("KorChart Print Preview"): the
// paper with the chart, the printer and its orientation, the margins in
// percent (typed or dragged on the paper), the print detail, and Print.
// The printers offered end with a PDF file, chosen when no printer is
// installed; its name is asked for when the print starts.
class TChartPreview : public QDialog, public TComponent {
 public:
  explicit TChartPreview(QWidget* Parent = nullptr);
  ~TChartPreview() override;

  TKorPreviewPanel* PreviewPanel() const { return KorPreviewPanel1; }
  // The panel previewed (the preview panel's main panel).
  TCustomKorPanel* GetPanel() const;
  void SetPanel(TCustomKorPanel* Value);
  // Set before showing; the navigator is made when the dialog opens.
  // Makes the navigator at once (when none is made yet), so the room the
  // dialog takes is known before it first opens.
  void SetNavigatorClass(TKorNavigatorClass Value);
  TCustomKorNavigator* Navigator() const { return FNavigator; }
  void HideCloseButton();
  // Keeps Control disabled, also after the dialog opens and enables what
  // the printer allows.
  void DisableControl(QWidget* Control);
  // The margins "Reset &Margins" goes back to.
  const TRect& GetOldMargins() const { return FOldMargins; }

  // Handlers (public so tests can drive them).
  void FormShow();
  void RefreshMargins();
  void MarginChanged(TEditUpDown* Edit);
  void ChangeMargins(bool DisableProportional, const TRect& NewMargins);
  void CBPropClick();
  void BResetClick();
  void OrientationClick();
  void CBPrintersChange();
  void BSetupClick();
  void ResolutionChange();
  void CBMarginsClick();
  void CBSmoothClick();
  void BPrintClick();

  QWidget* PanelTop = nullptr;
  QComboBox* CBPrinters = nullptr;
  QWidget* PanelButtons = nullptr;
  QPushButton* BSetup = nullptr;
  QPushButton* BPrint = nullptr;
  QPushButton* BClose = nullptr;
  QWidget* PanelLeft = nullptr;
  TRadioGroup* Orientation = nullptr;
  QGroupBox* GBMargins = nullptr;
  TEditUpDown* SETopMa = nullptr;
  TEditUpDown* SELeftMa = nullptr;
  TEditUpDown* SEBotMa = nullptr;
  TEditUpDown* SERightMa = nullptr;
  QGroupBox* GBDetail = nullptr;
  QSlider* Resolution = nullptr;
  QPushButton* BReset = nullptr;
  QCheckBox* CBMargins = nullptr;
  QCheckBox* CBProp = nullptr;
  QCheckBox* CBSmooth = nullptr;
  TKorPreviewPanel* KorPreviewPanel1 = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildForm();
  void BuildTopBar(QWidget& Parent);
  void BuildLeftPanel(QWidget& Parent);
  void Connect();
  void CreateNavigator();
  void ListPrinters();
  void ShowPrinterOrientation();
  // The panel's margins into the four edits, without acting on them.
  void ShowMargins(const TRect& Margins);
  TRect CurrentMargins() const;
  void RepaintPreview();

  TKorNavigatorClass FNavigatorClass;
  TCustomKorNavigator* FNavigator = nullptr;  // owned as a component
  TRect FOldMargins;
  // Set from creation until the first margin refresh, and while the edits
  // are being filled: their changes are not the user's.
  bool FUpdating = true;
  // Set while "Proport&ional" is unchecked on behalf of a drag.
  bool FChangingProp = false;
  bool FShownOnce = false;
  std::vector<QWidget*> FDisabledControls;
};

// Previews Panel in a modal print preview dialog; the panel is repainted
// afterwards, also when showing fails.
void KorPreview(QWidget* Owner, TCustomKorPanel* Panel);

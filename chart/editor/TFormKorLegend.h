#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QShowEvent;
class QTabWidget;
class TButtonPen;
class TChartLegend;
class TEditUpDown;
class TFormKorShape;
class TRadioGroup;
class TSymbolEditor;
class TUpDown;

// Interaction: the chart editor's legend page. Style, position, symbol and
// title go straight to the legend through its setters; the frame, fill and
// shadow of the legend and of its title are edited by two shape editors
// whose tabs join this page's tab controls. A setter that refuses a value
// is reported and the control shows the legend's value again.
class TFormKorLegend : public QDialog {
 public:
  // Legend is not owned and must outlive the page.
  TFormKorLegend(QWidget* Owner, TChartLegend& Legend);
  ~TFormKorLegend() override;

  TChartLegend& GetLegend() const { return *FLegend; }

  // Every control takes the legend's value.
  void RefreshControls();

  void CBShowClick();
  void CBInvertedClick();
  void CBFontColorClick();
  void CBLegendStyleChange();
  void CBLegStyleChange();
  void EVertSpacingChange();
  void CBCheckBoxesChange();
  void RGPositionClick();
  void CBResizeChartClick();
  void SETopPosChange();
  void SEMarginChange();
  void CBCustPosClick();
  void ECustLeftChange();
  void ECustTopChange();
  void CBPosPercentClick();
  void MemoTextChange();
  void CBTextAlignChange();
  void CBTitleVisibleClick();

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabStyle = nullptr;
  QWidget* TabPosition = nullptr;
  QWidget* TabSymbols = nullptr;
  QWidget* TabTitle = nullptr;
  QTabWidget* PageControlTitle = nullptr;
  QWidget* TabTitleOptions = nullptr;

  QCheckBox* CBShow = nullptr;
  QCheckBox* CBInverted = nullptr;
  QCheckBox* CBFontColor = nullptr;
  QComboBox* CBLegendStyle = nullptr;
  QComboBox* CBLegStyle = nullptr;
  TButtonPen* BDivLines = nullptr;
  TEditUpDown* EVertSpacing = nullptr;
  TUpDown* UDVertSpacing = nullptr;
  QComboBox* CBCheckBoxes = nullptr;

  TRadioGroup* RGPosition = nullptr;
  QCheckBox* CBResizeChart = nullptr;
  TEditUpDown* SETopPos = nullptr;
  TEditUpDown* SEMargin = nullptr;
  QCheckBox* CBCustPos = nullptr;
  TEditUpDown* ECustLeft = nullptr;
  TUpDown* UDCustLeft = nullptr;
  TEditUpDown* ECustTop = nullptr;
  TUpDown* UDCustTop = nullptr;
  QCheckBox* CBPosPercent = nullptr;

  TSymbolEditor* SymbolEditor = nullptr;

  QPlainTextEdit* MemoText = nullptr;
  QComboBox* CBTextAlign = nullptr;
  QCheckBox* CBTitleVisible = nullptr;

  // The shape editors of the legend and of its title (tabs inserted into
  // PageControl1 and PageControlTitle).
  TFormKorShape* LegendShapeForm = nullptr;
  TFormKorShape* TitleShapeForm = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void BuildStyleTab();
  void BuildPositionTab();
  void BuildTitleTab();
  void Connect();
  void EnableCustomPosition();
  void ShowCustomPosition();
  // Runs Edit unless the controls are being refreshed; a refused value is
  // reported and every control shows the legend again.
  template <class Edit>
  void Apply(Edit&& EditBody);

  TChartLegend* FLegend;  // not owned
  bool FUpdating = false;
};

// Registers the legend page of the chart editor dialog ("TabLegend").
void RegisterLegendEditorPage();

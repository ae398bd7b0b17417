#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class TButtonPen;
class TChartAxis;
class TCustomAxisPanel;
class TEditUpDown;
class TKorFontEditor;

// Interaction: the chart editor's axis page: a list of the chart's axes
// and, for the selected one, tabs for scales, title, labels, ticks, minor
// ticks and position. Edits go to the axis at once; a value the axis
// refuses is reported and the control shows the axis' value again.
class TFormKorAxis : public QDialog {
 public:
  // Axis: the axis shown first (not owned; its chart is the one edited).
  TFormKorAxis(QWidget* Owner, TChartAxis* Axis);
  ~TFormKorAxis() override;

  TChartAxis* GetAxis() const { return FAxis; }

  // Handlers.
  void FormShow();
  void LBAxesClick();
  void BAddClick();
  void BDeleteClick();
  void CBShowClick();
  void CBAxisBehClick();
  // Scales.
  void CBVisibleClick();
  void CBAutomaticClick();
  void CBInvertedClick();
  void BIncreClick();
  void CBLogarithmicClick();
  void ELogBaseChange();
  void LogEClick();
  void CBAutoMinClick();
  void CBAutoMaxClick();
  void BAxisMinClick();
  void BAxisMaxClick();
  void EMinOffChange();
  void EMaxOffChange();
  // Title.
  void ETitleChange();
  void SETitleAngleChange();
  void SETitleSizeChange();
  void CBTitleVisibleClick();
  // Labels.
  void CBLabelsClick();
  void CBMultilineClick();
  void CBOnAxisClick();
  void CBRoundFirstClick();
  void CBAlternateClick();
  void SELabelsSizeChange();
  void SELabelsAngleChange();
  void SESeparChange();
  void CBLabelStyleChange();
  void CBFormatChange();
  void Button1Click();
  void CBExpoClick();
  void CBLabelAlignClick();
  // Ticks and minor ticks.
  void SEAxisTickLengthChange();
  void SEInnerTicksLengthChange();
  void CBTickOnLabelsClick();
  void CBGridCenteredClick();
  void Edit2Change();
  void SEAxisMinorTickLenChange();
  void SEMinorCountChange();
  // Position.
  void EPosChange();
  void EStartChange();
  void EEndChange();
  void Edit1Change();
  void CBPosUnitsChange();
  void CBOtherSideClick();
  void CBHorizAxisClick();

  // Fired with the axis when a custom axis turns horizontal or vertical.
  std::function<void(TChartAxis* Axis)> OnHorizontalChanged;

  QLabel* LAxes = nullptr;
  QListWidget* LBAxes = nullptr;
  QPushButton* BAdd = nullptr;
  QPushButton* BDelete = nullptr;
  QCheckBox* CBShow = nullptr;
  QCheckBox* CBAxisBeh = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabScales = nullptr;
  QWidget* TabTitle = nullptr;
  QWidget* TabLabels = nullptr;
  QWidget* TabTicks = nullptr;
  QWidget* TabMinor = nullptr;
  QWidget* TabPosition = nullptr;
  // Scales.
  QCheckBox* CBVisible = nullptr;
  QCheckBox* CBAutomatic = nullptr;
  QCheckBox* CBInverted = nullptr;
  QPushButton* BIncre = nullptr;
  QLabel* LIncre = nullptr;
  QCheckBox* CBLogarithmic = nullptr;
  QLabel* LLogBase = nullptr;
  QLineEdit* ELogBase = nullptr;
  QCheckBox* LogE = nullptr;
  QGroupBox* GBMinimum = nullptr;
  QCheckBox* CBAutoMin = nullptr;
  QPushButton* BAxisMin = nullptr;
  QLabel* LAxisMin = nullptr;
  TEditUpDown* EMinOff = nullptr;
  QGroupBox* GBMaximum = nullptr;
  QCheckBox* CBAutoMax = nullptr;
  QPushButton* BAxisMax = nullptr;
  QLabel* LAxisMax = nullptr;
  TEditUpDown* EMaxOff = nullptr;
  // Title.
  QTabWidget* PageControlTitle = nullptr;
  QWidget* TabTitleStyle = nullptr;
  QWidget* TabTitleText = nullptr;
  QLineEdit* ETitle = nullptr;
  TEditUpDown* SETitleAngle = nullptr;
  TEditUpDown* SETitleSize = nullptr;
  QCheckBox* CBTitleVisible = nullptr;
  TKorFontEditor* TitleFontEditor = nullptr;
  // Labels.
  QTabWidget* PageControlLabels = nullptr;
  QWidget* TabLabelsStyle = nullptr;
  QWidget* TabLabelsFormat = nullptr;
  QWidget* TabLabelsText = nullptr;
  QCheckBox* CBLabels = nullptr;
  QCheckBox* CBMultiline = nullptr;
  QCheckBox* CBOnAxis = nullptr;
  QCheckBox* CBRoundFirst = nullptr;
  QCheckBox* CBAlternate = nullptr;
  TEditUpDown* SELabelsSize = nullptr;
  TEditUpDown* SELabelsAngle = nullptr;
  TEditUpDown* SESepar = nullptr;
  QComboBox* CBLabelStyle = nullptr;
  QLabel* LFormat = nullptr;
  QComboBox* CBFormat = nullptr;
  QPushButton* Button1 = nullptr;
  QCheckBox* CBExpo = nullptr;
  QCheckBox* CBLabelAlign = nullptr;
  TKorFontEditor* LabelsFontEditor = nullptr;
  // Ticks.
  TButtonPen* BAxisPen = nullptr;
  TButtonPen* BTickPen = nullptr;
  TButtonPen* BTickInner = nullptr;
  TButtonPen* BAxisGrid = nullptr;
  TEditUpDown* SEAxisTickLength = nullptr;
  TEditUpDown* SEInnerTicksLength = nullptr;
  QCheckBox* CBTickOnLabels = nullptr;
  QCheckBox* CBGridCentered = nullptr;
  TEditUpDown* Edit2 = nullptr;
  // Minor.
  TButtonPen* BTickMinor = nullptr;
  TButtonPen* BMinorGrid = nullptr;
  TEditUpDown* SEAxisMinorTickLen = nullptr;
  TEditUpDown* SEMinorCount = nullptr;
  // Position.
  TEditUpDown* EPos = nullptr;
  TEditUpDown* EStart = nullptr;
  TEditUpDown* EEnd = nullptr;
  TEditUpDown* Edit1 = nullptr;
  QComboBox* CBPosUnits = nullptr;
  QCheckBox* CBOtherSide = nullptr;
  QCheckBox* CBHorizAxis = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void BuildList();
  void BuildScalesTab();
  void BuildTitleTab();
  void BuildLabelsTab();
  void BuildTicksTab();
  void BuildMinorTab();
  void BuildPositionTab();
  void Connect();
  void ConnectScales();
  void ConnectLabels();
  void ConnectOthers();

  // Runs Change on the axis (not while updating, nor without an axis); a
  // change the axis refuses is reported and the controls show the axis
  // again.
  void Apply(const std::function<void(TChartAxis& Axis)>& Change);
  TCustomAxisPanel* Chart() const;
  QString AxisCaption() const;
  bool IsCustomAxis() const;
  void FillAxes();
  void SelectCurrentAxis();
  void RefreshControls();
  void RefreshScales();
  void RefreshLogBase();
  void RefreshTitle();
  void RefreshLabels();
  void RefreshFormats();
  void RefreshTicks();
  void RefreshPosition();
  // Shows the axis base; "e" is checked and disabled exactly for base e.
  void ShowLogE();
  // Puts Edit back to Value without running its handler.
  void ShowPosition(TEditUpDown& Edit, int Value);

  TChartAxis* FAxis = nullptr;  // not owned
  // Set from creation to the first refresh and while controls are
  // refreshed: value edits are ignored.
  bool FUpdating = true;
  // The automatic boxes are ignored while the scales are refreshed.
  bool FScalesUpdating = false;
};

// Appends to Items the names of the chart's axes as the page lists them:
// the four sides, the two depth axes when WithDepth, then "Custom 0",
// "Custom 1", ... for the chart's custom axes (none without a chart).
void KorAddAxes(const TCustomAxisPanel* Chart, QStringList& Items, bool WithDepth);

// Makes the chart editor's axis page this form, on the axis the editor was
// asked to open (the left axis when none).
void RegisterAxisEditorPage();

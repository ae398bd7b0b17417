#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QTabWidget;
class TButtonColor;
class TButtonGradient;
class TButtonPen;
class TCircledSeriesEditor;
class TEditUpDown;
class TPieSeries;

// Interaction: the series page's form for a pie: its look (3D darkening,
// explode, patterns, pen, angle, shadow, marks, gradient, dark pen, several
// pies sharing the chart), the grouping of small values into an "other"
// slice, and its colours. The circled-series settings sit on a tab of their
// own, a docked circled-series form without the circle background controls
// (a pie covers its whole circle; its gradient is the slices' and is
// edited here). The series comes from the form's tag when the form is
// shown; edits go to it at once.
class TPieSeriesEditor : public QWidget {
 public:
  explicit TPieSeriesEditor(QWidget* Parent = nullptr);

  TPieSeries* GetSeries() const { return FSeries; }

  // Reads the series from the tag, shows its values and binds the docked
  // circled-series form to it.
  void FormShow();
  void CBDark3dClick();
  void SEExpBigChange();
  void CBPatternsClick();
  void Edit1Change();
  void BShadowClick();
  void CBMarksAutoPositionClick();
  void Edit2Change();
  void CBMultipleChange();
  void CBOtherChange();
  void EOtherValueChange();
  void EOtherLabelChange();
  // The other slice's legend in the legend page, modally.
  void Button2Click();
  void CBColorEachClick();

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabOptions = nullptr;
  QWidget* TabGroup = nullptr;
  QWidget* TabCircled = nullptr;

  QCheckBox* CBDark3d = nullptr;
  QCheckBox* CBPatterns = nullptr;
  QCheckBox* CBMarksAutoPosition = nullptr;
  QLabel* Label1 = nullptr;
  TEditUpDown* SEExpBig = nullptr;
  QLabel* Label2 = nullptr;
  TEditUpDown* Edit1 = nullptr;
  QLabel* Label3 = nullptr;
  TEditUpDown* Edit2 = nullptr;
  QLabel* Label4 = nullptr;
  QComboBox* CBMultiple = nullptr;
  TButtonPen* BPen = nullptr;
  QPushButton* BShadow = nullptr;
  TButtonGradient* BGradient = nullptr;

  QGroupBox* GBColors = nullptr;
  QCheckBox* CBColorEach = nullptr;
  TButtonColor* BColor = nullptr;

  QLabel* Label5 = nullptr;
  QComboBox* CBOther = nullptr;
  QLabel* Label6 = nullptr;
  QLineEdit* EOtherValue = nullptr;
  QLabel* Label7 = nullptr;
  QLineEdit* EOtherLabel = nullptr;
  QPushButton* Button2 = nullptr;

  // Docked into TabCircled when the form is first shown.
  TCircledSeriesEditor* CircledForm = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void BuildOptionsTab();
  void BuildGroupTab();
  void Connect();
  void LoadControls();
  void DockCircledForm();
  void EnableDark3D();
  void EnableOtherEdits();
  // Runs Body unless the controls are being filled; a refused edit is
  // reported and the controls show the series again.
  void Apply(const std::function<void()>& Body);

  TPieSeries* FSeries = nullptr;  // not owned
  // Set while code fills the controls: changes then are not edits.
  bool FUpdating = false;
};

// Registers the form under "TPieSeriesEditor".
void RegisterPieSeriesEditor();

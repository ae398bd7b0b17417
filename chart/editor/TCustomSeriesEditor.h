#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QShowEvent;
class TButtonColor;
class TButtonPen;
class TCustomSeries;
class TEditUpDown;

// Interaction: the "Format" page of line-type series: colour, line pen,
// colouring, hit testing, stacking and shadow for all of them, and for line
// series also stairs, 3D look, ribbon height, ribbon brush and outline
// (hidden for the others). The series comes from the form's tag when the
// form is shown; every control writes its property at once. Docked in a
// parent, the form also adds a pointer editor tab for the series' pointer,
// which goes with this form.
class TCustomSeriesEditor : public QWidget {
 public:
  explicit TCustomSeriesEditor(QWidget* Parent = nullptr);
  ~TCustomSeriesEditor() override;

  TCustomSeries* GetSeries() const { return Series; }
  // The pointer tab's form; null until inserted, or when the pointer form
  // is not registered or the page freed it.
  QWidget* GetPointerForm() const { return FPointerForm; }

  // Reads the series from the tag, fills the controls and, the first time
  // with a parent, adds the pointer tab.
  void FormShow();
  void CBColorEachClick();
  void CheckBox1Click();
  void CBClickClick();
  void CBStackChange();
  // The shadow dialog without its smoothing and transparency.
  void Button1Click();
  // Off keeps the inverted switch as it is, only disabled.
  void CBStairsClick();
  void CBInvStairsClick();
  void CBDark3DClick();
  void EHeightChange();
  void BBrushClick();

  TButtonColor* BLineColor = nullptr;
  TButtonPen* BLineBorder = nullptr;
  QCheckBox* CBColorEach = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* CBClick = nullptr;
  QLabel* LStack = nullptr;
  QComboBox* CBStack = nullptr;
  QPushButton* Button1 = nullptr;
  QGroupBox* GBLineMode = nullptr;
  QCheckBox* CBStairs = nullptr;
  QCheckBox* CBInvStairs = nullptr;
  QCheckBox* CBDark3D = nullptr;
  QLabel* LHeight = nullptr;
  TEditUpDown* EHeight = nullptr;
  QPushButton* BBrush = nullptr;
  TButtonPen* BOutline = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void Connect();
  void LoadControls();
  // A refused edit is reported and the controls show the series again.
  void Guarded(const std::function<void()>& Body);
  bool Editing() const { return !FUpdating && Series != nullptr; }

  TCustomSeries* Series = nullptr;  // not owned
  bool FUpdating = false;
  bool FPointerInserted = false;
  // Lives in the series page; cleared by Qt when the page frees it first.
  QPointer<QWidget> FPointerForm;
};

// Registers the form under "TCustomSeriesEditor".
void RegisterCustomSeriesEditor();

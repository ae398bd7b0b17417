#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QShowEvent;
class TButtonColor;
class TButtonPen;
class TCustomBarSeries;
class TEditUpDown;

// Interaction: the "Format" page of bar series: bar style, width, offset,
// depth and bevel, colour and decorations. The series comes from the form's
// tag when the form is first shown; every control writes its property at
// once. The first show also adds the stacking editor as a "Stack" tab of the
// series page, which goes with this form.
class TBarSeriesEditor : public QWidget {
 public:
  explicit TBarSeriesEditor(QWidget* Parent = nullptr);
  ~TBarSeriesEditor() override;

  TCustomBarSeries* GetBar() const { return Bar; }
  // The "Stack" tab's form; null until inserted, or when the stacking form
  // is not registered or was freed by the page.
  QWidget* GetStackForm() const { return FStackForm; }

  // Reads the series from the tag, fills the controls and, the first time,
  // adds the "Stack" tab.
  void FormShow();
  void CBBarStyleChange();
  void SEBarwidthChange();
  void SEBarOffsetChange();
  void SEDepthChange();
  void SEBevelChange();
  void CBColorEachClick();
  void CBMarksAutoPositionClick();
  void CBDarkBarClick();
  void CBBarSideMarginsClick();
  void BBarBrushClick();
  // Makes the bars "Rect. Gradient" and edits their gradient.
  void BGradientClick();

  QLabel* LStyle = nullptr;
  QComboBox* CBBarStyle = nullptr;
  QLabel* LBarwidth = nullptr;
  TEditUpDown* SEBarwidth = nullptr;
  QLabel* LBarOffset = nullptr;
  TEditUpDown* SEBarOffset = nullptr;
  QLabel* LDepth = nullptr;
  TEditUpDown* SEDepth = nullptr;
  QLabel* LBevel = nullptr;
  TEditUpDown* SEBevel = nullptr;
  QCheckBox* CBColorEach = nullptr;
  QCheckBox* CBMarksAutoPosition = nullptr;
  QCheckBox* CBDarkBar = nullptr;
  QCheckBox* CBBarSideMargins = nullptr;
  TButtonPen* BBarPen = nullptr;
  TButtonPen* BTickLines = nullptr;
  TButtonColor* BBarColor = nullptr;
  QPushButton* BBarBrush = nullptr;
  QPushButton* BGradient = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void Connect();
  void LoadControls();
  void EnableStyleControls();
  // A refused edit is reported and the controls show the series again.
  void Guarded(const std::function<void()>& Body);
  // Edits count once the first show has filled the controls, and not
  // while code fills them again.
  bool Editing() const { return !FCreating && !FUpdating && Bar != nullptr; }

  TCustomBarSeries* Bar = nullptr;  // not owned
  bool FCreating = true;
  bool FUpdating = false;
  bool FStackInserted = false;
  // Lives in the series page; cleared by Qt when the page frees it first.
  QPointer<QWidget> FStackForm;
};

// Registers the form under "TBarSeriesEditor".
void RegisterBarSeriesEditor();

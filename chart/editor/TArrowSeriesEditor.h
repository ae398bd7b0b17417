#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QShowEvent;
class TArrowSeries;
class TButtonColor;
class TButtonPen;
class TEditUpDown;

// Interaction: the "Format" page of arrow series: colour, head size, shaft
// percent, frame and fill of the arrows. The series comes from the form's
// tag when the form is shown; from then on every control writes its
// property at once.
class TArrowSeriesEditor : public QWidget {
 public:
  explicit TArrowSeriesEditor(QWidget* Parent = nullptr);

  TArrowSeries* GetArrow() const { return Arrow; }

  // Reads the series from the tag and fills the controls.
  void FormShow();
  // On: every arrow in its point's colour, the pointer back to the default
  // colour.
  void CBColorEachClick();
  void SEArrowWidthChange();
  void SEArrowHeightChange();
  void SBPercentChange();
  void BBrushClick();

  QCheckBox* CBColorEach = nullptr;
  QLabel* LArrowWidth = nullptr;
  TEditUpDown* SEArrowWidth = nullptr;
  QLabel* LArrowHeight = nullptr;
  TEditUpDown* SEArrowHeight = nullptr;
  QScrollBar* SBPercent = nullptr;
  QLabel* LPercent = nullptr;
  TButtonPen* BPen = nullptr;
  TButtonColor* BColor = nullptr;
  QPushButton* BBrush = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildControls();
  void Connect();
  void LoadControls();
  void ShowPercent();
  // A refused edit is reported and the controls show the series again.
  void Guarded(const std::function<void()>& Body);
  bool Editing() const { return FShown && !FUpdating && Arrow != nullptr; }

  TArrowSeries* Arrow = nullptr;  // not owned
  bool FShown = false;
  bool FUpdating = false;
};

// Registers the form under "TArrowSeriesEditor".
void RegisterArrowSeriesEditor();

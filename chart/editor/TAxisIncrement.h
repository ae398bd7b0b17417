#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QShowEvent;
class TRadioGroup;

// The text shown for an axis increment. Date-time: the standard step's name
// when Exact is on and Increment is one of the steps, else whole days and a
// time of day ("1 12:00:00"); a value not above 0 shows one second. Numbers:
// Increment written with NumberFormat, or in the default form when that
// text does not read back as Increment (a format that rounds it away).
QString GetIncrementText(bool IsDateTime, bool Exact, const QString& NumberFormat,
                         double Increment);

// Interaction: the modal dialog that edits an axis' desired increment: a
// number, or for a date-time axis a custom span ("[days] [hh:nn:ss]") or
// one of the standard date-time steps. OK closes only when the entry
// converts; otherwise the reason is shown and the dialog stays open.
class TAxisIncrement : public QDialog {
 public:
  // Radio group items.
  static constexpr int StandardItem = 0;
  static constexpr int CustomItem = 1;

  explicit TAxisIncrement(QWidget* Owner = nullptr);

  // Handlers.
  void FormShow();
  void RGIncrementClick();
  void CBExactClick();
  void CBStepsChange();
  void BOkClick();

  bool IsDateTime = false;
  bool IsExact = false;
  // Days for a date-time axis.
  double Increment = 0;
  // A TDateTimeStep; dtNone when no standard step is chosen.
  int StepIndex = 0;

  TRadioGroup* RGIncrement = nullptr;
  QComboBox* CBSteps = nullptr;
  QLineEdit* ECustom = nullptr;
  QCheckBox* CBExact = nullptr;
  QPushButton* BOk = nullptr;
  QPushButton* BCancel = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  void ShowDateTime();
  void ShowNumber();
  // The increment the controls hold; raises EConvertError when the text
  // does not read.
  double ReadIncrement() const;

  bool FUpdating = false;
};

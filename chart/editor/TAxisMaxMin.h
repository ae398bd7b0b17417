#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;

// Tells the user a typed value was refused: "Incorrect value. Reason: ..."
// with Reason, through the message hook.
void KorShowIncorrect(const QString& Reason);

// Interaction: the modal dialog that edits one axis limit, as a number or,
// for a date-time axis, as a date and a time (the date is hidden for values
// below one day). OK closes only when the text converts; otherwise the
// reason is shown and the dialog stays open.
class TAxisMaxMin : public QDialog {
 public:
  explicit TAxisMaxMin(QWidget* Owner = nullptr);

  // Handlers.
  void FormShow();
  void BOkClick();

  bool IsDateTime = false;
  // The value edited (days for a date-time axis).
  double AxisValue = 0;

  QLabel* Label1 = nullptr;
  QLineEdit* EMaximum = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* EMinimum = nullptr;
  QPushButton* BOk = nullptr;
  QPushButton* BCancel = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  // The value the edits hold; raises EConvertError when they do not read.
  double ReadValue() const;
};

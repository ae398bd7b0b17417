#pragma once

#include <QWidget>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QShowEvent;
class TCustomKorFunction;

// Interaction: the options of the user formula y = f(x): the first X, the
// step and the number of points. Closing writes them into the function
// (made for the function page's series when there is none yet); an entry
// that is not a number is reported and keeps the form open.
class TCustomFunctionEditor : public QWidget {
 public:
  explicit TCustomFunctionEditor(QWidget* Parent = nullptr);

  TCustomKorFunction* GetFunction() const { return FFunction; }

  // Takes the function from the tag and shows its values.
  void FormShow();
  // Writes the entries into the function. Raises EConvertError (nothing
  // written) when an entry is not a number.
  void ApplyFormChanges();

  QLabel* LStart = nullptr;
  QLineEdit* EStart = nullptr;
  QLabel* LStep = nullptr;
  QLineEdit* EStep = nullptr;
  QLabel* LNum = nullptr;
  QLineEdit* ENum = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;

 private:
  void EditChange();

  TCustomKorFunction* FFunction = nullptr;  // not owned
  bool FUpdating = false;
};

#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

// Find and Replace (interaction role): the text to look for, with "Replace
// with" in replace mode; the buttons call the editor through the functions
// given, so the dialog holds no search logic.
class TSearchDlg : public QDialog {
 public:
  using TFind = std::function<bool(const QString& Text, bool MatchCase)>;
  using TReplace =
      std::function<int(const QString& Text, const QString& Replacement, bool MatchCase)>;

  // Replace mode when Replace is set.
  TSearchDlg(QWidget* Parent, TFind Find, TReplace Replace = nullptr);

  void FindNextClick();
  void ReplaceAllClick();

  QLineEdit* FindEdit = nullptr;
  QLineEdit* ReplaceEdit = nullptr;
  QCheckBox* MatchCaseCB = nullptr;
  QPushButton* FindNextBtn = nullptr;
  QPushButton* ReplaceAllBtn = nullptr;

 private:
  TFind FFind;
  TReplace FReplace;
};

#pragma once

#include <QDialog>

#include "app/Recomposer.h"

class QLineEdit;
class QPushButton;
class QWidget;

// The window "recompose" (interaction role): the data directory (filled in
// by the window that opens it), a paradigm file and an output directory to
// choose, and "Recompose", enabled once both are chosen, with its status
// line.
class Trecompose : public QDialog {
 public:
  explicit Trecompose(QWidget* AOwner);

  void ButtonReadParadigmClick();
  void ButtonSetOutputClick();
  void ButtonRecomposeClick();
  void ButtonCloseClick();
  // The paradigm and the choices end with the window.
  void FormClose();

  QLineEdit* EditDataDir = nullptr;
  QPushButton* ButtonReadParadigm = nullptr;
  QLineEdit* EditParadigmFileName = nullptr;
  QPushButton* ButtonSetOutput = nullptr;
  QLineEdit* EditOutput = nullptr;
  QPushButton* ButtonRecompose = nullptr;
  QLineEdit* Editupdate = nullptr;
  QPushButton* ButtonClose = nullptr;

 protected:
  void done(int Result) override;

 private:
  void UpdateRecomposeButton();

  Recomposer FRecomposer;
};

#pragma once

#include <QDialog>

class Configuration;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The configuration file's editor (interaction role): the whole document as
// plain text in a memo above a 41-pixel panel with OK and Cancel. The memo is
// filled once, when the window is first shown, so resizing never discards
// edits the user has not confirmed.
class TConfigEdFrm : public QDialog {
 public:
  static constexpr int PanelHeight = 41;  // pixels

  TConfigEdFrm(Configuration& AConfiguration, QWidget* AOwner);

  // Fills the memo with the document's lines (the first time only).
  void FormShow();
  // Places the buttons about the middle of the panel.
  void FormResize();
  // OK: the memo's lines become the document, which is written at once.
  void BitBtn1Click();
  void BitBtn2Click();

  QPlainTextEdit* Memo1 = nullptr;
  QWidget* Panel1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  // Closing the window counts as Cancel.
  void reject() override;

 private:
  Configuration& FConfiguration;
  bool FMemoFilled = false;
};

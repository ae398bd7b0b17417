#pragma once

#include <QDialog>
#include <QString>

#include "app/TarExtractor.h"

class QPlainTextEdit;
class QPushButton;
class QWidget;

// The window "Extract files from Beckman tar.gz" (interaction role): an
// "Open file" button above a log memo. Each archive chosen is unpacked beside
// itself; the memo keeps the log of every archive handled in the window.
class TTarFrm : public QDialog {
 public:
  explicit TTarFrm(QWidget* AOwner);

  // "Open file": asks for an archive and unpacks it.
  void BitBtn1Click();
  bool ExtractTarGz(const QString& ArchivePath);
  void Log(const QString& Line);

  QWidget* Panel1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;

 private:
  TarExtractor FExtractor;
};

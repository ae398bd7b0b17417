#include "app/TarHandler.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TTarFrm::TTarFrm(QWidget* AOwner)
    : QDialog(AOwner), FExtractor([this](const QString& line) { Log(line); }) {
  setWindowTitle(QStringLiteral("Extract files from Beckman tar.gz"));
  resize(560, 400);
  Panel1 = new QWidget(this);
  BitBtn1 = new QPushButton(QStringLiteral("Open file"), Panel1);
  auto* top = new QHBoxLayout(Panel1);
  top->addWidget(BitBtn1);
  top->addStretch(1);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(Memo1, 1);
  Memo1->clear();
  QObject::connect(BitBtn1, &QPushButton::clicked, this,
                   [this] { RunGuarded([this] { BitBtn1Click(); }); });
}

void TTarFrm::BitBtn1Click() {
  try {
    TFileDialogRequest request;
    request.Kind = TFileDialogKind::fdOpen;
    request.DefaultExt = QStringLiteral("gz");
    request.Parent = this;
    const TFileDialogAnswer answer = ExecuteFileDialog(request);
    if (answer.Accepted && !ExtractTarGz(answer.FileName))
      Log(QStringLiteral("Failed handle tar.gz file"));
  } catch (...) {
    Log(QStringLiteral("Caught error on open file"));
  }
}

bool TTarFrm::ExtractTarGz(const QString& ArchivePath) {
  return FExtractor.ExtractTarGz(ArchivePath);
}

void TTarFrm::Log(const QString& Line) {
  Memo1->appendPlainText(Line);
}

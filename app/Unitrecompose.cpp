#include "app/Unitrecompose.h"

#include "platform/ModalHooks.h"
#include "platform/QtGuard.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* ReadOnlyEdit(QWidget* Parent) {
  auto* edit = new QLineEdit(Parent);
  edit->setReadOnly(true);
  edit->setMinimumWidth(360);
  return edit;
}

template <class Handler>
QPushButton* Button(const QString& Caption, QWidget* Parent, Handler OnClick) {
  auto* button = new QPushButton(Caption, Parent);
  QObject::connect(button, &QPushButton::clicked, Parent,
                   [OnClick] { RunGuarded([&] { OnClick(); }); });
  return button;
}

}  // namespace

Trecompose::Trecompose(QWidget* AOwner) : QDialog(AOwner) {
  setWindowTitle(QStringLiteral("recompose"));
  EditDataDir = ReadOnlyEdit(this);
  ButtonReadParadigm =
      Button(QStringLiteral("Read Paradigm"), this, [this] { ButtonReadParadigmClick(); });
  EditParadigmFileName = ReadOnlyEdit(this);
  ButtonSetOutput =
      Button(QStringLiteral("Set Output Dir"), this, [this] { ButtonSetOutputClick(); });
  EditOutput = ReadOnlyEdit(this);
  ButtonRecompose = Button(QStringLiteral("Recompose"), this, [this] { ButtonRecomposeClick(); });
  ButtonRecompose->setEnabled(false);
  Editupdate = ReadOnlyEdit(this);
  Editupdate->setText(QStringLiteral("status = idle"));
  ButtonClose = Button(QStringLiteral("Close"), this, [this] { ButtonCloseClick(); });

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Data directory"), this), 0, 0);
  layout->addWidget(EditDataDir, 0, 1);
  layout->addWidget(ButtonReadParadigm, 1, 0);
  layout->addWidget(EditParadigmFileName, 1, 1);
  layout->addWidget(ButtonSetOutput, 2, 0);
  layout->addWidget(EditOutput, 2, 1);
  layout->addWidget(ButtonRecompose, 3, 0);
  layout->addWidget(Editupdate, 3, 1);
  layout->addWidget(ButtonClose, 4, 1, Qt::AlignRight);
}

void Trecompose::ButtonReadParadigmClick() {
  TFileDialogRequest request;
  request.Kind = TFileDialogKind::fdOpen;
  request.Parent = this;
  const TFileDialogAnswer answer = ExecuteFileDialog(request);
  if (!answer.Accepted) return;
  EditParadigmFileName->setText(answer.FileName);
  FRecomposer.ReadParadigm(answer.FileName);
  UpdateRecomposeButton();
}

void Trecompose::ButtonSetOutputClick() {
  TFileDialogRequest request;
  request.Kind = TFileDialogKind::fdSave;
  request.Title = QStringLiteral("Choose a directory where the log file and new data will go");
  request.FileName = QStringLiteral("Recompose.log");
  request.Parent = this;
  const TFileDialogAnswer answer = ExecuteFileDialog(request);
  if (!answer.Accepted) return;
  const QString dir = QFileInfo(answer.FileName).absolutePath();
  FRecomposer.SetDataDirectory(EditDataDir->text());
  if (FRecomposer.SetOutputDirectory(dir)) {
    EditOutput->setText(dir);
  } else {
    EditOutput->clear();
    MessageDlg(Recomposer::DirectoriesMustDiffer, TMsgDlgType::mtWarning, mbOKOnly);
  }
  UpdateRecomposeButton();
}

void Trecompose::ButtonRecomposeClick() {
  FRecomposer.SetDataDirectory(EditDataDir->text());
  const QString status =
      FRecomposer.Recompose([this](const QString& text) { Editupdate->setText(text); });
  Editupdate->setText(status);
}

void Trecompose::ButtonCloseClick() {
  done(mrCancel);
}

void Trecompose::FormClose() {
  FRecomposer.Reset();
  UpdateRecomposeButton();
}

void Trecompose::done(int Result) {
  FormClose();
  QDialog::done(Result);
}

void Trecompose::UpdateRecomposeButton() {
  ButtonRecompose->setEnabled(FRecomposer.RecomposeEnabled());
}

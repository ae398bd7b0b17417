#include "platform/TEditUpDown.h"

#include "platform/TUpDown.h"

#include <QResizeEvent>

TEditUpDown::TEditUpDown(QWidget* Parent) : QLineEdit(Parent) {
  FUpDown = new TUpDown(this);
  setTextMargins(0, 0, UpDownWidth, 0);
  FUpDown->OnClick = [this](TUpDown*, TUDBtnType) { ShowPosition(); };
  connect(this, &QLineEdit::textChanged, this, [this](const QString& Text) { TextEdited(Text); });
  setText(QString::number(FUpDown->GetPosition()));
}

int TEditUpDown::GetMin() const {
  return FUpDown->GetMin();
}

void TEditUpDown::SetMin(int Value) {
  FUpDown->SetMin(Value);
}

int TEditUpDown::GetMax() const {
  return FUpDown->GetMax();
}

void TEditUpDown::SetMax(int Value) {
  FUpDown->SetMax(Value);
}

int TEditUpDown::GetPosition() const {
  return FUpDown->GetPosition();
}

void TEditUpDown::SetPosition(int Value) {
  FUpDown->SetPosition(Value);
  ShowPosition();
}

void TEditUpDown::resizeEvent(QResizeEvent* Event) {
  QLineEdit::resizeEvent(Event);
  FUpDown->setGeometry(width() - UpDownWidth - 1, 1, UpDownWidth, height() - 2);
}

void TEditUpDown::TextEdited(const QString& Text) {
  // Text that is not a whole number stays as typed; the position keeps its
  // last value until a number comes.
  bool Ok = false;
  const int Value = Text.trimmed().toInt(&Ok);
  if (Ok) FUpDown->SetPosition(Value);
}

void TEditUpDown::ShowPosition() {
  const QString Text = QString::number(FUpDown->GetPosition());
  if (text() != Text) setText(Text);
}

#include "platform/TUpDown.h"

#include "platform/QtGuard.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

TUpDown::TUpDown(QWidget* Parent) : QWidget(Parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  FUp = new QToolButton(this);
  FUp->setArrowType(Qt::UpArrow);
  FDown = new QToolButton(this);
  FDown->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {FUp, FDown}) {
    b->setAutoRepeat(true);
    b->setFixedSize(16, 11);
    layout->addWidget(b);
  }
  connect(FUp, &QToolButton::clicked, this, [this] { RunGuarded([&] { Click(btNext); }); });
  connect(FDown, &QToolButton::clicked, this, [this] { RunGuarded([&] { Click(btPrev); }); });
}

void TUpDown::SetMin(int Value) {
  FMin = Value;
  if (FMax < FMin) FMax = FMin;
  SetPosition(FPosition);
}

void TUpDown::SetMax(int Value) {
  FMax = Value;
  if (FMin > FMax) FMin = FMax;
  SetPosition(FPosition);
}

void TUpDown::SetPosition(int Value) {
  FPosition = std::clamp(Value, FMin, FMax);
}

void TUpDown::Click(TUDBtnType Button) {
  const int before = FPosition;
  SetPosition(Button == btNext ? FPosition + FIncrement : FPosition - FIncrement);
  ShowPosition();
  if (FPosition != before && OnClick) OnClick(this, Button);
}

void TUpDown::SetAssociate(QLineEdit* Edit) {
  if (FAssociate) {
    FAssociate->removeEventFilter(this);
    disconnect(FAssociate, nullptr, this, nullptr);
  }
  FAssociate = Edit;
  if (Edit == nullptr) return;
  Edit->setReadOnly(false);
  Edit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edit));
  Edit->installEventFilter(this);
  connect(Edit, &QObject::destroyed, this, [this] { FAssociate = nullptr; });
  connect(Edit, &QLineEdit::editingFinished, this,
          [this] { RunGuarded([&] { TakeTypedPosition(); }); });
}

bool TUpDown::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FAssociate && Event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(Event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      // What was typed counts first, as it would once the edit is left.
      RunGuarded([&] {
        TakeTypedPosition();
        Click(key == Qt::Key_Up ? btNext : btPrev);
      });
      return true;
    }
  }
  return QWidget::eventFilter(Watched, Event);
}

void TUpDown::TakeTypedPosition() {
  if (!FAssociate) return;
  bool ok = false;
  const int typed = FAssociate->text().toInt(&ok);
  const int before = FPosition;
  if (ok) SetPosition(typed);
  ShowPosition();
  if (FPosition != before && OnClick) OnClick(this, FPosition > before ? btNext : btPrev);
}

void TUpDown::ShowPosition() {
  const QString text = QString::number(FPosition);
  if (FAssociate && FAssociate->text() != text) FAssociate->setText(text);
}

#include "platform/TUpDown.h"

#include "platform/QtGuard.h"

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
  if (FPosition != before && OnClick) OnClick(this, Button);
}

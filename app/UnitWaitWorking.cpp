#include "app/UnitWaitWorking.h"

#include "platform/QtGuard.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

TWaitWorking::TWaitWorking(QWidget* AOwner) : QWidget(AOwner, Qt::Window) {
  setWindowTitle(QStringLiteral("WaitWorking"));
  Label1 = new QLabel(QStringLiteral("Please Wait, the program is working"), this);
  Edit1 = new QLineEdit(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Edit1);
  Timer1 = new QTimer(this);
  Timer1->setInterval(HideIntervalMs);
  connect(Timer1, &QTimer::timeout, this, [this] { RunGuarded([&] { Timer1Timer(); }); });
  Timer1->start();
  hide();
}

void TWaitWorking::Timer1Timer() {
  hide();
}

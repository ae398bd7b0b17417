#include "chart/editor/TBMPOptions.h"

#include "platform/QtGuard.h"
#include "platform/TFormBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QShowEvent>

TBMPOptions::TBMPOptions(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("BMPOptions"));
  TFormBuilder B(*this);
  CBMono = B.Add<QCheckBox>(QStringLiteral("CBMono"), QStringLiteral("&Monochrome"), 8, 8, 120, 17);
  Label1 = B.Add<QLabel>(QStringLiteral("Label1"), QStringLiteral("&Colors:"), 8, 38, 44, 13);
  CBColors = B.Add<QComboBox>(QStringLiteral("CBColors"), QString(), 56, 34, 120, 22);
  Label1->setBuddy(CBColors);
  // In the order of the pixel formats, so the index is the format.
  CBColors->addItems({QStringLiteral("Default"), QStringLiteral("2 (1 bit)"),
                      QStringLiteral("16 (4 bit)"), QStringLiteral("256 (8 bit)"),
                      QStringLiteral("32768 (15 bit)"), QStringLiteral("65536 (16 bit)"),
                      QStringLiteral("16M (24 bit)"), QStringLiteral("16M (32 bit)")});
  CBColors->setCurrentIndex(0);
  connect(CBMono, &QCheckBox::toggled, this, [this] { RunGuarded([this] { CBMonoClick(); }); });
  resize(200, 64);
}

void TBMPOptions::CBMonoClick() {
  CBColors->setEnabled(!CBMono->isChecked());
}

void TBMPOptions::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  if (!Event->spontaneous()) CBColors->setCurrentIndex(0);
}

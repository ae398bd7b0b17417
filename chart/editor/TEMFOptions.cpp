#include "chart/editor/TEMFOptions.h"

#include "platform/TFormBuilder.h"

#include <QCheckBox>

TEMFOptions::TEMFOptions(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("EMFOptions"));
  TFormBuilder B(*this);
  CBEnhanced =
      B.Add<QCheckBox>(QStringLiteral("CBEnhanced"), QStringLiteral("&Enhanced"), 8, 8, 120, 17);
  CBEnhanced->setChecked(true);
  resize(200, 40);
}

#include "platform/ApplicationTitle.h"

#include <QCoreApplication>

void SetApplicationTitle(const QString& Title) {
  // Before the first window exists: the X11 platform gives each window the
  // name as its class when it creates it.
  QCoreApplication::setApplicationName(Title);
}

QString ApplicationTitle() {
  return QCoreApplication::applicationName();
}

#include "platform/Exception.h"

Exception::Exception(const QString& AMessage)
    : FMessage(AMessage), FUtf8(AMessage.toUtf8().toStdString()) {}

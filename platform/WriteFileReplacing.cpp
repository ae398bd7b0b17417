#include "platform/WriteFileReplacing.h"

#include "platform/Exception.h"

#include <QSaveFile>

void WriteFileReplacing(const QString& FileName, const std::function<void(QIODevice&)>& Write) {
  QSaveFile File(FileName);
  if (!File.open(QIODevice::WriteOnly))
    throw EFileError(
        QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, File.errorString()));
  Write(File);
  if (!File.commit())
    throw EFileError(
        QStringLiteral("Cannot write file \"%1\". %2").arg(FileName, File.errorString()));
}

void WriteFileReplacing(const QString& FileName, const QByteArray& Bytes) {
  WriteFileReplacing(FileName, [&](QIODevice& File) {
    if (File.write(Bytes) != Bytes.size())
      throw EFileError(
          QStringLiteral("Cannot write file \"%1\". %2").arg(FileName, File.errorString()));
  });
}

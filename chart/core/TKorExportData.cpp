#include "chart/core/TKorExportData.h"

#include "platform/Exception.h"
#include "platform/TClipboard.h"

#include <QIODevice>
#include <QSaveFile>

QString TKorExportData::AsString() {
  return QString();
}

void TKorExportData::CopyToClipboard() {
  Clipboard().SetAsText(AsString());
}

void TKorExportData::SaveToStream(QIODevice& Stream) {
  const QByteArray Bytes = AsString().toUtf8();
  if (Stream.write(Bytes) != Bytes.size())
    throw EFileError(QStringLiteral("Cannot write the data. %1").arg(Stream.errorString()));
}

void TKorExportData::SaveToFile(const QString& FileName) {
  QSaveFile File(FileName);
  if (!File.open(QIODevice::WriteOnly))
    throw EFileError(
        QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, File.errorString()));
  SaveToStream(File);
  if (!File.commit())
    throw EFileError(
        QStringLiteral("Cannot write file \"%1\". %2").arg(FileName, File.errorString()));
}

#include "chart/core/TKorExportData.h"

#include "platform/Exception.h"
#include "platform/TClipboard.h"
#include "platform/WriteFileReplacing.h"

#include <QIODevice>

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
  WriteFileReplacing(FileName, [this](QIODevice& File) { SaveToStream(File); });
}

#pragma once

#include "platform/TPersistent.h"

#include <QString>

class QIODevice;

// Data: the base of the text exports of series data; derived formats build
// the text in AsString.
class TKorExportData : public TPersistent {
 public:
  TKorExportData() = default;

  QString ClassName() const override { return QStringLiteral("TKorExportData"); }

  // The exported text; empty here.
  virtual QString AsString();
  // AsString onto the clipboard as text.
  void CopyToClipboard();
  // The UTF-8 bytes of AsString, without a terminator. Raises EFileError
  // when the stream does not take them.
  void SaveToStream(QIODevice& Stream);
  // Raises EFileError when the file cannot be written.
  void SaveToFile(const QString& FileName);
};

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
  // when the stream does not take them. Formats that are not UTF-8 text
  // (a declared encoding, binary records) write their own bytes.
  virtual void SaveToStream(QIODevice& Stream);
  // Writes through SaveToStream beside the old file and replaces it only
  // when that succeeded. Raises EFileError when the file cannot be written.
  void SaveToFile(const QString& FileName);
};

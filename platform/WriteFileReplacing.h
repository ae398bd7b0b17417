#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Writes a file beside FileName and renames it over the old one at the end,
// so a failed write never destroys the file it was to replace. Write puts
// the content on the device it is given (and may raise). Raises EFileError
// naming the file when it cannot be created or completed.
void WriteFileReplacing(const QString& FileName, const std::function<void(QIODevice&)>& Write);
void WriteFileReplacing(const QString& FileName, const QByteArray& Bytes);

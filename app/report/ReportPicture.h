#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>

class QTextCursor;
class QTextDocument;
class QTextImageFormat;

// Pictures in a report document (data role). A picture is an image resource
// of the document, named by a number no other picture of the program uses,
// shown by an image character at its display size in pixels (96 per inch).

// Inserts Image at Cursor; an empty DisplaySize shows it at its own size.
// A null image inserts nothing and returns false.
bool InsertReportPicture(QTextCursor& Cursor, const QImage& Image, QSizeF DisplaySize = QSizeF());

// The image behind an image character's format, or a null image when the
// document holds no image under its name. Only the document's own resources
// are consulted, so a name can never make the document read a file.
QImage ReportPictureImage(const QTextDocument& Document, const QTextImageFormat& Format);

// Display size of a picture in pixels (its own size when the format has none).
QSizeF ReportPictureSize(const QTextImageFormat& Format, const QImage& Image);

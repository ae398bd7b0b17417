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
// No picture is shown wider than the text width of the document's page
// (ReportPage): a wider one is shown smaller with its aspect kept, while
// its bitmap keeps every pixel. The size it was inserted with is kept, so a
// wider page shows it larger again, up to that size.

// Inserts Image at Cursor; an empty DisplaySize shows it at its own size.
// A null image inserts nothing and returns false.
bool InsertReportPicture(QTextCursor& Cursor, const QImage& Image, QSizeF DisplaySize = QSizeF());

// Shows every picture of Document at the size its page allows (after the
// page changed); the number of pictures whose size changed.
int FitReportPictures(QTextDocument& Document);

// Wanted, made no wider than Width with its aspect kept.
QSizeF FitToWidth(QSizeF Wanted, double Width);

// The image behind an image character's format, or a null image when the
// document holds no image under its name. Only the document's own resources
// are consulted, so a name can never make the document read a file.
QImage ReportPictureImage(const QTextDocument& Document, const QTextImageFormat& Format);

// Display size of a picture in pixels (its own size when the format has none).
QSizeF ReportPictureSize(const QTextImageFormat& Format, const QImage& Image);

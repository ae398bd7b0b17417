#include "app/report/ReportPicture.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <atomic>

namespace {

const QString PictureScheme = QStringLiteral("korvale-picture");

QUrl NewPictureName() {
  static std::atomic<unsigned long long> counter{0};
  return QUrl(PictureScheme + u':' + QString::number(++counter));
}

}  // namespace

bool InsertReportPicture(QTextCursor& Cursor, const QImage& Image, QSizeF DisplaySize) {
  if (Image.isNull() || Cursor.document() == nullptr) return false;
  const QUrl name = NewPictureName();
  Cursor.document()->addResource(QTextDocument::ImageResource, name, Image);
  QTextImageFormat format;
  format.setName(name.toString());
  if (DisplaySize.isEmpty()) DisplaySize = Image.size();
  format.setWidth(DisplaySize.width());
  format.setHeight(DisplaySize.height());
  Cursor.insertImage(format);
  return true;
}

QImage ReportPictureImage(const QTextDocument& Document, const QTextImageFormat& Format) {
  const QUrl name(Format.name());
  if (name.scheme() != PictureScheme) return QImage();
  // resource() would fall back to loadResource, which may read files; the
  // scheme check above keeps to names this program made.
  const QVariant value = Document.resource(QTextDocument::ImageResource, name);
  return value.canConvert<QImage>() ? value.value<QImage>() : QImage();
}

QSizeF ReportPictureSize(const QTextImageFormat& Format, const QImage& Image) {
  const double width = Format.width() > 0 ? Format.width() : Image.width();
  const double height = Format.height() > 0 ? Format.height() : Image.height();
  return QSizeF(width, height);
}

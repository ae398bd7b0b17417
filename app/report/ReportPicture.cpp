#include "app/report/ReportPicture.h"

#include "app/report/ReportPage.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <atomic>
#include <vector>

namespace {

const QString PictureScheme = QStringLiteral("korvale-picture");
// The size a picture was inserted with, in pixels; what it is shown at when
// the page is wide enough.
constexpr int WantedWidthProperty = QTextFormat::UserProperty + 1;
constexpr int WantedHeightProperty = QTextFormat::UserProperty + 2;

QSizeF WantedSize(const QTextImageFormat& Format) {
  if (Format.hasProperty(WantedWidthProperty) && Format.hasProperty(WantedHeightProperty))
    return QSizeF(Format.doubleProperty(WantedWidthProperty),
                  Format.doubleProperty(WantedHeightProperty));
  return QSizeF(Format.width(), Format.height());
}

void ShowAt(QTextImageFormat& Format, QSizeF Wanted, const QTextDocument& Document) {
  Format.setProperty(WantedWidthProperty, Wanted.width());
  Format.setProperty(WantedHeightProperty, Wanted.height());
  const QSizeF shown = FitToWidth(Wanted, ReportPage::Of(Document).TextWidthPixels());
  Format.setWidth(shown.width());
  Format.setHeight(shown.height());
}

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
  ShowAt(format, DisplaySize, *Cursor.document());
  Cursor.insertImage(format);
  return true;
}

int FitReportPictures(QTextDocument& Document) {
  struct Change {
    int Position;
    int Length;
    QTextImageFormat Format;
  };
  std::vector<Change> changes;
  for (QTextBlock block = Document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      QTextImageFormat format = fragment.charFormat().toImageFormat();
      if (!fragment.charFormat().isImageFormat() || QUrl(format.name()).scheme() != PictureScheme)
        continue;
      const QSizeF before(format.width(), format.height());
      ShowAt(format, WantedSize(format), Document);
      if (QSizeF(format.width(), format.height()) != before)
        changes.push_back({fragment.position(), fragment.length(), format});
    }
  }
  // Applied after the walk: a changed format may merge or split fragments.
  for (const Change& change : changes) {
    QTextCursor cursor(&Document);
    cursor.setPosition(change.Position);
    cursor.setPosition(change.Position + change.Length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(change.Format);
  }
  return static_cast<int>(changes.size());
}

QSizeF FitToWidth(QSizeF Wanted, double Width) {
  if (Width <= 0 || Wanted.width() <= Width) return Wanted;
  return QSizeF(Width, Wanted.height() * Width / Wanted.width());
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

#include "tests/app/report/ReportDocs.h"

#include <QColor>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

#include "app/report/ReportPicture.h"

namespace reportdocs {

QImage Solid(int W, int H, QColor Color) {
  QImage image(W, H, QImage::Format_ARGB32);
  image.fill(Color);
  return image;
}

QVector<PictureInfo> Pictures(const QTextDocument& Document) {
  QVector<PictureInfo> pictures;
  for (QTextBlock block = Document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      const QTextImageFormat image = format.toImageFormat();
      for (qsizetype n = 0; n < it.fragment().text().size(); ++n)
        pictures.append({ReportPictureImage(Document, image), image.width(), image.height()});
    }
  }
  return pictures;
}

QString Text(const QTextDocument& Document) {
  return Document.toPlainText().remove(QChar(0xFFFC));
}

ReportPage A4Landscape() {
  ReportPage page;
  page.PaperWidth = 16838;
  page.PaperHeight = 11906;
  page.MarginLeft = page.MarginRight = 720;
  page.MarginTop = page.MarginBottom = 567;
  return page;
}

}  // namespace reportdocs

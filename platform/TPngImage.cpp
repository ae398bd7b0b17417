#include "platform/TPngImage.h"

#include "platform/Exception.h"

#include <QImageReader>
#include <QImageWriter>

void TPngImage::Assign(const TPersistent& Source) {
  if (const auto* graphic = dynamic_cast<const TGraphic*>(&Source)) {
    FImage = graphic->ToImage();
    Changed();
  } else {
    TGraphic::Assign(Source);
  }
}

void TPngImage::LoadFromStream(QIODevice& Stream) {
  QImageReader reader(&Stream, "PNG");
  QImage image;
  if (!reader.read(&image))
    throw EInvalidGraphic(QStringLiteral("PNG image is not valid: %1").arg(reader.errorString()));
  FImage = image.convertToFormat(QImage::Format_ARGB32);
  Changed();
}

void TPngImage::SaveToStream(QIODevice& Stream) const {
  QImageWriter writer(&Stream, "PNG");
  if (!writer.write(FImage))
    throw EFileError(QStringLiteral("Cannot write the PNG image: %1").arg(writer.errorString()));
}

std::unique_ptr<TGraphic> TPngImage::Clone() const {
  auto copy = std::make_unique<TPngImage>();
  copy->FImage = FImage;
  return copy;
}

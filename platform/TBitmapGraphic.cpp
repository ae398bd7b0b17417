#include "platform/TBitmapGraphic.h"

#include "platform/Exception.h"
#include "platform/TCanvas.h"

#include <QImageReader>

void TBitmapGraphic::Assign(const TPersistent& Source) {
  if (const auto* other = dynamic_cast<const TBitmapGraphic*>(&Source)) {
    FBitmap.Assign(other->FBitmap);
    Changed();
  } else if (const auto* bitmap = dynamic_cast<const TBitmap*>(&Source)) {
    FBitmap.Assign(*bitmap);
    Changed();
  } else if (const auto* graphic = dynamic_cast<const TGraphic*>(&Source)) {
    FBitmap.SetImage(graphic->ToImage());
    Changed();
  } else {
    TGraphic::Assign(Source);
  }
}

void TBitmapGraphic::SetTransparent(bool Value) {
  if (Value == FBitmap.GetTransparent()) return;
  FBitmap.SetTransparent(Value);
  Changed();
}

void TBitmapGraphic::Draw(TCanvas& Canvas, const TRect& Rect) const {
  if (GetEmpty()) return;
  Canvas.StretchDraw(Rect, FBitmap);
}

void TBitmapGraphic::LoadFromStream(QIODevice& Stream) {
  QImageReader reader(&Stream);
  QImage image;
  if (!reader.read(&image))
    throw EInvalidGraphic(
        QStringLiteral("Bitmap image is not valid: %1").arg(reader.errorString()));
  FBitmap.SetImage(image);
  Changed();
}

void TBitmapGraphic::SaveToStream(QIODevice& Stream) const {
  FBitmap.SaveToStream(Stream);
}

QImage TBitmapGraphic::ToImage() const {
  return FBitmap.GetEmpty() ? QImage() : FBitmap.Image().convertToFormat(QImage::Format_ARGB32);
}

std::unique_ptr<TGraphic> TBitmapGraphic::Clone() const {
  auto copy = std::make_unique<TBitmapGraphic>();
  copy->FBitmap.Assign(FBitmap);
  return copy;
}

#include "platform/TMetafile.h"

#include "platform/Exception.h"
#include "platform/TCanvas.h"
#include "platform/TMetafileRecordDevice.h"

#include <QIODevice>
#include <QPainter>

void TMetafile::Assign(const TPersistent& Source) {
  if (const auto* other = dynamic_cast<const TMetafile*>(&Source)) {
    FPicture = other->FPicture;
    FWidth = other->FWidth;
    FHeight = other->FHeight;
    FEnhanced = other->FEnhanced;
    Changed();
  } else {
    TGraphic::Assign(Source);
  }
}

void TMetafile::SetWidth(int Value) {
  if (Value == FWidth) return;
  FWidth = std::max(0, Value);
  Changed();
}

void TMetafile::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = std::max(0, Value);
  Changed();
}

void TMetafile::Replay(QPainter& Painter, double ScaleX, double ScaleY) const {
  Painter.scale(ScaleX, ScaleY);
  Painter.drawPicture(0, 0, FPicture);
}

QImage TMetafile::ToImage(int AWidth, int AHeight) const {
  if (AWidth <= 0 || AHeight <= 0 || GetEmpty()) return QImage();
  QImage image(AWidth, AHeight, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  Replay(painter, static_cast<double>(AWidth) / FWidth, static_cast<double>(AHeight) / FHeight);
  return image;
}

QImage TMetafile::ToImage() const {
  return ToImage(FWidth, FHeight);
}

void TMetafile::Draw(TCanvas& Canvas, const TRect& Rect) const {
  if (GetEmpty()) return;
  // The canvas gives no painter to replay on, so the recording is rendered
  // at the size of the target rectangle in device pixels and copied.
  const TRect device = Canvas.LPtoDP(Rect);
  const int w = std::abs(device.Right - device.Left);
  const int h = std::abs(device.Bottom - device.Top);
  if (w == 0 || h == 0) return;
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);  // only what was recorded covers the target
  {
    QPainter painter(&image);
    Replay(painter, static_cast<double>(w) / FWidth, static_cast<double>(h) / FHeight);
  }
  Canvas.DrawImage(Rect, image);
}

void TMetafile::LoadFromStream(QIODevice&) {
  throw ENotSupported(QStringLiteral("Reading metafiles is not supported"));
}

QByteArray TMetafile::SaveToBytes() const {
  TMetafileRecordDevice Device(QSize(FWidth, FHeight), FEnhanced);
  QPainter Painter;
  if (!Painter.begin(&Device)) throw EInvalidGraphic(QStringLiteral("Cannot write the metafile"));
  Painter.drawPicture(0, 0, FPicture);
  Painter.end();
  return Device.Bytes();
}

void TMetafile::SaveToStream(QIODevice& Stream) const {
  const QByteArray Bytes = SaveToBytes();
  if (Stream.write(Bytes) != Bytes.size())
    throw EFileError(QStringLiteral("Cannot write the metafile. %1").arg(Stream.errorString()));
}

std::unique_ptr<TGraphic> TMetafile::Clone() const {
  auto copy = std::make_unique<TMetafile>();
  copy->Assign(*this);
  return copy;
}

#include "platform/TBitmap.h"

#include "platform/BmpWriter.h"
#include "platform/Exception.h"
#include "platform/TCanvas.h"
#include "platform/WriteFileReplacing.h"

#include <QColor>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {

QImage::Format QtFormat(TPixelFormat Format) {
  // 24-bit rows are blue, green, red in memory, as classic 24-bit bitmaps.
  return Format == pf24bit ? QImage::Format_BGR888 : QImage::Format_RGB32;
}

QImage WhiteImage(int Width, int Height, TPixelFormat Format) {
  if (Width <= 0 || Height <= 0) return QImage();
  QImage Image(Width, Height, QtFormat(Format));
  if (Image.isNull())
    throw EInvalidGraphic(
        QStringLiteral("Out of memory for a %1 x %2 bitmap").arg(Width).arg(Height));
  Image.fill(Qt::white);
  return Image;
}

TBmpDepth FileDepth(TPixelFormat Format) {
  switch (Format) {
    case pf1bit: return TBmpDepth::Bits1;
    case pf4bit: return TBmpDepth::Bits4;
    case pf8bit: return TBmpDepth::Bits8;
    case pf15bit: return TBmpDepth::Bits15;
    case pf16bit: return TBmpDepth::Bits16;
    case pf32bit: return TBmpDepth::Bits32;
    case pfDevice:
    case pf24bit: break;
  }
  return TBmpDepth::Bits24;
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int AWidth, int AHeight, TPixelFormat AFormat) : FPixelFormat(AFormat) {
  FImage = WhiteImage(AWidth, AHeight, AFormat);
}

TBitmap::~TBitmap() {
  // The canvas's painter must end before the image it paints on goes.
  if (FCanvas) FCanvas->ClosePainter();
}

void TBitmap::Assign(const TPersistent& Source) {
  const TBitmap* Other = dynamic_cast<const TBitmap*>(&Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  PixelsChanging();
  FPixelFormat = Other->FPixelFormat;
  FMonochrome = Other->FMonochrome;
  FTransparent = Other->FTransparent;
  FTransparentColor = Other->FTransparentColor;
  FImage = Other->Image();
  FUnreduced = false;
  Changed();
}

void TBitmap::SetWidth(int Value) {
  SetSize(Value, GetHeight());
}

void TBitmap::SetHeight(int Value) {
  SetSize(GetWidth(), Value);
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(0, AWidth);
  AHeight = std::max(0, AHeight);
  if (AWidth == GetWidth() && AHeight == GetHeight()) return;
  Resize(AWidth, AHeight);
  Changed();
}

void TBitmap::Resize(int AWidth, int AHeight) {
  PixelsChanging();
  QImage Fresh = WhiteImage(AWidth, AHeight, FPixelFormat);
  if (!Fresh.isNull() && !FImage.isNull()) {
    QPainter P(&Fresh);
    P.setCompositionMode(QPainter::CompositionMode_Source);
    P.drawImage(0, 0, FImage);
  }
  FImage = Fresh;
  ReduceColours();  // the white added may be one colour too many for a palette
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FPixelFormat) return;
  PixelsChanging();
  FPixelFormat = Value;
  if (!FImage.isNull()) FImage = FImage.convertToFormat(QtFormat(Value));
  ReduceColours();
  Changed();
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value == FMonochrome) return;
  PixelsChanging();
  FMonochrome = Value;
  ReduceColours();  // only black and white remain, by each pixel's brightness
  Changed();
}

void TBitmap::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed();
}

TColor TBitmap::GetTransparentColor() const {
  if (FTransparentColor != clDefault) return FTransparentColor;
  return GetEmpty() ? clDefault : GetPixel(0, GetHeight() - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentColor = Value;
  Changed();
}

TCanvas& TBitmap::GetCanvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>(*this);
  return *FCanvas;
}

void* TBitmap::ScanLine(int Row) {
  PixelsChanging();
  if (Row < 0 || Row >= GetHeight()) return nullptr;
  FUnreduced = ColoursLimited();
  return FImage.scanLine(Row);
}

const void* TBitmap::ScanLine(int Row) const {
  ClosePainter();
  if (Row < 0 || Row >= GetHeight()) return nullptr;
  return FImage.constScanLine(Row);
}

int TBitmap::BytesPerScanLine() const {
  return static_cast<int>(FImage.bytesPerLine());
}

TColor TBitmap::GetPixel(int X, int Y) const {
  ClosePainter();
  if (X < 0 || Y < 0 || X >= GetWidth() || Y >= GetHeight()) return clNone;
  return QColorToColor(FImage.pixelColor(X, Y));
}

void TBitmap::SaveToStream(QIODevice& Stream) const {
  WriteBmp(Stream, Image(), FMonochrome ? TBmpDepth::Bits1 : FileDepth(FPixelFormat));
}

void TBitmap::SaveToFile(const QString& FileName) const {
  const QString Suffix = QFileInfo(FileName).suffix().toLower();
  if (Suffix.isEmpty() || Suffix == QStringLiteral("bmp")) {
    WriteFileReplacing(FileName, [this](QIODevice& File) { SaveToStream(File); });
    return;
  }
  if (!Image().save(FileName))
    throw EFileError(QStringLiteral("Cannot write the bitmap file %1").arg(FileName));
}

void TBitmap::LoadFromFile(const QString& FileName) {
  QImageReader Reader(FileName);
  QImage Loaded = Reader.read();
  if (Loaded.isNull()) {
    throw EInvalidGraphic(
        QStringLiteral("Cannot read the bitmap file %1: %2").arg(FileName, Reader.errorString()));
  }
  SetImage(Loaded);
}

const QImage& TBitmap::Image() const {
  ClosePainter();
  return FImage;
}

QImage TBitmap::ShownImage() const {
  if (!FTransparent) return Image();
  QImage Masked = Image().convertToFormat(QImage::Format_ARGB32);
  const QRgb Key = ColorToQColor(ColorToRGB(GetTransparentColor())).rgb() | 0xFF000000u;
  for (int Y = 0; Y < Masked.height(); ++Y) {
    QRgb* Row = reinterpret_cast<QRgb*>(Masked.scanLine(Y));
    for (int X = 0; X < Masked.width(); ++X)
      if ((Row[X] | 0xFF000000u) == Key) Row[X] = 0;
  }
  return Masked;
}

void TBitmap::SetImage(const QImage& Value) {
  PixelsChanging();
  if (Value.isNull() || Value.width() == 0 || Value.height() == 0) {
    FImage = QImage();
  } else if (Value.hasAlphaChannel()) {
    // Transparent pixels of a loaded picture show white, as on a new bitmap.
    QImage Flat = WhiteImage(Value.width(), Value.height(), FPixelFormat);
    QPainter P(&Flat);
    P.drawImage(0, 0, Value);
    P.end();
    FImage = Flat;
  } else {
    FImage = Value.convertToFormat(QtFormat(FPixelFormat));
  }
  ReduceColours();
  Changed();
}

QImage& TBitmap::ImageForPainting() {
  FUnreduced = ColoursLimited();
  return FImage;
}

void TBitmap::PixelsChanging() {
  ClosePainter();
  // What the canvas marked as drawn no longer tells which pixels changed.
  if (FCanvas) FCanvas->PixelsReplaced();
}

void TBitmap::ClosePainter() const {
  if (FCanvas) FCanvas->ClosePainter();
  if (FUnreduced) ReduceColours();
}

bool TBitmap::ColoursLimited() const {
  return FMonochrome || FileDepth(FPixelFormat) < TBmpDepth::Bits24;
}

void TBitmap::ReduceColours() const {
  FUnreduced = false;
  if (FImage.isNull() || !ColoursLimited()) return;
  FImage = ReduceToBmpDepth(FImage, FMonochrome ? TBmpDepth::Bits1 : FileDepth(FPixelFormat));
}

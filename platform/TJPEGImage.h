#pragma once

#include "platform/TGraphic.h"

#include <QByteArray>

// A JPEG picture decoded with libjpeg. The compressed bytes are kept, so
// saving writes back exactly what was read; a JPEG made from other pixels
// (Assign) is compressed once at CompressionQuality.
//
// Outside data is never trusted: any libjpeg error or warning (bad markers,
// truncated data), a colour model other than grey, YCbCr, RGB or CMYK, and
// images above MaxPixels raise EInvalidGraphic and leave the image as it
// was. libjpeg never ends the process: its error manager returns control to
// us instead of calling exit().
class TJPEGImage : public TGraphic {
 public:
  TJPEGImage() = default;

  QString ClassName() const override { return QStringLiteral("TJPEGImage"); }
  void Assign(const TPersistent& Source) override;

  int GetWidth() const override { return FImage.width(); }
  int GetHeight() const override { return FImage.height(); }
  void LoadFromStream(QIODevice& Stream) override;
  void SaveToStream(QIODevice& Stream) const override;
  QImage ToImage() const override { return FImage; }
  std::unique_ptr<TGraphic> Clone() const override;
  QString DefaultExtension() const override { return QStringLiteral("jpg"); }

  int GetCompressionQuality() const { return FQuality; }
  void SetCompressionQuality(int Value);

  // Decodes Data; the reader behind LoadFromStream (and the fuzz target).
  void LoadFromBytes(const QByteArray& Data);
  const QByteArray& Data() const { return FData; }

  static constexpr long long MaxPixels = 50'000'000;
  static constexpr qint64 MaxFileSize = 64 << 20;

 private:
  QImage FImage;  // ARGB32, opaque
  QByteArray FData;
  int FQuality = 90;
};

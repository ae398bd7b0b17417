#include "platform/TJPEGImage.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "platform/Exception.h"
#include "platform/TPngImage.h"

namespace {

class TJPEGImageTest : public ::testing::Test {
 protected:
  // A 16 x 8 picture: left half red, right half blue, written by Qt's own
  // JPEG writer (an encoder independent of ours).
  static QByteArray TinyJpeg(QImage::Format Format = QImage::Format_RGB32) {
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < 8; ++y)
      for (int x = 8; x < 16; ++x) image.setPixel(x, y, qRgb(0, 0, 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.convertToFormat(Format).save(&buffer, "JPG", 95));
    return bytes;
  }

  // JPEG is lossy: colours within 24 per channel count as equal.
  static bool Near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 24 && std::abs(qGreen(a) - qGreen(b)) <= 24 &&
           std::abs(qBlue(a) - qBlue(b)) <= 24;
  }
};

TEST_F(TJPEGImageTest, DecodesColourAndGreyImages) {
  TJPEGImage jpeg;
  jpeg.LoadFromBytes(TinyJpeg());
  ASSERT_EQ(jpeg.GetWidth(), 16);
  ASSERT_EQ(jpeg.GetHeight(), 8);
  const QImage image = jpeg.ToImage();
  EXPECT_TRUE(Near(image.pixel(2, 4), qRgb(255, 0, 0)));
  EXPECT_TRUE(Near(image.pixel(13, 4), qRgb(0, 0, 255)));
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);

  jpeg.LoadFromBytes(TinyJpeg(QImage::Format_Grayscale8));
  const QRgb grey = jpeg.ToImage().pixel(2, 4);
  EXPECT_EQ(qRed(grey), qGreen(grey));
  EXPECT_EQ(qGreen(grey), qBlue(grey));
}

TEST_F(TJPEGImageTest, CorruptDataFailsCleanlyAndKeepsTheImage) {
  TJPEGImage jpeg;
  const QByteArray good = TinyJpeg();
  jpeg.LoadFromBytes(good);
  int changes = 0;
  jpeg.OnChange = [&](TPersistent*) { ++changes; };
  QByteArray flipped = good;
  for (qsizetype i = flipped.size() / 2; i < flipped.size() - 2; ++i) flipped[i] = char(0xA5);
  for (const QByteArray& bad :
       {QByteArray(), QByteArray("not a jpeg at all"), good.left(good.size() / 2), good.left(2),
        QByteArray("\xFF\xD8\xFF\xC0\x00\x11", 6), flipped}) {
    EXPECT_THROW(jpeg.LoadFromBytes(bad), EInvalidGraphic) << bad.size();
    EXPECT_EQ(jpeg.GetWidth(), 16);
    EXPECT_EQ(jpeg.Data(), good);
  }
  EXPECT_EQ(changes, 0);
}

TEST_F(TJPEGImageTest, SavingWritesBackTheBytesReadAndCompressesOthers) {
  TJPEGImage jpeg;
  const QByteArray good = TinyJpeg();
  jpeg.LoadFromBytes(good);
  QByteArray written;
  QBuffer out(&written);
  out.open(QIODevice::WriteOnly);
  jpeg.SaveToStream(out);
  EXPECT_EQ(written, good);

  // Pixels from another graphic go through our encoder and read back.
  TPngImage png;
  png.Assign(jpeg);
  TJPEGImage fromPng;
  fromPng.Assign(png);
  TJPEGImage reread;
  reread.LoadFromBytes(fromPng.Data());
  EXPECT_TRUE(Near(reread.ToImage().pixel(3, 3), qRgb(255, 0, 0)));
  EXPECT_TRUE(Near(reread.ToImage().pixel(12, 3), qRgb(0, 0, 255)));

  TJPEGImage empty;
  EXPECT_THROW(empty.SaveToStream(out), EInvalidGraphic);
}

}  // namespace

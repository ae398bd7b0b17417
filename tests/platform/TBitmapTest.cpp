#include "platform/TBitmap.h"

#include "platform/Exception.h"
#include "platform/TCanvas.h"
#include "tests/platform/PixelProbe.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <cstdint>

namespace {

class TBitmapTest : public ::testing::Test {};

TEST_F(TBitmapTest, NewAndGrownPixelsAreWhite) {
  TBitmap B(5, 4);
  EXPECT_EQ(PixelProbe::Count(B, clWhite), 20);
  B.GetCanvas().GetBrush().SetColor(clRed);
  B.GetCanvas().FillRect(Rect(0, 0, 5, 4));
  // Resizing right after drawing: the painter closes first; old pixels stay.
  B.SetSize(8, 6);
  EXPECT_EQ(PixelProbe::Count(B, clRed), 20);
  EXPECT_EQ(PixelProbe::Count(B, clWhite), 48 - 20);
  B.SetWidth(2);
  EXPECT_EQ(B.GetWidth(), 2);
  EXPECT_EQ(B.GetHeight(), 6);
  EXPECT_EQ(PixelProbe::Count(B, clRed), 8);
}

TEST_F(TBitmapTest, ZeroSizeIsAllowedAndEmpty) {
  TBitmap B;
  EXPECT_TRUE(B.GetEmpty());
  B.SetSize(0, 10);
  EXPECT_TRUE(B.GetEmpty());
  EXPECT_EQ(B.ScanLine(0), nullptr);
  EXPECT_EQ(B.GetPixel(0, 0), clNone);
  B.SetSize(-3, 2);
  EXPECT_EQ(B.GetWidth(), 0);
}

TEST_F(TBitmapTest, ScanLinesUseTheClassicByteLayouts) {
  TBitmap B(3, 2, pf24bit);
  B.GetCanvas().SetPixel(1, 1, RGB(0x11, 0x22, 0x33));
  const auto* Row = static_cast<const std::uint8_t*>(B.ScanLine(1));
  ASSERT_NE(Row, nullptr);
  EXPECT_EQ(Row[3], 0x33);  // blue first
  EXPECT_EQ(Row[4], 0x22);
  EXPECT_EQ(Row[5], 0x11);
  EXPECT_EQ(B.BytesPerScanLine() % 4, 0);

  // Writing through a row changes the pixel.
  auto* Write = static_cast<std::uint8_t*>(B.ScanLine(0));
  Write[0] = 0xFF;
  Write[1] = 0;
  Write[2] = 0;
  EXPECT_EQ(B.GetPixel(0, 0), clBlue);

  B.SetPixelFormat(pfDevice);
  const auto* Wide = static_cast<const std::uint32_t*>(B.ScanLine(1));
  EXPECT_EQ(Wide[1] & 0xFFFFFF, 0x112233u);
  EXPECT_EQ(B.GetPixel(0, 0), clBlue) << "conversion keeps the pixels";
}

TEST_F(TBitmapTest, AssignedCopiesAreIndependent) {
  TBitmap A(4, 4);
  A.GetCanvas().SetPixel(0, 0, clRed);
  A.SetTransparent(true);
  TBitmap B;
  B.Assign(A);
  EXPECT_TRUE(B.GetTransparent());
  EXPECT_EQ(B.GetPixel(0, 0), clRed);
  B.GetCanvas().SetPixel(1, 1, clBlue);
  A.GetCanvas().SetPixel(2, 2, clLime);
  EXPECT_EQ(A.GetPixel(1, 1), clWhite);
  EXPECT_EQ(B.GetPixel(2, 2), clWhite);
}

TEST_F(TBitmapTest, TransparentColourDefaultsToTheBottomLeftPixel) {
  TBitmap B(3, 3);
  B.GetCanvas().SetPixel(0, 2, clFuchsia);
  EXPECT_EQ(B.GetTransparentColor(), clFuchsia);
  B.SetTransparentColor(clRed);
  EXPECT_EQ(B.GetTransparentColor(), clRed);
}

TEST_F(TBitmapTest, MonochromeKeepsOnlyBlackAndWhite) {
  TBitmap B(2, 1);
  B.GetCanvas().SetPixel(0, 0, RGB(30, 30, 30));
  B.GetCanvas().SetPixel(1, 0, RGB(220, 220, 220));
  B.SetMonochrome(true);
  EXPECT_EQ(B.GetPixel(0, 0), clBlack);
  EXPECT_EQ(B.GetPixel(1, 0), clWhite);
}

TEST_F(TBitmapTest, BmpFilesRoundTripAndBadFilesRaise) {
  std::filesystem::path Dir = FreshTestDir("TBitmapTest");
  QString Name = QString::fromStdString((Dir / "picture.bmp").string());
  TBitmap A(7, 5);
  A.GetCanvas().SetPixel(6, 4, clRed);
  A.GetCanvas().SetPixel(0, 0, RGB(1, 2, 3));
  A.SaveToFile(Name);
  TBitmap B;
  B.LoadFromFile(Name);
  EXPECT_EQ(B.GetWidth(), 7);
  EXPECT_EQ(B.GetHeight(), 5);
  EXPECT_EQ(B.GetPixel(6, 4), clRed);
  EXPECT_EQ(B.GetPixel(0, 0), RGB(1, 2, 3));

  WriteTextFile(Dir / "broken.bmp", "BM not really a bitmap");
  EXPECT_THROW(B.LoadFromFile(QString::fromStdString((Dir / "broken.bmp").string())),
               EInvalidGraphic);
  EXPECT_EQ(B.GetWidth(), 7) << "a failed load leaves the bitmap as it was";
  EXPECT_THROW(A.SaveToFile(QString::fromStdString((Dir / "no/such/dir/x.bmp").string())),
               EFileError);
  EXPECT_THROW(TBitmap().SaveToFile(Name), EInvalidGraphic);
  B.LoadFromFile(Name);
  EXPECT_EQ(B.GetPixel(6, 4), clRed) << "a failed save keeps the file it was to replace";
}

TEST_F(TBitmapTest, SmallDepthsHoldAndWriteWhatTheirFilesStore) {
  // Drawn after the depth was set: cut back before the next read.
  TBitmap B(3, 1, pf4bit);
  B.GetCanvas().SetPixel(0, 0, RGB(200, 10, 10));
  EXPECT_EQ(B.GetPixel(0, 0), clRed);
  auto* Row = static_cast<std::uint8_t*>(B.ScanLine(0));
  Row[4] = 0x10;  // the blue of white pixel 1: nearest is yellow
  EXPECT_EQ(B.GetPixel(1, 0), clYellow);

  // Setting a depth cuts back the pixels there are.
  TBitmap C(2, 1);
  C.GetCanvas().SetPixel(0, 0, RGB(0x12, 0x34, 0x56));
  C.SetPixelFormat(pf16bit);
  EXPECT_EQ(C.GetPixel(0, 0), RGB(0x10, 0x34, 0x52));

  const auto BitsWritten = [](const TBitmap& Bitmap) {
    QBuffer Buffer;
    Buffer.open(QIODevice::WriteOnly);
    Bitmap.SaveToStream(Buffer);
    return static_cast<int>(static_cast<std::uint8_t>(Buffer.data()[28]));
  };
  const std::pair<TPixelFormat, int> Depths[] = {{pfDevice, 24}, {pf1bit, 1},   {pf4bit, 4},
                                                 {pf8bit, 8},    {pf15bit, 16}, {pf16bit, 16},
                                                 {pf24bit, 24},  {pf32bit, 32}};
  for (const auto& [Format, Bits] : Depths) {
    C.SetPixelFormat(Format);
    EXPECT_EQ(BitsWritten(C), Bits) << Format;
  }
  C.SetMonochrome(true);
  EXPECT_EQ(BitsWritten(C), 1);
  EXPECT_THROW(BitsWritten(TBitmap()), EInvalidGraphic);

  // 256 colours fill the palette; growing adds white, one too many: the
  // pixels read must still be the file's.
  TBitmap Full(16, 16, pf8bit);
  for (int I = 0; I < 256; ++I) Full.GetCanvas().SetPixel(I % 16, I / 16, RGB(I, 0, 1));
  Full.SetWidth(17);
  QBuffer Buffer;
  Buffer.open(QIODevice::WriteOnly);
  Full.SaveToStream(Buffer);
  const QImage Read = QImage::fromData(Buffer.data(), "BMP");
  ASSERT_EQ(Read.size(), QSize(17, 16));
  for (int Y = 0; Y < 16; ++Y)
    for (int X = 0; X < 17; ++X)
      ASSERT_EQ(QColorToColor(Read.pixelColor(X, Y)), Full.GetPixel(X, Y)) << X << "," << Y;
}

}  // namespace

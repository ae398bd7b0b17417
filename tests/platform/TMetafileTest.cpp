#include "platform/TMetafile.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include "platform/Exception.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TMetafileCanvas.h"

namespace {

class TMetafileTest : public ::testing::Test {
 protected:
  void SetUp() override { SetTextAntialiasing(false); }
  void TearDown() override { SetTextAntialiasing(true); }

  // The same shapes, drawn on any canvas.
  static void DrawScene(TCanvas& Canvas) {
    Canvas.GetBrush().SetColor(clYellow);
    Canvas.GetPen().SetColor(clNavy);
    Canvas.GetPen().SetWidth(1);
    Canvas.Rectangle(5, 5, 40, 30);
    Canvas.GetBrush().SetColor(clRed);
    Canvas.Ellipse(30, 10, 70, 45);
    Canvas.GetPen().SetColor(clGreen);
    Canvas.GetPen().SetWidth(3);
    Canvas.MoveTo(0, 59);
    Canvas.LineTo(79, 50);
    Canvas.GetBrush().SetColor(clBlue);
    Canvas.FillRect(TRect(60, 2, 78, 12));
  }

  static int DifferentPixels(const TBitmap& A, const TBitmap& B) {
    int count = 0;
    for (int y = 0; y < A.GetHeight(); ++y)
      for (int x = 0; x < A.GetWidth(); ++x) count += A.GetPixel(x, y) != B.GetPixel(x, y);
    return count;
  }
};

TEST_F(TMetafileTest, ReplayOnABitmapEqualsDirectDrawing) {
  TBitmap direct(80, 60);
  DrawScene(direct.GetCanvas());

  TMetafile metafile;
  metafile.SetWidth(80);
  metafile.SetHeight(60);
  {
    TMetafileCanvas recorder(metafile);
    DrawScene(recorder.Canvas());
  }
  ASSERT_FALSE(metafile.GetEmpty());
  TBitmap replayed(80, 60);
  metafile.Draw(replayed.GetCanvas(), TRect(0, 0, 80, 60));
  EXPECT_EQ(DifferentPixels(direct, replayed), 0);
  EXPECT_EQ(replayed.GetPixel(70, 5), clBlue);
  EXPECT_EQ(replayed.GetPixel(10, 10), clYellow);
}

TEST_F(TMetafileTest, StretchedReplayScalesTheRecording) {
  TMetafile metafile;
  metafile.SetWidth(20);
  metafile.SetHeight(10);
  {
    TMetafileCanvas recorder(metafile);
    recorder.Canvas().GetBrush().SetColor(clRed);
    recorder.Canvas().FillRect(TRect(10, 0, 20, 10));  // the right half
  }
  TBitmap target(80, 60);  // white
  metafile.Draw(target.GetCanvas(), TRect(0, 20, 40, 40));
  EXPECT_EQ(target.GetPixel(25, 30), clRed);
  EXPECT_EQ(target.GetPixel(15, 30), clWhite);  // recorded nothing there: unchanged
  EXPECT_EQ(target.GetPixel(25, 45), clWhite);  // outside the target rectangle
  EXPECT_EQ(metafile.ToImage(40, 20).pixel(30, 10), QColor(Qt::red).rgb());
}

// Saving writes the metafile file of the recording (enhanced or placeable
// as chosen); reading metafile files is refused rather than faked.
TEST_F(TMetafileTest, SavingWritesTheChosenFileFormReadingIsRefused) {
  TMetafile metafile;
  metafile.SetWidth(10);
  metafile.SetHeight(10);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadWrite);
  metafile.SaveToStream(buffer);
  ASSERT_GT(bytes.size(), 44);
  EXPECT_EQ(bytes.mid(40, 4), QByteArray(" EMF"));
  EXPECT_EQ(bytes, metafile.SaveToBytes());
  metafile.SetEnhanced(false);
  EXPECT_EQ(metafile.SaveToBytes().left(4), QByteArray("\xD7\xCD\xC6\x9A", 4));
  buffer.seek(0);
  EXPECT_THROW(metafile.LoadFromStream(buffer), ENotSupported);
}

TEST_F(TMetafileTest, DrawingAfterTheRecordingEndedRaises) {
  TMetafile metafile;
  TMetafileCanvas recorder(metafile);
  recorder.Finish();
  EXPECT_THROW(recorder.Canvas(), EInvalidGraphic);
}

}  // namespace

#include "platform/TClipboard.h"

#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TPicture.h"

namespace {

class TClipboardTest : public ::testing::Test {
 protected:
  void TearDown() override { Clipboard().Clear(); }
};

TEST_F(TClipboardTest, TextRoundTrip) {
  Clipboard().SetAsText("x\ty\r\n1\t2");
  EXPECT_TRUE(Clipboard().HasFormat(TClipboardFormat::cfText));
  EXPECT_EQ(Clipboard().GetAsText(), "x\ty\r\n1\t2");
}

TEST_F(TClipboardTest, BitmapRoundTripKeepsSizeAndPixels) {
  TBitmap chart(800, 400);
  chart.GetCanvas().GetBrush().SetColor(clRed);
  chart.GetCanvas().FillRect(TRect(10, 20, 30, 40));
  Clipboard().Assign(chart);
  EXPECT_TRUE(Clipboard().HasFormat(TClipboardFormat::cfBitmap));
  TBitmap pasted;
  ASSERT_TRUE(Clipboard().GetBitmap(pasted));
  EXPECT_EQ(pasted.GetWidth(), 800);
  EXPECT_EQ(pasted.GetHeight(), 400);
  EXPECT_EQ(pasted.GetPixel(15, 25), clRed);
  EXPECT_EQ(pasted.GetPixel(5, 5), clWhite);
}

TEST_F(TClipboardTest, EmptyPicturesAreRefusedAndTextHasNoBitmap) {
  Clipboard().SetAsText("only text");
  TBitmap empty;
  EXPECT_THROW(Clipboard().Assign(empty), EInvalidGraphic);
  TPicture nothing;
  EXPECT_THROW(Clipboard().Assign(nothing), EInvalidGraphic);
  EXPECT_EQ(Clipboard().GetAsText(), "only text");
  TBitmap target(3, 3);
  EXPECT_FALSE(Clipboard().GetBitmap(target));
  EXPECT_EQ(target.GetWidth(), 3);
}

}  // namespace

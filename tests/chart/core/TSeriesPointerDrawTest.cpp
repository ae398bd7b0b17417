#include "chart/core/TSeriesPointer.h"

#include "chart/core/TCallout.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TKorGradient.h"
#include "tests/chart/core/TestPanels.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

namespace {

using PixelProbe::InkBox;

// Pointers drawn flat on a white 60 x 50 bitmap through one surface, in a
// black pen and a red brush, centred at (30, 25).
class TSeriesPointerDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Clear();
    Pointer.GetPen().SetColor(clBlack);
    Pointer.SetColor(clRed);
  }
  void Clear() {
    Bitmap.GetCanvas().GetBrush().SetColor(clWhite);
    Bitmap.GetCanvas().FillRect(TRect(0, 0, 60, 50));
  }
  void DrawAt(TSeriesPointerStyle Style, int H, int V) {
    Pointer.PrepareCanvas(Surface, clRed);
    Pointer.DrawPointer(Surface, false, 30, 25, H, V, clRed, Style);
  }
  // The ink of one row or column.
  int RowInk(int Y) const {
    return 60 - PixelProbe::Count(Bitmap, TRect(0, Y, 60, Y + 1), clWhite);
  }
  int ColumnInk(int X) const {
    return 50 - PixelProbe::Count(Bitmap, TRect(X, 0, X + 1, 50), clWhite);
  }

  TBitmap Bitmap{60, 50};
  TKorCanvas3D Surface{&Bitmap.GetCanvas()};
  TSeriesPointer Pointer{nullptr};
};

TEST_F(TSeriesPointerDrawTest, BoxesCoverTwiceTheHalfSizesPlusOne) {
  DrawAt(psRectangle, 1, 1);
  EXPECT_EQ(InkBox(Bitmap), TRect(29, 24, 32, 27)) << "sizes of 1 give 3 x 3 pixels";
  EXPECT_EQ(Bitmap.GetPixel(30, 25), clRed);
  Clear();
  DrawAt(psRectangle, 6, 3);
  EXPECT_EQ(InkBox(Bitmap), TRect(24, 22, 37, 29));
  Clear();
  DrawAt(psDiamond, 6, 3);
  EXPECT_EQ(InkBox(Bitmap), TRect(24, 22, 37, 29));
  EXPECT_EQ(RowInk(25), 13);
  EXPECT_LE(RowInk(22), 2) << "the diamond's top is its tip";
  Clear();
  DrawAt(psCircle, 6, 6);
  const TRect Circle = InkBox(Bitmap);
  EXPECT_NEAR(Circle.Width(), 12, 1);
  EXPECT_NEAR(Circle.Height(), 12, 1);
  EXPECT_EQ(Bitmap.GetPixel(30, 25), clRed);
  EXPECT_EQ(Bitmap.GetPixel(25, 20), clWhite) << "the corners stay empty";
}

TEST_F(TSeriesPointerDrawTest, TrianglesPointTheirTipsWhereTheirNamesSay) {
  DrawAt(psTriangle, 5, 5);
  const TRect Up = InkBox(Bitmap);
  EXPECT_EQ(Up, TRect(25, 20, 36, 31));
  EXPECT_LE(RowInk(Up.Top), 2);
  EXPECT_EQ(RowInk(Up.Bottom - 1), 11);
  Clear();
  DrawAt(psDownTriangle, 5, 5);
  EXPECT_EQ(InkBox(Bitmap), Up);
  EXPECT_EQ(RowInk(Up.Top), 11);
  EXPECT_LE(RowInk(Up.Bottom - 1), 2);
  Clear();
  DrawAt(psLeftTriangle, 5, 5);
  EXPECT_EQ(InkBox(Bitmap), Up);
  EXPECT_LE(ColumnInk(Up.Left), 2);
  EXPECT_EQ(ColumnInk(Up.Right - 1), 11);
  Clear();
  DrawAt(psRightTriangle, 5, 5);
  EXPECT_EQ(InkBox(Bitmap), Up);
  EXPECT_EQ(ColumnInk(Up.Left), 11);
  EXPECT_LE(ColumnInk(Up.Right - 1), 2);
}

TEST_F(TSeriesPointerDrawTest, CrossesAreLinesInThePenAndDotsIgnoreTheSizes) {
  DrawAt(psCross, 4, 3);
  EXPECT_EQ(InkBox(Bitmap), TRect(26, 22, 35, 29));
  EXPECT_EQ(PixelProbe::Count(Bitmap, clBlack), 9 + 7 - 1);
  Clear();
  DrawAt(psDiagCross, 4, 4);
  EXPECT_EQ(InkBox(Bitmap), TRect(26, 21, 35, 30));
  EXPECT_EQ(Bitmap.GetPixel(26, 21), clBlack);
  EXPECT_EQ(Bitmap.GetPixel(34, 21), clBlack);
  EXPECT_EQ(Bitmap.GetPixel(30, 21), clWhite);
  Clear();
  DrawAt(psStar, 4, 4);
  EXPECT_EQ(Bitmap.GetPixel(30, 21), clBlack);
  EXPECT_EQ(Bitmap.GetPixel(26, 21), clBlack);
  Clear();
  DrawAt(psSmallDot, 9, 9);
  EXPECT_EQ(InkBox(Bitmap), TRect(30, 25, 31, 26));
  EXPECT_EQ(Bitmap.GetPixel(30, 25), clRed) << "in the brush colour";
  Clear();
  DrawAt(psNothing, 9, 9);
  EXPECT_EQ(PixelProbe::Count(Bitmap, clWhite), 60 * 50);
}

TEST_F(TSeriesPointerDrawTest, DefaultColoursTakeThePointColour) {
  Pointer.SetColor(clDefault);
  Pointer.GetPen().SetColor(clDefault);
  Pointer.PrepareCanvas(Surface, clBlue);
  EXPECT_EQ(Surface.GetBrush().GetColor(), clBlue);
  EXPECT_EQ(Surface.GetPen().GetColor(), clBlue);
  Pointer.GetBrush().SetStyle(bsCross);
  Pointer.PrepareCanvas(Surface, clBlue);
  EXPECT_EQ(Surface.GetBrush().GetColor(), clBlack) << "a pattern keeps black lines";
  EXPECT_EQ(Surface.GetBackColor(), clBlue);
  Pointer.GetPen().SetVisible(false);
  Pointer.SetColor(clGreen);
  Pointer.PrepareCanvas(Surface, clBlue);
  EXPECT_EQ(Surface.GetPen().GetStyle(), psClear);
  EXPECT_EQ(Surface.GetBrush().GetColor(), clGreen);
}

TEST_F(TSeriesPointerDrawTest, GradientFillsTheShapeAndEndsInThePointColour) {
  Pointer.GetPen().SetVisible(false);
  Pointer.GetGradient().SetVisible(true);
  Pointer.GetGradient().SetDirection(gdTopBottom);
  Pointer.GetGradient().SetStartColor(clYellow);
  Pointer.PrepareCanvas(Surface, clBlue);
  Pointer.DrawPointer(Surface, false, 30, 25, 10, 10, clBlue, psRectangle);
  EXPECT_EQ(Pointer.GetGradient().GetEndColor(), clBlue);
  // One edge in each colour; the fill starts inside the frame's width.
  EXPECT_EQ(Bitmap.GetPixel(30, 15) | Bitmap.GetPixel(30, 34), clYellow | clBlue);
  EXPECT_NE(Bitmap.GetPixel(30, 15), Bitmap.GetPixel(30, 34));
  EXPECT_EQ(InkBox(Bitmap), TRect(20, 15, 40, 35));

  // A diamond's gradient stays inside the diamond.
  Clear();
  Pointer.DrawPointer(Surface, false, 30, 25, 10, 10, clBlue, psDiamond);
  EXPECT_EQ(Bitmap.GetPixel(22, 17), clWhite);
  EXPECT_EQ(Bitmap.GetPixel(38, 33), clWhite);
  EXPECT_NE(Bitmap.GetPixel(30, 25), clWhite);
  EXPECT_NE(Bitmap.GetPixel(30, 25), clRed) << "the gradient covers the brush";

  Pointer.SetKeepGradientColors(true);
  Pointer.DrawPointer(Surface, false, 30, 25, 10, 10, clGreen, psRectangle);
  EXPECT_EQ(Pointer.GetGradient().GetEndColor(), clBlue);
}

TEST_F(TSeriesPointerDrawTest, TransparencyLetsTheBackgroundThrough) {
  Pointer.GetPen().SetVisible(false);
  Pointer.SetTransparency(50);
  DrawAt(psRectangle, 5, 5);
  const TColor Mixed = Bitmap.GetPixel(30, 25);
  EXPECT_NE(Mixed, clRed);
  EXPECT_NE(Mixed, clWhite);
  EXPECT_EQ(GetRValue(Mixed), 255);
  EXPECT_NEAR(GetGValue(Mixed), 128, 2);
}

// Callouts draw on their panel's canvas, so they are drawn within the
// panel's frame and read from its buffer.
class TCalloutDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Panel.SetBounds(0, 0, 80, 60);
    Callout.SetParent(&Panel);
    Callout.GetArrow().SetColor(clBlue);
    Callout.SetColor(clRed);
  }
  const TBitmap& DrawFrame(TColor PointColor) {
    Panel.OnDraw = [this, PointColor](TTestPanel&, const TRect&) {
      Callout.Draw(PointColor, TPoint(20, 40), TPoint(60, 40), 0);
    };
    Panel.Draw();
    return Panel.GetBuffer();
  }

  TTestPanel Panel;
  TCallout Callout{nullptr};
};

TEST_F(TCalloutDrawTest, PlainLineCarriesThePointerAndArrowHeadsDoNot) {
  const TBitmap& Plain = DrawFrame(clGreen);
  EXPECT_EQ(Plain.GetPixel(40, 40), clBlue) << "the arrow pen";
  EXPECT_EQ(Plain.GetPixel(20, 40), clRed) << "the pointer at the start";
  EXPECT_EQ(PixelProbe::InkBox(Plain).Left, 16);

  Callout.SetArrowHead(ahSolid);
  const TBitmap& Solid = DrawFrame(clGreen);
  EXPECT_EQ(PixelProbe::Count(Solid, clRed), 0) << "no pointer with a head";
  EXPECT_EQ(Solid.GetPixel(56, 40), clBlue) << "a filled head";
  EXPECT_EQ(Solid.GetPixel(56, 42), clBlue);

  Callout.SetArrowHead(ahNone);
  Callout.SetVisible(false);
  Callout.GetArrow().SetVisible(false);
  EXPECT_EQ(PixelProbe::Count(DrawFrame(clGreen), clWhite), 80 * 60);
}

TEST_F(TCalloutDrawTest, ArrowInThePointOrPanelColourIsMadeVisibleOnlyWhenAsked) {
  Callout.SetVisible(false);
  EXPECT_EQ(DrawFrame(clBlue).GetPixel(40, 40), clBlue);
  KorCheckMarkArrowColor = true;
  EXPECT_EQ(DrawFrame(clBlue).GetPixel(40, 40), clBlack);
  EXPECT_EQ(DrawFrame(clGreen).GetPixel(40, 40), clBlue);
  Callout.GetArrow().SetColor(clBlack);
  Panel.SetColor(clBlack);
  EXPECT_EQ(DrawFrame(clGreen).GetPixel(40, 40), clWhite);
  KorCheckMarkArrowColor = false;
}

}  // namespace

#include "chart/core/TKorCanvas.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorShadow.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TPicture.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using PixelProbe::Count;
using PixelProbe::InkBox;

// The surface operations that make chart pens, brushes and fonts current,
// checked on the canvas state they leave and on the pixels drawn with it.
class TKorCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTextAntialiasing(false);
    Surface.SetCanvas(Bitmap.GetCanvas());
    Surface.ResetState();
  }
  void TearDown() override {
    KorCheckPenWidth = false;
    IsWindowsNT = true;
    SetTextAntialiasing(true);
  }

  TPen& SurfacePen() { return Bitmap.GetCanvas().GetPen(); }

  TBitmap Bitmap{60, 40};
  TKorCanvas3D Surface;
};

TEST_F(TKorCanvasTest, HiddenChartPenClearsTheSurfacePenWhateverItsColour) {
  TChartPen Pen;
  Pen.SetColor(clRed);
  Pen.SetWidth(3);
  Pen.Hide();
  Surface.AssignVisiblePen(Pen);
  EXPECT_EQ(SurfacePen().GetStyle(), psClear);
  Surface.Line(0, 10, 60, 10);
  EXPECT_EQ(Count(Bitmap, clWhite), 60 * 40);
}

TEST_F(TKorCanvasTest, OnePixelDashedPensGetWidthZeroWhenCheckPenWidthIsOn) {
  KorCheckPenWidth = true;
  TChartPen ChartPen;
  ChartPen.SetStyle(psDash);
  TPen PlainPen;
  PlainPen.SetStyle(psDot);
  for (bool NT : {true, false}) {
    IsWindowsNT = NT;
    Surface.AssignVisiblePen(ChartPen);
    EXPECT_EQ(SurfacePen().GetWidth(), 0) << NT;
  }
  Surface.AssignVisiblePen(PlainPen);
  EXPECT_EQ(SurfacePen().GetWidth(), 0);
  KorCheckPenWidth = false;
  Surface.AssignVisiblePen(PlainPen);
  EXPECT_EQ(SurfacePen().GetWidth(), 1);
}

TEST_F(TKorCanvasTest, MonochromeSurfaceDrawsPensBlackAndFillsWhite) {
  Surface.SetMonochrome(true);
  TChartPen Pen;
  Surface.AssignVisiblePenColor(Pen, clRed);
  EXPECT_EQ(SurfacePen().GetColor(), clBlack);
  TChartBrush Brush;
  Surface.AssignBrush(Brush, clRed);
  EXPECT_EQ(Bitmap.GetCanvas().GetBrush().GetColor(), clWhite);
}

TEST_F(TKorCanvasTest, SmallDotsSetEveryOtherPixel) {
  TChartPen Pen;
  Pen.SetSmallDots(true);
  Surface.AssignVisiblePenColor(Pen, clBlue);
  Surface.Line(10, 5, 30, 5);
  // 20 pixels long, the last point excluded: half of them set.
  EXPECT_NEAR(Count(Bitmap, clBlue), 10, 1);
  EXPECT_EQ(Count(Bitmap, Rect(10, 5, 30, 6), clBlue), Count(Bitmap, clBlue));
}

TEST_F(TKorCanvasTest, FlatEndsStopAtTheLineEndsAndSquareEndsGoBeyond) {
  TChartPen Pen;
  Pen.SetWidth(6);
  Pen.SetEndStyle(esFlat);
  Surface.AssignVisiblePenColor(Pen, clBlack);
  EXPECT_EQ(SurfacePen().GetEndCap(), pecFlat);
  EXPECT_EQ(SurfacePen().GetJoin(), pjMiter);
  Surface.Line(20, 20, 40, 20);
  TRect Flat = InkBox(Bitmap);

  TBitmap Other(60, 40);
  Surface.SetCanvas(Other.GetCanvas());
  Pen.SetEndStyle(esSquare);
  Surface.AssignVisiblePenColor(Pen, clBlack);
  Surface.Line(20, 20, 40, 20);
  TRect Square = InkBox(Other);

  // Square caps add half the width (3 pixels) at each end; allow one pixel
  // of rasterisation on either edge.
  EXPECT_NEAR(Flat.Left, 20, 1);
  EXPECT_NEAR(Flat.Right, 40, 1);
  EXPECT_NEAR(Square.Left, 17, 1);
  EXPECT_NEAR(Square.Right, 43, 1);
}

TEST_F(TKorCanvasTest, HatchGapsShowTheBackColourOrStayTransparentForClNone) {
  TChartBrush Brush;
  Brush.SetStyle(bsCross);
  Bitmap.GetCanvas().GetBrush().SetColor(clRed);
  Bitmap.GetCanvas().FillRect(Rect(0, 0, 60, 40));

  Surface.AssignBrushColor(Brush, clBlue, clNone);
  Surface.FillRect(Rect(0, 0, 30, 40));
  Surface.AssignBrushColor(Brush, clBlue, clLime);
  Surface.FillRect(Rect(30, 0, 60, 40));

  const TRect Left(0, 0, 30, 40);
  const TRect Right(30, 0, 60, 40);
  EXPECT_GT(Count(Bitmap, Left, clBlue), 0);
  EXPECT_GT(Count(Bitmap, Left, clRed), 0);
  EXPECT_EQ(Count(Bitmap, Left, clBlue) + Count(Bitmap, Left, clRed), 30 * 40);
  EXPECT_GT(Count(Bitmap, Right, clBlue), 0);
  EXPECT_EQ(Count(Bitmap, Right, clBlue) + Count(Bitmap, Right, clLime), 30 * 40);
}

TEST_F(TKorCanvasTest, BrushImageBecomesThePatternOnAnOpaqueBackground) {
  TChartBrush Brush;
  TBitmap Pattern(2, 2);
  Pattern.GetCanvas().SetPixel(0, 0, clRed);
  Pattern.GetCanvas().SetPixel(1, 1, clRed);
  Brush.GetImage()->Assign(Pattern);
  Surface.AssignBrushColor(Brush, clBlue, clLime);
  EXPECT_EQ(Surface.GetBackMode(), cbmOpaque);
  EXPECT_EQ(Surface.GetBackColor(), clLime);
  Surface.FillRect(Rect(0, 0, 8, 8));
  EXPECT_EQ(Count(Bitmap, Rect(0, 0, 8, 8), clRed), 32);
  EXPECT_EQ(Count(Bitmap, Rect(0, 0, 8, 8), clWhite), 32);
}

TEST_F(TKorCanvasTest, FontZoomScalesTheSurfacesCopyNotTheChartFont) {
  TKorFont Font;
  Font.SetSize(10);
  Surface.SetFontZoom(150);
  Surface.AssignFont(Font);
  EXPECT_EQ(Surface.GetFont().GetSize(), 15);
  Surface.AssignFont(Font);  // a second frame does not compound the zoom
  EXPECT_EQ(Surface.GetFont().GetSize(), 15);
  EXPECT_EQ(Font.GetSize(), 10);
  EXPECT_EQ(Surface.GetFontObject(), &Font);
  EXPECT_EQ(Font.GetCanvas(), &Surface);
}

TEST_F(TKorCanvasTest, AssignFontCopiesColourSpacingAndMonochrome) {
  TKorFont Font;
  Font.SetColor(clRed);
  Font.SetInterCharSize(3);
  Surface.AssignFont(Font);
  EXPECT_EQ(Surface.GetFont().GetColor(), clRed);
  EXPECT_EQ(Bitmap.GetCanvas().GetTextCharacterExtra(), 3);
  Surface.SetMonochrome(true);
  Surface.AssignFont(Font);
  EXPECT_EQ(Surface.GetFont().GetColor(), clBlack);
}

TEST_F(TKorCanvasTest, ReadingTheShadowWidensTextMeasurementsByItsOffsets) {
  TKorFont Font;
  Font.SetName(QStringLiteral("DejaVu Sans"));
  Surface.AssignFont(Font);
  const int Width = Surface.TextWidth(QStringLiteral("Sample"));
  const int Height = Surface.TextHeight(QStringLiteral("Sample"));
  EXPECT_EQ(Surface.GetFontHeight(), Surface.TextHeight(QStringLiteral("W")));

  Font.GetShadow();  // exists with size 0: no change
  EXPECT_EQ(Surface.TextWidth(QStringLiteral("Sample")), Width);
  Font.GetShadow()->SetHorizSize(-4);
  Font.GetShadow()->SetVertSize(3);
  EXPECT_EQ(Surface.TextWidth(QStringLiteral("Sample")), Width + 4);
  EXPECT_EQ(Surface.TextHeight(QStringLiteral("Sample")), Height + 3);

  Font.GetShadow()->SetHorizSize(0);
  Font.GetShadow()->SetVertSize(0);
  Font.GetShadow()->SetTransparency(50);
  EXPECT_EQ(Surface.TextWidth(QStringLiteral("Sample")), Width);
}

TEST_F(TKorCanvasTest, SurfaceAndFontForgetEachOtherWhicheverGoesFirst) {
  auto Font = std::make_unique<TKorFont>();
  Font->GetShadow()->SetHorizSize(5);
  Surface.AssignFont(*Font);
  Font.reset();
  EXPECT_EQ(Surface.GetFontObject(), nullptr);
  const int Plain = Surface.TextWidth(QStringLiteral("x"));
  EXPECT_EQ(Plain, Bitmap.GetCanvas().TextWidth(QStringLiteral("x")));

  TKorFont Kept;
  {
    TKorCanvas3D Temporary(&Bitmap.GetCanvas());
    Temporary.AssignFont(Kept);
    EXPECT_EQ(Kept.GetCanvas(), &Temporary);
  }
  EXPECT_EQ(Kept.GetCanvas(), nullptr);

  Surface.AssignFont(Kept);
  TKorCanvas3D Second(&Bitmap.GetCanvas());
  Second.AssignFont(Kept);  // a font records one surface: the first forgets it
  EXPECT_EQ(Surface.GetFontObject(), nullptr);
  EXPECT_EQ(Second.GetFontObject(), &Kept);
  Surface.ResetState();
  EXPECT_EQ(Kept.GetCanvas(), &Second);
}

}  // namespace

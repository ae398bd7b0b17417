#include "platform/TCanvas.h"

#include "platform/TBitmap.h"
#include "tests/platform/PixelProbe.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

namespace {

using PixelProbe::Count;
using PixelProbe::InkBox;

class TCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTextAntialiasing(false);
    Canvas().GetFont().SetName(QStringLiteral("DejaVu Sans"));
    Canvas().GetFont().SetHeight(-20);
    Canvas().GetFont().SetColor(clBlack);
  }
  void TearDown() override { SetTextAntialiasing(true); }

  TCanvas& Canvas() { return Bitmap.GetCanvas(); }

  // The same font as the canvas draws with, to measure text independently.
  QFontMetrics Metrics() const {
    QFont F(QStringLiteral("DejaVu Sans"));
    F.setPixelSize(20);
    F.setStyleStrategy(QFont::NoAntialias);
    return QFontMetrics(F);
  }

  void SolidPen(TColor Color, int Width = 1) {
    Canvas().GetPen().SetColor(Color);
    Canvas().GetPen().SetWidth(Width);
    Canvas().GetPen().SetStyle(psSolid);
  }

  TBitmap Bitmap{60, 40};
};

// ------------------------------------------------------------ lines

struct LineCase {
  const char* Name;
  TPoint From, To;
};

class TCanvasLineTest : public TCanvasTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(TCanvasLineTest, LineToLeavesOutItsLastPixelOnly) {
  const LineCase& C = GetParam();
  SolidPen(clBlack);
  Canvas().MoveTo(C.From.X, C.From.Y);
  Canvas().LineTo(C.To.X, C.To.Y);
  int Steps = std::max(std::abs(C.To.X - C.From.X), std::abs(C.To.Y - C.From.Y));
  EXPECT_EQ(Bitmap.GetPixel(C.From.X, C.From.Y), clBlack);
  EXPECT_EQ(Bitmap.GetPixel(C.To.X, C.To.Y), clWhite);
  EXPECT_EQ(Count(Bitmap, clBlack), Steps);
  EXPECT_EQ(Canvas().GetPenPos(), C.To);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, TCanvasLineTest,
    ::testing::Values(LineCase{"Right", {2, 5}, {20, 5}}, LineCase{"Left", {20, 5}, {2, 5}},
                      LineCase{"Down", {4, 2}, {4, 30}}, LineCase{"Up", {4, 30}, {4, 2}},
                      LineCase{"DownRight", {2, 2}, {30, 16}}, LineCase{"UpLeft", {30, 16}, {2, 2}},
                      LineCase{"UpRight", {2, 30}, {12, 3}}, LineCase{"Diagonal", {9, 9}, {1, 17}}),
    [](const ::testing::TestParamInfo<LineCase>& I) { return std::string(I.param.Name); });

TEST_F(TCanvasTest, PolylineDrawsEveryPixelOnceSoXorLeavesNoHoles) {
  SolidPen(clWhite);
  Bitmap.GetCanvas().GetPen().SetMode(pmXor);
  std::vector<TPoint> Points{{2, 2}, {20, 2}, {20, 15}, {5, 25}, {40, 30}};
  Canvas().Polyline(Points.data(), static_cast<int>(Points.size()));
  // Segment lengths along their major axes: 18 + 13 + 15 + 35.
  EXPECT_EQ(Count(Bitmap, clBlack), 81);
  EXPECT_EQ(Bitmap.GetPixel(20, 2), clBlack);
  EXPECT_EQ(Bitmap.GetPixel(40, 30), clWhite);
}

TEST_F(TCanvasTest, FarAwayCoordinatesCostNothingAndKeepTheirSlope) {
  SolidPen(clBlack);
  Canvas().MoveTo(-2000000000, 5);
  Canvas().LineTo(2000000000, 5);
  EXPECT_EQ(Count(Bitmap, clBlack), 60);
  // A line from far outside keeps its direction where it crosses the bitmap.
  TBitmap Other(60, 40);
  Other.GetCanvas().MoveTo(-1000000000, -1000000000);
  Other.GetCanvas().LineTo(1000000000, 1000000000);
  EXPECT_EQ(Count(Other, clBlack), 40);
  EXPECT_EQ(Other.GetPixel(17, 17), clBlack);

  Canvas().GetPen().SetStyle(psClear);
  Canvas().GetBrush().SetColor(clRed);
  Canvas().Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(Count(Bitmap, clRed), 60 * 40);
  // A huge triangle whose long edge crosses the bitmap diagonally.
  Canvas().GetBrush().SetColor(clBlue);
  std::vector<TPoint> Huge{
      {-1000000000, -1000000000}, {1000000000, 1000000000}, {-1000000000, 1000000000}};
  Canvas().Polygon(Huge.data(), 3);
  EXPECT_EQ(Bitmap.GetPixel(5, 30), clBlue);
  EXPECT_EQ(Bitmap.GetPixel(30, 5), clRed);
  Canvas().Ellipse(INT_MIN, 0, INT_MAX, 10);
  Canvas().FillRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
  TBitmap Small(2, 2);
  Canvas().Draw(INT_MAX, INT_MAX, Small);
  Canvas().TextOut(INT_MAX, INT_MIN, QStringLiteral("x"));
}

// ------------------------------------------------------------ shapes

TEST_F(TCanvasTest, RectangleOutlineCoversLeftToRightMinusOne) {
  SolidPen(clBlack);
  Canvas().GetBrush().SetColor(clRed);
  Canvas().Rectangle(10, 5, 20, 12);
  EXPECT_EQ(InkBox(Bitmap), Rect(10, 5, 20, 12));
  // Frame: 2 * 10 + 2 * 5 pixels; inside 8 x 5 in the brush colour.
  EXPECT_EQ(Count(Bitmap, clBlack), 30);
  EXPECT_EQ(Count(Bitmap, clRed), 40);
}

TEST_F(TCanvasTest, ThinRectanglesDrawEachFramePixelOnce) {
  SolidPen(clWhite);
  Canvas().GetPen().SetMode(pmXor);
  Canvas().GetBrush().SetStyle(bsClear);
  Canvas().Rectangle(5, 5, 6, 15);   // one column
  Canvas().Rectangle(10, 5, 30, 6);  // one row
  Canvas().Rectangle(40, 5, 41, 6);  // one pixel
  Canvas().Rectangle(40, 20, 42, 22);
  EXPECT_EQ(Count(Bitmap, clBlack), 10 + 20 + 1 + 4);
  EXPECT_EQ(InkBox(Bitmap), Rect(5, 5, 42, 22));
}

TEST_F(TCanvasTest, RectangleWithoutPenFillsOnePixelLessThanFillRect) {
  Canvas().GetPen().SetStyle(psClear);
  Canvas().GetBrush().SetColor(clRed);
  Canvas().Rectangle(10, 5, 20, 12);
  EXPECT_EQ(InkBox(Bitmap), Rect(10, 5, 19, 11));

  TBitmap Other(60, 40);
  Other.GetCanvas().GetBrush().SetColor(clRed);
  Other.GetCanvas().FillRect(Rect(10, 5, 20, 12));
  EXPECT_EQ(InkBox(Other), Rect(10, 5, 20, 12));
  EXPECT_EQ(Count(Other, clRed), 70);
}

TEST_F(TCanvasTest, FrameRectDrawsOnePixelFrameInTheBrush) {
  Canvas().GetBrush().SetColor(clBlue);
  Canvas().FrameRect(Rect(3, 3, 13, 9));
  EXPECT_EQ(InkBox(Bitmap), Rect(3, 3, 13, 9));
  EXPECT_EQ(Count(Bitmap, clBlue), 2 * 10 + 2 * 4);
}

TEST_F(TCanvasTest, EllipseAndRoundRectStayInsideTheirExclusiveBox) {
  SolidPen(clBlack);
  Canvas().Ellipse(5, 4, 25, 20);
  EXPECT_EQ(InkBox(Bitmap), Rect(5, 4, 25, 20));

  TBitmap NoPen(60, 40);
  NoPen.GetCanvas().GetPen().SetStyle(psClear);
  NoPen.GetCanvas().GetBrush().SetColor(clBlack);
  NoPen.GetCanvas().Ellipse(5, 4, 25, 20);
  TRect Fill = InkBox(NoPen);
  EXPECT_EQ(Fill.Left, 5);
  EXPECT_EQ(Fill.Right, 24);
  EXPECT_EQ(Fill.Bottom, 19);
  EXPECT_LE(Fill.Top, 5);

  TBitmap Round(60, 40);
  Round.GetCanvas().RoundRect(5, 4, 25, 20, 8, 8);
  EXPECT_EQ(InkBox(Round), Rect(5, 4, 25, 20));
  EXPECT_EQ(Round.GetPixel(5, 4), clWhite) << "corners are rounded";
}

TEST_F(TCanvasTest, PolygonFillsPixelCentresInsideAndAlternates) {
  Canvas().GetPen().SetStyle(psClear);
  Canvas().GetBrush().SetColor(clBlack);
  std::vector<TPoint> Square{{10, 10}, {20, 10}, {20, 20}, {10, 20}};
  Canvas().Polygon(Square.data(), 4);
  EXPECT_EQ(InkBox(Bitmap), Rect(10, 10, 20, 20));
  EXPECT_EQ(Count(Bitmap, clBlack), 100);

  // A figure going round twice over the middle leaves the overlap empty.
  TBitmap Star(60, 40);
  Star.GetCanvas().GetPen().SetStyle(psClear);
  Star.GetCanvas().GetBrush().SetColor(clBlack);
  std::vector<TPoint> Twice{{0, 0},   {30, 0},  {30, 30}, {10, 30},
                            {10, 10}, {20, 10}, {20, 20}, {0, 20}};
  Star.GetCanvas().Polygon(Twice.data(), static_cast<int>(Twice.size()));
  EXPECT_EQ(Star.GetPixel(15, 15), clWhite);
  EXPECT_EQ(Star.GetPixel(5, 5), clBlack);
}

TEST_F(TCanvasTest, PieFillsTheCounterClockwiseSectorAndClockwiseTheRest) {
  Canvas().GetPen().SetStyle(psClear);
  Canvas().GetBrush().SetColor(clBlack);
  // From the ray to the right round to the ray upwards: the top-right quarter.
  Canvas().Pie(0, 0, 41, 41, 40, 20, 20, 0);
  EXPECT_EQ(Bitmap.GetPixel(28, 12), clBlack);
  EXPECT_EQ(Bitmap.GetPixel(12, 12), clWhite);
  EXPECT_EQ(Bitmap.GetPixel(12, 28), clWhite);

  TBitmap Other(60, 40);
  Other.GetCanvas().GetPen().SetStyle(psClear);
  Other.GetCanvas().GetBrush().SetColor(clBlack);
  Other.GetCanvas().SetArcDirection(adClockwise);
  Other.GetCanvas().Pie(0, 0, 41, 41, 40, 20, 20, 0);
  EXPECT_EQ(Other.GetPixel(28, 12), clWhite);
  EXPECT_EQ(Other.GetPixel(12, 12), clBlack);
  EXPECT_EQ(Other.GetPixel(12, 28), clBlack);
}

TEST_F(TCanvasTest, RingSegmentPathFromTwoArcsInOppositeDirections) {
  // Upper half of a ring: outer arc counter-clockwise from right to left,
  // inner arc back clockwise.
  TCanvas& C = Canvas();
  C.GetPen().SetStyle(psClear);
  C.GetBrush().SetColor(clBlack);
  C.BeginPath();
  C.MoveTo(50, 20);
  C.ArcTo(10, 0, 51, 41, 50, 20, 10, 20);
  C.LineTo(20, 20);
  C.SetArcDirection(adClockwise);
  C.ArcTo(20, 10, 41, 31, 20, 20, 40, 20);
  C.SetArcDirection(adCounterClockwise);
  C.LineTo(50, 20);
  C.CloseFigure();
  C.EndPath();
  EXPECT_TRUE(C.StrokeAndFillPath());
  EXPECT_EQ(Bitmap.GetPixel(30, 2), clBlack) << "between the arcs";
  EXPECT_EQ(Bitmap.GetPixel(30, 14), clWhite) << "inside the hole";
  EXPECT_EQ(Bitmap.GetPixel(30, 25), clWhite) << "the lower half stays empty";
  EXPECT_EQ(Bitmap.GetPixel(14, 15), clBlack);
}

TEST_F(TCanvasTest, InsideFramePenKeepsAWideOutlineInsideTheBox) {
  SolidPen(clBlack, 6);
  Canvas().GetBrush().SetStyle(bsClear);
  Canvas().GetPen().SetStyle(psInsideFrame);
  Canvas().Rectangle(10, 10, 40, 30);
  TRect Box = InkBox(Bitmap);
  EXPECT_GE(Box.Left, 10);
  EXPECT_GE(Box.Top, 10);
  EXPECT_LE(Box.Right, 40);
  EXPECT_LE(Box.Bottom, 30);
  EXPECT_EQ(Bitmap.GetPixel(12, 20), clBlack);
  EXPECT_EQ(Bitmap.GetPixel(25, 20), clWhite);
}

// ------------------------------------------------------------ pens

TEST_F(TCanvasTest, CosmeticStylesUseFixedPixelDashLengths) {
  struct Case {
    TPenStyle Style;
    int On;  // pixels set in the first 48 of a horizontal line
  };
  // Dash 18/6, dot 3/3, dash-dot 9/6/3/6, dash-dot-dot 9/3/3/3/3/3, alternate 1/1.
  for (Case C : {Case{psDash, 36}, Case{psDot, 24}, Case{psDashDot, 24}, Case{psDashDotDot, 30},
                 Case{psAlternate, 24}}) {
    TBitmap Line(60, 3);
    Line.GetCanvas().GetPen().SetStyle(C.Style);
    Line.GetCanvas().SetBkMode(bkTransparent);
    Line.GetCanvas().MoveTo(0, 1);
    Line.GetCanvas().LineTo(48, 1);
    EXPECT_EQ(Count(Line, clBlack), C.On) << "style " << C.Style;
    EXPECT_EQ(Line.GetPixel(0, 1), clBlack) << "a pattern starts with its dash";
  }
}

TEST_F(TCanvasTest, StyledPenGapsTakeTheBackgroundOnlyInOpaqueMode) {
  Canvas().GetPen().SetStyle(psDot);
  Canvas().SetBkColor(clRed);
  Canvas().SetBkMode(bkOpaque);
  Canvas().MoveTo(0, 1);
  Canvas().LineTo(30, 1);
  EXPECT_EQ(Count(Bitmap, clBlack), 15);
  EXPECT_EQ(Count(Bitmap, clRed), 15);

  Canvas().SetBkMode(bkTransparent);
  Canvas().MoveTo(0, 3);
  Canvas().LineTo(30, 3);
  EXPECT_EQ(Count(Bitmap, Rect(0, 3, 60, 4), clRed), 0);
}

TEST_F(TCanvasTest, SmallDotPenSetsOnePixelInEverySpacePlusOne) {
  Canvas().GetPen().SetStyle(psUserStyle);
  Canvas().GetPen().SetUserDashes({0, 4});  // a dot, then 3 free pixels
  Canvas().SetBkMode(bkTransparent);
  Canvas().MoveTo(0, 1);
  Canvas().LineTo(40, 1);
  EXPECT_EQ(Count(Bitmap, clBlack), 10);
  EXPECT_EQ(Bitmap.GetPixel(0, 1), clBlack);
  EXPECT_EQ(Bitmap.GetPixel(4, 1), clBlack);
  EXPECT_EQ(Bitmap.GetPixel(2, 1), clWhite);
}

TEST_F(TCanvasTest, DashPatternRunsOnAcrossPolylineCorners) {
  Canvas().GetPen().SetStyle(psDot);
  Canvas().SetBkMode(bkTransparent);
  std::vector<TPoint> Points{{0, 1}, {4, 1}, {30, 1}};
  Canvas().Polyline(Points.data(), 3);
  // 3 on / 3 off from x = 0, not restarted at x = 4.
  EXPECT_EQ(Bitmap.GetPixel(4, 1), clWhite);
  EXPECT_EQ(Bitmap.GetPixel(6, 1), clBlack);
}

TEST_F(TCanvasTest, GeometricPenEndCapsExtendOnlyWhenNotFlat) {
  SolidPen(clBlack, 8);
  Canvas().GetPen().SetEndCap(pecFlat);
  Canvas().MoveTo(20, 10);
  Canvas().LineTo(40, 10);
  TRect Flat = InkBox(Bitmap);
  EXPECT_GE(Flat.Left, 19);
  EXPECT_LE(Flat.Right, 41);
  EXPECT_GE(Flat.Bottom - Flat.Top, 7);

  TBitmap Square(60, 40);
  Square.GetCanvas().GetPen().SetWidth(8);
  Square.GetCanvas().GetPen().SetEndCap(pecSquare);
  Square.GetCanvas().MoveTo(20, 10);
  Square.GetCanvas().LineTo(40, 10);
  TRect Wide = InkBox(Square);
  EXPECT_LE(Wide.Left, 17);
  EXPECT_GE(Wide.Right, 43);
}

// ------------------------------------------------------------ raster operations

TEST_F(TCanvasTest, XorAndNotXorDrawnTwiceRestoreEveryPixel) {
  Canvas().GetBrush().SetColor(clTeal);
  Canvas().FillRect(Rect(0, 0, 30, 40));
  Canvas().GetBrush().SetColor(clYellow);
  Canvas().FillRect(Rect(30, 0, 60, 40));
  TBitmap Before;
  Before.Assign(Bitmap);

  for (TPenMode Mode : {pmXor, pmNotXor, pmNot}) {
    auto DrawAll = [&] {
      TCanvas& C = Canvas();
      C.GetPen().SetMode(Mode);
      C.GetPen().SetColor(clRed);
      C.GetBrush().SetColor(clAqua);
      C.GetBrush().SetStyle(bsSolid);
      C.MoveTo(1, 1);
      C.LineTo(58, 37);
      C.Rectangle(5, 5, 50, 30);
      C.Ellipse(10, 8, 45, 35);
      std::vector<TPoint> Tri{{2, 38}, {30, 2}, {58, 38}};
      C.Polygon(Tri.data(), 3);
      C.GetBrush().SetStyle(bsClear);
      C.Rectangle(20, 12, 40, 25);
    };
    DrawAll();
    EXPECT_FALSE(PixelProbe::SamePixels(Bitmap, Before)) << "mode " << Mode;
    DrawAll();
    EXPECT_TRUE(PixelProbe::SamePixels(Bitmap, Before)) << "mode " << Mode;
  }
}

TEST_F(TCanvasTest, PenModesCombinePenAndScreenColours) {
  Canvas().GetBrush().SetColor(RGB(0x0F, 0xF0, 0x33));
  Canvas().FillRect(Rect(0, 0, 60, 40));
  Canvas().GetPen().SetColor(RGB(0xFF, 0x0F, 0x11));
  struct Case {
    TPenMode Mode;
    TColor Expected;
  };
  for (Case C : {Case{pmXor, RGB(0xF0, 0xFF, 0x22)}, Case{pmMask, RGB(0x0F, 0x00, 0x11)},
                 Case{pmMerge, RGB(0xFF, 0xFF, 0x33)}, Case{pmNot, RGB(0xF0, 0x0F, 0xCC)},
                 Case{pmBlack, clBlack}, Case{pmWhite, clWhite}, Case{pmNop, RGB(0x0F, 0xF0, 0x33)},
                 Case{pmNotCopy, RGB(0x00, 0xF0, 0xEE)}}) {
    int Y = 2 + 2 * static_cast<int>(C.Mode);
    Canvas().GetPen().SetMode(C.Mode);
    Canvas().MoveTo(0, Y);
    Canvas().LineTo(10, Y);
    EXPECT_EQ(Bitmap.GetPixel(5, Y), C.Expected) << "mode " << C.Mode;
  }
}

TEST_F(TCanvasTest, FillRectAndTextIgnoreThePenMode) {
  Canvas().GetPen().SetMode(pmXor);
  Canvas().GetBrush().SetColor(clRed);
  Canvas().FillRect(Rect(0, 0, 10, 10));
  Canvas().FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(Count(Bitmap, clRed), 100);
}

// ------------------------------------------------------------ brushes

TEST_F(TCanvasTest, HatchGapsFollowTheBackgroundMode) {
  Canvas().GetBrush().SetColor(clBlack);
  Canvas().FillRect(Rect(0, 0, 60, 40));  // what lies under the hatch

  Canvas().GetPen().SetStyle(psClear);
  Canvas().GetBrush().SetColor(clRed);
  Canvas().GetBrush().SetStyle(bsHorizontal);
  Canvas().SetBkColor(clYellow);
  Canvas().SetBkMode(bkTransparent);
  Canvas().Rectangle(0, 0, 17, 17);  // fills 16 x 16
  // One line in every 8 rows.
  EXPECT_EQ(Count(Bitmap, clRed), 32);
  EXPECT_EQ(Count(Bitmap, Rect(0, 0, 16, 16), clBlack), 256 - 32);

  Canvas().SetBkMode(bkOpaque);
  Canvas().Rectangle(20, 0, 37, 17);
  EXPECT_EQ(Count(Bitmap, Rect(20, 0, 36, 16), clRed), 32);
  EXPECT_EQ(Count(Bitmap, Rect(20, 0, 36, 16), clYellow), 256 - 32);
}

TEST_F(TCanvasTest, MonochromePatternTakesTextAndBackgroundColours) {
  TBitmap Pattern(2, 2);
  Pattern.GetCanvas().SetPixel(0, 0, clBlack);
  Pattern.GetCanvas().SetPixel(1, 1, clBlack);
  Pattern.SetMonochrome(true);
  Canvas().GetBrush().SetBitmap(&Pattern);
  Canvas().SetTextColor(clRed);
  Canvas().SetBkColor(clBlue);
  Canvas().FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(Count(Bitmap, clRed), 50);
  EXPECT_EQ(Count(Bitmap, clBlue), 50);
  EXPECT_EQ(Bitmap.GetPixel(0, 0), clRed);
  EXPECT_EQ(Bitmap.GetPixel(1, 0), clBlue);
}

// ------------------------------------------------------------ clipping

TEST_F(TCanvasTest, ClipRectLimitsDrawingAndRestoreClipUndoesOneLevel) {
  Canvas().GetBrush().SetColor(clRed);
  Canvas().ClipRect(Rect(10, 10, 30, 20));
  Canvas().FillRect(Rect(0, 0, 60, 40));
  EXPECT_EQ(InkBox(Bitmap), Rect(10, 10, 30, 20));

  Canvas().SaveClip();
  Canvas().ClipRect(Rect(20, 0, 60, 40));  // intersected: 20..30
  Canvas().GetBrush().SetColor(clBlue);
  Canvas().FillRect(Rect(0, 0, 60, 40));
  EXPECT_EQ(Count(Bitmap, clBlue), 10 * 10);

  EXPECT_TRUE(Canvas().RestoreClip());
  Canvas().GetBrush().SetColor(clLime);
  Canvas().FillRect(Rect(0, 0, 60, 40));
  EXPECT_EQ(Count(Bitmap, clLime), 20 * 10);

  // Nothing saved any more: restoring removes the clip altogether.
  EXPECT_FALSE(Canvas().RestoreClip());
  EXPECT_FALSE(Canvas().HasClip());
  Canvas().FillRect(Rect(0, 0, 60, 40));
  EXPECT_EQ(Count(Bitmap, clLime), 60 * 40);
}

TEST_F(TCanvasTest, SavedClipOfAnUnclippedCanvasRestoresToNoClip) {
  Canvas().SaveClip();
  Canvas().ClipRect(Rect(0, 0, 5, 5));
  EXPECT_TRUE(Canvas().RestoreClip());
  EXPECT_FALSE(Canvas().HasClip());
  Canvas().GetBrush().SetColor(clRed);
  Canvas().FillRect(Rect(0, 0, 60, 40));
  EXPECT_EQ(Count(Bitmap, clRed), 60 * 40);
}

TEST_F(TCanvasTest, XorEllipseClipCutsTheEllipseOutOfTheClip) {
  Canvas().ClipRect(Rect(0, 0, 40, 40));
  Canvas().ClipEllipse(Rect(10, 10, 30, 30), ccXor);
  Canvas().GetBrush().SetColor(clRed);
  Canvas().FillRect(Rect(0, 0, 60, 40));
  EXPECT_EQ(Bitmap.GetPixel(20, 20), clWhite);
  EXPECT_EQ(Bitmap.GetPixel(2, 2), clRed);
  EXPECT_EQ(Bitmap.GetPixel(50, 20), clWhite);
}

TEST_F(TCanvasTest, PolygonAndRoundClipsMatchTheirShapes) {
  std::vector<TPoint> Tri{{0, 0}, {40, 0}, {0, 40}};
  Canvas().ClipPolygon(Tri.data(), 3);
  Canvas().GetBrush().SetColor(clRed);
  Canvas().FillRect(Rect(0, 0, 60, 40));
  EXPECT_EQ(Bitmap.GetPixel(5, 5), clRed);
  EXPECT_EQ(Bitmap.GetPixel(35, 35), clWhite);
  EXPECT_NEAR(Count(Bitmap, clRed), 800, 40);

  TBitmap Round(60, 40);
  Round.GetCanvas().ClipRoundRect(Rect(0, 0, 40, 40), 20, 20);
  Round.GetCanvas().GetBrush().SetColor(clRed);
  Round.GetCanvas().FillRect(Rect(0, 0, 60, 40));
  EXPECT_EQ(Round.GetPixel(0, 0), clWhite);
  EXPECT_EQ(Round.GetPixel(20, 0), clRed);
  EXPECT_EQ(InkBox(Round), Rect(0, 0, 40, 40));
}

// Each shaped clip is set after the canvas clipped, unclipped and drew
// unclipped in the same painter session (reading pixels would end the
// session, so nothing is read before the end). The fill must then cover
// exactly the pixels of the shape as the canvas draws it: rounded
// rectangles and ellipses with their one-pixel outline, polygons and paths
// as filled without a pen.
TEST_F(TCanvasTest, ShapedClipsAfterUnclippedDrawingLetThroughExactlyTheDrawnShape) {
  const TPoint Star[5] = {{20, 30}, {150, 10}, {170, 120}, {90, 180}, {10, 150}};
  auto Glyphs = [](TCanvas& C) {
    C.GetFont().SetName(QStringLiteral("DejaVu Sans"));
    C.GetFont().SetHeight(-90);
    C.BeginPath();
    C.TextOut(10, 20, QStringLiteral("Wg"));
    C.EndPath();
  };
  struct TClipCase {
    const char* Name;
    std::function<void(TCanvas&)> Draw;
    std::function<void(TCanvas&)> Clip;
  };
  const TClipCase Cases[] = {
      {"ellipse", [](TCanvas& C) { C.Ellipse(20, 20, 150, 131); },
       [](TCanvas& C) { C.ClipEllipse(Rect(20, 20, 150, 131)); }},
      {"round rectangle", [](TCanvas& C) { C.RoundRect(20, 20, 150, 150, 40, 40); },
       [](TCanvas& C) { C.ClipRoundRect(Rect(20, 20, 150, 150), 40, 40); }},
      {"polygon",
       [&](TCanvas& C) {
         C.GetPen().SetStyle(psClear);
         C.Polygon(Star, 5);
       },
       [&](TCanvas& C) { C.ClipPolygon(Star, 5); }},
      {"text path",
       [&](TCanvas& C) {
         Glyphs(C);
         C.GetPen().SetStyle(psClear);
         C.FillPath();
       },
       [&](TCanvas& C) {
         Glyphs(C);
         C.SelectClipPath();
       }}};
  for (const TClipCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TBitmap Expected(200, 200);
    Expected.GetCanvas().GetPen().SetColor(clRed);
    Expected.GetCanvas().GetBrush().SetColor(clRed);
    Case.Draw(Expected.GetCanvas());

    TBitmap Drawn(200, 200);
    TCanvas& C = Drawn.GetCanvas();
    C.GetBrush().SetColor(clBlue);
    C.ClipRect(Rect(0, 0, 10, 10));
    C.FillRect(Rect(0, 0, 200, 200));
    C.RemoveClip();
    C.SetPixel(199, 199, clBlue);
    Case.Clip(C);
    C.GetBrush().SetColor(clRed);
    C.FillRect(Rect(0, 0, 200, 200));
    C.RemoveClip();

    int Outside = 0;
    int Missing = 0;
    for (int Y = 0; Y < 200; ++Y) {
      for (int X = 0; X < 200; ++X) {
        const bool InShape = Expected.GetPixel(X, Y) == clRed;
        const bool Filled = Drawn.GetPixel(X, Y) == clRed;
        Outside += Filled && !InShape;
        Missing += InShape && !Filled;
      }
    }
    EXPECT_EQ(Outside, 0);
    EXPECT_EQ(Missing, 0);
    EXPECT_GT(Count(Expected, clRed), 1000);
  }
}

// ------------------------------------------------------------ paths

TEST_F(TCanvasTest, PathFillMatchesPolygonFillAndClipPathRestrictsDrawing) {
  Canvas().GetPen().SetStyle(psClear);
  Canvas().GetBrush().SetColor(clBlack);
  Canvas().BeginPath();
  Canvas().MoveTo(10, 10);
  Canvas().LineTo(30, 10);
  Canvas().LineTo(30, 30);
  Canvas().LineTo(10, 30);
  Canvas().CloseFigure();
  Canvas().EndPath();
  EXPECT_EQ(Count(Bitmap, clBlack), 0) << "nothing drawn while recording";
  EXPECT_TRUE(Canvas().FillPath());
  EXPECT_EQ(InkBox(Bitmap), Rect(10, 10, 30, 30));
  EXPECT_FALSE(Canvas().FillPath()) << "a path is used up once";

  TBitmap Clipped(60, 40);
  TCanvas& C = Clipped.GetCanvas();
  C.BeginPath();
  C.Ellipse(0, 0, 40, 40);
  C.EndPath();
  EXPECT_TRUE(C.SelectClipPath());
  C.GetBrush().SetColor(clRed);
  C.FillRect(Rect(0, 0, 60, 40));
  EXPECT_EQ(Clipped.GetPixel(20, 20), clRed);
  EXPECT_EQ(Clipped.GetPixel(1, 1), clWhite);
  EXPECT_EQ(Clipped.GetPixel(50, 20), clWhite);
}

TEST_F(TCanvasTest, WidenedLinePathFillsABandAsWideAsThePen) {
  Canvas().GetPen().SetWidth(6);
  Canvas().GetPen().SetEndCap(pecFlat);
  Canvas().BeginPath();
  Canvas().MoveTo(10, 20);
  Canvas().LineTo(50, 20);
  Canvas().EndPath();
  EXPECT_TRUE(Canvas().WidenPath());
  Canvas().GetPen().SetStyle(psClear);
  Canvas().GetBrush().SetColor(clBlack);
  EXPECT_TRUE(Canvas().FillPath());
  TRect Box = InkBox(Bitmap);
  EXPECT_EQ(Box.Height(), 6);
  EXPECT_EQ(Box.Width(), 40);
}

TEST_F(TCanvasTest, TextInAPathBecomesAClipShapedLikeTheGlyphs) {
  Canvas().GetFont().SetHeight(-30);
  Canvas().BeginPath();
  Canvas().TextOut(2, 2, QStringLiteral("I"));
  Canvas().EndPath();
  EXPECT_TRUE(Canvas().SelectClipPath());
  Canvas().GetBrush().SetColor(clRed);
  Canvas().FillRect(Rect(0, 0, 60, 40));
  int Red = Count(Bitmap, clRed);
  EXPECT_GT(Red, 30);
  EXPECT_LT(Red, 400) << "only the glyph, not its box";
}

// ------------------------------------------------------------ text

TEST_F(TCanvasTest, TextExtentIsTheFontMetricsOfTheSelectedFont) {
  QString Text = QStringLiteral("Hello, axis");
  QFontMetrics M = Metrics();
  EXPECT_EQ(Canvas().TextWidth(Text), M.horizontalAdvance(Text));
  EXPECT_EQ(Canvas().TextHeight(Text), M.ascent() + M.descent());
  Canvas().SetTextCharacterExtra(2);
  EXPECT_EQ(Canvas().TextWidth(Text), M.horizontalAdvance(Text) + 2 * Text.size());
}

// Measurements are remembered by a number given to each font; more fonts
// than are kept make all numbers start afresh, while two canvases go on
// measuring with the numbers they had.
TEST_F(TCanvasTest, TextExtentsStayThoseOfTheirFontWhileManyFontsComeAndGo) {
  const QString Text = QStringLiteral("0.65 Wj");
  auto Width = [&Text](int Pixels) {
    QFont F(QStringLiteral("DejaVu Sans"));
    F.setPixelSize(Pixels);
    F.setStyleStrategy(QFont::NoAntialias);
    return QFontMetrics(F).horizontalAdvance(Text);
  };
  TBitmap Other(10, 10);
  TCanvas& Second = Other.GetCanvas();
  Second.GetFont().SetName(QStringLiteral("DejaVu Sans"));
  Second.GetFont().SetHeight(-11);
  const int Big = Width(20);
  const int Small = Width(11);
  ASSERT_NE(Big, Small);
  for (int Round = 0; Round < 2; ++Round) {
    EXPECT_EQ(Canvas().TextWidth(Text), Big);
    EXPECT_EQ(Second.TextWidth(Text), Small);
    for (int Pixels = 6; Pixels < 400; ++Pixels) {
      Other.GetCanvas().GetFont().SetHeight(-Pixels);
      ASSERT_EQ(Second.TextWidth(Text), Width(Pixels)) << Pixels;
    }
    Second.GetFont().SetHeight(-11);
    EXPECT_EQ(Canvas().TextWidth(Text), Big);
    EXPECT_EQ(Second.TextWidth(Text), Small);
  }
}

TEST_F(TCanvasTest, RememberedTextsStayFewAndShortWhateverIsMeasuredOrDrawn) {
  // Texts come from files and fuzzing: neither a long text nor many
  // distinct ones may make the canvas hold on to them all.
  const QString Long(MaxRememberedTextLength + 1, u'w');
  const std::size_t Before = RememberedTextCount();
  Canvas().TextOut(1, 1, Long);
  EXPECT_EQ(Canvas().TextWidth(Long + u'w'), Metrics().horizontalAdvance(Long + u'w'));
  EXPECT_EQ(RememberedTextCount(), Before);
  for (std::size_t I = 0; I <= MaxRememberedTexts; ++I) {
    Canvas().TextWidth(QStringLiteral("label %1").arg(I));
    ASSERT_LE(RememberedTextCount(), MaxRememberedTexts) << I;
  }
  const QString Short(MaxRememberedTextLength, u'v');
  const std::size_t Counted = RememberedTextCount();
  Canvas().TextOut(1, 1, Short);
  EXPECT_EQ(RememberedTextCount(), Counted < MaxRememberedTexts ? Counted + 1 : 1);
}

TEST_F(TCanvasTest, TextAlignmentPlacesTheReferencePoint) {
  QString Text = QStringLiteral("HH");  // no descenders: ink ends at the baseline
  QFontMetrics M = Metrics();
  int W = M.horizontalAdvance(Text);
  struct Case {
    int Align;
    int InkRightAtMost;  // relative to x = 30
    int InkBottom;       // relative to y = 20, exclusive
  };
  for (Case C : {Case{TA_LEFT | TA_TOP, W, M.ascent()}, Case{TA_RIGHT | TA_BASELINE, 0, 0},
                 Case{TA_CENTER | TA_BOTTOM, W / 2 + 1, -M.descent()}}) {
    TBitmap Sheet(80, 60);
    TCanvas& Cv = Sheet.GetCanvas();
    Cv.GetFont().SetName(QStringLiteral("DejaVu Sans"));
    Cv.GetFont().SetHeight(-20);
    Cv.GetFont().SetColor(clBlack);
    Cv.SetBkMode(bkTransparent);
    Cv.SetTextAlign(C.Align);
    Cv.TextOut(30, 20, Text);
    TRect Ink = InkBox(Sheet);
    EXPECT_EQ(Ink.Bottom, 20 + C.InkBottom) << "align " << C.Align;
    EXPECT_LE(Ink.Right, 30 + C.InkRightAtMost) << "align " << C.Align;
    EXPECT_GE(Ink.Right, 30 + C.InkRightAtMost - 4) << "align " << C.Align;
  }
}

TEST_F(TCanvasTest, OpaqueTextFillsItsCellWithTheBackgroundColour) {
  QString Text = QStringLiteral("ab");
  QFontMetrics M = Metrics();
  Canvas().SetBkMode(bkOpaque);
  Canvas().SetBkColor(clYellow);
  Canvas().TextOut(5, 5, Text);
  EXPECT_EQ(InkBox(Bitmap),
            Rect(5, 5, 5 + M.horizontalAdvance(Text), 5 + M.ascent() + M.descent()));
  EXPECT_EQ(Canvas().GetPenPos(), Point(5 + M.horizontalAdvance(Text), 5));
}

TEST_F(TCanvasTest, TextColourFollowsTheFontUntilSetOtherwise) {
  Canvas().SetBkMode(bkTransparent);
  Canvas().GetFont().SetColor(clRed);
  Canvas().TextOut(0, 0, QStringLiteral("M"));
  EXPECT_GT(Count(Bitmap, clRed), 0);

  Canvas().SetTextColor(clBlue);
  Canvas().TextOut(20, 0, QStringLiteral("M"));
  EXPECT_GT(Count(Bitmap, Rect(20, 0, 60, 40), clBlue), 0);

  Canvas().GetFont().SetColor(clLime);
  EXPECT_EQ(Canvas().GetTextColor(), clLime);
}

TEST_F(TCanvasTest, OrientationTurnsTextCounterClockwise) {
  TBitmap Sheet(100, 100);
  TCanvas& C = Sheet.GetCanvas();
  C.GetFont().SetName(QStringLiteral("DejaVu Sans"));
  C.GetFont().SetHeight(-16);
  C.SetBkMode(bkTransparent);
  C.GetFont().SetOrientation(900);
  C.TextOut(50, 90, QStringLiteral("HHHHH"));
  TRect Up = InkBox(Sheet);
  // Reading upwards from the reference point; the top of the text cell lies
  // on the vertical through it, the glyphs to its right.
  EXPECT_GT(Up.Height(), Up.Width());
  EXPECT_LE(Up.Bottom, 91);
  EXPECT_LT(Up.Top, 60);
  EXPECT_GE(Up.Left, 50);
  EXPECT_LE(Up.Right, 50 + 20);

  TBitmap Down(100, 100);
  TCanvas& D = Down.GetCanvas();
  D.GetFont().SetName(QStringLiteral("DejaVu Sans"));
  D.GetFont().SetHeight(-16);
  D.SetBkMode(bkTransparent);
  D.GetFont().SetOrientation(-900);
  D.TextOut(50, 10, QStringLiteral("HHHHH"));
  TRect Dn = InkBox(Down);
  EXPECT_GE(Dn.Top, 9);
  EXPECT_GT(Dn.Bottom, 40);
  EXPECT_LE(Dn.Right, 51);
  EXPECT_GE(Dn.Left, 50 - 20);
}

TEST_F(TCanvasTest, UpdateCPStartsAtThePenAndMovesItAlong) {
  QFontMetrics M = Metrics();
  Canvas().SetBkMode(bkTransparent);
  Canvas().SetTextAlign(TA_UPDATECP);
  Canvas().MoveTo(4, 4);
  Canvas().TextOut(40, 30, QStringLiteral("ab"));
  EXPECT_EQ(Canvas().GetPenPos(), Point(4 + M.horizontalAdvance(QStringLiteral("ab")), 4));
  EXPECT_LT(InkBox(Bitmap).Top, 10);
}

// ------------------------------------------------------------ mapping

TEST_F(TCanvasTest, AnisotropicMappingScalesEachAxisOnItsOwn) {
  TBitmap Page(200, 200);
  TCanvas& C = Page.GetCanvas();
  C.SetMapMode(mmAnisotropic);
  C.SetWindowOrg(0, 0);
  C.SetWindowExt(100, 100);
  C.SetViewportOrg(10, 20);
  C.SetViewportExt(200, 300);
  EXPECT_EQ(C.LPtoDP(Point(10, 10)), Point(30, 50));
  EXPECT_EQ(C.DPtoLP(Point(30, 50)), Point(10, 10));

  C.GetBrush().SetColor(clRed);
  C.FillRect(Rect(10, 10, 20, 20));
  EXPECT_EQ(InkBox(Page), Rect(30, 50, 50, 80));

  // A one-pixel pen stays one device pixel; text keeps its logical size.
  C.GetPen().SetColor(clBlue);
  C.MoveTo(0, 50);
  C.LineTo(50, 50);
  EXPECT_EQ(Count(Page, Rect(0, 169, 200, 172), clBlue), 100);
  C.GetFont().SetHeight(-20);
  TSize Logical = C.TextExtent(QStringLiteral("Wide text"));
  C.SetMapMode(mmText);
  C.SetViewportOrg(0, 0);
  TSize Plain = C.TextExtent(QStringLiteral("Wide text"));
  // Glyphs follow the vertical scale (3), so logical widths grow by 3 / 2.
  EXPECT_NEAR(Logical.cy, Plain.cy, 1);
  EXPECT_NEAR(Logical.cx, Plain.cx * 1.5, 3);
}

// A printer page showing screen pixels: one logical unit is 1/96 inch on a
// 150 pixels-per-inch device. A point size set on the font there has the
// logical size it has on the screen, and its glyphs come out 150 / 96 times
// as many device pixels; heights set directly stay logical units.
TEST_F(TCanvasTest, PointSizesKeepTheirLogicalSizeOnAScaledPage) {
  TBitmap Screen(300, 200);
  TCanvas& S = Screen.GetCanvas();
  S.GetFont().SetName(QStringLiteral("DejaVu Sans"));
  S.GetFont().SetSize(20);
  S.TextOut(10, 10, QStringLiteral("Hg"));

  QImage Page(600, 400, QImage::Format_RGB32);
  Page.fill(Qt::white);
  QPainter Painter(&Page);
  TSize PageExtent;
  {
    TCanvas C(Painter, 150);
    C.SetMapMode(mmAnisotropic);
    C.SetWindowExt(96, 96);
    C.SetViewportExt(150, 150);
    EXPECT_EQ(C.GetFont().GetPixelsPerInch(), 96);
    C.GetFont().SetName(QStringLiteral("DejaVu Sans"));
    C.GetFont().SetSize(20);
    EXPECT_EQ(C.GetFont().GetHeight(), S.GetFont().GetHeight());
    PageExtent = C.TextExtent(QStringLiteral("Hg"));
    C.TextOut(10, 10, QStringLiteral("Hg"));
    C.GetFont().SetHeight(-30);
    C.SetMapMode(mmText);
    EXPECT_EQ(C.GetFont().GetPixelsPerInch(), 150);
    EXPECT_EQ(C.GetFont().GetHeight(), -30);
  }
  Painter.end();
  const TSize ScreenExtent = S.TextExtent(QStringLiteral("Hg"));
  EXPECT_NEAR(PageExtent.cy, ScreenExtent.cy, 1);
  EXPECT_NEAR(PageExtent.cx, ScreenExtent.cx, 2);
  TBitmap Printed;
  Printed.SetImage(Page);
  // Glyph ink scales with the device: within two device pixels of rounding.
  EXPECT_NEAR(InkBox(Printed).Height(), InkBox(Screen).Height() * 150.0 / 96, 2);
}

// ------------------------------------------------------------ painter canvases

TEST_F(TCanvasTest, PainterCanvasClipsAndCopiesButLeavesThePainterAsItWas) {
  QImage Page(40, 30, QImage::Format_RGB32);
  Page.fill(Qt::white);
  QPainter Painter(&Page);
  {
    TCanvas C(Painter, 300);
    EXPECT_EQ(C.GetFont().GetPixelsPerInch(), 300);
    EXPECT_EQ(C.GetBitmap(), nullptr);
    C.ClipRect(Rect(0, 0, 20, 30));
    C.GetBrush().SetColor(clRed);
    C.FillRect(Rect(0, 0, 40, 30));
    // Raster operations have no meaning off bitmaps: the pen draws as a copy.
    C.GetPen().SetMode(pmXor);
    C.GetPen().SetColor(clBlue);
    C.RemoveClip();
    C.MoveTo(0, 25);
    C.LineTo(40, 25);
    EXPECT_EQ(C.GetPixel(1, 1), clNone);
  }
  EXPECT_FALSE(Painter.hasClipping());
  EXPECT_EQ(Painter.compositionMode(), QPainter::CompositionMode_SourceOver);
  Painter.end();
  EXPECT_EQ(QColorToColor(Page.pixelColor(5, 5)), clRed);
  EXPECT_EQ(QColorToColor(Page.pixelColor(30, 5)), clWhite);
  EXPECT_EQ(QColorToColor(Page.pixelColor(30, 25)), clBlue);
}

// ------------------------------------------------------------ pixels and bitmaps

TEST_F(TCanvasTest, PixelsReadAndWriteDevicePixels) {
  Canvas().SetPixel(3, 4, clRed);
  EXPECT_EQ(Canvas().GetPixel(3, 4), clRed);
  EXPECT_EQ(Bitmap.GetPixel(3, 4), clRed);
  EXPECT_EQ(Canvas().GetPixel(-1, 0), clNone);
  EXPECT_EQ(Canvas().GetPixel(60, 0), clNone);
  Canvas().SetPixel(2, 2, clBtnFace);
  EXPECT_EQ(Canvas().GetPixel(2, 2), ColorToRGB(clBtnFace));
}

TEST_F(TCanvasTest, DrawAndStretchDrawCopyBitmaps) {
  TBitmap Source(2, 2);
  Source.GetCanvas().SetPixel(0, 0, clRed);
  Source.GetCanvas().SetPixel(1, 1, clBlue);
  Canvas().Draw(5, 5, Source);
  EXPECT_EQ(Bitmap.GetPixel(5, 5), clRed);
  EXPECT_EQ(Bitmap.GetPixel(6, 6), clBlue);
  EXPECT_EQ(InkBox(Bitmap), Rect(5, 5, 7, 7));

  Canvas().StretchDraw(Rect(20, 20, 30, 30), Source);
  EXPECT_EQ(Count(Bitmap, Rect(20, 20, 30, 30), clRed), 25);
  EXPECT_EQ(Count(Bitmap, Rect(20, 20, 30, 30), clBlue), 25);

  TBitmap Empty;
  Canvas().Draw(0, 0, Empty);
  Canvas().StretchDraw(Rect(0, 0, 10, 10), Empty);
  EXPECT_EQ(Bitmap.GetPixel(0, 0), clWhite);
}

TEST_F(TCanvasTest, TransparentBitmapLeavesItsKeyColourOut) {
  Canvas().GetBrush().SetColor(clLime);
  Canvas().FillRect(Rect(0, 0, 60, 40));
  TBitmap Sprite(3, 3);
  Sprite.GetCanvas().SetPixel(1, 1, clRed);
  Sprite.SetTransparent(true);  // key: the bottom-left pixel, white
  Canvas().Draw(10, 10, Sprite);
  EXPECT_EQ(Bitmap.GetPixel(11, 11), clRed);
  EXPECT_EQ(Bitmap.GetPixel(10, 10), clLime);
  EXPECT_EQ(Count(Bitmap, clWhite), 0);
}

TEST_F(TCanvasTest, CopyRectCopiesFromAnotherCanvasAndFromItself) {
  TBitmap Source(10, 10);
  Source.GetCanvas().GetBrush().SetColor(clRed);
  Source.GetCanvas().FillRect(Rect(0, 0, 5, 5));
  Canvas().CopyRect(Rect(20, 20, 30, 30), Source.GetCanvas(), Rect(0, 0, 10, 10));
  EXPECT_EQ(InkBox(Bitmap), Rect(20, 20, 25, 25));

  Canvas().CopyRect(Rect(0, 0, 10, 10), Canvas(), Rect(20, 20, 30, 30));
  EXPECT_EQ(Count(Bitmap, Rect(0, 0, 10, 10), clRed), 25);
  EXPECT_EQ(Count(Bitmap, clRed), 50);
}

TEST_F(TCanvasTest, DrawingABitmapOntoItselfUsesItsPixelsFromBefore) {
  Canvas().GetBrush().SetColor(clRed);
  Canvas().FillRect(Rect(0, 0, 10, 10));
  Canvas().Draw(5, 5, Bitmap);
  EXPECT_EQ(Count(Bitmap, clRed), 100 + 100 - 25);
}

TEST_F(TCanvasTest, EmptyBitmapAcceptsDrawingAndPaintsNothing) {
  TBitmap Nothing;
  TCanvas& C = Nothing.GetCanvas();
  C.Rectangle(0, 0, 10, 10);
  C.TextOut(0, 0, QStringLiteral("x"));
  C.FillRect(Rect(0, 0, 5, 5));
  EXPECT_TRUE(Nothing.GetEmpty());
  EXPECT_EQ(C.GetPixel(0, 0), clNone);
  // Growing it afterwards gives a white bitmap that can be drawn on.
  Nothing.SetSize(4, 4);
  C.GetBrush().SetColor(clRed);
  C.FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(Count(Nothing, clRed), 4);
  EXPECT_EQ(Count(Nothing, clWhite), 12);
}

// ------------------------------------------------------------ direct line drawing

// Solid one-pixel lines on a bitmap are written straight into the pixels;
// the scenes below are drawn once that way and once by the painter (direct
// drawing switched off) and must come out pixel for pixel the same.
class TCanvasDirectLineTest : public TCanvasTest {
 protected:
  void TearDown() override {
    SetDirectLineDrawing(true);
    TCanvasTest::TearDown();
  }

  // Both bitmaps drawn by Scene, each in one painter session (nothing is
  // read back before the end), then compared. Returns the number of pixels
  // that are not white, so a test can make sure the scene drew something.
  int ExpectSameBothWays(const std::function<void(TCanvas&)>& Scene) {
    TBitmap Direct(97, 61);
    TBitmap Painted(97, 61);
    SetDirectLineDrawing(true);
    Scene(Direct.GetCanvas());
    SetDirectLineDrawing(false);
    Scene(Painted.GetCanvas());
    SetDirectLineDrawing(true);
    for (int Y = 0; Y < Direct.GetHeight(); ++Y) {
      for (int X = 0; X < Direct.GetWidth(); ++X) {
        if (Direct.GetPixel(X, Y) != Painted.GetPixel(X, Y)) {
          ADD_FAILURE() << "first difference at (" << X << ", " << Y << ")";
          return 0;
        }
      }
    }
    return PixelProbe::CountIf(Direct, [](TColor C) { return C != clWhite; });
  }
};

// Mostly near the bitmap (97 x 61), some far away, some at the int limits.
int RandomCoordinate(std::mt19937& Random, int Size) {
  const int Kind = std::uniform_int_distribution<int>(0, 9)(Random);
  if (Kind < 7) return std::uniform_int_distribution<int>(-30, Size + 30)(Random);
  if (Kind < 9) return std::uniform_int_distribution<int>(-100000, 100000)(Random);
  static const int Extremes[] = {INT_MIN, INT_MAX, -2000000000, 2000000000, INT_MIN + 1};
  return Extremes[std::uniform_int_distribution<int>(0, 4)(Random)];
}

void RandomLines(TCanvas& C, std::mt19937& Random, int Count) {
  for (int N = 0; N < Count; ++N) {
    C.GetPen().SetColor(static_cast<TColor>(Random() & 0xFFFFFF));
    std::vector<TPoint> Points(std::uniform_int_distribution<int>(2, 12)(Random));
    for (TPoint& P : Points) P = TPoint(RandomCoordinate(Random, 97), RandomCoordinate(Random, 61));
    if (N % 3 == 0) {
      C.MoveTo(Points[0].X, Points[0].Y);
      for (std::size_t I = 1; I < Points.size(); ++I) C.LineTo(Points[I].X, Points[I].Y);
    } else {
      C.Polyline(Points.data(), static_cast<int>(Points.size()));
    }
  }
}

// A painter primitive between the lines keeps the painter open, with the
// clip applied to it, while lines are written beside it.
void PainterStroke(TCanvas& C, std::mt19937& Random) {
  C.GetPen().SetWidth(3);
  C.GetPen().SetColor(static_cast<TColor>(Random() & 0xFFFFFF));
  C.MoveTo(RandomCoordinate(Random, 97), RandomCoordinate(Random, 61));
  C.LineTo(RandomCoordinate(Random, 97), RandomCoordinate(Random, 61));
  C.GetPen().SetWidth(1);
}

TEST_F(TCanvasDirectLineTest, RandomLinesThroughClipAndUnclipMatchThePainterInOneSession) {
  const int Inked = ExpectSameBothWays([](TCanvas& C) {
    std::mt19937 Random(20240611);
    C.GetBrush().SetColor(clSilver);
    C.FillRect(Rect(10, 10, 50, 40));
    RandomLines(C, Random, 60);
    C.ClipRect(Rect(13, 7, 71, 44));
    PainterStroke(C, Random);
    RandomLines(C, Random, 60);
    C.RemoveClip();
    PainterStroke(C, Random);
    RandomLines(C, Random, 60);
    // A clip reaching past the bitmap, then one inside it made of two
    // intersections (still one rectangle).
    C.ClipRect(Rect(-50, 30, 200, 400));
    RandomLines(C, Random, 40);
    C.ClipRect(Rect(40, -10, 60, 58));
    PainterStroke(C, Random);
    RandomLines(C, Random, 40);
    C.RemoveClip();
    RandomLines(C, Random, 40);
  });
  EXPECT_GT(Inked, 2000);
}

TEST_F(TCanvasDirectLineTest, ShortTraceSegmentsAndEveryDirectionMatchThePainter) {
  ExpectSameBothWays([](TCanvas& C) {
    // A data trace: many segments of a few pixels.
    std::vector<TPoint> Trace;
    for (int X = 0; X < 400; ++X)
      Trace.emplace_back(X / 4, 30 + static_cast<int>(25 * std::sin(X * 0.05)) + X % 3);
    C.Polyline(Trace.data(), static_cast<int>(Trace.size()));
    // A star through a centre inside, and one whose centre lies outside.
    for (const TPoint& Centre : {TPoint(48, 30), TPoint(90, -5)}) {
      for (int A = 0; A < 64; ++A) {
        C.GetPen().SetColor(static_cast<TColor>(0x10000 * (A * 4) + 0x80));
        C.MoveTo(Centre.X, Centre.Y);
        C.LineTo(Centre.X + static_cast<int>(std::lround(70 * std::cos(A * 0.0982))),
                 Centre.Y + static_cast<int>(std::lround(70 * std::sin(A * 0.0982))));
      }
    }
  });
}

TEST_F(TCanvasDirectLineTest, EverySegmentOfUpToNinePixelsEachWayMatchesThePainter) {
  // Short segments are written from a table of their pixels, longer ones
  // by stepping: every length and direction on both sides of the limit,
  // inside the bitmap, across its edges and repeated points.
  const int Inked = ExpectSameBothWays([](TCanvas& C) {
    for (const TPoint& Centre : {TPoint(48, 30), TPoint(2, 58), TPoint(95, 1)}) {
      for (int DY = -9; DY <= 9; ++DY) {
        for (int DX = -9; DX <= 9; ++DX) {
          C.GetPen().SetColor(static_cast<TColor>(0x010101 * ((DX + 9) * 19 + DY + 9)));
          const TPoint Points[] = {Centre, TPoint(Centre.X + DX, Centre.Y + DY),
                                   TPoint(Centre.X + DX, Centre.Y + DY), Centre};
          C.Polyline(Points, 4);
        }
      }
    }
  });
  EXPECT_GT(Inked, 300);
}

TEST_F(TCanvasDirectLineTest, DottedAndDashedLinesMatchThePainterOpaqueOrNot) {
  const int Inked = ExpectSameBothWays([](TCanvas& C) {
    std::mt19937 Random(31);
    C.SetBkColor(clYellow);
    for (TPenStyle Style : {psDot, psDash, psDashDotDot}) {
      C.GetPen().SetStyle(Style);
      C.SetBkMode(bkTransparent);
      RandomLines(C, Random, 8);
      C.SetBkMode(bkOpaque);
      RandomLines(C, Random, 8);
      C.ClipRect(Rect(13, 7, 71, 44));
      RandomLines(C, Random, 8);
      C.RemoveClip();
    }
    // A grid line of dots as an axis draws it.
    C.SetBkMode(bkTransparent);
    C.GetPen().SetStyle(psDot);
    C.GetPen().SetColor(clGray);
    C.MoveTo(3, 20);
    C.LineTo(90, 20);
  });
  EXPECT_GT(Inked, 1000);
}

TEST_F(TCanvasDirectLineTest, LinesAcrossTheWholeIntRangeKeepTheirSlope) {
  // Slope exactly 1 and exactly -1 over 2^32 - 1 steps: products of the
  // step and the extent need more than 64 bits.
  const int Inked = ExpectSameBothWays([](TCanvas& C) {
    C.MoveTo(INT_MIN, INT_MIN);
    C.LineTo(INT_MAX, INT_MAX);
    C.GetPen().SetColor(clRed);
    // x + y = 60 from one end of the range to the other.
    C.MoveTo(INT_MIN + 61, INT_MAX);
    C.LineTo(INT_MAX, INT_MIN + 61);
  });
  EXPECT_EQ(Inked, 2 * 61 - 1);  // they cross at (30, 30)
  TBitmap Check(97, 61);
  Check.GetCanvas().MoveTo(INT_MIN, INT_MIN);
  Check.GetCanvas().LineTo(INT_MAX, INT_MAX);
  for (int I = 0; I < 61; ++I) EXPECT_EQ(Check.GetPixel(I, I), clBlack) << I;
}

TEST_F(TCanvasDirectLineTest, StraightDashedLinesMatchThePainterAtEveryPhase) {
  // Rows and columns are written a dash at a time: every direction, every
  // start of the pattern (the pattern runs on from a sloped segment), a
  // pattern with empty entries, clipped and far-reaching ends.
  const int Inked = ExpectSameBothWays([](TCanvas& C) {
    C.SetBkMode(bkTransparent);
    for (int Phase = 0; Phase < 24; ++Phase) {
      C.GetPen().SetStyle(Phase % 3 == 0 ? psDashDot : Phase % 3 == 1 ? psDot : psUserStyle);
      C.GetPen().SetUserDashes({0, 2, 5, 0, 3, 1});
      C.GetPen().SetColor(static_cast<TColor>(0x0A0A0A * (Phase % 20)));
      const int Y = 2 + 2 * Phase;
      const TPoint Row[] = {TPoint(1, Y), TPoint(1 + Phase, Y + 1), TPoint(95, Y + 1),
                            TPoint(90 - Phase, Y + 1), TPoint(90 - Phase, Y - 1)};
      C.Polyline(Row, 5);
      const int X = 3 + 4 * Phase;
      C.MoveTo(X, 60);
      C.LineTo(X, Phase);
      C.LineTo(X + 1, -100000);
    }
    // Periods longer than those written a whole period at a time, and
    // lines shorter than one period.
    C.GetPen().SetStyle(psUserStyle);
    C.GetPen().SetUserDashes({20, 17});
    C.MoveTo(2, 57);
    C.LineTo(94, 57);
    C.GetPen().SetStyle(psDot);
    for (int Length = 1; Length < 8; ++Length) {
      C.MoveTo(10 * Length, 59);
      C.LineTo(10 * Length + Length, 59);
    }
    C.ClipRect(Rect(11, 9, 80, 50));
    C.GetPen().SetStyle(psDash);
    C.MoveTo(INT_MIN, 20);
    C.LineTo(INT_MAX, 20);
    C.MoveTo(40, INT_MAX);
    C.LineTo(40, INT_MIN);
    C.RemoveClip();
  });
  EXPECT_GT(Inked, 800);
}

TEST_F(TCanvasDirectLineTest, MappingsAndEmptyClipsMatchThePainter) {
  const int Inked = ExpectSameBothWays([](TCanvas& C) {
    std::mt19937 Random(7);
    C.SetWindowOrg(-20, 15);
    RandomLines(C, Random, 30);
    C.SetMapMode(mmAnisotropic);
    C.SetWindowExt(3, -2);
    C.SetViewportExt(2, 3);
    RandomLines(C, Random, 30);
    C.SetMapMode(mmText);
    C.SetWindowOrg(0, 0);
    C.ClipRect(Rect(20, 20, 20, 40));  // nothing gets through
    RandomLines(C, Random, 30);
    C.RemoveClip();
    C.ClipRect(Rect(200, 0, 300, 60));  // off the bitmap
    RandomLines(C, Random, 30);
  });
  EXPECT_GT(Inked, 500);
}

TEST_F(TCanvasDirectLineTest, LinesLeaveOtherStylesModesAndShapedClipsToThePainter) {
  ExpectSameBothWays([](TCanvas& C) {
    std::mt19937 Random(99);
    C.GetPen().SetStyle(psDot);
    RandomLines(C, Random, 10);
    C.GetPen().SetStyle(psSolid);
    C.GetPen().SetMode(pmXor);
    RandomLines(C, Random, 10);
    C.GetPen().SetMode(pmCopy);
    C.ClipEllipse(Rect(10, 5, 80, 55));
    RandomLines(C, Random, 20);
  });
}

TEST_F(TCanvasDirectLineTest, ALineOnACopiedBitmapLeavesTheCopyAsItWas) {
  SolidPen(clBlack);
  Canvas().MoveTo(0, 3);
  Canvas().LineTo(60, 3);
  TBitmap Copy;
  Copy.Assign(Bitmap);  // shares the pixel memory until one side changes
  Canvas().MoveTo(0, 9);
  Canvas().LineTo(60, 9);
  EXPECT_EQ(Count(Bitmap, clBlack), 120);
  EXPECT_EQ(Count(Copy, clBlack), 60);
  EXPECT_EQ(Copy.GetPixel(5, 9), clWhite);
}

// ------------------------------------------------------------ kept glyphs

// Texts of several fonts, styles, angles, alignments and backgrounds.
void DrawTextScene(TCanvas& C) {
  const char* Texts[] = {"0.65",
                         "Radius (cm)",
                         "-0.051 Wj",
                         "fi ffl AV To",
                         "",
                         "a\tb",
                         "\xc2\xb5m \xce\xa9 \xe2\x86\x92",
                         "\xe4\xb8\xad\xe6\x96\x87 x",
                         "abc  def"};
  int Y = 2;
  for (const char* Family : {"DejaVu Sans", "DejaVu Serif", "Liberation Mono"}) {
    for (int Variant = 0; Variant < 6; ++Variant) {
      TFont& F = C.GetFont();
      F.SetName(QString::fromLatin1(Family));
      F.SetHeight(-(9 + 2 * Variant));
      F.SetStyle(Variant == 1   ? TFontStyles{fsBold}
                 : Variant == 2 ? TFontStyles{fsItalic}
                 : Variant == 3 ? TFontStyles{fsUnderline}
                                : TFontStyles());
      F.SetOrientation(Variant == 4 ? 900 : Variant == 5 ? 300 : 0);
      F.SetColor(static_cast<TColor>(0x204080 + Variant));
      C.SetTextCharacterExtra(Variant == 2 ? 2 : 0);
      C.SetTextAlign(Variant % 2 == 0 ? TA_LEFT | TA_TOP : TA_CENTER | TA_BASELINE);
      C.SetBkMode(Variant == 1 ? bkOpaque : bkTransparent);
      int X = 3;
      for (const char* Text : Texts) {
        C.TextOut(X, Y, QString::fromUtf8(Text));
        X += 35;
      }
      Y += 14;
    }
  }
}

// Text in bitmaps is drawn from remembered glyphs; switched off, the painter
// shapes and draws it itself. Both must give the same pixels for every
// kind of text the charts write.
TEST_F(TCanvasTest, TextFromKeptGlyphsMatchesThePaintersOwnText) {
  for (bool Smooth : {false, true}) {
    SetTextAntialiasing(Smooth);
    TBitmap Kept(330, 260);
    TBitmap Painted(330, 260);
    DrawTextScene(Kept.GetCanvas());
    DrawTextScene(Kept.GetCanvas());  // drawn again from the glyphs kept the first time
    SetKeptGlyphs(false);
    DrawTextScene(Painted.GetCanvas());
    DrawTextScene(Painted.GetCanvas());
    SetKeptGlyphs(true);
    EXPECT_EQ(Kept.Image(), Painted.Image()) << "antialiased " << Smooth;
    EXPECT_GT(PixelProbe::CountIf(Kept, [](TColor C) { return C != clWhite; }), 3000);
  }
}

TEST_F(TCanvasTest, LevelTextLandsWhereAnOutsidePaintersTransformPutsIt) {
  // A canvas over its own bitmap moves level text by its anchor; one over
  // an outside painter places every text with a transform.
  for (bool Smooth : {false, true}) {
    SetTextAntialiasing(Smooth);
    TBitmap Own(330, 260);
    QImage Outside = Own.Image().copy();
    DrawTextScene(Own.GetCanvas());
    {
      QPainter Painter(&Outside);
      TCanvas OutsideCanvas(Painter, 96);
      DrawTextScene(OutsideCanvas);
    }
    EXPECT_EQ(Own.Image(), Outside) << "antialiased " << Smooth;
  }
}

}  // namespace

#include "chart/core/TKorCanvas.h"

#include "chart/core/KorCanvas.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorShadow.h"

#include "chart/core/TKorBlend.h"
#include "chart/core/TView3DOptions.h"

#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TPicture.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <memory>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <utility>

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

// ---------------------------------------------------------------- bevels

struct BevelCase {
  int Width;
  TRect Left;  // the rectangle handed back
};

void PrintTo(const BevelCase& C, std::ostream* Out) {
  *Out << "width " << C.Width;
}

class TKorCanvasFrame3DTest : public TKorCanvasTest,
                              public ::testing::WithParamInterface<BevelCase> {};

// Ring k (from 0) runs along the rectangle inset by k: the top colour on
// its left and top sides, the bottom colour on its right and bottom sides
// including the top-right and bottom-left corners.
TEST_P(TKorCanvasFrame3DTest, RingsOfTopAndBottomColourShrinkTheRectangle) {
  TRect R(0, 0, 10, 10);
  Surface.Frame3D(R, clRed, clBlue, GetParam().Width);
  EXPECT_EQ(R, GetParam().Left);
  for (int K = 0; K < GetParam().Width; ++K) {
    const int Lo = K;
    const int Hi = 9 - K;
    EXPECT_EQ(Bitmap.GetPixel(Lo, Lo), clRed) << K;
    EXPECT_EQ(Bitmap.GetPixel(Lo, Hi - 1), clRed) << K;
    EXPECT_EQ(Bitmap.GetPixel(Hi - 1, Lo), clRed) << K;
    EXPECT_EQ(Bitmap.GetPixel(Hi, Lo), clBlue) << K;
    EXPECT_EQ(Bitmap.GetPixel(Hi, Hi), clBlue) << K;
    EXPECT_EQ(Bitmap.GetPixel(Lo, Hi), clBlue) << K;
  }
  EXPECT_EQ(Count(Bitmap, clRed) + Count(Bitmap, clBlue), 100 - R.Width() * R.Height());
  EXPECT_EQ(Count(Bitmap, R, clWhite), R.Width() * R.Height());
}

INSTANTIATE_TEST_SUITE_P(Widths, TKorCanvasFrame3DTest,
                         ::testing::Values(BevelCase{1, TRect(1, 1, 9, 9)},
                                           BevelCase{2, TRect(2, 2, 8, 8)},
                                           BevelCase{4, TRect(4, 4, 6, 6)}));

// ---------------------------------------------------------------- convex hull

// Reference: Andrew's monotone chain, corners only.
std::set<std::pair<int, int>> ReferenceHull(TPointArray P) {
  std::sort(P.begin(), P.end(),
            [](const TPoint& A, const TPoint& B) { return A.X != B.X ? A.X < B.X : A.Y < B.Y; });
  P.erase(std::unique(P.begin(), P.end()), P.end());
  auto Cross = [](const TPoint& O, const TPoint& A, const TPoint& B) {
    return static_cast<long long>(A.X - O.X) * (B.Y - O.Y) -
           static_cast<long long>(A.Y - O.Y) * (B.X - O.X);
  };
  TPointArray H(2 * P.size());
  std::size_t K = 0;
  for (std::size_t I = 0; I < P.size(); ++I) {
    while (K >= 2 && Cross(H[K - 2], H[K - 1], P[I]) <= 0) --K;
    H[K++] = P[I];
  }
  for (std::size_t I = P.size() - 1, T = K + 1; I-- > 0;) {
    while (K >= T && Cross(H[K - 2], H[K - 1], P[I]) <= 0) --K;
    H[K++] = P[I];
  }
  std::set<std::pair<int, int>> Result;
  for (std::size_t I = 0; I + 1 < K; ++I) Result.insert({H[I].X, H[I].Y});
  return Result;
}

// The hull the canvas computes has the reference corners, turns clockwise
// on the screen at every corner and ends with the lowest-y point (largest
// x among equals).
void ExpectHull(const TPointArray& Input, const std::string& Label) {
  TPointArray Hull = Input;
  const std::set<std::pair<int, int>> Expected = ReferenceHull(Input);
  const bool Proper = TKorCanvas::ConvexHull(Hull);
  std::set<std::pair<int, int>> Got;
  for (const TPoint& P : Hull) Got.insert({P.X, P.Y});
  ASSERT_EQ(Got, Expected) << Label;
  ASSERT_EQ(Hull.size(), Expected.size()) << Label;
  if (!Proper) return;
  const TPoint Pivot = *std::min_element(Input.begin(), Input.end(), [](auto& A, auto& B) {
    return A.Y != B.Y ? A.Y < B.Y : A.X > B.X;
  });
  EXPECT_EQ(Hull.back(), Pivot) << Label;
  for (std::size_t I = 0; I < Hull.size(); ++I) {
    const TPoint& A = Hull[(I + Hull.size() - 1) % Hull.size()];
    const TPoint& P = Hull[I];
    const TPoint& B = Hull[(I + 1) % Hull.size()];
    const long long Turn = static_cast<long long>(A.X - P.X) * (B.Y - P.Y) -
                           static_cast<long long>(B.X - P.X) * (A.Y - P.Y);
    EXPECT_LT(Turn, 0) << Label << " corner " << I;
  }
}

TEST_F(TKorCanvasTest, ConvexHullOfRandomPointSetsMatchesTheReference) {
  std::mt19937 Random(20240611);
  std::uniform_int_distribution<int> Coordinate(0, 12);
  std::uniform_int_distribution<int> Size(4, 10);
  for (int Set = 0; Set < 2000; ++Set) {
    TPointArray Points(Size(Random));
    for (TPoint& P : Points) P = TPoint(Coordinate(Random), Coordinate(Random));
    ExpectHull(Points, "set " + std::to_string(Set));
    if (HasFatalFailure()) return;
  }
}

// The corners of a box seen from many angles, in the order ClipCube
// projects them.
TEST_F(TKorCanvasTest, ConvexHullOfProjectedCubeCornersMatchesTheReference) {
  TView3DOptions Options;
  Options.SetOrthogonal(false);
  Options.SetPerspective(15);
  const TRect R(150, 80, 450, 320);
  int Views = 0;
  for (int Elevation = 0; Elevation < 360; Elevation += 15) {
    for (int Rotation = 0; Rotation < 360; Rotation += 15) {
      for (int Tilt : {0, 20}) {
        Options.SetElevation(Elevation);
        Options.SetRotation(Rotation);
        Options.SetTilt(Tilt);
        Surface.InitWindow(Bitmap.GetCanvas(), &Options, clWhite, true, TRect(0, 0, 600, 400));
        Surface.Projection(100, R, TRect(0, 0, 600, 400));
        TPointArray Corners;
        for (int Z : {0, 100})
          for (int X : {R.Left, R.Right})
            for (int Y : {R.Top, R.Bottom}) Corners.push_back(Surface.Calculate3DPosition(X, Y, Z));
        ExpectHull(Corners, "view " + std::to_string(Elevation) + "/" + std::to_string(Rotation) +
                                "/" + std::to_string(Tilt));
        if (HasFatalFailure()) return;
        ++Views;
      }
    }
  }
  // The default view and an orthogonal one.
  Options.SetOrthogonal(true);
  Surface.InitWindow(Bitmap.GetCanvas(), &Options, clWhite, true, TRect(0, 0, 600, 400));
  Surface.Projection(100, R, TRect(0, 0, 600, 400));
  TPointArray Corners;
  for (int Z : {0, 100})
    for (int X : {R.Left, R.Right})
      for (int Y : {R.Top, R.Bottom}) Corners.push_back(Surface.Calculate3DPosition(X, Y, Z));
  ExpectHull(Corners, "orthogonal");
  EXPECT_EQ(Views, 24 * 24 * 2);
}

TEST_F(TKorCanvasTest, ConvexHullEdgeCases) {
  TPointArray Two{{0, 0}, {5, 5}};
  EXPECT_FALSE(TKorCanvas::ConvexHull(Two));
  EXPECT_EQ(Two.size(), 2u);
  TPointArray Three{{0, 0}, {5, 5}, {10, 10}};  // three are kept as given
  EXPECT_TRUE(TKorCanvas::ConvexHull(Three));
  EXPECT_EQ(Three, (TPointArray{{0, 0}, {5, 5}, {10, 10}}));
  // A square with points on its edges, repeats and the pivot twice.
  TPointArray Square{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 0}, {10, 5}, {0, 0}, {10, 0}, {3, 4}};
  EXPECT_TRUE(TKorCanvas::ConvexHull(Square));
  EXPECT_EQ(Square, (TPointArray{{10, 10}, {0, 10}, {0, 0}, {10, 0}}));
  TPointArray Line{{0, 0}, {1, 1}, {2, 2}, {3, 3}};
  EXPECT_FALSE(TKorCanvas::ConvexHull(Line));
}

// ---------------------------------------------------------------- clipping

TEST_F(TKorCanvasTest, ClipsIntersectAndUnclipRestoresTheClipBeforeTheLastOne) {
  Surface.ClipRectangle(TRect(0, 0, 30, 40));
  Surface.ClipRectangle(TRect(20, 0, 60, 40));  // remembers the first clip
  Surface.GetBrush().SetColor(clRed);
  Surface.FillRect(TRect(0, 0, 60, 40));
  EXPECT_EQ(InkBox(Bitmap), TRect(20, 0, 30, 40));
  Surface.UnClipRectangle();
  Surface.GetBrush().SetColor(clBlue);
  Surface.FillRect(TRect(0, 0, 60, 40));
  EXPECT_EQ(Count(Bitmap, clBlue), 30 * 40);
  Surface.UnClipRectangle();  // nothing remembered any more: unclipped
  Surface.GetBrush().SetColor(clLime);
  Surface.FillRect(TRect(0, 0, 60, 40));
  EXPECT_EQ(Count(Bitmap, clLime), 60 * 40);
}

TEST_F(TKorCanvasTest, RoundedAndEllipticClipsCutTheCorners) {
  Surface.ClipRectangle(TRect(10, 5, 50, 35), 16);
  Surface.GetBrush().SetColor(clRed);
  Surface.FillRect(TRect(0, 0, 60, 40));
  Surface.UnClipRectangle();
  EXPECT_EQ(InkBox(Bitmap), TRect(10, 5, 50, 35));
  EXPECT_EQ(Bitmap.GetPixel(10, 5), clWhite);
  EXPECT_EQ(Bitmap.GetPixel(18, 5), clRed);
  EXPECT_EQ(Bitmap.GetPixel(10, 20), clRed);

  TBitmap Other(60, 40);
  Surface.SetCanvas(Other.GetCanvas());
  Surface.GetBrush().SetColor(clRed);
  Surface.ClipEllipse(TRect(10, 5, 50, 35));
  Surface.FillRect(TRect(0, 0, 60, 40));
  Surface.UnClipRectangle();
  EXPECT_EQ(InkBox(Other), TRect(10, 5, 50, 35));
  EXPECT_EQ(Other.GetPixel(11, 6), clWhite);
  EXPECT_EQ(Other.GetPixel(30, 20), clRed);
}

TEST_F(TKorCanvasTest, InvertedEllipseCutsAHoleAndLeavesTheRememberedClip) {
  Surface.ClipRectangle(TRect(0, 0, 40, 40));
  Surface.ClipEllipse(TRect(10, 10, 30, 30), true);
  Surface.GetBrush().SetColor(clRed);
  Surface.FillRect(TRect(0, 0, 60, 40));
  EXPECT_EQ(Bitmap.GetPixel(20, 20), clWhite);
  EXPECT_EQ(Bitmap.GetPixel(2, 2), clRed);
  EXPECT_EQ(Bitmap.GetPixel(45, 2), clWhite);
  Surface.UnClipRectangle();
  Surface.FillRect(TRect(0, 0, 60, 40));
  EXPECT_EQ(Count(Bitmap, clRed), 60 * 40);
}

TEST_F(TKorCanvasTest, PolygonClipFollowsTheMappingAndLeavesTheCallersPoints) {
  Bitmap.GetCanvas().SetViewportOrg(10, 5);
  const TPointArray Before{{0, 0}, {20, 0}, {0, 20}};
  TPointArray Points = Before;
  Surface.ClipPolygon(Points.data(), 3);
  EXPECT_EQ(Points, Before);
  Surface.GetBrush().SetColor(clRed);
  Surface.FillRect(TRect(-10, -5, 50, 35));
  Surface.UnClipRectangle();
  EXPECT_EQ(InkBox(Bitmap), TRect(10, 5, 30, 25));
  EXPECT_EQ(Bitmap.GetPixel(12, 7), clRed);
  EXPECT_EQ(Bitmap.GetPixel(28, 23), clWhite);
}

// ---------------------------------------------------------------- blending

TEST_F(TKorCanvasTest, BlendingShowsTheBackgroundThroughTheDrawingInsideTheRectangleOnly) {
  Surface.GetBrush().SetColor(clBlack);
  std::unique_ptr<TKorBlend> Blend = Surface.BeginBlending(TRect(-5, 10, 20, 20), 50);
  EXPECT_EQ(Surface.GetTransparency(), 50);
  Surface.FillRect(TRect(0, 0, 60, 40));
  Surface.EndBlending(std::move(Blend));
  EXPECT_EQ(Count(Bitmap, Rect(0, 10, 20, 20), RGB(128, 128, 128)), 200);
  EXPECT_EQ(Count(Bitmap, clBlack), 60 * 40 - 200);
}

TEST_F(TKorCanvasTest, BlendingNeedsPixelsToMix) {
  // A recording has none.
  Surface.SetMetafiling(true);
  std::unique_ptr<TKorBlend> Blend = Surface.BeginBlending(TRect(0, 0, 10, 10), 50);
  EXPECT_FALSE(Blend->GetValid());
  Surface.GetBrush().SetColor(clBlack);
  Surface.FillRect(TRect(0, 0, 10, 10));
  Surface.EndBlending(std::move(Blend));
  EXPECT_EQ(Count(Bitmap, clBlack), 100);
  Surface.SetMetafiling(false);

  // Nor does a painter (printer pages): the drawing stays opaque.
  QImage Page(20, 20, QImage::Format_RGB32);
  Page.fill(Qt::white);
  QPainter Painter(&Page);
  {
    TCanvas PageCanvas(Painter, 96);
    TKorCanvas3D OnPage(&PageCanvas);
    OnPage.GetBrush().SetColor(clBlack);
    std::unique_ptr<TKorBlend> PageBlend = OnPage.BeginBlending(TRect(0, 0, 10, 10), 50);
    EXPECT_FALSE(PageBlend->GetValid());
    OnPage.FillRect(TRect(0, 0, 10, 10));
    OnPage.EndBlending(std::move(PageBlend));
  }
  Painter.end();
  EXPECT_EQ(Page.pixel(5, 5), qRgb(0, 0, 0));
}

}  // namespace

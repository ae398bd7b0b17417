#include "chart/core/TKorCanvas3D.h"

#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TKorBlend.h"
#include "chart/core/TKorFont.h"
#include "chart/core/TKorFontGradient.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TView3DOptions.h"

#include "platform/Rounding.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "platform/TPrinter.h"
#include "tests/platform/PixelProbe.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>

#include <climits>
#include <cmath>
#include <functional>
#include <numbers>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

using PixelProbe::Count;
using PixelProbe::InkBox;

// Frames over a 600 x 400 destination with the projection centre at
// (300, 200, 50) unless a test says otherwise.
class TKorCanvas3DTest : public ::testing::Test {
 protected:
  void Frame(bool Is3D, const TRect& R = TRect(0, 0, 600, 400), int MaxDepth = 100) {
    Surface.InitWindow(Destination.GetCanvas(), &Options, clWhite, Is3D, R);
    Surface.Projection(MaxDepth, R, R);
  }
  // A non-orthogonal view with the given angles.
  void View(double Elevation, double Rotation, int Tilt, int Perspective, int Zoom = 100) {
    Options.SetOrthogonal(false);
    Options.SetElevationDouble(Elevation);
    Options.SetRotationDouble(Rotation);
    Options.SetTilt(Tilt);
    Options.SetPerspective(Perspective);
    Options.SetZoom(Zoom);
  }

  TBitmap Destination{600, 400};
  TView3DOptions Options;
  TKorCanvas3D Surface;
};

TEST_F(TKorCanvas3DTest, DefaultOrthogonalViewShiftsDeeperPointsRightAndUp) {
  Frame(true);
  EXPECT_EQ(Surface.Calculate3DPosition(100, 100, 0), TPoint(100, 100));
  EXPECT_EQ(Surface.Calculate3DPosition(100, 100, 30), TPoint(130, 70));
  EXPECT_EQ(Surface.Calculate3DPosition(-50, 500, 100), TPoint(50, 400));
}

TEST_F(TKorCanvas3DTest, OrthoAngleSetsTheDepthSteps) {
  Options.SetOrthoAngle(135);  // x step -1, y step tan 45
  Frame(true);
  EXPECT_EQ(Surface.Calculate3DPosition(100, 100, 30), TPoint(70, 70));
  Options.SetOrthoAngle(90);  // cosine below 0.01: y step 1
  Frame(true);
  EXPECT_EQ(Surface.Calculate3DPosition(100, 100, 30), TPoint(130, 70));
  Options.SetOrthoAngle(30);  // y step tan 30
  Frame(true);
  EXPECT_EQ(Surface.Calculate3DPosition(100, 100, 100), TPoint(200, 100 - 58));
}

TEST_F(TKorCanvas3DTest, OrthogonalZoomScalesAboutTheCentreAndOffsetsMoveIt) {
  Options.SetZoom(200);
  Options.SetHorizOffset(10);
  Options.SetVertOffset(-20);
  Frame(true);
  // X = round((z + x - cx) * zoom) + cx + offset
  EXPECT_EQ(Surface.Calculate3DPosition(310, 205, 4), TPoint(300 + 10 + 28, 200 - 20 + 2));
}

TEST_F(TKorCanvas3DTest, FlatFrameIgnoresDepth) {
  View(10, 20, 5, 30, 150);
  Frame(false);
  EXPECT_EQ(Surface.Calculate3DPosition(123, -45, 999), TPoint(123, -45));
  EXPECT_EQ(Surface.Calculate3DPositionFloat(1.5, 2.4, 999), TPoint(2, 2));
  int X = 17, Y = 33;
  Surface.Calculate2DPosition(X, Y, 50);
  EXPECT_EQ(TPoint(X, Y), TPoint(17, 33));
}

TEST_F(TKorCanvas3DTest, ZeroAnglesWithoutPerspectiveAreATranslation) {
  View(0, 0, 0, 0);
  Options.SetHorizOffset(7);
  Options.SetVertOffset(-3);
  Frame(true);
  for (int Z : {0, 50, -80})
    EXPECT_EQ(Surface.Calculate3DPosition(120, 45, Z), TPoint(127, 42)) << Z;
}

TEST_F(TKorCanvas3DTest, PerspectiveFactorDependsOnZoomAndChartWidth) {
  View(0, 0, 0, 15);
  Frame(true);
  EXPECT_TRUE(Surface.GetHasPerspective());
  EXPECT_DOUBLE_EQ(Surface.GetPerspectiveFactor(), 15.0 / 150.0 / 600.0);
  Options.SetZoom(200);
  Frame(true, TRect(5, 0, 5, 400));  // zero width divides by 1
  EXPECT_DOUBLE_EQ(Surface.GetPerspectiveFactor(), 15.0 * 2.0 / 150.0);
  Options.SetPerspective(0);
  Frame(true);
  EXPECT_FALSE(Surface.GetHasPerspective());
}

TEST_F(TKorCanvas3DTest, PerspectiveShrinksDeeperPoints) {
  View(0, 0, 0, 15);
  Frame(true);
  // k = 1 / (dz * factor + 1) with dz = z - 50.
  const double Factor = 15.0 / 150.0 / 600.0;
  EXPECT_EQ(Surface.Calculate3DPosition(500, 200, 1050).X, 300 + Round(200 / (1000 * Factor + 1)));
  EXPECT_EQ(Surface.Calculate3DPosition(500, 200, 50).X, 500);
}

TEST_F(TKorCanvas3DTest, ProjectionCentreHalvesTowardZero) {
  Frame(true, TRect(-7, -5, 0, 0), 5);
  EXPECT_EQ(Surface.GetXCenter(), -3);
  EXPECT_EQ(Surface.GetYCenter(), -2);
  EXPECT_EQ(Surface.GetZCenter(), 2);  // round(2.5): halves to even
  Surface.SetRotationCenter(1.5, -0.5, 0.5);
  Frame(true, TRect(0, 0, 9, 9), 4);
  EXPECT_EQ(Surface.GetXCenter(), 4 + 2);
  EXPECT_EQ(Surface.GetYCenter(), 4 + 0);
  EXPECT_EQ(Surface.GetZCenter(), 2);
}

TEST_F(TKorCanvas3DTest, InverseOfTheRotatedViewFindsTheClickedPoint) {
  View(345, 345, 0, 0);
  Frame(true);
  ASSERT_EQ(Surface.GetZCenter(), 50);
  TPoint P = Surface.Calculate3DPosition(100, 100, 0);
  EXPECT_EQ(P, TPoint(94, 103));
  Surface.Calculate2DPosition(P.X, P.Y, 0);
  EXPECT_EQ(P, TPoint(100, 100));
}

TEST_F(TKorCanvas3DTest, InverseLeavesThePointWhenTheViewIsEdgeOnOrZoomIsZero) {
  View(90, 0, 0, 0);  // looking straight down: y cannot be recovered
  Frame(true);
  int X = 10, Y = 20;
  Surface.Calculate2DPosition(X, Y, 0);
  EXPECT_EQ(TPoint(X, Y), TPoint(10, 20));
  View(20, 30, 0, 0, 0);
  Frame(true);
  Surface.Calculate2DPosition(X, Y, 0);
  EXPECT_EQ(TPoint(X, Y), TPoint(10, 20));
}

TEST_F(TKorCanvas3DTest, OrthogonalInverseUndoesTheShear) {
  Options.SetZoom(150);
  Options.SetHorizOffset(9);
  Frame(true);
  for (int Z : {0, 20, 75}) {
    TPoint P = Surface.Calculate3DPosition(140, 260, Z);
    Surface.Calculate2DPosition(P.X, P.Y, Z);
    EXPECT_NEAR(P.X, 140, 1) << Z;
    EXPECT_NEAR(P.Y, 260, 1) << Z;
  }
}

TEST_F(TKorCanvas3DTest, PointsBehindTheEyeStayOnTheirSideAndFinite) {
  View(0, 0, 0, 75);
  Frame(true, TRect(0, 0, 1, 400));  // factor 0.5: the divisor is 0 at dz = -2
  const int CX = Surface.GetXCenter();
  for (int Z : {Surface.GetZCenter() - 2, Surface.GetZCenter() - 50}) {
    TPoint P = Surface.Calculate3DPosition(CX + 3, 200, Z);
    EXPECT_GT(P.X, CX + 3) << Z;
    EXPECT_LT(P.X, INT_MAX) << Z;
  }
  TPoint Far = Surface.Calculate3DPosition(INT_MAX / 2, 200, -1000000);
  EXPECT_EQ(Far.X, INT_MAX);  // saturates instead of overflowing
}

TEST_F(TKorCanvas3DTest, FrameIsDrawnIntoTheBufferAndCopiedOutByShowImage) {
  const TRect Chart(10, 20, 110, 70);
  TRect Drawing = Surface.InitWindow(Destination.GetCanvas(), &Options, clWhite, false, Chart);
  EXPECT_EQ(Drawing, TRect(0, 0, 100, 50));
  ASSERT_NE(Surface.GetBitmap(), nullptr);
  EXPECT_EQ(&Surface.GetReferenceCanvas(), &Surface.GetBitmap()->GetCanvas());
  EXPECT_TRUE(Surface.GetDirty());

  Surface.GetBrush().SetColor(clRed);
  Surface.FillRect(Drawing);
  EXPECT_EQ(Count(Destination, clRed), 0);
  Surface.ShowImage(Destination.GetCanvas(), Destination.GetCanvas(), Chart);
  EXPECT_EQ(Count(Destination, Chart, clRed), 100 * 50);
  EXPECT_EQ(Count(Destination, clRed), 100 * 50);
  EXPECT_FALSE(Surface.GetDirty());
  EXPECT_EQ(&Surface.GetReferenceCanvas(), &Destination.GetCanvas());

  Destination.GetCanvas().GetBrush().SetColor(clWhite);
  Destination.GetCanvas().FillRect(Rect(0, 0, 600, 400));
  EXPECT_TRUE(Surface.ReDrawBitmap());  // a clean buffer is copied to the canvas at (0, 0)
  EXPECT_EQ(Count(Destination, Rect(0, 0, 100, 50), clRed), 100 * 50);
  Surface.Invalidate();
  EXPECT_FALSE(Surface.ReDrawBitmap());
}

TEST_F(TKorCanvas3DTest, UnbufferedFramesDrawOnTheDestination) {
  Surface.SetUseBuffer(false);
  const TRect Chart(10, 20, 110, 70);
  EXPECT_EQ(Surface.InitWindow(Destination.GetCanvas(), nullptr, clWhite, false, Chart), Chart);
  EXPECT_EQ(Surface.GetBitmap(), nullptr);
  EXPECT_EQ(&Surface.GetReferenceCanvas(), &Destination.GetCanvas());
  Surface.ShowImage(Destination.GetCanvas(), Destination.GetCanvas(), Chart);
  EXPECT_TRUE(Surface.GetDirty());
  EXPECT_FALSE(Surface.ReDrawBitmap());
}

TEST_F(TKorCanvas3DTest, TurningBufferingOffFreesTheBufferUnlessKept) {
  Surface.InitWindow(Destination.GetCanvas(), nullptr, clWhite, false, TRect(0, 0, 50, 50));
  Surface.ShowImage(Destination.GetCanvas(), Destination.GetCanvas(), TRect(0, 0, 50, 50));
  Surface.SetKeepBitmap(true);
  Surface.SetUseBuffer(false);
  ASSERT_NE(Surface.GetBitmap(), nullptr);
  EXPECT_FALSE(Surface.GetDirty());
  Surface.SetUseBuffer(true);
  EXPECT_EQ(&Surface.GetReferenceCanvas(), &Surface.GetBitmap()->GetCanvas());

  Surface.SetKeepBitmap(false);
  Surface.SetUseBuffer(false);  // while drawing on the buffer
  EXPECT_EQ(Surface.GetBitmap(), nullptr);
  EXPECT_TRUE(Surface.GetDirty());
  Surface.FillRect(TRect(0, 0, 10, 10));  // draws on nothing, safely
  EXPECT_EQ(Surface.TextWidth(QString()), 0);
}

TEST_F(TKorCanvas3DTest, MonochromeChangeDirtiesTheBufferAndAssignCopiesIt) {
  Surface.InitWindow(Destination.GetCanvas(), nullptr, clWhite, false, TRect(0, 0, 5, 5));
  Surface.ShowImage(Destination.GetCanvas(), Destination.GetCanvas(), TRect(0, 0, 5, 5));
  Surface.SetMonochrome(false);
  EXPECT_FALSE(Surface.GetDirty());
  Surface.SetMonochrome(true);
  EXPECT_TRUE(Surface.GetDirty());
  TKorCanvas3D Other;
  Other.Assign(Surface);
  EXPECT_TRUE(Other.GetMonochrome());
}

TEST_F(TKorCanvas3DTest, QuadrilateralsAreProjectedCornerByCorner) {
  Frame(true);  // default orthogonal view: depth z moves a point by (z, -z)
  Surface.GetBrush().SetColor(clBlue);
  Surface.GetPen().SetStyle(psClear);
  Surface.RectangleWithZ(TRect(100, 100, 140, 120), 20);
  const TBitmap& Buffer = *Surface.GetBitmap();
  EXPECT_EQ(Buffer.GetPixel(130, 90), clBlue);
  EXPECT_EQ(Buffer.GetPixel(110, 110), clWhite);
  EXPECT_EQ(Surface.RectFromRectZ(TRect(100, 100, 140, 120), 20), TRect(120, 80, 161, 101));
}

// Round trip of the forward and inverse projections over a grid of views.
// Views close to the default are checked in chart units; steep views
// foreshorten an axis, so one device pixel there spans several chart units,
// and they are checked by projecting the recovered point again.
struct ViewCase {
  double Elevation;
  double Rotation;
  int Tilt;
  int Perspective;
  int Zoom;
  bool Steep = false;
};

std::ostream& operator<<(std::ostream& Out, const ViewCase& C) {
  return Out << "elevation " << C.Elevation << ", rotation " << C.Rotation << ", tilt " << C.Tilt
             << ", perspective " << C.Perspective << ", zoom " << C.Zoom;
}

class TKorCanvas3DRoundTrip : public TKorCanvas3DTest,
                              public ::testing::WithParamInterface<ViewCase> {};

TEST_P(TKorCanvas3DRoundTrip, InverseMapsProjectedPointsBack) {
  const ViewCase& C = GetParam();
  View(C.Elevation, C.Rotation, C.Tilt, C.Perspective, C.Zoom);
  Frame(true);
  const double Zoom = C.Zoom / 100.0;
  // Chart units: one device pixel of rounding is at most 1/zoom units.
  const double ChartTolerance = 0.5 + 1.0 / Zoom;
  // Device pixels: the recovered integer point is within half a unit per
  // axis, which moves its projection by up to 0.71 * zoom pixels.
  const double DeviceTolerance = 0.5 + 0.75 * Zoom;
  for (int X = 50; X <= 550; X += 100) {
    for (int Y = 40; Y <= 360; Y += 80) {
      for (int Z : {0, 50, 100}) {
        const TPoint Device = Surface.Calculate3DPosition(X, Y, Z);
        TPoint Chart = Device;
        Surface.Calculate2DPosition(Chart.X, Chart.Y, Z);
        const TPoint Again = Surface.Calculate3DPosition(Chart.X, Chart.Y, Z);
        EXPECT_NEAR(Again.X, Device.X, DeviceTolerance) << X << "," << Y << "," << Z;
        EXPECT_NEAR(Again.Y, Device.Y, DeviceTolerance) << X << "," << Y << "," << Z;
        if (C.Steep) continue;
        EXPECT_NEAR(Chart.X, X, ChartTolerance) << X << "," << Y << "," << Z;
        EXPECT_NEAR(Chart.Y, Y, ChartTolerance) << X << "," << Y << "," << Z;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Views, TKorCanvas3DRoundTrip,
    ::testing::Values(ViewCase{345, 345, 0, 0, 100}, ViewCase{345, 345, 0, 15, 100},
                      ViewCase{330, 20, 0, 15, 100}, ViewCase{10, 330, 0, 40, 100},
                      ViewCase{345, 345, 20, 15, 100}, ViewCase{340, 15, 10, 60, 150},
                      ViewCase{355.5, 337.25, 0, 15, 250}, ViewCase{0, 0, 0, 15, 100},
                      ViewCase{300, 60, 350, 0, 100, true}, ViewCase{45, 45, 45, 30, 200, true},
                      ViewCase{280, 100, 0, 15, 80, true}));

// ---------------------------------------------------------------- 2D primitives

// Bounding box of the pixels of one colour (all zero when there is none).
TRect ColorBox(const TBitmap& Bitmap, TColor Color) {
  TRect Box;
  bool Any = false;
  for (int Y = 0; Y < Bitmap.GetHeight(); ++Y) {
    for (int X = 0; X < Bitmap.GetWidth(); ++X) {
      if (Bitmap.GetPixel(X, Y) != Color) continue;
      if (!Any) Box = Rect(X, Y, X + 1, Y + 1);
      Any = true;
      Box.Left = std::min(Box.Left, X);
      Box.Top = std::min(Box.Top, Y);
      Box.Right = std::max(Box.Right, X + 1);
      Box.Bottom = std::max(Box.Bottom, Y + 1);
    }
  }
  return Box;
}

TRect Shifted(TRect R, int DX, int DY) {
  OffsetRect(R, DX, DY);
  return R;
}

TEST_F(TKorCanvas3DTest, DonutLeavesItsHoleAndTheOtherHalfEmpty) {
  TBitmap B(80, 80);
  Surface.SetCanvas(B.GetCanvas());
  Surface.GetPen().SetStyle(psClear);
  Surface.GetBrush().SetColor(clBlack);
  Surface.Donut(40, 40, 30, 30, 0, std::numbers::pi, 50);
  EXPECT_EQ(B.GetPixel(40, 18), clBlack) << "in the ring above the centre";
  EXPECT_EQ(B.GetPixel(40, 32), clWhite) << "in the hole";
  EXPECT_EQ(B.GetPixel(40, 62), clWhite) << "below the centre";
  EXPECT_EQ(B.GetPixel(16, 38), clBlack);

  // A whole turn keeps its hole although its inner end meets its start.
  TBitmap Ring(80, 80);
  Surface.SetCanvas(Ring.GetCanvas());
  Surface.GetPen().SetStyle(psClear);
  Surface.GetBrush().SetColor(clBlack);
  Surface.Donut(40, 40, 30, 20, 0, 2 * std::numbers::pi, 50);
  EXPECT_EQ(Ring.GetPixel(40, 55), clBlack);
  EXPECT_EQ(Ring.GetPixel(65, 40), clBlack);
  EXPECT_EQ(Ring.GetPixel(40, 40), clWhite);
  EXPECT_EQ(Ring.GetPixel(40, 63), clWhite) << "outside the smaller vertical radius";

  TBitmap Pie(80, 80);
  Surface.SetCanvas(Pie.GetCanvas());
  Surface.GetPen().SetStyle(psClear);
  Surface.GetBrush().SetColor(clBlack);
  Surface.Donut(40, 40, 30, 30, std::numbers::pi / 2, std::numbers::pi, 0);  // upper left
  EXPECT_EQ(Pie.GetPixel(30, 30), clBlack);
  EXPECT_EQ(Pie.GetPixel(50, 30), clWhite);
  EXPECT_EQ(Pie.GetPixel(30, 50), clWhite);
}

// The ring's straight edges join its arcs where the canvas draws them, so
// nothing sticks out past the rim: no inked pixel's centre lies more than
// a pixel outside the ellipse the outer arc follows (the box's ellipse,
// half a pixel in from the right and bottom edges).
TEST_F(TKorCanvas3DTest, DonutStaysWithinItsRim) {
  const double Pi = std::numbers::pi;
  for (double Hole : {0.0, 40.0}) {
    for (auto [Start, End] : {std::pair{0.3, 4.0}, std::pair{0.0, Pi / 2}, std::pair{Pi, 1.5 * Pi},
                              std::pair{5.5, 7.0}, std::pair{1.0, 1.0 + 2 * Pi}}) {
      TBitmap B(120, 120);
      Surface.SetCanvas(B.GetCanvas());
      Surface.GetPen().SetColor(clBlack);
      Surface.GetBrush().SetColor(clNavy);
      Surface.Donut(60, 60, 45, 35, Start, End, Hole);
      int Outside = 0;
      for (int Y = 0; Y < 120; ++Y) {
        for (int X = 0; X < 120; ++X) {
          const double DX = (X + 0.5 - 59.5) / (44.5 + 1);
          const double DY = (Y + 0.5 - 59.5) / (34.5 + 1);
          Outside += DX * DX + DY * DY > 1 && B.GetPixel(X, Y) != clWhite;
        }
      }
      EXPECT_EQ(Outside, 0) << Hole << "% from " << Start << " to " << End;
      EXPECT_GT(Count(B, clNavy), 200);
    }
  }
}

// Text on a 200 x 60 bitmap in a fixed font, without antialiasing.
class TKorCanvas3DTextTest : public TKorCanvas3DTest {
 protected:
  void SetUp() override {
    SetTextAntialiasing(false);
    Font.SetName(QStringLiteral("DejaVu Sans"));
    Font.SetSize(14);
    Font.SetColor(clBlack);
  }
  void TearDown() override { SetTextAntialiasing(true); }

  // Text drawn with Font at (X, Y) on a fresh white bitmap.
  void Draw(TBitmap& B, int X, int Y, int Align = TA_LEFT) {
    TKorCanvas3D OnBitmap(&B.GetCanvas());
    OnBitmap.ResetState();
    OnBitmap.AssignFont(Font);
    OnBitmap.SetTextAlign(Align);
    OnBitmap.TextOut(X, Y, Text);
  }

  TKorFont Font;
  const QString Text = QStringLiteral("HxgW");
};

TEST_F(TKorCanvas3DTextTest, ShadowOffsetsMoveShadowOrText) {
  TBitmap Plain(200, 60);
  Draw(Plain, 40, 10);
  const TRect Ink = ColorBox(Plain, clBlack);
  ASSERT_FALSE(IsRectEmpty(Ink));

  Font.GetShadow()->SetColor(clRed);
  Font.GetShadow()->SetHorizSize(2);
  Font.GetShadow()->SetVertSize(3);
  TBitmap Below(200, 60);
  Draw(Below, 40, 10);
  EXPECT_EQ(ColorBox(Below, clBlack), Ink);
  EXPECT_EQ(ColorBox(Below, clRed), Shifted(Ink, 2, 3));

  // A negative size keeps the shadow at the point and moves the text.
  Font.GetShadow()->SetHorizSize(-3);
  Font.GetShadow()->SetVertSize(0);
  TBitmap Left(200, 60);
  Draw(Left, 40, 10);
  EXPECT_EQ(ColorBox(Left, clBlack), Shifted(Ink, 3, 0));
  EXPECT_EQ(ColorBox(Left, clRed).Left, Ink.Left);
}

TEST_F(TKorCanvas3DTextTest, TransparentShadowMixesWithTheBackground) {
  Font.GetShadow()->SetColor(clRed);
  Font.GetShadow()->SetSize(3);
  Font.GetShadow()->SetTransparency(50);
  TBitmap B(200, 60);
  Draw(B, 40, 10);
  EXPECT_EQ(Count(B, clRed), 0);
  EXPECT_GT(Count(B, RGB(255, 128, 128)), 20);
  EXPECT_GT(Count(B, clBlack), 20);
}

TEST_F(TKorCanvas3DTextTest, OutlinePenStrokesTheLettersAndFillsThemInTheFontColour) {
  Font.GetOutLine()->Show();
  Font.GetOutLine()->SetColor(clLime);
  Font.SetColor(clRed);
  TBitmap Filled(200, 60);
  Draw(Filled, 40, 10);
  EXPECT_GT(Count(Filled, clLime), 20);
  EXPECT_GT(Count(Filled, clRed), 5);

  Font.SetColor(clNone);
  TBitmap Hollow(200, 60);
  Draw(Hollow, 40, 10);
  EXPECT_GT(Count(Hollow, clLime), 20);
  EXPECT_EQ(Count(Hollow, clLime) + Count(Hollow, clWhite), 200 * 60);
}

TEST_F(TKorCanvas3DTextTest, GradientFillsTheLettersAndTheOutlineFlagReplacesTheOutline) {
  TKorFontGradient* Gradient = Font.GetGradient();
  Gradient->SetVisible(true);
  Gradient->SetStartColor(clBlue);
  Gradient->SetEndColor(clBlue);
  TBitmap Plain(200, 60);
  Draw(Plain, 40, 10);
  const int Letters = Count(Plain, clBlue);
  EXPECT_GT(Letters, 50);
  EXPECT_EQ(Count(Plain, clBlue) + Count(Plain, clWhite), 200 * 60);

  Font.GetOutLine()->Show();
  Font.GetOutLine()->SetColor(clLime);
  TBitmap Outlined(200, 60);
  Draw(Outlined, 40, 10);
  EXPECT_GT(Count(Outlined, clLime), 20);

  Gradient->SetOutline(true);  // the gradient fills the widened outline instead
  TBitmap Wide(200, 60);
  Draw(Wide, 40, 10);
  EXPECT_EQ(Count(Wide, clLime), 0);
  EXPECT_GT(Count(Wide, clBlue), Letters);
}

// Gradient text fills its text box, which right and centre alignment move
// left: the glyphs must come out exactly as the same text drawn left
// aligned where it lands, gradient colours included.
class TKorCanvas3DTextAnchorTest : public TKorCanvas3DTextTest,
                                   public ::testing::WithParamInterface<int> {};

TEST_P(TKorCanvas3DTextAnchorTest, GradientCoversTheGlyphsWhereverTheAnchorIs) {
  TKorFontGradient* Gradient = Font.GetGradient();
  Gradient->SetVisible(true);
  // A colour per column of the box, so a box one pixel off shows.
  Gradient->SetDirection(gdLeftRight);
  Gradient->SetStartColor(clRed);
  Gradient->SetEndColor(clBlue);
  TBitmap Measure(10, 10);
  Measure.GetCanvas().GetFont().Assign(Font);
  const int Width = Measure.GetCanvas().TextWidth(Text);
  const int Align = GetParam();
  const int X = 120;
  const int Left = Align == TA_RIGHT ? X - Width : Align == TA_CENTER ? X - Width / 2 : X;
  TBitmap Anchored(200, 60);
  Draw(Anchored, X, 10, Align);
  TBitmap Reference(200, 60);
  Draw(Reference, Left, 10, TA_LEFT);
  EXPECT_GT(200 * 60 - Count(Reference, clWhite), 50);
  EXPECT_TRUE(PixelProbe::SamePixels(Anchored, Reference));
}

INSTANTIATE_TEST_SUITE_P(Alignments, TKorCanvas3DTextAnchorTest,
                         ::testing::Values(TA_LEFT, TA_RIGHT, TA_CENTER), [](const auto& Info) {
                           return std::string(Info.param == TA_LEFT    ? "Left"
                                              : Info.param == TA_RIGHT ? "Right"
                                                                       : "Centre");
                         });

// Every shaped clip the surface sets (rounded and polygon gradients, a pie
// face gradient, an inverted ellipse, the projected cube, gradient text)
// after the painter drew unclipped since an earlier clip must let through
// what it lets through on a fresh painter. The second run ends the painter
// session with a pixel read before the clip; the first keeps one session.
TEST_F(TKorCanvas3DTextTest, ShapedClipsHoldWhenThePainterDrewUnclippedSinceAnEarlierClip) {
  TKorGradient Red;
  Red.SetVisible(true);
  Red.SetStartColor(clRed);
  Red.SetEndColor(clRed);
  Font.SetSize(40);
  Font.GetGradient()->SetVisible(true);
  Font.GetGradient()->SetStartColor(clRed);
  Font.GetGradient()->SetEndColor(clRed);
  auto FillRed = [this] {
    Surface.GetBrush().SetColor(clRed);
    Surface.FillRect(TRect(0, 0, 600, 400));
    Surface.UnClipRectangle();
  };
  struct TClipCase {
    const char* Name;
    std::function<void()> Draw;
  };
  const TClipCase Cases[] = {
      {"rounded gradient", [&] { Red.Draw(Surface, TRect(100, 100, 250, 250), 40); }},
      {"gradient in a polygon",
       [&] {
         Red.Draw(Surface, TFourPoints{TPoint(100, 100), TPoint(300, 120), TPoint(250, 300),
                                       TPoint(120, 250)});
       }},
      {"pie face gradient",
       [&] {
         Surface.Pie3D(300, 200, 150, 100, 0, 30, 0, std::numbers::pi / 2, false, false, 0, &Red);
       }},
      {"inverted ellipse",
       [&] {
         Surface.ClipRectangle(TRect(100, 100, 300, 300));
         Surface.ClipEllipse(TRect(150, 150, 250, 250), true);
         FillRed();
       }},
      {"cube",
       [&] {
         Surface.ClipCube(TRect(200, 150, 400, 250), 0, 100);
         FillRed();
       }},
      {"gradient text", [&] {
         Surface.AssignFont(Font);
         Surface.TextOut(100, 100, QStringLiteral("Korvale"));
       }}};
  View(20, 30, 0, 15);
  for (const TClipCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TBitmap Runs[2];
    for (bool FreshPainter : {false, true}) {
      Frame(true);
      Surface.ResetState();
      Surface.FillRect(TRect(0, 0, 600, 400));
      Surface.GetBrush().SetColor(clBlue);
      Surface.ClipRectangle(TRect(0, 0, 20, 20));
      Surface.FillRect(TRect(0, 0, 600, 400));
      Surface.UnClipRectangle();
      Surface.Line(0, 399, 600, 399);
      if (FreshPainter) Surface.GetBitmap()->GetPixel(0, 0);
      Case.Draw();
      Runs[FreshPainter].Assign(*Surface.GetBitmap());
    }
    EXPECT_TRUE(PixelProbe::SamePixels(Runs[0], Runs[1]));
    EXPECT_GT(Count(Runs[1], clRed), 500);
    EXPECT_LT(Count(Runs[0], clRed), 600 * 400 / 2);
  }
}

// Records the font and point of every TextOut the surface makes.
class TRecordingSurface : public TKorCanvas3D {
 public:
  struct TCall {
    int X;
    int Y;
    int Orientation;
    int Height;
    TFontQuality Quality;
  };
  using TKorCanvas3D::TKorCanvas3D;
  void TextOut(int X, int Y, const QString& Text) override {
    Calls.push_back(
        {X, Y, GetFont().GetOrientation(), GetFont().GetHeight(), GetFont().GetQuality()});
    TKorCanvas3D::TextOut(X, Y, Text);
  }
  std::vector<TCall> Calls;
};

struct EscapementCase {
  double Angle;
  int Orientation;
};

class TKorCanvas3DRotateTest : public TKorCanvas3DTest,
                               public ::testing::WithParamInterface<EscapementCase> {};

TEST_P(TKorCanvas3DRotateTest, AngleBecomesTenthsOfADegreeAfterWholeTurnsAbove360) {
  TBitmap B(100, 100);
  TRecordingSurface Recorder(&B.GetCanvas());
  Recorder.RotateLabel(50, 60, QStringLiteral("abc"), GetParam().Angle);
  ASSERT_EQ(Recorder.Calls.size(), 1u);
  EXPECT_EQ(Recorder.Calls[0].Orientation, GetParam().Orientation);
  EXPECT_EQ(Recorder.Calls[0].Quality, fqAntialiased);
  EXPECT_EQ(Recorder.Calls[0].X, 50);
  EXPECT_EQ(Recorder.Calls[0].Y, 60);
  EXPECT_EQ(Recorder.GetFont().GetOrientation(), 0) << "restored";
  EXPECT_EQ(Recorder.GetBrush().GetStyle(), bsClear);
}

INSTANTIATE_TEST_SUITE_P(Angles, TKorCanvas3DRotateTest,
                         ::testing::Values(EscapementCase{90, 900}, EscapementCase{450, 900},
                                           EscapementCase{720, 3600}, EscapementCase{360, 3600},
                                           EscapementCase{-30, -300}, EscapementCase{12.34, 123}));

TEST_F(TKorCanvas3DTest, ZoomedViewsScaleRotatedAndProjectedText) {
  Options.SetZoom(200);
  TRecordingSurface Recorder;
  Recorder.InitWindow(Destination.GetCanvas(), &Options, clWhite, true, TRect(0, 0, 600, 400));
  Recorder.Projection(100, TRect(0, 0, 600, 400), TRect(0, 0, 600, 400));
  Recorder.GetFont().SetSize(10);
  const int Plain = Recorder.GetFont().GetHeight();
  Recorder.RotateLabel(10, 10, QStringLiteral("a"), 45);
  Recorder.TextOut3D(310, 190, 30, QStringLiteral("a"));
  ASSERT_EQ(Recorder.Calls.size(), 2u);
  EXPECT_EQ(Recorder.Calls[0].Height, -MulDiv(20, 96, 72));  // rounded: -27
  EXPECT_EQ(Recorder.Calls[1].Height, -(20 * 96 / 72));      // truncated: -26
  // Orthogonal, zoom 2 about the centre (300, 200): ((30 + 10) * 2, (-10 - 30) * 2).
  EXPECT_EQ(Recorder.Calls[1].X, 300 + 80);
  EXPECT_EQ(Recorder.Calls[1].Y, 200 - 80);
  EXPECT_EQ(Recorder.GetFont().GetHeight(), Plain);

  Options.SetZoomText(false);
  Recorder.InitWindow(Destination.GetCanvas(), &Options, clWhite, true, TRect(0, 0, 600, 400));
  Recorder.Projection(100, TRect(0, 0, 600, 400), TRect(0, 0, 600, 400));
  Recorder.RotateLabel(10, 10, QStringLiteral("a"), 45);
  Recorder.TextOut3D(310, 190, 30, QStringLiteral("a"));
  EXPECT_EQ(Recorder.Calls[2].Height, Plain);
  EXPECT_EQ(Recorder.Calls[3].Height, Plain);
}

TEST_F(TKorCanvas3DTest, ClipCubeOfAFlatChartLeavesOutTheLeftAndTopBorders) {
  Frame(false);
  Surface.ClipCube(TRect(10, 20, 50, 60), 0, 30);
  Surface.GetBrush().SetColor(clRed);
  Surface.FillRect(TRect(0, 0, 600, 400));
  Surface.UnClipRectangle();
  EXPECT_EQ(PixelProbe::InkBox(*Surface.GetBitmap()), TRect(11, 21, 50, 59));
}

TEST_F(TKorCanvas3DTest, ClipCubeIn3DClipsToTheOutlineOfTheProjectedBox) {
  View(20, 30, 0, 15);
  Frame(true);
  const TRect R(200, 150, 400, 250);
  Surface.ClipCube(R, 0, 100);
  Surface.GetBrush().SetColor(clRed);
  Surface.FillRect(TRect(0, 0, 600, 400));
  Surface.UnClipRectangle();
  TPointArray Corners;
  for (int Z : {0, 100})
    for (int X : {R.Left, R.Right})
      for (int Y : {R.Top, R.Bottom}) Corners.push_back(Surface.Calculate3DPosition(X, Y, Z));
  const TRect Box = PixelProbe::InkBox(*Surface.GetBitmap());
  const TRect Expected = RectFromPolygon(Corners.data(), 8);
  EXPECT_NEAR(Box.Left, Expected.Left, 1);
  EXPECT_NEAR(Box.Top, Expected.Top, 1);
  EXPECT_NEAR(Box.Right, Expected.Right, 1);
  EXPECT_NEAR(Box.Bottom, Expected.Bottom, 1);
  const TPoint Centre = Surface.Calculate3DPosition(300, 200, 50);
  EXPECT_EQ(Surface.GetBitmap()->GetPixel(Centre.X, Centre.Y), clRed);
  // Every corner of the box's outline is a corner of the clip: the pixel
  // just inside each is painted.
  TKorCanvas::ConvexHull(Corners);
  const TPoint Mid = Centre;
  for (const TPoint& P : Corners) {
    const TPoint Inside(P.X + (Mid.X > P.X ? 2 : -2), P.Y + (Mid.Y > P.Y ? 2 : -2));
    EXPECT_EQ(Surface.GetBitmap()->GetPixel(Inside.X, Inside.Y), clRed) << P.X << "," << P.Y;
  }
}

// ---------------------------------------------------------------- gradients

struct BandCase {
  int Size;
  bool Vertical;
};

void PrintTo(const BandCase& C, std::ostream* Out) {
  *Out << (C.Vertical ? "height " : "width ") << C.Size;
}

class TKorCanvas3DBandTest : public TKorCanvas3DTest,
                             public ::testing::WithParamInterface<BandCase> {};

// White to black: band k has colour 255 - k * 255 / (bands - 1) and lies
// at Size * k / bands to Size * (k + 1) / bands from the start edge (the
// bottom for gdTopBottom, the right for gdLeftRight).
TEST_P(TKorCanvas3DBandTest, BandsAreAtMost256AndNoneForOnePixel) {
  const int Size = GetParam().Size;
  const bool Vertical = GetParam().Vertical;
  TBitmap B(Vertical ? 10 : 320, Vertical ? 320 : 10);
  B.GetCanvas().GetBrush().SetColor(clLime);
  B.GetCanvas().FillRect(Rect(0, 0, B.GetWidth(), B.GetHeight()));
  Surface.SetCanvas(B.GetCanvas());
  const TRect R = Vertical ? TRect(0, 0, 10, Size) : TRect(0, 0, Size, 10);
  Surface.GradientFill(R, clWhite, clBlack, Vertical ? gdTopBottom : gdLeftRight);
  auto At = [&](int FromStart) {
    return Vertical ? B.GetPixel(5, Size - 1 - FromStart) : B.GetPixel(Size - 1 - FromStart, 5);
  };
  const int Bands = std::min(Size, 256);
  if (Bands <= 1) {
    EXPECT_EQ(Count(B, clLime), B.GetWidth() * B.GetHeight());
    return;
  }
  std::set<TColor> Colours;
  for (int I = 0; I < Size; ++I) Colours.insert(At(I));
  EXPECT_EQ(static_cast<int>(Colours.size()), Bands);
  for (int K : {0, 1, Bands / 2, Bands - 2, Bands - 1}) {
    const int Grey = 255 - K * 255 / (Bands - 1);
    EXPECT_EQ(At(Size * K / Bands), RGB(Grey, Grey, Grey)) << K;
    EXPECT_EQ(At(Size * (K + 1) / Bands - 1), RGB(Grey, Grey, Grey)) << K;
  }
  EXPECT_EQ(Count(B, clLime), B.GetWidth() * B.GetHeight() - 10 * Size);
}

INSTANTIATE_TEST_SUITE_P(Sizes, TKorCanvas3DBandTest,
                         ::testing::Values(BandCase{100, true}, BandCase{300, true},
                                           BandCase{256, true}, BandCase{2, true},
                                           BandCase{1, true}, BandCase{0, true},
                                           BandCase{37, false}, BandCase{300, false},
                                           BandCase{1, false}));

struct DirectionCase {
  const char* Name;
  TGradientDirection Direction;
  TPoint At;  // in the 40 x 30 rectangle at (10, 5)
  int Index;  // of Count + 1 colours from the first colour
  int Count;
  bool EndFirst;  // the colours are exchanged: the first colour is the end
};

void PrintTo(const DirectionCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class TKorCanvas3DDirectionTest : public TKorCanvas3DTest,
                                  public ::testing::WithParamInterface<DirectionCase> {};

TEST_P(TKorCanvas3DDirectionTest, EachDirectionPutsItsColoursWhereExpected) {
  const DirectionCase& C = GetParam();
  const TColor S = RGB(250, 10, 0);
  const TColor E = RGB(0, 90, 240);
  TBitmap B(60, 40);
  Surface.SetCanvas(B.GetCanvas());
  Surface.GetBrush().SetColor(clLime);
  Surface.GradientFill(TRect(10, 5, 50, 35), S, E, C.Direction);
  const TColor First = C.EndFirst ? E : S;
  const TColor Last = C.EndFirst ? S : E;
  EXPECT_EQ(B.GetPixel(10 + C.At.X, 5 + C.At.Y),
            KorGradientColor(First, Last, C.Index, C.Count, 50));
  EXPECT_EQ(InkBox(B), TRect(10, 5, 50, 35)) << "exactly the rectangle";
  EXPECT_EQ(Surface.GetBrush().GetColor(), clLime) << "brush restored";
}

INSTANTIATE_TEST_SUITE_P(
    Directions, TKorCanvas3DDirectionTest,
    ::testing::Values(DirectionCase{"TopBottomStartAtBottom", gdTopBottom, {3, 29}, 0, 29, false},
                      DirectionCase{"TopBottomEndAtTop", gdTopBottom, {3, 0}, 29, 29, false},
                      DirectionCase{"TopBottomBand10", gdTopBottom, {3, 19}, 10, 29, false},
                      DirectionCase{"BottomTopStartAtTop", gdBottomTop, {3, 0}, 29, 29, true},
                      DirectionCase{"BottomTopEndAtBottom", gdBottomTop, {3, 29}, 0, 29, true},
                      DirectionCase{"LeftRightStartAtRight", gdLeftRight, {39, 7}, 0, 39, false},
                      DirectionCase{"LeftRightEndAtLeft", gdLeftRight, {0, 7}, 39, 39, false},
                      DirectionCase{"RightLeftStartAtLeft", gdRightLeft, {0, 7}, 39, 39, true},
                      DirectionCase{"FromCenterEndAtBorder", gdFromCenter, {0, 12}, 0, 35, true},
                      DirectionCase{"FromCenterSecondRing", gdFromCenter, {1, 12}, 2, 35, true},
                      DirectionCase{"FromCenterInnermost", gdFromCenter, {20, 15}, 28, 35, true},
                      DirectionCase{"FromTopLeftCorner", gdFromTopLeft, {0, 0}, 0, 70, true},
                      DirectionCase{"FromTopLeftInside", gdFromTopLeft, {3, 2}, 5, 70, true},
                      DirectionCase{"FromTopLeftFar", gdFromTopLeft, {39, 29}, 68, 70, true},
                      DirectionCase{"FromBottomLeftCorner", gdFromBottomLeft, {0, 29}, 0, 70, true},
                      DirectionCase{"FromBottomLeftInside", gdFromBottomLeft, {3, 27}, 5, 70, true},
                      DirectionCase{"DiagonalUpStart", gdDiagonalUp, {39, 29}, 0, 69, false},
                      DirectionCase{"DiagonalUpFar", gdDiagonalUp, {0, 0}, 67, 69, false},
                      DirectionCase{"DiagonalUpStep10", gdDiagonalUp, {33, 25}, 9, 69, false},
                      DirectionCase{
                          "DiagonalUpSameRisingLine", gdDiagonalUp, {35, 23}, 9, 69, false},
                      DirectionCase{"DiagonalDownStart", gdDiagonalDown, {0, 29}, 0, 69, false},
                      DirectionCase{"DiagonalDownFar", gdDiagonalDown, {39, 0}, 67, 69, false}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(TKorCanvas3DTest, RectanglesReachingFarOffTheDeviceFillOnlyWhatShows) {
  TBitmap B(40, 30);
  Surface.SetCanvas(B.GetCanvas());
  for (TGradientDirection D : {gdTopBottom, gdLeftRight, gdFromCenter, gdFromTopLeft,
                               gdFromBottomLeft, gdRadial, gdDiagonalUp, gdDiagonalDown}) {
    B.GetCanvas().GetBrush().SetColor(clLime);
    B.GetCanvas().FillRect(Rect(0, 0, 40, 30));
    Surface.GradientFill(TRect(-2000000000, -1500000000, 2000000000, 1500000000), clWhite, clBlack,
                         D);
    EXPECT_EQ(Count(B, clLime), 0) << D;
  }
}

// ---------------------------------------------------------------- other targets

// Everything the surface can draw with fills, shadows and text.
void DrawSampler(TKorCanvas3D& Surface) {
  Surface.ResetState();
  Surface.GetPen().SetStyle(psClear);
  Surface.GetBrush().SetColor(clNavy);
  Surface.Donut(40, 40, 30, 20, 0.3, 4.0, 40);
  int Y = 0;
  for (TGradientDirection D :
       {gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft, gdFromCenter, gdFromTopLeft,
        gdFromBottomLeft, gdRadial, gdDiagonalUp, gdDiagonalDown}) {
    Surface.GradientFill(TRect(80, Y, 140, Y + 18), RGB(250, 200, 0), RGB(0, 60, 180), D);
    Y += 20;
  }
  TKorShadow Shadow;
  Shadow.SetColor(clGray);
  Shadow.SetSmooth(false);
  Shadow.SetSize(4);
  Shadow.Draw(Surface, TRect(10, 100, 50, 140));
  Shadow.SetSize(-3);
  Shadow.Draw(Surface, TRect(10, 160, 50, 190));
}

TEST_F(TKorCanvas3DTest, PainterTargetsDrawTheSameFillsAsBitmaps) {
  TBitmap OnBitmap(160, 200);
  TKorCanvas3D BitmapSurface(&OnBitmap.GetCanvas());
  DrawSampler(BitmapSurface);

  QImage Page(160, 200, QImage::Format_RGB32);
  Page.fill(Qt::white);
  QPainter Painter(&Page);
  {
    TCanvas PageCanvas(Painter, 96);
    TKorCanvas3D PageSurface(&PageCanvas);
    DrawSampler(PageSurface);
  }
  Painter.end();
  int Different = 0;
  for (int Y = 0; Y < 200; ++Y)
    for (int X = 0; X < 160; ++X)
      if (OnBitmap.GetPixel(X, Y) != QColorToColor(QColor(Page.pixel(X, Y)))) ++Different;
  EXPECT_EQ(Different, 0);
  EXPECT_GT(Count(OnBitmap, clNavy), 500);
}

// Every operation of the 2D surface on a printer page: nothing needs
// pixels it cannot read, and the page comes out.
TEST_F(TKorCanvas3DTest, EveryOperationPrintsToAPdfPage) {
  const QString File = QString::fromStdString(
      (FreshTestDir("TKorCanvas3DTest.EveryOperationPrintsToAPdfPage") / "page.pdf").string());
  TPrinter Printer;
  Printer.SetPdfOutput(File, QSizeF(100, 100), 150);
  Printer.BeginDoc();
  TKorCanvas3D Page;
  Page.SetUseBuffer(false);
  Page.InitWindow(Printer.GetCanvas(), &Options, clWhite, true, TRect(0, 0, 500, 500));
  Page.Projection(100, TRect(0, 0, 500, 500), TRect(0, 0, 500, 500));
  DrawSampler(Page);
  TRect Bevel(200, 10, 260, 50);
  Page.Frame3D(Bevel, clWhite, clGray, 2);
  TKorFont Font;
  Font.GetShadow()->SetSize(2);
  Font.GetShadow()->SetTransparency(40);
  Font.GetOutLine()->Show();
  Font.GetGradient()->SetVisible(true);
  Font.GetGradient()->SetDirection(gdRadial);
  Page.AssignFont(Font);
  Page.ClipRectangle(TRect(180, 60, 480, 200), 12);
  Page.TextOut(200, 70, QStringLiteral("Printed"));
  Page.RotateLabel(300, 190, QStringLiteral("Turned"), 90);
  Page.TextOut3D(200, 120, 20, QStringLiteral("Deep"));
  Page.UnClipRectangle();
  Page.ClipCube(TRect(200, 220, 400, 300), 0, 50);
  Page.ClipEllipse(TRect(200, 220, 300, 300), true);
  Page.GradientFill(TRect(180, 200, 480, 320), clRed, clBlue, gdRadial);
  Page.UnClipRectangle();
  TKorShadow Soft;
  Soft.SetSize(5);
  Soft.SetTransparency(30);
  Soft.Draw(Page, TRect(200, 340, 300, 400), 10);
  Soft.DrawEllipse(Page, TRect(320, 340, 400, 400), 10);
  std::unique_ptr<TKorBlend> Blend = Page.BeginBlending(TRect(0, 0, 100, 100), 50);
  Page.FillRect(TRect(0, 0, 100, 100));
  Page.EndBlending(std::move(Blend));
  Printer.EndDoc();
  QFile Pdf(File);
  ASSERT_TRUE(Pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(Pdf.read(4) == "%PDF");
  EXPECT_GT(Pdf.size(), 2000);
}

// A printed page shows chart pixels as logical units. Text sized on the
// surface's own font (the default after ResetState, a size set directly)
// must have the logical size it has on the screen, as text made current
// with AssignFont has: on a real printer page (PDF, 150 pixels per inch)
// by measurement, and on a painter page of the same resolution by the
// glyphs drawn, a zoomed rotated label included.
TEST_F(TKorCanvas3DTextTest, PrintedTextHasTheScreensSizeInLogicalUnits) {
  TKorFont Chart;
  Chart.SetName(QStringLiteral("DejaVu Sans"));
  Chart.SetSize(12);
  // The ways text gets its size, each measured by the height of "W" (and
  // the width of a word) in logical units.
  auto Measure = [&Chart](TKorCanvas3D& S) {
    std::vector<int> Sizes;
    S.ResetState();
    Sizes.push_back(S.GetFontHeight());
    S.GetFont().SetName(QStringLiteral("DejaVu Sans"));
    S.GetFont().SetSize(14);
    Sizes.push_back(S.GetFontHeight());
    Sizes.push_back(S.TextWidth(QStringLiteral("Measured")));
    S.AssignFont(Chart);
    Sizes.push_back(S.GetFontHeight());
    return Sizes;
  };
  // Printer canvases map one logical unit to 150 / 96 device pixels here.
  auto MapLikeAPrint = [](TCanvas& C) {
    C.SetMapMode(mmAnisotropic);
    C.SetWindowExt(96, 96);
    C.SetViewportExt(150, 150);
  };
  TBitmap ScreenPixels(500, 400);
  TKorCanvas3D Screen(&ScreenPixels.GetCanvas());
  const std::vector<int> OnScreen = Measure(Screen);

  const QString File = QString::fromStdString(
      (FreshTestDir("TKorCanvas3DTest.PrintedTextHasTheScreensSize") / "page.pdf").string());
  TPrinter Printer;
  Printer.SetPdfOutput(File, QSizeF(100, 100), 150);
  Printer.BeginDoc();
  MapLikeAPrint(Printer.GetCanvas());
  TKorCanvas3D Page(&Printer.GetCanvas());
  const std::vector<int> Printed = Measure(Page);
  Printer.EndDoc();
  ASSERT_EQ(Printed.size(), OnScreen.size());
  for (std::size_t I = 0; I < Printed.size(); ++I) EXPECT_NEAR(Printed[I], OnScreen[I], 2) << I;

  // The glyphs: a label turned upright in a view zoomed by 150 %, on the
  // screen and on a page of 150 pixels per inch.
  Options.SetZoom(150);
  auto Label = [this](TKorCanvas3D& S, TCanvas& Target) {
    S.SetUseBuffer(false);
    S.InitWindow(Target, &Options, clWhite, true, TRect(0, 0, 300, 250));
    S.Projection(100, TRect(0, 0, 300, 250), TRect(0, 0, 300, 250));
    S.ResetState();
    S.GetFont().SetName(QStringLiteral("DejaVu Sans"));
    S.GetFont().SetSize(10);
    S.RotateLabel(150, 200, QStringLiteral("Label"), 90);
  };
  TBitmap ScreenLabel(300, 250);
  TKorCanvas3D LabelOnScreen;
  Label(LabelOnScreen, ScreenLabel.GetCanvas());
  QImage PageImage(470, 400, QImage::Format_RGB32);
  PageImage.fill(Qt::white);
  QPainter Painter(&PageImage);
  {
    TCanvas PageCanvas(Painter, 150);
    MapLikeAPrint(PageCanvas);
    TKorCanvas3D LabelOnPage;
    Label(LabelOnPage, PageCanvas);
  }
  Painter.end();
  TBitmap PageLabel;
  PageLabel.SetImage(PageImage);
  const TRect Small = InkBox(ScreenLabel);
  const TRect Large = InkBox(PageLabel);
  ASSERT_GT(Small.Height(), 20);
  // Glyph outlines at two pixel sizes differ by a pixel or two.
  EXPECT_NEAR(Large.Height(), Small.Height() * 150.0 / 96, 4);
  EXPECT_NEAR(Large.Width(), Small.Width() * 150.0 / 96, 4);
}

}  // namespace

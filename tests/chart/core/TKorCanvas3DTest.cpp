#include "chart/core/TKorCanvas3D.h"

#include "chart/core/TView3DOptions.h"

#include "platform/Rounding.h"
#include "platform/TBitmap.h"
#include "platform/TCanvas.h"
#include "tests/platform/PixelProbe.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <ostream>

namespace {

using PixelProbe::Count;

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

}  // namespace

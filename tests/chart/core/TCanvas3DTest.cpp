#include "chart/core/TCanvas3D.h"

#include "chart/core/TKorCanvas3D.h"
#include "chart/core/TView3DOptions.h"

#include "platform/TBitmap.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

// The shared operations of every 3D surface, run on the GDI surface.
class TCanvas3DTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const TRect R(0, 0, 200, 100);
    Surface.InitWindow(Destination.GetCanvas(), &Options, clWhite, true, R);
    Surface.Projection(40, R, R);
  }

  TBitmap Destination{200, 100};
  TView3DOptions Options;  // orthogonal: depth z moves a point by (z, -z)
  TKorCanvas3D Surface;
  TCanvas3D& Canvas = Surface;
};

TEST_F(TCanvas3DTest, FrontPlanesNestAndDrawFlatUntilTheOutermostEnd) {
  EXPECT_EQ(Canvas.Calculate3DPosition(TPoint(10, 10), 5), TPoint(15, 5));
  Canvas.FrontPlaneBegin();
  Canvas.FrontPlaneBegin();
  EXPECT_TRUE(Canvas.GetRotationDisabled());
  EXPECT_EQ(Canvas.Calculate3DPosition(TPoint(10, 10), 5), TPoint(10, 10));
  Canvas.FrontPlaneEnd();
  EXPECT_EQ(Canvas.Calculate3DPosition(TPoint(10, 10), 5), TPoint(10, 10));
  Canvas.FrontPlaneEnd();
  EXPECT_FALSE(Canvas.GetRotationDisabled());
  EXPECT_EQ(Canvas.Calculate3DPosition(Point3D(10, 10, 5)), TPoint(15, 5));
}

TEST_F(TCanvas3DTest, UnmatchedFrontPlaneEndIsIgnored) {
  Canvas.FrontPlaneEnd();
  Canvas.FrontPlaneBegin();
  EXPECT_EQ(Canvas.Calculate3DPosition(TPoint(10, 10), 5), TPoint(10, 10));
  Canvas.FrontPlaneEnd();
  EXPECT_EQ(Canvas.Calculate3DPosition(TPoint(10, 10), 5), TPoint(15, 5));
}

TEST_F(TCanvas3DTest, RectangleHelpersProjectTheCornersInOrder) {
  const TRect R(10, 20, 30, 60);
  EXPECT_EQ(Canvas.CalcRect3D(R, 4), TRect(14, 16, 34, 56));
  const TFourPoints Corners = Canvas.FourPointsFromRect(R, 4);
  EXPECT_EQ(Corners, (TFourPoints{TPoint(14, 16), TPoint(34, 16), TPoint(34, 56), TPoint(14, 56)}));
  EXPECT_EQ(Canvas.RectFromRectZ(R, 4), TRect(14, 16, 35, 57));
}

struct PieAngleCase {
  TPoint Start;
  TPoint End;
  double StartAngle;
  double EndAngle;
};

void PrintTo(const PieAngleCase& C, std::ostream* Out) {
  *Out << "(" << C.Start.X << ", " << C.Start.Y << ") to (" << C.End.X << ", " << C.End.Y << ")";
}

class TCanvas3DPieAngleTest : public ::testing::TestWithParam<PieAngleCase> {};

// Degrees counter-clockwise from 3 o'clock seen from the box centre (50,
// 40), y up; an end of exactly 0 is a whole turn.
TEST_P(TCanvas3DPieAngleTest, DirectionsFromTheBoxCentre) {
  const PieAngleCase& C = GetParam();
  double Start = -1;
  double End = -1;
  TCanvas3D::CalcPieAngles(0, 0, 100, 80, C.Start.X, C.Start.Y, C.End.X, C.End.Y, Start, End);
  EXPECT_DOUBLE_EQ(Start, C.StartAngle);
  EXPECT_DOUBLE_EQ(End, C.EndAngle);
}

INSTANTIATE_TEST_SUITE_P(Points, TCanvas3DPieAngleTest,
                         ::testing::Values(PieAngleCase{{90, 40}, {90, 40}, 0, 360},
                                           PieAngleCase{{50, 0}, {0, 40}, 90, 180},
                                           PieAngleCase{{50, 80}, {100, 90}, 270, 315},
                                           PieAngleCase{{100, 90}, {60, 30}, 315, 45}));

}  // namespace

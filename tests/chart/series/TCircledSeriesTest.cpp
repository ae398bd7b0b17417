#include "chart/series/TCircledSeries.h"

#include "tests/chart/series/PieTestCharts.h"

#include <cmath>
#include <numbers>

namespace {

using TCircledSeriesTest = TPieChartFixture;

constexpr double Pi = std::numbers::pi;

TEST_F(TCircledSeriesTest, ATinyChartRectangleStillGivesAFourPixelCircle) {
  TPieSeries* S = Pie({1});
  Chart.SetChartRect(TRect(10, 10, 13, 13));
  S->DoBeforeDrawValues();
  EXPECT_EQ(S->GetCircleWidth(), 4);
  EXPECT_EQ(S->GetCircleHeight(), 4);
  EXPECT_EQ(S->GetXRadius(), 2);
}

TEST_F(TCircledSeriesTest, OddSizesLoseAPixelAndCustomRadiiWin) {
  TPieSeries* S = Pie({1});
  Chart.SetChartRect(TRect(10, 10, 211, 111));
  S->DoBeforeDrawValues();
  EXPECT_EQ(S->GetCircleRect(), TRect(10, 10, 210, 110));
  EXPECT_EQ(S->GetCircleXCenter(), 110);
  EXPECT_EQ(S->GetCircleYCenter(), 60);
  S->SetCustomXRadius(30);
  S->DoBeforeDrawValues();
  EXPECT_EQ(S->GetXRadius(), 30);
  EXPECT_EQ(S->GetYRadius(), 50);
  EXPECT_EQ(S->GetCircleRect(), TRect(80, 10, 140, 110));
}

TEST_F(TCircledSeriesTest, RotationStaysWithinOneTurn) {
  TPieSeries* S = Pie({1});
  S->SetRotationAngle(370);
  EXPECT_EQ(S->GetRotationAngle(), 10);
  S->SetRotationAngle(20);
  S->Rotate(350);
  EXPECT_EQ(S->GetRotationAngle(), 10);
  S->SetRotationAngle(-90);
  EXPECT_EQ(S->GetRotationAngle(), 270);
  EXPECT_NEAR(S->GetRotationRadians(), 1.5 * Pi, 1e-12);
}

TEST_F(TCircledSeriesTest, AnglesAndPositionsConvertBothWays) {
  TPieSeries* S = Pie({1});
  S->DoBeforeDrawValues();
  int X = 0;
  int Y = 0;
  S->AngleToPos(Pi / 2, 100, 100, X, Y);
  EXPECT_EQ(X, 110);
  EXPECT_EQ(Y, 10);
  EXPECT_NEAR(S->PointToAngle(110, 50), Pi / 2, 1e-12);
  EXPECT_NEAR(S->PointToAngle(110, 150), 1.5 * Pi, 1e-12);
  EXPECT_NEAR(S->PointToAngle(60, 110), Pi, 1e-12);
  S->SetRotationAngle(180);
  // Above the centre, with the rotation taken off and brought into a turn.
  EXPECT_NEAR(S->PointToAngle(110, 50), 1.5 * Pi, 1e-12);
}

TEST_F(TCircledSeriesTest, PointToRadiusBeforeTheFirstDrawingIsTheAxisMinimum) {
  TPieSeries* S = Pie({1});
  Chart.GetLeftAxis()->SetMinMax(5, 25);
  // No ellipse yet: the radii are 0.
  const double R = S->PointToRadius(150, 40);
  EXPECT_FALSE(std::isnan(R));
  EXPECT_DOUBLE_EQ(R, 5);
  S->DoBeforeDrawValues();
  // Half the X radius to the right: half the axis range above its minimum.
  EXPECT_DOUBLE_EQ(S->PointToRadius(160, 110), 15);
}

TEST_F(TCircledSeriesTest, CircledAndRadiiSpreadToThePiesOfTheChart) {
  TPieSeries* A = Pie({1});
  TPieSeries* B = Pie({1});
  B->SetCustomXRadius(40);
  A->SetCustomYRadius(30);
  EXPECT_EQ(A->GetCustomXRadius(), 40);
  EXPECT_EQ(B->GetCustomYRadius(), 30);
  A->SetCircled(true);
  EXPECT_TRUE(B->GetCircled());
  EXPECT_EQ(B->GetCustomXRadius(), 0);  // a round pie sizes itself
}

TEST_F(TCircledSeriesTest, APieWithoutMarksTakesTheSizeOfOneWithMarks) {
  TPieSeries* Plain = Pie({1, 2});
  TPieSeries* Marked = Pie({1, 2});
  Marked->GetMarks().SetVisible(true);
  Plain->SetMultiPie(mpDisabled);
  Marked->SetMultiPie(mpDisabled);
  Plain->DoBeforeDrawValues();  // the marked pie, later in the chart, is fitted first
  Marked->DoBeforeDrawValues();
  EXPECT_LT(Marked->GetXRadius(), 100);
  EXPECT_EQ(Plain->GetXRadius(), Marked->GetXRadius());
  EXPECT_EQ(Plain->GetYRadius(), Marked->GetYRadius());
}

TEST_F(TCircledSeriesTest, TheUsersThreeDViewComesBackWhenThePieGoes) {
  Chart.GetView3DOptions().SetElevation(345);
  Chart.GetView3DOptions().SetOrthogonal(true);
  TPieSeries* S = Pie({1});
  EXPECT_EQ(Chart.GetView3DOptions().GetElevation(), 315);
  EXPECT_FALSE(Chart.GetView3DOptions().GetOrthogonal());
  S->SetActive(false);
  EXPECT_EQ(Chart.GetView3DOptions().GetElevation(), 345);
  S->SetActive(true);
  EXPECT_EQ(Chart.GetView3DOptions().GetElevation(), 315);
  delete S;
  EXPECT_EQ(Chart.GetView3DOptions().GetElevation(), 345);
  EXPECT_TRUE(Chart.GetView3DOptions().GetOrthogonal());
}

}  // namespace

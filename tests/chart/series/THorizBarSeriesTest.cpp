#include "chart/series/THorizBarSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TSeriesMarks.h"
#include "tests/chart/series/BarTestCharts.h"

#include <vector>

namespace {

class THorizBarSeriesTest : public TBarChartFixture {
 protected:
  // Horizontal bars of the values at y = 0, 1, 2 ... with the left axis
  // mapping one unit to 20 pixels.
  THorizBarSeries* Bars(const std::vector<double>& Values) {
    Layout(*Chart.GetLeftAxis(), 0, 5);
    auto* S = New<THorizBarSeries>();
    S->SetSeriesColor(clRed);
    S->GetMarks().SetVisible(false);
    for (double V : Values) S->Add(V);
    return S;
  }
};

TEST_F(THorizBarSeriesTest, BarsGrowAlongXFromTheLeftOfTheAxisWithoutAnOrigin) {
  THorizBarSeries* S = Bars({50, 120});
  EXPECT_FALSE(S->GetYMandatory());
  EXPECT_EQ(S->GetXValues().GetName(), Korconst::KorMsg_ValuesBar);
  EXPECT_EQ(S->GetYValues().GetOrder(), loAscending);
  S->SetCustomBarHeight(6);
  Prepare();
  const TRect B = S->CalcBarBounds(1);
  EXPECT_EQ(B.Left, 10);        // the origin 0
  EXPECT_EQ(B.Right, 130);      // the value
  EXPECT_EQ(B.Top, 90 - 3);     // y = 1 is row 90, minus half the bar
  EXPECT_EQ(B.Bottom, 87 + 5);  // the bar size less one
  S->SetUseOrigin(false);
  EXPECT_EQ(S->GetOriginPos(1), 10);  // the axis start
}

TEST_F(THorizBarSeriesTest, SideBySideSeriesRunFromTheTopInListOrder) {
  THorizBarSeries* A = Bars({50});
  THorizBarSeries* B = Bars({70});
  A->SetCustomBarHeight(6);
  B->SetCustomBarHeight(6);
  Prepare();
  EXPECT_EQ(A->CalcYPos(0), 110 + 6 * (1 - 2));
  EXPECT_EQ(B->CalcYPos(0), 110);
  EXPECT_FALSE(A->DrawSeriesForward(0));
  A->SetMultiBar(mbStacked);
  Prepare();
  EXPECT_EQ(B->GetOriginPos(0), 60);
  EXPECT_EQ(B->CalcXPos(0), 130);
  EXPECT_TRUE(B->DrawSeriesForward(0));
}

TEST_F(THorizBarSeriesTest, ClickedHitsBetweenTheOriginAndTheValueWithinTheBar) {
  THorizBarSeries* S = Bars({50, 120});
  S->SetCustomBarHeight(6);
  Prepare();
  EXPECT_EQ(S->Clicked(100, 90), 1);
  EXPECT_EQ(S->Clicked(130, 87), 1);
  EXPECT_EQ(S->Clicked(131, 90), -1);
  EXPECT_EQ(S->Clicked(100, 86), -1);
  EXPECT_EQ(S->Clicked(50, 110), 0);
  EXPECT_EQ(S->Clicked(70, 110), -1);
  S->SetBarStyle(bsPyramid);
  EXPECT_EQ(S->Clicked(100, 90), 1);  // toward the apex at the value
  EXPECT_EQ(S->Clicked(125, 88), -1);
}

TEST_F(THorizBarSeriesTest, DrawsARectangleFromTheOriginToTheValue) {
  Bars({50, 120})->SetCustomBarHeight(6);
  DrawAll();
  // The value's own column is left out (the rectangle's right edge).
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(10, 87, 130, 112));
  EXPECT_NE(Bitmap.GetPixel(100, 89), clWhite);
  EXPECT_EQ(Bitmap.GetPixel(100, 110), clWhite);  // the first bar ends at 60
}

TEST_F(THorizBarSeriesTest, MarksNeedRoomOnTheSideTheBarsGrowTo) {
  THorizBarSeries* S = Bars({50, -20});
  S->GetMarks().SetVisible(true);
  const int Length = S->CalcMarkLength(-1);
  ASSERT_GT(Length, 20);
  int Left = 0;
  int Right = 0;
  S->CalcHorizMargins(Left, Right);
  EXPECT_EQ(Left, Length + 1);
  EXPECT_EQ(Right, Length + 1);
}

}  // namespace

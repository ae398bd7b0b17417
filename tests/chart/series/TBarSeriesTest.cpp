#include "chart/series/TBarSeries.h"

#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "tests/chart/series/BarTestCharts.h"
#include "tests/chart/series/Chart3DFixture.h"

#include <string>
#include <vector>

namespace {

class TBarSeriesTest : public TBarChartFixture {
 protected:
  // A bar series in Color with the points (X, Y).
  TBarSeries* Bars(const std::vector<std::pair<double, double>>& Points, TColor Color = clRed) {
    auto* S = New<TBarSeries>();
    S->SetSeriesColor(Color);
    S->GetMarks().SetVisible(false);
    for (const auto& [X, Y] : Points) S->AddXY(X, Y);
    return S;
  }
};

// ------------------------------------------------------------ layout

struct LayoutCase {
  const char* Name;
  TMultiBar Mode;
  int Left;  // the only bar series: its bar at x = 60 (pixel 70)
  int Top;
  int SecondLeft;  // with a second series at the same x
  int OtherLeft;   // the first series then
};

class TBarLayoutTest : public TBarSeriesTest, public ::testing::WithParamInterface<LayoutCase> {};

// A bar 3 pixels wide, as the data view draws its markers: the width stays
// odd, and the mode decides where it sits relative to its x.
TEST_P(TBarLayoutTest, ACustomWidthOfThreePixelsIsPlacedByTheMultiBarMode) {
  const LayoutCase& C = GetParam();
  TBarSeries* First = Bars({{60, 50}});
  First->SetCustomBarWidth(3);
  First->SetMultiBar(C.Mode);
  Prepare();
  EXPECT_EQ(First->GetBarSize(), 3);
  TRect B = First->CalcBarBounds(0);
  EXPECT_EQ(B.Left, C.Left);
  EXPECT_EQ(B.Right, C.Left + 4);  // the bar covers its size plus one pixel
  EXPECT_EQ(B.Top, C.Top);
  EXPECT_EQ(B.Bottom, 110);

  TBarSeries* Second = Bars({{60, 30}});
  Second->SetCustomBarWidth(3);
  ASSERT_EQ(Second->GetMultiBar(), C.Mode);  // adopted from the first
  Prepare();
  EXPECT_EQ(First->CalcBarBounds(0).Left, C.OtherLeft);
  EXPECT_EQ(Second->CalcBarBounds(0).Left, C.SecondLeft);
}

INSTANTIATE_TEST_SUITE_P(Modes, TBarLayoutTest,
                         ::testing::Values(LayoutCase{"None", mbNone, 69, 60, 69, 69},
                                           // Side by side: the two bars sit either side of x.
                                           LayoutCase{"Side", mbSide, 68, 60, 70, 67},
                                           LayoutCase{"Stacked", mbStacked, 68, 60, 68, 68},
                                           LayoutCase{"Stacked100", mbStacked100, 68, 10, 68, 68},
                                           // By point index across the series, not by x.
                                           LayoutCase{"SideAll", mbSideAll, 9, 60, 10, 9},
                                           // Each series one column at its place in the list.
                                           LayoutCase{"SelfStack", mbSelfStack, 9, 60, 10, 9}),
                         [](const ::testing::TestParamInfo<LayoutCase>& I) {
                           return std::string(I.param.Name);
                         });

TEST_F(TBarSeriesTest, WholeWidthBarsTouchAndTheLastTakesTheBarSize) {
  TBarSeries* S = Bars({{50, 40}, {100, 60}, {150, 20}});
  S->SetBarWidthPercent(100);
  Prepare();
  // Three points and a side margin: categories of 200 / 4 pixels.
  ASSERT_EQ(S->GetBarSize(), 50);
  EXPECT_EQ(S->CalcBarBounds(0).Right, S->CalcXPos(1) + 1);
  EXPECT_EQ(S->CalcBarBounds(2).Right, S->CalcXPos(2) + 50 + 1);
  DrawAll();
  // Along the row just above the base no gap is left between the bars.
  const int Left = S->CalcXPos(0);
  const int Right = S->CalcBarBounds(2).Right;
  for (int X = Left; X < Right; ++X) EXPECT_NE(Bitmap.GetPixel(X, 105), clWhite) << X;
}

TEST_F(TBarSeriesTest, AHiddenPenWidensTheBoundsByOnePixelButCoversTheSamePixels) {
  TBarSeries* S = Bars({{60, 50}});
  S->SetCustomBarWidth(4);
  DrawAll();
  const TRect WithPen = PixelProbe::InkBox(Bitmap);
  const TRect Bounds = S->CalcBarBounds(0);
  S->GetBarPen().SetVisible(false);
  EXPECT_EQ(S->CalcBarBounds(0).Right, Bounds.Right + 1);
  EXPECT_EQ(S->CalcBarBounds(0).Bottom, Bounds.Bottom + 1);
  Frame(false);
  DrawAll();
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), WithPen);
  EXPECT_EQ(WithPen, TRect(68, 60, 73, 110));
  EXPECT_EQ(Ink(WithPen, clRed), 5 * 50);  // no pen: all of it in the bar colour
}

TEST_F(TBarSeriesTest, ABarOnItsOriginIsALineInTheBrushColour) {
  TBarSeries* S = Bars({{60, 0}});
  S->SetCustomBarWidth(4);
  DrawAll();
  // Zero height: the canvas would draw no rectangle at all.
  EXPECT_EQ(Ink(TRect(68, 110, 73, 111), clRed), 5);
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(68, 110, 73, 111));
}

TEST_F(TBarSeriesTest, NegativeStackedValuesGrowDownFromZeroAndAreDrawnBackwards) {
  Layout(*Chart.GetLeftAxis(), -50, 50);  // y at row 60 - y
  TBarSeries* A = Bars({{60, 30}});
  TBarSeries* B = Bars({{60, -20}}, clBlue);
  TBarSeries* C = Bars({{60, 15}}, clGreen);
  A->SetMultiBar(mbStacked);
  Prepare();
  EXPECT_EQ(B->GetOriginPos(0), 60);
  EXPECT_EQ(B->CalcYPos(0), 80);
  EXPECT_EQ(C->GetOriginPos(0), 30);  // on top of the positive part only
  EXPECT_EQ(C->CalcYPos(0), 15);
  EXPECT_TRUE(A->DrawSeriesForward(0));
  EXPECT_FALSE(B->DrawSeriesForward(0));
  EXPECT_DOUBLE_EQ(C->MaxYValue(), 45);
  EXPECT_DOUBLE_EQ(B->MinYValue(), -20);
}

// ------------------------------------------------------------ styles

struct StyleCase {
  const char* Name;
  TBarStyle Style;
  // Points relative to the bar box (70, 30)-(90, 110) and whether they
  // are painted.
  std::vector<std::pair<TPoint, bool>> Probes;
};

class TBarStyleTest : public TBarSeriesTest, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(TBarStyleTest, EachStyleDrawsItsShapeInsideTheBar) {
  TBarSeries* S = Bars({{70, 80}});
  S->SetCustomBarWidth(20);
  S->SetBarStyle(GetParam().Style);
  DrawAll();
  const TRect Box(70, 30, 91, 111);
  const TRect Ink = PixelProbe::InkBox(Bitmap);
  EXPECT_GE(Ink.Left, Box.Left);
  EXPECT_GE(Ink.Top, Box.Top);
  // Polygons also paint their right corner, the rectangle's excluded edge.
  EXPECT_LE(Ink.Right, Box.Right + 1);
  EXPECT_LE(Ink.Bottom, Box.Bottom);
  EXPECT_GT(PixelProbe::Count(Bitmap, clRed), 100);
  for (const auto& [P, Painted] : GetParam().Probes)
    EXPECT_EQ(Bitmap.GetPixel(Box.Left + P.X, Box.Top + P.Y) != clWhite, Painted)
        << P.X << "," << P.Y;
}

INSTANTIATE_TEST_SUITE_P(
    Styles, TBarStyleTest,
    ::testing::Values(
        StyleCase{"Rectangle", bsRectangle, {{{1, 1}, true}, {{19, 78}, true}}},
        StyleCase{"Pyramid", bsPyramid, {{{10, 2}, true}, {{1, 2}, false}, {{2, 78}, true}}},
        StyleCase{"InvPyramid", bsInvPyramid, {{{2, 2}, true}, {{1, 78}, false}, {{10, 70}, true}}},
        StyleCase{"Cone", bsCone, {{{10, 2}, true}, {{1, 2}, false}}},
        StyleCase{"Ellipse", bsEllipse, {{{1, 1}, false}, {{10, 40}, true}, {{19, 79}, false}}},
        StyleCase{"Arrow", bsArrow, {{{10, 3}, true}, {{1, 1}, false}, {{10, 70}, true}}},
        StyleCase{"InvArrow", bsInvArrow, {{{10, 76}, true}, {{1, 79}, false}}},
        StyleCase{"Diamond", bsDiamond, {{{10, 40}, true}, {{1, 1}, false}, {{19, 79}, false}}},
        StyleCase{"SlantCube", bsSlantCube, {{{1, 1}, true}, {{10, 40}, true}}},
        StyleCase{"Bevel", bsBevel, {{{1, 1}, true}, {{10, 40}, true}}}),
    [](const ::testing::TestParamInfo<StyleCase>& I) { return std::string(I.param.Name); });

TEST_F(TBarSeriesTest, AGradientBarRunsFromTheStartColourToTheBarColour) {
  TBarSeries* S = Bars({{70, 80}}, clBlue);
  S->SetCustomBarWidth(20);
  S->SetBarStyle(bsRectGradient);
  DrawAll();
  // The frame stays in the pen; inside, the bar colour at the top (the
  // gradient's end) down to white at the base.
  EXPECT_EQ(Bitmap.GetPixel(70, 60), clBlack);
  const TColor Top = Bitmap.GetPixel(80, 31);
  const TColor Bottom = Bitmap.GetPixel(80, 108);
  EXPECT_LT(GetRValue(Top), 15);
  EXPECT_GT(GetBValue(Top), 240);
  EXPECT_GT(GetRValue(Bottom), 240);
}

TEST_F(TBarSeriesTest, StylesCanChangePerPointButTheHitTestUsesTheSeriesStyle) {
  TBarSeries* S = Bars({{40, 80}, {100, 80}});
  S->SetCustomBarWidth(20);
  S->SetBarStyle(bsPyramid);
  S->OnGetBarStyle = [](TCustomBarSeries*, int Index, TBarStyle& Style) {
    if (Index == 1) Style = bsRectangle;
  };
  EXPECT_EQ(S->GetBarStyle(0), bsPyramid);
  EXPECT_EQ(S->GetBarStyle(1), bsRectangle);
  DrawAll();
  EXPECT_NE(Bitmap.GetPixel(S->CalcXPos(1) + 1, 31), clWhite);  // drawn square
  EXPECT_EQ(S->Clicked(S->CalcXPos(1) + 1, 31), -1);            // tested as a pyramid
  EXPECT_EQ(S->Clicked(S->CalcXPos(1) + 10, 40), 1);
}

// ------------------------------------------------------------ hit test

TEST_F(TBarSeriesTest, ClickedHitsFromTheTopEdgePixelDownToTheOrigin) {
  TBarSeries* S = Bars({{60, 50}, {120, 20}});
  S->SetCustomBarWidth(4);
  Prepare();
  ASSERT_EQ(S->CalcXPos(0), 68);
  EXPECT_EQ(S->Clicked(70, 60), 0);
  EXPECT_EQ(S->Clicked(70, 59), -1);
  EXPECT_EQ(S->Clicked(70, 110), 0);
  EXPECT_EQ(S->Clicked(68, 80), 0);
  EXPECT_EQ(S->Clicked(72, 80), 0);
  EXPECT_EQ(S->Clicked(67, 80), -1);
  EXPECT_EQ(S->Clicked(73, 80), -1);
  EXPECT_EQ(S->Clicked(130, 95), 1);
  EXPECT_EQ(S->Clicked(130, 85), -1);

  // Points deleted since the last pass are not looked at.
  S->Delete(1);
  EXPECT_EQ(S->Clicked(130, 95), -1);
  EXPECT_EQ(S->Clicked(70, 80), 0);
}

TEST_F(TBarSeriesTest, ClickedTestsTheShapeOfPyramidsAndEllipses) {
  TBarSeries* S = Bars({{70, 80}});
  S->SetCustomBarWidth(20);
  S->SetBarStyle(bsPyramid);
  Prepare();
  ASSERT_EQ(S->CalcXPos(0), 70);
  EXPECT_EQ(S->Clicked(80, 40), 0);   // near the apex
  EXPECT_EQ(S->Clicked(71, 32), -1);  // a top corner of the box
  EXPECT_EQ(S->Clicked(71, 108), 0);
  S->SetBarStyle(bsInvPyramid);
  EXPECT_EQ(S->Clicked(71, 32), 0);
  EXPECT_EQ(S->Clicked(71, 108), -1);
  S->SetBarStyle(bsEllipse);
  EXPECT_EQ(S->Clicked(71, 31), -1);
  EXPECT_EQ(S->Clicked(80, 70), 0);
}

// ------------------------------------------------------------ marks and margins

TEST_F(TBarSeriesTest, MarkLengthIsTheFontHeightTheCalloutAndTheFrame) {
  TBarSeries* S = Bars({{60, 50}});
  EXPECT_EQ(S->CalcMarkLength(0), 0);  // marks hidden
  S->GetMarks().SetVisible(true);
  Canvas->AssignFont(S->GetMarks().GetFont());
  const int Height = Canvas->GetFontHeight();
  ASSERT_TRUE(S->GetMarks().GetPen().GetVisible());
  EXPECT_EQ(S->CalcMarkLength(0), Height + 20 + 2 * S->GetMarks().GetPen().GetWidth());
  int Top = 0;
  int Bottom = 0;
  S->CalcVerticalMargins(Top, Bottom);
  EXPECT_EQ(Top, S->CalcMarkLength(0) + 1);
  EXPECT_EQ(Bottom, 0);  // nothing below the origin
  S->Clear();
  EXPECT_EQ(S->CalcMarkLength(0), 0);
}

TEST_F(TBarSeriesTest, AMarkSitsAboveAPositiveBarAndBelowANegativeOne) {
  Layout(*Chart.GetLeftAxis(), -50, 50);
  TBarSeries* S = Bars({{60, 30}, {120, -30}});
  S->SetCustomBarWidth(4);
  S->GetMarks().SetVisible(true);
  Prepare();
  for (int I = 0; I < 2; ++I) {
    TSeriesMarkPosition P;
    P.Width = 30;
    P.Height = 20;
    const TPoint At(S->CalcXPos(I), S->CalcYPos(I));
    P.ArrowFrom = At;
    P.ArrowTo = At;
    P.LeftTop = TPoint(At.X - 15, At.Y - 20 + 1);
    S->DrawMark(I, QStringLiteral("30"), P);
    EXPECT_EQ(P.LeftTop.X, At.X - 15 + 2);  // centred on the bar
    if (I == 0) {
      EXPECT_EQ(P.LeftTop.Y + P.Height, At.Y - 20 + 1);  // the callout above the bar
    } else {
      EXPECT_EQ(At.Y, 90);
      EXPECT_EQ(P.LeftTop.Y, At.Y + 20 + 1);  // below the end of the bar
    }
  }
}

}  // namespace

namespace {

class TBarSeries3DTest : public TChart3DFixture {};

TEST_F(TBarSeries3DTest, ABarIsABoxWithItsFrontTopAndSideInTheSeriesColour) {
  auto* S = Drawn<TBarSeries>({{5, 6}});
  ASSERT_GT(Back - Front, 10);
  EXPECT_EQ(At(*S, 5, 3, Front + 1), clRed);   // the front face
  EXPECT_TRUE(Reddish(At(*S, 5, 6, Middle)));  // the top, through the depth
  // The right side face, darker than the front.
  const TRect Bar = S->GetBarBounds();
  const TPoint Side =
      Chart.GetPanelCanvas().Calculate3DPosition(Bar.Right, (Bar.Top + Bar.Bottom) / 2, Middle);
  const TColor SideColour = Bitmap.GetPixel(Side.X, Side.Y);
  EXPECT_TRUE(Reddish(SideColour));
  EXPECT_LT(GetRValue(SideColour), 255);
  // Above the top and in front of the box: nothing of it.
  EXPECT_FALSE(Reddish(At(*S, 5, 8, Middle)));
}

}  // namespace

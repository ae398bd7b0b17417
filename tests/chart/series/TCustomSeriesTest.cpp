#include "chart/series/TCustomSeries.h"

#include "chart/core/TChartBrush.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TKorShadow.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/THorizAreaSeries.h"
#include "chart/series/THorizLineSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPointSeries.h"
#include "tests/chart/series/LineTestCharts.h"

#include "platform/TPersistent.h"

#include <functional>
#include <string>
#include <vector>

namespace {

class TCustomSeriesTest : public TLineChartFixture {};

// A line series whose visible range starts at a given index, as series
// types with their own range calculation may leave it.
class TRangeLine : public TLineSeries {
 public:
  using TLineSeries::TLineSeries;
  void CalcFirstLastVisibleIndex() override { SetVisibleRange(First, Count() - 1); }
  int First = 0;
};

TEST_F(TCustomSeriesTest, StartsWithItsDefaultsAndPublishesItsPropertiesInOrder) {
  TCustomSeries Fresh(nullptr);
  EXPECT_FALSE(Fresh.GetDrawLine());
  EXPECT_FALSE(Fresh.GetDrawArea());
  EXPECT_TRUE(Fresh.GetClickableLine());
  EXPECT_TRUE(Fresh.GetColorEachLine());
  EXPECT_TRUE(Fresh.GetDark3D());
  EXPECT_EQ(Fresh.GetAreaColor(), clDefault);
  EXPECT_EQ(Fresh.GetAreaChartBrush().GetColor(), clDefault);
  EXPECT_TRUE(Fresh.GetAreaLinesPen().GetVisible());
  EXPECT_FALSE(Fresh.GetOutLine().GetVisible());
  EXPECT_EQ(Fresh.GetShadow().GetSize(), 0);
  EXPECT_EQ(Fresh.GetStacked(), cssNone);
  EXPECT_EQ(Fresh.GetEditorClass(), QStringLiteral("TCustomSeriesEditor"));

  const TPropertyList& P = Fresh.Properties();
  const int Base = TCustomLineSeries(nullptr).Properties().Count();
  const char* Names[] = {"AreaChartBrush", "AreaBrush",     "AreaColor", "AreaLinesPen",
                         "ClickableLine",  "ColorEachLine", "Dark3D",    "DrawArea",
                         "InvertedStairs", "LineHeight",    "OutLine",   "Pointer",
                         "Shadow",         "Stacked",       "Stairs",    "Transparency",
                         "Gradient",       "LineBrush",     "LinePen"};
  ASSERT_EQ(P.Count(), Base + 19);
  for (int I = 0; I < 19; ++I) EXPECT_EQ(P.Item(Base + I).Name, QString::fromLatin1(Names[I]));
  ASSERT_TRUE(SetPropertyValue(Fresh, QStringLiteral("Stacked"), int(cssStack100)));
  EXPECT_EQ(Fresh.GetStacked(), cssStack100);
}

// ------------------------------------------------------------ drawing

TEST_F(TCustomSeriesTest, StairsTurnAtTheNewXOrWithInvertedStairsAtTheOldX) {
  auto* S = Series<TLineSeries>({{20, 20}, {60, 60}});  // pixels (30, 90) and (70, 50)
  S->SetStairs(true);
  DrawAll();
  EXPECT_TRUE(InkAt(50, 90, clRed));  // along at the old height
  EXPECT_TRUE(InkAt(70, 70, clRed));  // then up at the new X
  EXPECT_FALSE(InkAt(30, 70, clRed));
  EXPECT_FALSE(InkAt(50, 50, clRed));
  EXPECT_FALSE(InkAt(50, 70, clRed));  // no straight segment

  S->SetInvertedStairs(true);
  Frame(false);
  DrawAll();
  EXPECT_TRUE(InkAt(30, 70, clRed));  // up at the old X
  EXPECT_TRUE(InkAt(50, 50, clRed));  // then along at the new height
  EXPECT_FALSE(InkAt(50, 90, clRed));
  EXPECT_FALSE(InkAt(70, 70, clRed));
}

TEST_F(TCustomSeriesTest, TheFirstVisiblePointIsJoinedFromTheChartEdgeOnTheLineBetween) {
  // At x = 0 (the left edge, pixel 10) the line from (-100, 0) to (100,
  // 100) is at 50.
  Series<TLineSeries>({{-100, 0}, {100, 100}});
  DrawAll();
  ASSERT_FALSE(Log->Moves.empty());
  EXPECT_EQ(Log->Moves.front(), TPoint(10, 60));
  EXPECT_TRUE(InkAt(10, 60, clRed));
}

TEST_F(TCustomSeriesTest, AnEnteringSegmentFromAPointAtTheSameXStartsAtThatPointsValue) {
  // Both points at x = 50: no slope to follow, so the line enters at the
  // earlier point's 20 (pixel 90) instead of running off to infinity.
  auto* S = New<TRangeLine>();
  S->SetSeriesColor(clRed);
  S->AddXY(50, 20);
  S->AddXY(50, 80);
  S->AddXY(150, 80);
  S->First = 1;
  DrawAll();
  ASSERT_FALSE(Log->Moves.empty());
  EXPECT_EQ(Log->Moves.front(), TPoint(10, 90));
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(10, 30, 160, 91));
}

TEST_F(TCustomSeriesTest, OnALogarithmicAxisTheEnteringSegmentFollowsTheLogarithms) {
  TChartAxis& Left = *Chart.GetLeftAxis();
  Left.SetLogarithmic(true);
  Layout(Left, 1, 100);
  // Half way from 1 to 100 on the logarithms is 10, the axis' middle.
  Series<TLineSeries>({{-100, 1}, {100, 100}});
  DrawAll();
  ASSERT_FALSE(Log->Moves.empty());
  EXPECT_EQ(Log->Moves.front(), TPoint(10, 60));
}

TEST_F(TCustomSeriesTest, WhereALogarithmIsUndefinedTheEnteringSegmentIsInterpolatedLinearly) {
  TChartAxis& Left = *Chart.GetLeftAxis();
  Left.SetLogarithmic(true);
  Layout(Left, 1, 100);
  // -5 has no logarithm: half way from -5 to 100 is 47.5.
  Series<TLineSeries>({{-100, -5}, {100, 100}});
  DrawAll();
  ASSERT_FALSE(Log->Moves.empty());
  EXPECT_EQ(Log->Moves.front(), TPoint(10, Left.CalcYPosValue(47.5)));
}

TEST_F(TCustomSeriesTest, AnAreaIsFilledBetweenItsLineAndTheBottomOrItsOrigin) {
  auto* S = Series<TAreaSeries>({{20, 40}, {100, 40}, {180, 40}});  // the line at pixel y 70
  S->GetAreaLinesPen().Hide();
  S->GetLinePen().SetColor(clBlue);
  DrawAll();
  EXPECT_EQ(Ink(TRect(31, 71, 189, 110), clRed), 158 * 39);  // all the way down
  EXPECT_EQ(Ink(TRect(31, 11, 189, 70), clRed), 0);
  EXPECT_TRUE(InkAt(100, 70, clBlue));  // the line on top

  S->SetUseOrigin(true);
  S->SetOrigin(20);  // pixel 90
  Frame(false);
  DrawAll();
  EXPECT_TRUE(InkAt(100, 80, clRed));
  EXPECT_FALSE(InkAt(100, 100, clRed));
  EXPECT_EQ(S->MinYValue(), 20);  // the origin is in the range though every value is above it
}

TEST_F(TCustomSeriesTest, TheOutlineIsAWideLineUnderTheLine) {
  auto* S = Series<TLineSeries>({{20, 50}, {180, 50}});
  S->GetLinePen().SetWidth(2);
  S->GetOutLine().SetWidth(1);
  S->GetOutLine().SetColor(clBlue);
  S->GetOutLine().Show();
  DrawAll();
  // 2 * 2 + 1 + 1 = 6 rows, the 2 of the line itself in the middle.
  EXPECT_EQ(NotWhite(TRect(100, 40, 101, 80)), 6);
  EXPECT_EQ(Ink(TRect(100, 40, 101, 80), clRed), 2);
  EXPECT_EQ(S->GetLinePen().GetWidth(), 2);  // the pen is given back
  EXPECT_EQ(S->GetSeriesColor(), clRed);
}

TEST_F(TCustomSeriesTest, TheShadowIsTheLineMovedBySizeInTheShadowColour) {
  auto* S = Series<TLineSeries>({{20, 50}, {180, 50}});  // pixel row 60
  S->GetShadow().SetSize(3);
  S->GetShadow().SetColor(clGreen);
  DrawAll();
  EXPECT_TRUE(InkAt(100, 60, clRed));
  EXPECT_TRUE(InkAt(100, 63, clGreen));
  EXPECT_EQ(Chart.GetBottomAxis()->GetIStartPos(), 10);  // the axes are given back
  EXPECT_EQ(Chart.GetLeftAxis()->GetIEndPos(), 110);
  EXPECT_EQ(S->GetSeriesColor(), clRed);
}

TEST_F(TCustomSeriesTest, ANullPointGetsNoSegmentsAndNoPointer) {
  auto* S = Series<TLineSeries>({{20, 20}});
  S->AddNullXY(60, 60);
  S->AddXY(100, 20);
  S->AddXY(140, 20);
  S->GetPointer().Show();
  DrawAll();
  EXPECT_EQ(NotWhite(TRect(36, 11, 106, 110)), 0);  // nothing between the first and third
  EXPECT_TRUE(InkAt(30, 90, clRed));                // their pointers are there
  EXPECT_TRUE(InkAt(110, 90, clRed));
  EXPECT_TRUE(InkAt(130, 90, clRed));  // the segment after the gap
}

// ------------------------------------------------------------ stacking

TEST_F(TCustomSeriesTest, StackedSeriesOfOneClassPileUpAndShareTheMode) {
  auto* A = Series<TLineSeries>({{20, 10}, {60, 0}});
  auto* B = Series<TLineSeries>({{20, 30}, {60, 0}});
  auto* Other = Series<TAreaSeries>({{20, 5}, {60, 5}});
  B->SetStacked(cssStack);
  EXPECT_EQ(A->GetStacked(), cssStack);  // the same class
  EXPECT_EQ(Other->GetStacked(), cssNone);
  EXPECT_EQ(A->CalcYPos(0), 100);
  EXPECT_EQ(B->CalcYPos(0), 70);  // 10 + 30
  EXPECT_EQ(B->GetOriginPos(0), 100);
  EXPECT_EQ(B->MaxYValue(), 40);
  EXPECT_EQ(Other->CalcYPos(0), 105);  // not on top of the lines

  B->SetStacked(cssStack100);
  EXPECT_EQ(A->CalcYPos(0), 110 - 25);
  EXPECT_EQ(B->CalcYPos(0), 10);
  EXPECT_EQ(B->MaxYValue(), 100);
  EXPECT_EQ(B->MinYValue(), 0);
  // Every value 0 at an index: every point at the axis' end.
  EXPECT_EQ(A->CalcYPos(1), 110);
  EXPECT_EQ(B->CalcYPos(1), 110);
}

TEST_F(TCustomSeriesTest, StackedSeriesShareOneDepthSlot) {
  auto* A = Series<TLineSeries>({{20, 10}});
  auto* B = Series<TLineSeries>({{20, 30}});
  auto* Other = Series<TPointSeries>({{20, 5}});
  Chart.SetView3D(true);
  auto ZOrders = [&] {
    Chart.SetZOrderCount(0);
    for (TCustomSeries* S : std::vector<TCustomSeries*>{A, B, Other}) S->CalcZOrder();
  };
  ZOrders();
  EXPECT_NE(A->GetInternalZOrder(), B->GetInternalZOrder());
  A->SetStacked(cssOverlap);
  ZOrders();
  EXPECT_EQ(A->GetInternalZOrder(), B->GetInternalZOrder());
  EXPECT_NE(Other->GetInternalZOrder(), A->GetInternalZOrder());
}

TEST_F(TCustomSeriesTest, StackedSeriesStandInTheChartsHighestDepthSlot) {
  auto* Line = Series<TLineSeries>({{20, 10}});
  auto* A = Series<TAreaSeries>({{20, 10}});
  auto* B = Series<TAreaSeries>({{20, 30}});
  Chart.SetView3D(true);
  A->SetStacked(cssStack);
  auto ZOrders = [&](const std::vector<TCustomSeries*>& InOrder) {
    Chart.SetZOrderCount(-1);
    for (TCustomSeries* S : InOrder) S->CalcZOrder();
  };
  ZOrders({Line, A, B});
  // The line took slot 0, and the stack shares it instead of a slot of its own.
  EXPECT_EQ(Line->GetInternalZOrder(), 0);
  EXPECT_EQ(A->GetInternalZOrder(), 0);
  EXPECT_EQ(B->GetInternalZOrder(), 0);
  EXPECT_EQ(Chart.GetZOrderCount(), 0);
  // A stack before every other series takes the first slot.
  ZOrders({A, B, Line});
  EXPECT_EQ(A->GetInternalZOrder(), 0);
  EXPECT_EQ(B->GetInternalZOrder(), 0);
  EXPECT_EQ(Line->GetInternalZOrder(), 1);
}

TEST_F(TCustomSeriesTest, PositiveAndNegativeValuesStackSeparately) {
  auto* A = Series<TLineSeries>({{20, -10}});
  auto* B = Series<TLineSeries>({{20, 20}});
  auto* C = Series<TLineSeries>({{20, -30}});
  A->SetStacked(cssStack);
  EXPECT_EQ(B->PointOrigin(0, false), 0);
  EXPECT_EQ(C->PointOrigin(0, false), -10);
  EXPECT_EQ(C->PointOrigin(0, true), -40);
  EXPECT_EQ(B->PointOrigin(0, true), 20);
}

// ------------------------------------------------------------ hit test

TEST_F(TCustomSeriesTest, ClickedFindsPointsAndTheEarlierEndOfSegments) {
  auto* S = Series<TLineSeries>({{20, 20}, {60, 60}, {100, 20}});
  Prepare();
  EXPECT_EQ(S->Clicked(70, 50), 1);  // on the point, though also on both segments
  EXPECT_EQ(S->Clicked(50, 70), 0);
  EXPECT_EQ(S->Clicked(51, 70), 0);  // within a pixel
  EXPECT_EQ(S->Clicked(90, 70), 1);
  EXPECT_EQ(S->Clicked(50, 50), -1);

  S->SetStairs(true);
  EXPECT_EQ(S->Clicked(50, 90), 0);  // the horizontal piece at the old height
  EXPECT_EQ(S->Clicked(70, 70), 0);  // the vertical piece at the new X
  EXPECT_EQ(S->Clicked(50, 70), -1);

  S->SetClickableLine(false);
  EXPECT_EQ(S->Clicked(50, 90), -1);
  EXPECT_EQ(S->Clicked(30, 90), 0);
}

TEST_F(TCustomSeriesTest, PointersAreHitUnlessTheyDrawNothing) {
  auto* S = Series<TPointSeries>({{20, 20}, {60, 60}});
  Prepare();
  std::vector<int> Clicks;
  S->OnClickPointer = [&Clicks](TCustomSeries*, int Index, int, int) { Clicks.push_back(Index); };
  EXPECT_EQ(S->Clicked(33, 92), 0);  // within the half size of 4
  EXPECT_EQ(S->Clicked(34, 90), -1);
  EXPECT_EQ(S->Clicked(50, 70), -1);  // points only: no segments
  EXPECT_EQ(Clicks, std::vector<int>{0});

  S->OnGetPointerStyle = [](TCustomSeries*, int Index) {
    return Index == 0 ? psNothing : psCircle;
  };
  EXPECT_EQ(S->Clicked(33, 92), -1);
  EXPECT_EQ(S->Clicked(30, 90), 0);  // the point itself still is
  EXPECT_EQ(S->Clicked(72, 48), 1);
}

TEST_F(TCustomSeriesTest, TheAreaUnderASegmentIsHit) {
  auto* S = Series<TAreaSeries>({{20, 40}, {100, 40}, {180, 40}});
  Prepare();
  EXPECT_EQ(S->Clicked(60, 100), 0);
  EXPECT_EQ(S->Clicked(150, 80), 1);
  EXPECT_EQ(S->Clicked(60, 50), -1);
}

// ------------------------------------------------------------ legend

TEST_F(TCustomSeriesTest, TheLegendSymbolIsALineAPointerOrABox) {
  const TRect R(20, 20, 62, 30);
  auto* L = Series<TLineSeries>({{1, 1}});
  L->DrawLegend(-1, R);
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(20, 25, 62, 26));  // a line through the middle
  EXPECT_EQ(Ink(R, clRed), 42);

  // The pointer limited to a third of the symbol: half sizes 4 and 3.
  auto* P = Series<TPointSeries>({{1, 1}}, clBlue);
  Frame(false);
  P->DrawLegend(-1, R);
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(37, 22, 46, 29));

  // Line and pointer.
  L->GetPointer().Show();
  Frame(false);
  L->DrawLegend(-1, R);
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(20, 22, 62, 29));

  auto* A = Series<TAreaSeries>({{1, 1}}, clGreen);
  Frame(false);
  A->DrawLegend(-1, R);
  EXPECT_GT(Ink(R, clGreen), 42 * 10 / 2);  // filled
}

// ------------------------------------------------------------ every type

struct TypeCase {
  const char* Name;
  std::function<TCustomSeries*(TTestChart&)> Make;
};

template <class T>
TCustomSeries* Make(TTestChart& Chart) {
  auto* S = new T(&Chart);
  S->SetParentChart(&Chart);
  S->SetSeriesColor(clRed);
  S->GetPointer().Show();
  return S;
}

class TEverySeriesTypeTest : public TLineChartFixture,
                             public ::testing::WithParamInterface<TypeCase> {
 protected:
  // Values along the value axis, placed at ascending positions on the
  // other one (a horizontal series holds its values in X).
  TCustomSeries* Filled(const std::vector<double>& Values) {
    TCustomSeries* S = GetParam().Make(Chart);
    for (size_t I = 0; I < Values.size(); ++I) {
      const double At = 20.0 + 30.0 * static_cast<double>(I);
      if (S->GetYMandatory())
        S->AddXY(At, Values[I]);
      else
        S->AddXY(Values[I], At * 0.5);
    }
    return S;
  }
};

TEST_P(TEverySeriesTypeTest, SurvivesBeingClearedDuringAMouseInteraction) {
  TCustomSeries* S = Filled({10, 40, 20, 60, 30});
  DrawAll();  // the visible range now covers five points
  S->Clear();
  for (const TPoint& P : {TPoint(40, 80), TPoint(70, 50), TPoint(100, 90), TPoint(0, 0)})
    EXPECT_EQ(S->Clicked(P.X, P.Y), -1);
  Frame(false);
  S->DrawAllValues();  // the stale range draws nothing
  S->DrawMarks();
  EXPECT_EQ(NotWhite(TRect(0, 0, 220, 120)), 0);

  // Points deleted between two frames are not looked at either.
  TCustomSeries* T = Filled({10, 40, 20, 60, 30});
  DrawAll();
  T->Delete(2, 3);
  for (const TPoint& P : {TPoint(100, 90), TPoint(130, 50), TPoint(160, 80)})
    EXPECT_EQ(T->Clicked(P.X, P.Y), -1);
  Frame(false);
  T->DrawAllValues();
}

TEST_P(TEverySeriesTypeTest, DrawsOnALogarithmicAxisWithValuesOfZeroAndBelow) {
  for (TChartAxis* Axis : {Chart.GetLeftAxis(), Chart.GetBottomAxis()}) {
    Axis->SetLogarithmic(true);
    Layout(*Axis, 1, 200);
  }
  TCustomSeries* S = Filled({-5, 0, 50, -1e300, 80});
  DrawAll();
  S->DrawMarks();
  const TRect Box = PixelProbe::InkBox(Bitmap);
  EXPECT_GT(NotWhite(TRect(0, 0, 220, 120)), 0);
  // Nothing beyond the chart rectangle but the pointers' halves.
  EXPECT_GE(Box.Left, 10 - 5);
  EXPECT_GE(Box.Top, 10 - 5);
  EXPECT_LE(Box.Right, 211 + 5);
  EXPECT_LE(Box.Bottom, 111 + 5);
  EXPECT_EQ(S->Clicked(300, 300), -1);
}

INSTANTIATE_TEST_SUITE_P(Types, TEverySeriesTypeTest,
                         ::testing::Values(TypeCase{"Line", &Make<TLineSeries>},
                                           TypeCase{"HorizLine", &Make<THorizLineSeries>},
                                           TypeCase{"Point", &Make<TPointSeries>},
                                           TypeCase{"Area", &Make<TAreaSeries>},
                                           TypeCase{"HorizArea", &Make<THorizAreaSeries>}),
                         [](const ::testing::TestParamInfo<TypeCase>& I) {
                           return std::string(I.param.Name);
                         });

}  // namespace

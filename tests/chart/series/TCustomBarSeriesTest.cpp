#include "chart/series/TCustomBarSeries.h"

#include "chart/series/TBarSeries.h"
#include "chart/series/TBarSeriesGradient.h"
#include "chart/series/TErrorBarSeries.h"
#include "chart/series/TErrorSeries.h"
#include "chart/series/THighLowSeries.h"
#include "chart/series/THorizBarSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TSeriesMarks.h"
#include "tests/chart/series/BarTestCharts.h"

#include <string>
#include <vector>

namespace {

class TCustomBarSeriesTest : public TBarChartFixture {
 protected:
  TBarSeries* Bars(const std::vector<double>& Values, TColor Color = clRed) {
    auto* S = New<TBarSeries>();
    S->SetSeriesColor(Color);
    S->GetMarks().SetVisible(false);
    for (double V : Values) S->Add(V);
    return S;
  }
};

TEST_F(TCustomBarSeriesTest, StartsWithItsDefaultsAndPublishesTheBarPropertiesInOrder) {
  TBarSeries Fresh(nullptr);
  EXPECT_EQ(Fresh.GetMultiBar(), mbSide);
  EXPECT_EQ(Fresh.GetBarWidthPercent(), 70);
  EXPECT_TRUE(Fresh.GetSideMargins());
  EXPECT_TRUE(Fresh.GetUseYOrigin());
  EXPECT_TRUE(Fresh.GetMarks().GetVisible());
  EXPECT_EQ(Fresh.GetMarks().GetArrowLength(), 20);
  EXPECT_TRUE(Fresh.GetGradient().GetVisible());
  EXPECT_EQ(Fresh.GetGradient().GetDirection(), gdTopBottom);
  EXPECT_EQ(THorizBarSeries(nullptr).GetGradient().GetDirection(), gdLeftRight);
  EXPECT_FALSE(Fresh.GetTickLines().GetVisible());
  EXPECT_EQ(Fresh.GetYValues().GetName(), Korconst::KorMsg_ValuesBar);
  EXPECT_EQ(Fresh.GetEditorClass(), QStringLiteral("TBarSeriesEditor"));

  const TPropertyList& P = Fresh.Properties();
  const int Base = TChartSeries(nullptr).Properties().Count();
  const char* Names[] = {"AutoBarSize",  "AutoMarkPosition", "BarBrush",  "BarPen",
                         "BarStyle",     "BarWidthPercent",  "BevelSize", "Dark3D",
                         "DepthPercent", "Gradient",         "MultiBar",  "OffsetPercent",
                         "SideMargins",  "StackGroup",       "TickLines", "UseYOrigin",
                         "YOrigin",      "CustomBarWidth"};
  ASSERT_EQ(P.Count(), Base + 18);
  for (int I = 0; I < 18; ++I) EXPECT_EQ(P.Item(Base + I).Name, QString::fromLatin1(Names[I]));
  ASSERT_TRUE(SetPropertyValue(Fresh, QStringLiteral("MultiBar"), int(mbStacked)));
  EXPECT_EQ(Fresh.GetMultiBar(), mbStacked);
  EXPECT_EQ(THorizBarSeries(nullptr).Properties().Item(Base + 17).Name,
            QStringLiteral("CustomBarHeight"));
}

TEST_F(TCustomBarSeriesTest, SeriesOfTheSameClassShareMultiBarAndSideMargins) {
  TBarSeries* A = Bars({1});
  A->SetMultiBar(mbStacked);
  A->SetSideMargins(false);
  TBarSeries* B = Bars({2});
  EXPECT_EQ(B->GetMultiBar(), mbStacked);  // adopted on joining the chart
  EXPECT_FALSE(B->GetSideMargins());
  B->SetMultiBar(mbNone);
  EXPECT_EQ(A->GetMultiBar(), mbNone);
  A->SetSideMargins(true);
  EXPECT_TRUE(B->GetSideMargins());

  // A derived class counts as the same class, an unrelated one does not.
  auto* Errors = New<TErrorBarSeries>();
  auto* Horizontal = New<THorizBarSeries>();
  EXPECT_EQ(Errors->GetMultiBar(), mbNone);
  EXPECT_EQ(Horizontal->GetMultiBar(), mbSide);
  Errors->SetMultiBar(mbStacked100);
  EXPECT_EQ(A->GetMultiBar(), mbStacked100);
  EXPECT_EQ(Horizontal->GetMultiBar(), mbSide);
  EXPECT_TRUE(A->SameBarClass(Errors));
  EXPECT_TRUE(Errors->SameBarClass(A));
  EXPECT_FALSE(A->SameBarClass(Horizontal));
}

TEST_F(TCustomBarSeriesTest, ThreeSideBySideSeriesTakeSlotsAndMarginsOfTheWholeGroup) {
  TBarSeries* A = Bars({1, 2, 3, 4});
  TBarSeries* B = Bars({1, 2, 3, 4});
  TBarSeries* C = Bars({1, 2, 3, 4});
  Prepare();
  EXPECT_EQ(A->GetNumBars(), 3);
  EXPECT_EQ(A->GetOrderPosition(), 1);
  EXPECT_EQ(C->GetOrderPosition(), 3);
  EXPECT_EQ(B->GetPreviousCount(), 4);
  EXPECT_EQ(C->GetPreviousCount(), 8);
  EXPECT_EQ(A->GetMaxBarPoints(), 5);  // one extra category for the side margins
  int Left = 0;
  int Right = 0;
  A->CalcHorizMargins(Left, Right);
  // 200 / 5 pixels a category, 70 % of it for three bars, made even.
  EXPECT_EQ(A->GetBarSize(), 10);
  EXPECT_EQ(Left, 30);
  EXPECT_EQ(Right, 30);

  A->SetSideMargins(false);
  Prepare();
  Left = Right = 0;
  A->CalcHorizMargins(Left, Right);
  EXPECT_EQ(A->GetBarSize(), 12);
  EXPECT_EQ(Left, 18);  // one and a half bars
  EXPECT_EQ(Right, 18);
}

TEST_F(TCustomBarSeriesTest, StackGroupsGiveOneSlotEach) {
  TBarSeries* A = Bars({1});
  TBarSeries* B = Bars({1});
  TBarSeries* C = Bars({1});
  B->SetStackGroup(1);
  A->SetMultiBar(mbStacked);
  Prepare();
  EXPECT_EQ(A->GetNumBars(), 2);
  EXPECT_EQ(A->GetOrderPosition(), 1);
  EXPECT_EQ(B->GetOrderPosition(), 2);
  EXPECT_EQ(C->GetOrderPosition(), 1);
  EXPECT_DOUBLE_EQ(C->PointOrigin(0, false), 1);  // A only: B stacks apart
}

TEST_F(TCustomBarSeriesTest, ACustomSizeOfZeroReturnsToThePercentWidth) {
  TBarSeries* S = Bars({1, 2, 3});
  S->SetCustomBarSize(7);
  Prepare();
  EXPECT_EQ(S->GetBarSize(), 7);
  S->SetCustomBarSize(0);
  Prepare();
  EXPECT_EQ(S->GetBarSize(), 36);  // 200 / 4 * 70 %, made even
}

TEST_F(TCustomBarSeriesTest, FullStackingOfAnEmptyStackPutsTheBarAtPixelZero) {
  TBarSeries* A = Bars({0, 30});
  TBarSeries* B = Bars({0, 10});
  A->SetMultiBar(mbStacked100);
  Prepare();
  EXPECT_EQ(B->GetOriginPos(0), 0);
  EXPECT_EQ(B->CalcYPos(0), 0);
  EXPECT_EQ(B->GetOriginPos(1), 110 - 75);  // 30 of 40
  EXPECT_EQ(B->CalcYPos(1), 10);            // 100 %
  EXPECT_DOUBLE_EQ(A->MaxYValue(), 100);
  EXPECT_DOUBLE_EQ(A->MinYValue(), 0);
}

TEST_F(TCustomBarSeriesTest, SelfStackingStacksTheSeriesOwnValuesInOneColumn) {
  TBarSeries* S = Bars({10, 20, 30});
  S->SetMultiBar(mbSelfStack);
  Prepare();
  EXPECT_DOUBLE_EQ(S->PointOrigin(2, false), 30);
  EXPECT_DOUBLE_EQ(S->MaxYValue(), 60);
  EXPECT_EQ(S->CalcYPos(2), 110 - 60);
  EXPECT_EQ(S->GetFirstValueIndex(), 0);
  EXPECT_EQ(S->GetLastValueIndex(), 2);
}

// ------------------------------------------------------------ gradient colours

TEST_F(TCustomBarSeriesTest, RelativeGradientScalesTheBarColourByTheValue) {
  TBarSeries* S = Bars({0, 50, 100}, RGB(0, 0, 200));
  TBarSeriesGradient& G = S->GetGradient();
  G.SetStartColor(clWhite);
  EXPECT_EQ(S->CalcGradientColor(1), RGB(0, 0, 200));  // not relative: the bar colour
  G.SetRelative(true);
  EXPECT_EQ(S->CalcGradientColor(0), clWhite);
  EXPECT_EQ(S->CalcGradientColor(1), RGB(128, 128, 228));
  EXPECT_EQ(S->CalcGradientColor(2), RGB(0, 0, 200));
}

struct GradientCase {
  const char* Name;
  std::vector<double> Values;
  double Origin;
  int Index;
  TColor Expected;
};

class TBarGradientFaultTest : public TCustomBarSeriesTest,
                              public ::testing::WithParamInterface<GradientCase> {};

// Without a range above the low value the ratio used to divide by zero or
// to leave 0 .. 1, and a channel then spilled into its neighbour.
TEST_P(TBarGradientFaultTest, TheRatioIsOneWithoutARangeAndClampedOtherwise) {
  const GradientCase& C = GetParam();
  TBarSeries* S = Bars(C.Values, RGB(0, 0, 200));
  S->SetOrigin(C.Origin);
  S->GetGradient().SetStartColor(clWhite);
  S->GetGradient().SetRelative(true);
  EXPECT_EQ(S->CalcGradientColor(C.Index), C.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, TBarGradientFaultTest,
    ::testing::Values(GradientCase{"AllOnTheOrigin", {0, 0}, 0, 1, RGB(0, 0, 200)},
                      GradientCase{"MaximumBelowTheOrigin", {10, 40}, 50, 0, RGB(0, 0, 200)},
                      GradientCase{"ValueBelowTheOrigin", {10, 100}, 50, 0, clWhite},
                      GradientCase{"OneValue", {7}, 7, 0, RGB(0, 0, 200)}),
    [](const ::testing::TestParamInfo<GradientCase>& I) { return std::string(I.param.Name); });

// ------------------------------------------------------------ depth and Z order

TEST_F(TCustomBarSeriesTest, DepthPercentNarrowsTheBarsAboutTheirMiddle) {
  TBarSeries* S = Bars({1});
  S->SetDepth(20);
  S->SetDepthPercent(50);
  S->SetInternalZOrder(0);
  S->CalcDepthPositions();
  EXPECT_EQ(S->GetStartZ(), 5);
  EXPECT_EQ(S->GetEndZ(), 15);
  EXPECT_EQ(S->GetMiddleZ(), 10);
}

TEST_F(TCustomBarSeriesTest, SharingSeriesTakeTheZOrderOfTheFirstUnlessNone) {
  Chart.SetView3D(true);
  TBarSeries* A = Bars({1});
  TBarSeries* B = Bars({1});
  Chart.SetZOrderCount(-1);
  A->CalcZOrder();
  B->CalcZOrder();
  EXPECT_EQ(B->GetInternalZOrder(), A->GetInternalZOrder());
  A->SetMultiBar(mbNone);
  Chart.SetZOrderCount(-1);
  A->CalcZOrder();
  B->CalcZOrder();
  EXPECT_EQ(B->GetInternalZOrder(), A->GetInternalZOrder() + 1);
}

TEST_F(TCustomBarSeriesTest, SubGalleryOffersStylesStackingAndSides) {
  TBarSeries* S = Bars({1, 2});
  const QStringList Items = S->CreateSubGallery();
  ASSERT_EQ(Items.size(), 11);
  EXPECT_EQ(Items[5], Korconst::KorMsg_Gradient);
  EXPECT_EQ(Items[8], Korconst::KorMsg_SelfStack);
  EXPECT_EQ(Items[10], Korconst::KorMsg_SideAll);
  S->SetSubGallery(2);
  EXPECT_EQ(S->GetBarStyle(), bsPyramid);
  S->PrepareForGallery(true);
  EXPECT_EQ(S->GetBarWidthPercent(), 85);
  EXPECT_EQ(S->GetBarStyle(), bsRectGradient);
  EXPECT_EQ(S->GetMultiBar(), mbNone);
}

// ------------------------------------------------------------ every type in a real chart

// A chart whose mouse handlers tests can call.
class TMouseChart : public TChart {
 public:
  TMouseChart() : TChart(nullptr) {}
  using TChart::MouseDown;
  using TChart::MouseMove;
  using TChart::MouseUp;
};

template <class T>
class TBarAndErrorTypesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Chart.SetBounds(0, 0, 400, 300);
    Chart.SetView3D(false);
    Chart.GetLegend().SetVisible(false);
    Chart.SetColor(clWhite);
    Series = new T(&Chart);
    Chart.AddSeries(Series);
    Series->SetSeriesColor(clRed);
  }
  void Fill(const std::vector<double>& Values) {
    for (size_t I = 0; I < Values.size(); ++I) {
      const double V = Values[I];
      if constexpr (std::is_base_of_v<TCustomErrorSeries, T>)
        Series->AddErrorBar(double(I), V, 0.5 + I);
      else if constexpr (std::is_same_v<T, THighLowSeries>)
        Series->AddHighLow(double(I), V + 1, V - 1);
      else
        Series->Add(V);
    }
  }
  void Draw() { Chart.Draw(Bitmap.GetCanvas(), TRect(0, 0, 400, 300)); }

  TMouseChart Chart;
  T* Series = nullptr;  // owned by the chart
  TBitmap Bitmap{400, 300};
};

using SeriesTypes =
    ::testing::Types<TBarSeries, THorizBarSeries, TErrorSeries, TErrorBarSeries, THighLowSeries>;
TYPED_TEST_SUITE(TBarAndErrorTypesTest, SeriesTypes);

TYPED_TEST(TBarAndErrorTypesTest, SurvivesBeingClearedOrShortenedByItsOwnClick) {
  this->Fill({4, 7, 5, 8, 6});
  this->Draw();
  // A point of the series: search the chart for a pixel the series hits.
  TPoint Hit(-1, -1);
  for (int Y = 0; Y < 300 && Hit.X < 0; ++Y)
    for (int X = 0; X < 400 && Hit.X < 0; ++X)
      if (this->Series->Clicked(X, Y) >= 0) Hit = TPoint(X, Y);
  ASSERT_GE(Hit.X, 0);
  int Clicks = 0;
  this->Series->OnClick = [&Clicks](TChartSeries* S, int, TMouseButton, TShiftState, int, int) {
    ++Clicks;
    if (Clicks == 1)
      S->Delete(S->Count() - 2, 2);  // leaves the visible range of the last pass
    else
      S->Clear();
  };
  this->Series->OnMouseEnter = [](TChartSeries*) {};
  this->Chart.MouseDown(mbLeft, TShiftState(), Hit.X, Hit.Y);
  this->Chart.MouseMove(TShiftState(), Hit.X, Hit.Y);
  this->Chart.MouseUp(mbLeft, TShiftState(), Hit.X, Hit.Y);
  for (int Y = 0; Y < 300; Y += 3)
    for (int X = 0; X < 400; X += 3) ASSERT_LT(this->Series->Clicked(X, Y), 3);
  if (this->Series->Clicked(Hit.X, Hit.Y) >= 0) {
    this->Chart.MouseDown(mbLeft, TShiftState(), Hit.X, Hit.Y);
    EXPECT_EQ(Clicks, 2);
  } else {
    this->Series->Clear();
  }
  EXPECT_EQ(this->Series->Count(), 0);
  this->Chart.MouseMove(TShiftState(), Hit.X, Hit.Y);
  EXPECT_EQ(this->Series->Clicked(Hit.X, Hit.Y), -1);
  this->Draw();
}

TYPED_TEST(TBarAndErrorTypesTest, DrawsOnALogarithmicAxisWithValuesAtOrBelowZero) {
  this->Fill({-3, 0, 0.5, 10, 100});
  this->Series->GetMarks().SetVisible(false);
  const bool Horizontal = std::is_same_v<TypeParam, THorizBarSeries>;
  TChartAxis* Axis = Horizontal ? this->Chart.GetBottomAxis() : this->Chart.GetLeftAxis();
  // A fixed range: an automatic one below zero is refused by the axis.
  Axis->SetMinMax(0.1, 1000);
  Axis->SetLogarithmic(true);
  this->Chart.SetClipPoints(false);
  this->Draw();
  // Whatever has no logarithm is held at the axis ends: nothing of the
  // series leaves the chart rectangle, even unclipped.
  const TRect Plot = this->Chart.GetPlotRect();
  const TRect Around(Plot.Left - 1, Plot.Top - 1, Plot.Right + 2, Plot.Bottom + 2);
  const int Inside = PixelProbe::Count(this->Bitmap, Around, clRed);
  EXPECT_EQ(PixelProbe::Count(this->Bitmap, clRed), Inside);
  EXPECT_GT(Inside, 0);
}

}  // namespace

#include "chart/series/TBubbleSeries.h"

#include "chart/series/TArrowSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TKorGradient.h"
#include "tests/chart/series/LineTestCharts.h"
#include "tests/chart/series/SeriesTypeChecks.h"

#include <array>
#include <vector>

namespace {

class TBubbleSeriesTest : public TLineChartFixture {
 protected:
  // A bubble series in red with the bubbles (x, y, radius).
  TBubbleSeries* Bubbles(const std::vector<std::array<double, 3>>& Items) {
    auto* S = Series<TBubbleSeries>({});
    for (const auto& B : Items) S->AddBubble(B[0], B[1], B[2]);
    return S;
  }
};

TEST_F(TBubbleSeriesTest, StartsAsColouredCirclesAndPublishesRadiusAndSquared) {
  TBubbleSeries S(nullptr);
  EXPECT_EQ(S.GetPointer().GetStyle(), psCircle);
  EXPECT_FALSE(S.GetPointer().GetInflateMargins());
  EXPECT_FALSE(S.GetPointer().GetAllowChangeSize());
  EXPECT_TRUE(S.GetMarks().GetTransparent());
  EXPECT_FALSE(S.GetMarks().GetPen().GetVisible());
  EXPECT_TRUE(S.GetColorEachPoint());
  EXPECT_EQ(S.GetRadiusValues().GetName(), QStringLiteral("Radius"));
  EXPECT_EQ(S.GetEditorClass(), QStringLiteral("TBubbleSeriesEditor"));

  const int Base = TPointSeries(nullptr).Properties().Count();
  const TPropertyList& P = S.Properties();
  ASSERT_EQ(P.Count(), Base + 2);
  EXPECT_EQ(P.Item(Base).Name, QStringLiteral("RadiusValues"));
  EXPECT_EQ(P.Item(Base + 1).Name, QStringLiteral("Squared"));
}

TEST_F(TBubbleSeriesTest, RadiiAreAxisUnitsOnEachAxis) {
  auto* S = Bubbles({{100, 20, 10}});
  S->PreparePointer(0);
  EXPECT_EQ(S->GetPointer().GetVertSize(), 10);
  EXPECT_EQ(S->GetPointer().GetHorizSize(), 10);
  // Two pixels per unit on the vertical axis, one on the horizontal.
  Layout(*Chart.GetLeftAxis(), 0, 50);
  S->PreparePointer(0);
  EXPECT_EQ(S->GetPointer().GetVertSize(), 20);
  EXPECT_EQ(S->GetPointer().GetHorizSize(), 20);  // squared: the vertical size
  S->SetSquared(false);
  S->PreparePointer(0);
  EXPECT_EQ(S->GetPointer().GetVertSize(), 20);
  EXPECT_EQ(S->GetPointer().GetHorizSize(), 10);
}

TEST_F(TBubbleSeriesTest, TheVerticalRangeTakesInEveryBubble) {
  auto* S = Bubbles({{20, 30, 5}, {60, 80, 30}, {90, 50, 0}});
  EXPECT_DOUBLE_EQ(S->MaxYValue(), 110);
  EXPECT_DOUBLE_EQ(S->MinYValue(), 25);
  EXPECT_DOUBLE_EQ(S->MaxZValue(), 30);
  EXPECT_DOUBLE_EQ(S->MinZValue(), -30);
  S->GetPointer().SetDraw3D(false);
  EXPECT_DOUBLE_EQ(S->MaxZValue(), S->GetZOrder());
  EXPECT_DOUBLE_EQ(S->MinZValue(), S->GetZOrder());

  TBubbleSeries Other(nullptr);
  TArrowSeries Arrows(nullptr);
  EXPECT_TRUE(S->IsValidSourceOf(&Other));
  EXPECT_FALSE(S->IsValidSourceOf(&Arrows));
}

TEST_F(TBubbleSeriesTest, BubblesAreCirclesOrEllipsesOfTheirRadius) {
  auto* S = Bubbles({{100, 50, 20}});
  S->SetValueColor(0, clBlue);
  DrawAll();
  // Centre (110, 60), 20 pixels either way.
  EXPECT_EQ(Bitmap.GetPixel(110, 60), clBlue);
  EXPECT_EQ(Bitmap.GetPixel(110, 44), clBlue);
  EXPECT_EQ(Bitmap.GetPixel(126, 60), clBlue);
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(90, 40, 130, 80));  // as an ellipse in the box
  // Drawing does not change the sizes the pointer stores.
  EXPECT_EQ(S->GetPointer().GetHorizSize(), 4);

  // Twice as many pixels per unit vertically: a standing ellipse, still
  // centred on (110, 60).
  S->SetSquared(false);
  S->SetYValue(0, 25);
  Layout(*Chart.GetLeftAxis(), 0, 50);
  Frame(false);
  DrawAll();
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(90, 20, 130, 100));
  EXPECT_EQ(Bitmap.GetPixel(110, 25), clBlue);
}

TEST_F(TBubbleSeriesTest, ARadiusOfZeroDrawsAtMostThePointAndKeepsThePointerStorable) {
  auto* S = Bubbles({{100, 50, 0}, {150, 50, 10}});
  DrawAll();
  // The centre (110, 60) at most: nothing around it.
  EXPECT_EQ(NotWhite(TRect(100, 50, 121, 71)) - NotWhite(TRect(110, 60, 111, 61)), 0);
  EXPECT_GT(NotWhite(TRect(150, 50, 171, 71)), 200);
  Prepare();
  EXPECT_EQ(S->Clicked(110, 60), 0);  // on the point itself
  EXPECT_EQ(S->Clicked(112, 60), -1);
  // The pointer's own sizes are still ones a stored chart can be read with.
  EXPECT_EQ(S->GetPointer().GetHorizSize(), 4);
  EXPECT_EQ(S->GetPointer().GetVertSize(), 4);
}

TEST_F(TBubbleSeriesTest, ClickedTestsTheShapeOfThePointerStyle) {
  auto* S = Bubbles({{100, 50, 20}});  // box (90, 40) - (130, 80)
  Prepare();
  struct TCase {
    TSeriesPointerStyle Style;
    TPoint Inside;
    TPoint Outside;
  };
  const TCase Cases[] = {
      {psCircle, {125, 60}, {93, 43}},       {psRectangle, {93, 43}, {89, 60}},
      {psTriangle, {95, 75}, {95, 45}},      {psDownTriangle, {95, 45}, {95, 75}},
      {psDiamond, {100, 60}, {95, 45}},      {psLeftTriangle, {125, 45}, {95, 45}},
      {psRightTriangle, {95, 45}, {125, 45}}};
  for (const TCase& C : Cases) {
    S->GetPointer().SetStyle(C.Style);
    EXPECT_EQ(S->Clicked(C.Inside.X, C.Inside.Y), 0) << C.Style;
    EXPECT_EQ(S->Clicked(C.Outside.X, C.Outside.Y), -1) << C.Style;
  }
  S->GetPointer().SetStyle(psNothing);
  EXPECT_EQ(S->Clicked(111, 61), -1);
  // The event's style wins over the pointer's.
  S->OnGetPointerStyle = [](TCustomSeries*, int) { return psRectangle; };
  EXPECT_EQ(S->Clicked(93, 43), 0);
}

TEST_F(TBubbleSeriesTest, TheLegendSymbolTakesTheLegendsSizeNotTheRadius) {
  auto* S = Bubbles({{100, 50, 1}});
  S->DrawLegendShape(0, TRect(150, 10, 170, 22));
  // The smaller side (12) limited to a third of each side: half sizes 6
  // and 4 around (160, 16), whatever the bubble's 1-pixel radius.
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(154, 12, 166, 20));
  EXPECT_EQ(S->GetPointer().GetHorizSize(), 4);
  S->PreparePointer(0);
  EXPECT_EQ(S->GetPointer().GetHorizSize(), 1);
}

TEST_F(TBubbleSeriesTest, GalleryBubblesHaveAGradientAndSamplesHaveRadii) {
  auto* S = Series<TBubbleSeries>({});
  S->PrepareForGallery(true);
  EXPECT_TRUE(S->GetPointer().GetGradient().GetVisible());
  S->Clear();
  S->AddSampleValues(8);
  ASSERT_EQ(S->Count(), 8);
  for (int I = 0; I < 8; ++I) EXPECT_GT(S->GetRadiusValues().GetValue(I), 0);
  EXPECT_LT(S->GetxValue(0), S->GetxValue(7));
}

class TBubbleSeriesTypeTest : public SeriesTypeChecks::TFixture {};

TEST_F(TBubbleSeriesTypeTest, IsMadeByNameClonedWithItsSettingsAndDrawsEmptyOrWithOnePoint) {
  Register<TBubbleSeries>(&Korconst::KorMsg_GalleryBubble, &Korconst::KorMsg_GalleryStandard, 1);
  auto* S = dynamic_cast<TBubbleSeries*>(CreateByName(QStringLiteral("TBubbleSeries")));
  ASSERT_NE(S, nullptr);
  S->SetSquared(false);
  S->GetRadiusValues().SetValueSource(QStringLiteral("Size"));
  S->AddBubble(1, 2, 3, QStringLiteral("a"), clGreen);
  auto* Clone = dynamic_cast<TBubbleSeries*>(CloneOf(*S));
  ASSERT_NE(Clone, nullptr);
  EXPECT_EQ(Clone->ClassName(), QStringLiteral("TBubbleSeries"));
  EXPECT_FALSE(Clone->GetSquared());
  EXPECT_EQ(Clone->GetRadiusValues().GetValueSource(), QStringLiteral("Size"));
  EXPECT_EQ(Clone->GetPointer().GetStyle(), psCircle);
  ASSERT_EQ(Clone->Count(), 1);
  EXPECT_DOUBLE_EQ(Clone->GetRadiusValues().GetValue(0), 3);
  EXPECT_EQ(Clone->GetValueColor(0), clGreen);

  S->Clear();
  Clone->Clear();
  ExpectDrawsIn2DAnd3D();
  S->AddBubble(1, 2, 3);
  Clone->AddBubble(4, 4, 0);
  ExpectDrawsIn2DAnd3D();
  // The automatic vertical range holds the whole bubble.
  EXPECT_LE(Chart.GetLeftAxis()->GetMinimum(), -1);
  EXPECT_GE(Chart.GetLeftAxis()->GetMaximum(), 5);
}

}  // namespace

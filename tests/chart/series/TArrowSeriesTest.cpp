#include "chart/series/TArrowSeries.h"

#include "chart/series/TBubbleSeries.h"

#include "chart/core/KorException.h"
#include "chart/core/Korconst.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "tests/chart/series/LineTestCharts.h"
#include "tests/chart/series/SeriesTypeChecks.h"

#include <array>
#include <vector>

namespace {

class TArrowSeriesTest : public TLineChartFixture {
 protected:
  // An arrow series in red with the given arrows (x0, y0, x1, y1).
  TArrowSeries* Arrows(const std::vector<std::array<double, 4>>& Items) {
    auto* S = Series<TArrowSeries>({});
    for (const auto& A : Items) S->AddArrow(A[0], A[1], A[2], A[3]);
    return S;
  }
};

TEST_F(TArrowSeriesTest, StartsWithDateTimeStartsAndPublishesTheArrowProperties) {
  TArrowSeries S(nullptr);
  EXPECT_TRUE(S.GetStartXValues().GetDateTime());
  EXPECT_TRUE(S.GetEndXValues().GetDateTime());
  EXPECT_FALSE(S.GetEndYValues().GetDateTime());
  EXPECT_EQ(S.GetEndXValues().GetName(), QStringLiteral("EndX"));
  EXPECT_EQ(S.GetEndYValues().GetName(), QStringLiteral("EndY"));
  EXPECT_FALSE(S.GetPointer().GetInflateMargins());
  EXPECT_TRUE(S.GetMarks().GetTransparent());
  EXPECT_FALSE(S.GetMarks().GetPen().GetVisible());
  EXPECT_EQ(S.GetEditorClass(), QStringLiteral("TArrowSeriesEditor"));
  // No pointer styles in the sub-gallery.
  EXPECT_EQ(S.CreateSubGallery().size(), 6);

  const int Base = TPointSeries(nullptr).Properties().Count();
  const TPropertyList& P = S.Properties();
  const char* Names[] = {"StartXValues", "StartYValues", "EndXValues",  "EndYValues",
                         "ArrowWidth",   "ArrowHeight",  "ArrowPercent"};
  ASSERT_EQ(P.Count(), Base + 7);
  for (int I = 0; I < 7; ++I) EXPECT_EQ(P.Item(Base + I).Name, QString::fromLatin1(Names[I]));
  // The head sizes are the pointer's and streamed with it.
  S.SetArrowWidth(9);
  EXPECT_EQ(S.GetPointer().GetHorizSize(), 9);
  EXPECT_FALSE(P.Find(QStringLiteral("ArrowWidth"))->IsStored(S));
  EXPECT_FALSE(P.Find(QStringLiteral("ArrowHeight"))->IsStored(S));
  EXPECT_THROW(S.SetArrowHeight(0), ChartException);
}

TEST_F(TArrowSeriesTest, EndsFollowTheirStartsAndTheRangeCoversBoth) {
  auto* S = Arrows({{50, 10, 80, 90}, {20, 60, 40, 20}});
  // Sorted by start X: the second arrow comes first, with its own end.
  EXPECT_DOUBLE_EQ(S->GetxValue(0), 20);
  EXPECT_DOUBLE_EQ(S->GetEndXValues().GetValue(0), 40);
  EXPECT_DOUBLE_EQ(S->GetEndYValues().GetValue(1), 90);
  EXPECT_DOUBLE_EQ(S->MinXValue(), 20);
  EXPECT_DOUBLE_EQ(S->MaxXValue(), 80);
  EXPECT_DOUBLE_EQ(S->MinYValue(), 10);
  EXPECT_DOUBLE_EQ(S->MaxYValue(), 90);
  // Ends beyond the starts on the other side.
  S->AddArrow(100, 95, 5, -10);
  EXPECT_DOUBLE_EQ(S->MinXValue(), 5);
  EXPECT_DOUBLE_EQ(S->MinYValue(), -10);
  EXPECT_DOUBLE_EQ(S->MaxYValue(), 95);

  TPoint From;
  TPoint To;
  S->GetArrowPoints(0, From, To);
  EXPECT_EQ(From, TPoint(30, 50));
  EXPECT_EQ(To, TPoint(50, 90));

  TArrowSeries Other(nullptr);
  TBubbleSeries Bubbles(nullptr);
  EXPECT_TRUE(S->IsValidSourceOf(&Other));
  EXPECT_FALSE(S->IsValidSourceOf(&Bubbles));
  EXPECT_FALSE(S->IsValidSourceOf(S));
}

TEST_F(TArrowSeriesTest, FlatArrowsAreOutlinesInThePointsColour) {
  auto* S = Arrows({{20, 50, 120, 50}, {150, 20, 150, 80}});
  S->SetValueColor(1, clBlue);
  DrawAll();
  // The shaft from (30, 60) to (130, 60) and a head 4 pixels long and 4
  // wide, nothing filled.
  EXPECT_EQ(Ink(TRect(30, 60, 131, 61), clRed), 101);
  auto OffShaft = [&](int Left, int Right) {
    return Ink(TRect(Left, 55, Right, 60), clRed) + Ink(TRect(Left, 61, Right, 65), clRed);
  };
  EXPECT_GE(OffShaft(125, 131), 4);
  EXPECT_EQ(OffShaft(20, 140), OffShaft(125, 131));
  EXPECT_EQ(NotWhite(TRect(20, 64, 140, 70)), 0);
  EXPECT_EQ(NotWhite(TRect(20, 50, 140, 57)), 0);
  // The second arrow points up from (160, 90) to (160, 30).
  EXPECT_EQ(Ink(TRect(160, 30, 161, 91), clBlue), 61);

  // A null point draws no arrow.
  Frame(false);
  S->SetNull(1, true);
  DrawAll();
  EXPECT_EQ(Ink(TRect(150, 20, 170, 100), clBlue), 0);
  EXPECT_EQ(NotWhite(TRect(150, 20, 170, 100)), 0);
}

TEST_F(TArrowSeriesTest, ArrowsIn3DAreFilledAsWideAsTheirPercent) {
  auto* S = Arrows({{20, 50, 180, 50}});
  S->SetArrowWidth(12);
  S->SetArrowHeight(12);
  Frame(true);
  S->CalcDepthPositions();
  DrawAll();
  // Body half width 12 * 50% / 2 = 3 pixels over some 150 pixels.
  const int Half = Ink(TRect(0, 0, 220, 120), clRed);
  EXPECT_GT(Half, 500);

  Frame(true);
  S->SetArrowPercent(100);
  DrawAll();
  const int Whole = Ink(TRect(0, 0, 220, 120), clRed);
  EXPECT_GT(Whole, Half + 400);
}

TEST_F(TArrowSeriesTest, ClickedFindsTheShaftWithinThePenWidth) {
  auto* S = Arrows({{20, 50, 120, 50}, {150, 20, 150, 80}, {60, 20, 60, 20}});
  Prepare();
  EXPECT_EQ(S->Clicked(80, 60), 0);
  EXPECT_EQ(S->Clicked(80, 62), 0);  // pen width 1, plus one pixel
  EXPECT_EQ(S->Clicked(80, 63), -1);
  EXPECT_EQ(S->Clicked(160, 70), 2);
  S->GetPen().SetWidth(3);
  EXPECT_EQ(S->Clicked(80, 64), 0);
  EXPECT_EQ(S->Clicked(80, 65), -1);

  // An arrow that ends where it starts draws nothing and is still found
  // around its point (70, 90).
  Frame(false);
  DrawAll();
  EXPECT_EQ(NotWhite(TRect(60, 80, 80, 100)), 0);
  EXPECT_EQ(S->Clicked(70, 90), 1);
  EXPECT_EQ(S->Clicked(73, 91), 1);  // within the pen width 3, plus one pixel
  EXPECT_EQ(S->Clicked(75, 90), -1);
}

TEST_F(TArrowSeriesTest, GallerySamplesAreThreeLargeHeadedArrows) {
  auto* S = Series<TArrowSeries>({});
  S->PrepareForGallery(false);
  EXPECT_EQ(S->Count(), 3);
  EXPECT_EQ(S->GetArrowWidth(), 12);
  EXPECT_EQ(S->GetArrowHeight(), 12);
  S->Clear();
  S->AddSampleValues(6);
  ASSERT_EQ(S->Count(), 6);
  for (int I = 0; I < 6; ++I)
    EXPECT_GE(S->GetEndXValues().GetValue(I), S->GetxValue(I));  // each ends further on
}

class TArrowSeriesTypeTest : public SeriesTypeChecks::TFixture {};

TEST_F(TArrowSeriesTypeTest, IsMadeByNameClonedWithItsSettingsAndDrawsEmptyOrWithOnePoint) {
  Register<TArrowSeries>(&Korconst::KorMsg_GalleryArrow, &Korconst::KorMsg_GalleryExtended, 2);
  auto* S = dynamic_cast<TArrowSeries*>(CreateByName(QStringLiteral("TArrowSeries")));
  ASSERT_NE(S, nullptr);
  S->SetArrowPercent(70);
  S->SetArrowWidth(7);
  S->SetArrowHeight(5);
  S->GetEndYValues().SetDateTime(true);
  S->AddArrow(1, 2, 3, 4, QStringLiteral("a"), clGreen);
  auto* Clone = dynamic_cast<TArrowSeries*>(CloneOf(*S));
  ASSERT_NE(Clone, nullptr);
  EXPECT_EQ(Clone->ClassName(), QStringLiteral("TArrowSeries"));
  EXPECT_EQ(Clone->GetArrowPercent(), 70);
  EXPECT_EQ(Clone->GetArrowWidth(), 7);
  EXPECT_EQ(Clone->GetArrowHeight(), 5);
  EXPECT_TRUE(Clone->GetEndYValues().GetDateTime());
  ASSERT_EQ(Clone->Count(), 1);
  EXPECT_DOUBLE_EQ(Clone->GetEndXValues().GetValue(0), 3);
  EXPECT_DOUBLE_EQ(Clone->GetEndYValues().GetValue(0), 4);
  EXPECT_EQ(Clone->GetValueColor(0), clGreen);

  S->Clear();
  Clone->Clear();
  ExpectDrawsIn2DAnd3D();
  S->AddArrow(1, 2, 3, 4);
  Clone->AddArrow(5, 5, 5, 5);  // a single arrow without length: no range at all
  ExpectDrawsIn2DAnd3D();
}

}  // namespace

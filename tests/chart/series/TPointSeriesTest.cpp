#include "chart/series/TPointSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TMarksCallout.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TLineSeries.h"
#include "tests/chart/series/LineTestCharts.h"

namespace {

class TPointSeriesTest : public TLineChartFixture {};

TEST_F(TPointSeriesTest, ShowsPointersOnlyAlsoAfterAssigningALineOrArea) {
  TPointSeries Points(nullptr);
  EXPECT_TRUE(Points.GetPointer().GetVisible());
  EXPECT_FALSE(Points.GetClickableLine());
  EXPECT_EQ(Points.GetMarks().GetArrowLength(), 0);
  EXPECT_EQ(Points.GetEditorClass(), QStringLiteral("TSeriesPointerEditor"));
  TLineSeries Line(nullptr);
  Points.Assign(Line);
  TAreaSeries Area(nullptr);
  Points.Assign(Area);
  EXPECT_TRUE(Points.GetPointer().GetVisible());
  EXPECT_FALSE(Points.GetDrawLine());
  EXPECT_FALSE(Points.GetDrawArea());
  EXPECT_FALSE(Points.GetClickableLine());
}

TEST_F(TPointSeriesTest, DrawsEachPointerInThePointsColourWithoutLines) {
  auto* S = Series<TPointSeries>({{20, 20}, {60, 60}, {100, 20}});
  S->SetValueColor(1, clBlue);
  DrawAll();
  // Rectangles of half size 4 around (30, 90), (70, 50) and (110, 90).
  EXPECT_EQ(Ink(TRect(27, 87, 34, 94), clRed), 49);
  EXPECT_EQ(Ink(TRect(67, 47, 74, 54), clBlue), 49);
  EXPECT_EQ(NotWhite(TRect(40, 60, 60, 80)), 0);  // no segment

  S->SetTransparency(40);
  EXPECT_EQ(S->GetPointer().GetTransparency(), 40);
  S->GetPointer().SetColor(clGreen);
  S->SetColorEachPoint(true);
  EXPECT_EQ(S->GetPointer().GetColor(), clDefault);
}

TEST_F(TPointSeriesTest, GalleryPointersAreSmallInANarrowChart) {
  Chart.SetBounds(0, 0, 40, 40);
  auto* S = Series<TPointSeries>({});
  auto* Second = Series<TPointSeries>({});
  S->PrepareForGallery(true);
  Second->PrepareForGallery(true);
  EXPECT_EQ(S->GetPointer().GetHorizSize(), 4);
  EXPECT_EQ(Second->GetPointer().GetStyle(), psTriangle);
  EXPECT_EQ(S->GetPointer().GetStyle(), psRectangle);
  Chart.SetBounds(0, 0, 400, 300);
  S->PrepareForGallery(true);
  EXPECT_EQ(S->GetPointer().GetVertSize(), 6);

  EXPECT_EQ(S->CreateSubGallery().size(), 13);
  S->SetSubGallery(9);
  EXPECT_EQ(S->GetPointer().GetStyle(), psCircle);
}

}  // namespace

#include "chart/series/TLineSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/series/TPointSeries.h"
#include "tests/chart/series/Chart3DFixture.h"
#include "tests/chart/series/LineTestCharts.h"

namespace {

class TLineSeriesTest : public TLineChartFixture {};

TEST_F(TLineSeriesTest, AssignedFromAnotherClassItDrawsALineWithoutPointers) {
  TLineSeries Line(nullptr);
  EXPECT_TRUE(Line.GetDrawLine());
  EXPECT_FALSE(Line.GetPointer().GetVisible());
  EXPECT_FALSE(Line.GetSinglePointFunction());

  TPointSeries Points(nullptr);
  Points.GetPointer().SetStyle(psCircle);
  Line.Assign(Points);
  EXPECT_TRUE(Line.GetDrawLine());
  EXPECT_FALSE(Line.GetDrawArea());
  EXPECT_FALSE(Line.GetPointer().GetVisible());
  EXPECT_EQ(Line.GetPointer().GetStyle(), psCircle);

  // From a line series its pointer comes along.
  TLineSeries WithPointers(nullptr);
  WithPointers.GetPointer().Show();
  Line.Assign(WithPointers);
  EXPECT_TRUE(Line.GetPointer().GetVisible());
}

TEST_F(TLineSeriesTest, SubGalleryEntriesSwitchTheirFeatureOn) {
  auto* S = Series<TLineSeries>({{20, 20}});
  const QStringList Items = S->CreateSubGallery();
  ASSERT_EQ(Items.size(), 9);
  EXPECT_EQ(Items[1], Korconst::KorMsg_Stairs);
  EXPECT_EQ(Items[8], Korconst::KorMsg_Outline);
  S->SetSubGallery(1);
  S->SetSubGallery(2);
  S->SetSubGallery(3);
  S->SetSubGallery(7);
  S->SetSubGallery(8);
  EXPECT_TRUE(S->GetStairs());
  EXPECT_TRUE(S->GetPointer().GetVisible());
  EXPECT_EQ(S->GetLineHeight(), 5);
  EXPECT_FALSE(S->GetLinePen().GetVisible());
  EXPECT_TRUE(S->GetOutLine().GetVisible());
}

}  // namespace

namespace {

class TLineSeries3DTest : public TChart3DFixture {};

TEST_F(TLineSeries3DTest, ASegmentIsARibbonFromTheFrontToTheBackOfItsDepth) {
  // Falling, so that the ribbon shows its width beside the depth's slant.
  auto* S = Drawn<TLineSeries>({{2, 8}, {8, 2}});
  ASSERT_GT(Back - Front, 20);
  // The segment's middle, through the whole depth: the ribbon in the
  // series' colour (darkened faces keep their red).
  for (const int Z : {Front + 3, Middle, Back - 3}) EXPECT_TRUE(Reddish(At(*S, 5, 5, Z))) << Z;
  // Well above and below the line, nothing of the ribbon.
  EXPECT_FALSE(Reddish(At(*S, 5, 9.5, Middle)));
  EXPECT_FALSE(Reddish(At(*S, 5, 1.0, Front)));
}

}  // namespace

#include "chart/series/TLineSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/TChartHiddenPen.h"
#include "chart/series/TPointSeries.h"
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

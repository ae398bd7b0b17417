#include "chart/series/TFastLineSeries.h"

#include "chart/core/TSeriesMarks.h"
#include "tests/chart/series/BarTestCharts.h"

namespace {

// The hit test between two frames: the visible range is the one the last
// frame computed, and the points may have changed since.
class TFastLineSeriesClickTest : public TBarChartFixture {
 protected:
  TFastLineSeries* Trace() {
    auto* S = New<TFastLineSeries>();
    for (double X : {20.0, 60.0, 100.0, 140.0}) S->AddXY(X, X / 2);
    DrawAll();
    return S;
  }
};

TEST_F(TFastLineSeriesClickTest, AClearedSeriesFindsNothing) {
  TFastLineSeries* S = Trace();
  ASSERT_EQ(S->Clicked(110, 60), 2);
  S->Clear();
  EXPECT_EQ(S->Clicked(110, 60), -1);
  EXPECT_EQ(S->Clicked(30, 100), -1);
}

TEST_F(TFastLineSeriesClickTest, DeletedPointsAndTheirSegmentsAreNotLookedAt) {
  TFastLineSeries* S = Trace();
  S->Delete(2, 2);
  EXPECT_EQ(S->Clicked(70, 80), 1);    // still there
  EXPECT_EQ(S->Clicked(110, 60), -1);  // gone
  EXPECT_EQ(S->Clicked(90, 70), -1);   // the segment to a gone point
}

}  // namespace

#include "chart/tools/TChartImageTool.h"

#include "chart/series/TPointSeries.h"
#include "tests/chart/series/BarTestCharts.h"

#include "platform/TBitmap.h"
#include "platform/TPicture.h"

#include <gtest/gtest.h>

namespace {

// The bar tests' chart ((x, y) at pixel (10 + x, 110 - y), chart rectangle
// (10, 10, 210, 110)) with an image tool holding a small blue picture.
class TChartImageToolTest : public TBarChartFixture {
 protected:
  void SetUp() override {
    TBarChartFixture::SetUp();
    Tool = new TChartImageTool(&Chart);
    Tool->SetParentChart(&Chart);
    TPicture Picture;
    TBitmap& B = Picture.GetBitmap();
    B.SetSize(4, 3);
    B.GetCanvas().GetBrush().SetColor(clBlue);
    B.GetCanvas().FillRect(TRect(0, 0, 4, 3));
    Tool->SetPicture(Picture);
  }
  // One frame's step before the series.
  void DrawImage() {
    Frame(false);
    Tool->ChartEvent(cteBeforeDrawSeries);
  }
  int Blue(const TRect& Area) const { return Ink(Area, clBlue); }
  int AllBlue() const { return Ink(TRect(0, 0, Bitmap.GetWidth(), Bitmap.GetHeight()), clBlue); }

  TChartImageTool* Tool = nullptr;
};

TEST_F(TChartImageToolTest, StretchesOverTheSeriesRangeOrTheAxesRange) {
  auto* S = New<TPointSeries>();
  S->AddXY(20, 10);
  S->AddXY(80, 60);
  Tool->SetSeries(S);
  DrawImage();
  const TRect Range(30, 50, 90, 100);  // x 20 .. 80, y 60 .. 10
  EXPECT_EQ(Blue(Range), Range.Width() * Range.Height());
  EXPECT_EQ(AllBlue(), Range.Width() * Range.Height());

  // The axes span the chart rectangle; the picture fills it inside the
  // flat clip (which leaves out the left, top and bottom frame lines).
  Tool->SetSeries(nullptr);
  DrawImage();
  const TRect Axes(11, 11, 210, 109);
  EXPECT_EQ(Blue(Axes), Axes.Width() * Axes.Height());
  EXPECT_EQ(AllBlue(), Axes.Width() * Axes.Height());
}

TEST_F(TChartImageToolTest, APictureReachingPastTheAxesIsClippedToTheChartRectangle) {
  auto* S = New<TPointSeries>();
  S->AddXY(-50, 20);
  S->AddXY(80, 150);
  Tool->SetSeries(S);
  DrawImage();
  const TRect Visible(11, 11, 90, 90);
  EXPECT_EQ(Blue(Visible), Visible.Width() * Visible.Height());
  EXPECT_EQ(AllBlue(), Visible.Width() * Visible.Height());
}

TEST_F(TChartImageToolTest, DrawsNothingWithoutAPictureAndRepaintsOnChanges) {
  const int Before = Chart.Invalidations;
  Tool->GetPicture().SetGraphic(nullptr);
  EXPECT_GT(Chart.Invalidations, Before);
  DrawImage();
  EXPECT_EQ(AllBlue(), 0);
  const int AfterPicture = Chart.Invalidations;
  Tool->SetSeries(New<TPointSeries>());
  EXPECT_GT(Chart.Invalidations, AfterPicture);
}

}  // namespace

#include "chart/series/THighLowSeries.h"

#include "chart/series/TBarSeries.h"

#include "chart/core/Korconst.h"
#include "chart/core/Korproco.h"
#include "chart/core/TChartBrush.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "tests/chart/series/BarTestCharts.h"

namespace {

class THighLowSeriesTest : public TBarChartFixture {
 protected:
  void SetUp() override {
    TBarChartFixture::SetUp();
    Series = New<THighLowSeries>();
    Series->SetSeriesColor(clRed);
  }

  THighLowSeries* Series = nullptr;  // owned by the chart
};

TEST_F(THighLowSeriesTest, StartsWithClearBrushesAndPublishesBothListsPensAndBrushes) {
  EXPECT_EQ(Series->GetHighBrush().GetStyle(), bsClear);
  EXPECT_EQ(Series->GetLowBrush().GetStyle(), bsClear);
  EXPECT_EQ(Series->GetPen().GetColor(), clDefault);
  EXPECT_EQ(Series->GetHighValues().GetName(), Korproco::KorMsg_ValuesHigh);
  EXPECT_EQ(Series->GetLowValues().GetName(), Korproco::KorMsg_ValuesLow);
  EXPECT_EQ(Series->GetEditorClass(), QStringLiteral("THighLowEditor"));
  const int Base = TChartSeries(nullptr).Properties().Count();
  const TPropertyList& P = Series->Properties();
  const char* Names[] = {"HighValues", "LowValues", "HighPen",     "LowPen",
                         "HighBrush",  "LowBrush",  "Transparency"};
  ASSERT_EQ(P.Count(), Base + 7);
  for (int I = 0; I < 7; ++I) EXPECT_EQ(P.Item(Base + I).Name, QString::fromLatin1(Names[I]));
}

TEST_F(THighLowSeriesTest, TheRangeCoversBothListsAndOnlyHighLowSeriesAreSources) {
  Series->AddHighLow(10, 50, 20);
  Series->AddHighLow(20, 15, 30);  // crossing: low above high
  EXPECT_DOUBLE_EQ(Series->MaxYValue(), 50);
  EXPECT_DOUBLE_EQ(Series->MinYValue(), 15);
  EXPECT_DOUBLE_EQ(Series->GetLowValues().GetValue(1), 30);
  THighLowSeries Other(nullptr);
  TBarSeries Bars(nullptr);
  EXPECT_TRUE(Series->IsValidSourceOf(&Other));
  EXPECT_FALSE(Series->IsValidSourceOf(&Bars));
  EXPECT_FALSE(Series->IsValidSourceOf(Series));
}

TEST_F(THighLowSeriesTest, OnePointDrawsNothing) {
  Series->AddHighLow(50, 60, 20);
  Series->GetHighBrush().SetStyle(bsSolid);
  DrawAll();
  EXPECT_EQ(PixelProbe::Count(Bitmap, clWhite), 220 * 120);
}

TEST_F(THighLowSeriesTest, TheBandIsFilledWithTheHighOrLowBrushAndOutlinedByThePens) {
  Series->AddHighLow(20, 80, 20, QString(), clBlue);
  Series->AddHighLow(60, 80, 20, QString(), clGreen);
  Series->AddHighLow(100, 20, 80, QString(), clYellow);  // low above high
  Series->GetHighBrush().SetStyle(bsSolid);
  Series->GetLowPen().SetColor(clFuchsia);
  DrawAll();
  // From x = 20 to 60 the band is high above low: the high brush in the
  // colour of the point before.
  EXPECT_EQ(Bitmap.GetPixel(50, 60), clBlue);
  EXPECT_EQ(Bitmap.GetPixel(50, 30), clBlack);    // the high line, y = 80
  EXPECT_EQ(Bitmap.GetPixel(50, 90), clFuchsia);  // the low line, y = 20
  // From 60 to 100 the high value falls below the low: the low brush,
  // which is clear.
  EXPECT_EQ(Bitmap.GetPixel(100, 60), clWhite);
  // The joining lines: at each drawn point in the colour of the point
  // before, at the last one in its own.
  EXPECT_EQ(Bitmap.GetPixel(70, 60), clGreen);
  EXPECT_EQ(Bitmap.GetPixel(110, 45), clYellow);

  Series->GetHighBrush().SetStyle(bsClear);
  Series->GetPen().SetVisible(false);
  Series->GetHighPen().SetVisible(false);
  Series->GetLowPen().SetVisible(false);
  Frame(false);
  DrawAll();
  EXPECT_EQ(PixelProbe::Count(Bitmap, clWhite), 220 * 120);
}

TEST_F(THighLowSeriesTest, ClickedFindsTheSegmentHoldingThePoint) {
  Series->AddHighLow(20, 80, 20);
  Series->AddHighLow(60, 60, 40);
  Series->AddHighLow(100, 90, 10);
  Series->CalcFirstLastVisibleIndex();
  EXPECT_EQ(Series->Clicked(50, 60), 1);
  EXPECT_EQ(Series->Clicked(90, 60), 2);
  EXPECT_EQ(Series->Clicked(50, 25), -1);  // above the band
  EXPECT_EQ(Series->Clicked(10, 60), -1);  // before the first point
  Series->Delete(2);
  EXPECT_EQ(Series->Clicked(90, 60), -1);
}

TEST_F(THighLowSeriesTest, SubGalleryFillsOrHidesTheLines) {
  EXPECT_EQ(Series->CreateSubGallery(),
            QStringList({Korconst::KorMsg_Normal, Korconst::KorMsg_Filled, Korconst::KorMsg_NoLines,
                         Korproco::KorMsg_NoHigh, Korproco::KorMsg_NoLow}));
  Series->SetSubGallery(1);
  EXPECT_EQ(Series->GetHighBrush().GetStyle(), bsSolid);
  Series->SetSubGallery(2);
  EXPECT_FALSE(Series->GetPen().GetVisible());
  Series->SetSubGallery(3);
  EXPECT_FALSE(Series->GetHighPen().GetVisible());
  Series->SetSubGallery(4);
  EXPECT_FALSE(Series->GetLowPen().GetVisible());
}

}  // namespace

#include "chart/series/TCustomErrorSeries.h"

#include "chart/series/TErrorBarSeries.h"
#include "chart/series/TErrorSeries.h"

#include "chart/core/TChartAxis.h"
#include "chart/core/TChartPen.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TSeriesMarks.h"
#include "tests/chart/series/BarTestCharts.h"

#include <string>

namespace {

class TCustomErrorSeriesTest : public TBarChartFixture {
 protected:
  // An error series whose bar slot at x = 60 (pixel 70) is 11 pixels wide.
  TErrorSeries* Errors() {
    auto* S = New<TErrorSeries>();
    S->SetSeriesColor(clRed);
    S->SetCustomBarWidth(10);
    return S;
  }
};

TEST_F(TCustomErrorSeriesTest, ErrorSeriesPublishFiveErrorPropertiesAndBarsFixTheirStyle) {
  TErrorSeries Whiskers(nullptr);
  TErrorBarSeries WithBars(nullptr);
  EXPECT_FALSE(Whiskers.GetMarks().GetVisible());
  EXPECT_FALSE(Whiskers.GetDrawBar());
  EXPECT_TRUE(WithBars.GetDrawBar());
  EXPECT_EQ(Whiskers.GetErrorStyle(), essTopBottom);
  EXPECT_EQ(WithBars.GetErrorStyle(), essTop);
  EXPECT_EQ(Whiskers.GetErrorWidth(), 100);
  EXPECT_EQ(Whiskers.GetEditorClass(), QStringLiteral("TErrorSeriesEditor"));
  const int Base = TBarSeries(nullptr).Properties().Count();
  const TPropertyList& P = Whiskers.Properties();
  ASSERT_EQ(P.Count(), Base + 5);
  const char* Names[] = {"ErrorPen", "ErrorValues", "ErrorStyle", "ErrorWidth", "ErrorWidthUnits"};
  for (int I = 0; I < 5; ++I) EXPECT_EQ(P.Item(Base + I).Name, QString::fromLatin1(Names[I]));
  EXPECT_EQ(WithBars.Properties().Count(), Base + 4);
  EXPECT_EQ(WithBars.Properties().Find(QStringLiteral("ErrorStyle")), nullptr);
}

TEST_F(TCustomErrorSeriesTest, AddErrorBarKeepsTheErrorWithThePoint) {
  TErrorSeries* S = Errors();
  EXPECT_EQ(S->AddErrorBar(60, 50, 2.5), 0);
  EXPECT_EQ(S->AddErrorBar(30, 40, -1.5, QStringLiteral("cell 2")), 0);  // sorted by x
  EXPECT_DOUBLE_EQ(S->GetErrorValue(0), -1.5);
  EXPECT_DOUBLE_EQ(S->GetErrorValue(1), 2.5);
  S->SetErrorValue(1, 4);
  EXPECT_DOUBLE_EQ(S->GetErrorValues().GetValue(1), 4);
  EXPECT_EQ(S->GetXLabel(0), QStringLiteral("cell 2"));
}

TEST_F(TCustomErrorSeriesTest, TheSeriesColourAndTheErrorPenColourStayEqual) {
  TErrorSeries* S = Errors();
  S->SetSeriesColor(clBlue);
  EXPECT_EQ(S->GetErrorPen().GetColor(), clBlue);
  TChartPen Green;
  Green.SetColor(clGreen);
  S->SetErrorPen(Green);
  EXPECT_EQ(S->GetSeriesColor(), clGreen);
}

// The size of an error counts, not its sign: the range used to take
// y + e and y - e as they came, and a negative error shrank it.
TEST_F(TCustomErrorSeriesTest, TheValueRangeUsesTheSizeOfEachError) {
  TErrorSeries* S = Errors();
  EXPECT_DOUBLE_EQ(S->MinYValue(), 0);
  EXPECT_DOUBLE_EQ(S->MaxYValue(), 0);
  S->AddErrorBar(1, 10, -4);
  S->AddErrorBar(2, 20, 3);
  EXPECT_DOUBLE_EQ(S->MinYValue(), 6);
  EXPECT_DOUBLE_EQ(S->MaxYValue(), 23);

  auto* Bars = New<TErrorBarSeries>();
  Bars->AddErrorBar(1, 10, -4);
  Bars->AddErrorBar(2, -20, 3);
  EXPECT_DOUBLE_EQ(Bars->MaxYValue(), 14);  // away from the base only
  EXPECT_DOUBLE_EQ(Bars->MinYValue(), -23);
}

struct WhiskerCase {
  const char* Name;
  TErrorSeriesStyle Style;
  TRect Ink;
};

class TErrorWhiskerTest : public TCustomErrorSeriesTest,
                          public ::testing::WithParamInterface<WhiskerCase> {};

TEST_P(TErrorWhiskerTest, AWhiskerOfEachStyleIsTheSameForAPositiveAndANegativeError) {
  TErrorSeries* S = Errors();
  S->SetErrorStyle(GetParam().Style);
  S->AddErrorBar(60, 50, 20);  // at pixel (70, 60), 20 pixels of error
  DrawAll();
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), GetParam().Ink);
  EXPECT_EQ(PixelProbe::CountIf(Bitmap, [](TColor C) { return C != clWhite && C != clRed; }), 0);
  TBitmap Positive(Bitmap.GetWidth(), Bitmap.GetHeight());
  Positive.GetCanvas().Draw(0, 0, Bitmap);
  S->SetErrorValue(0, -20);
  Frame(false);
  DrawAll();
  EXPECT_TRUE(PixelProbe::SamePixels(Bitmap, Positive));
}

INSTANTIATE_TEST_SUITE_P(
    Styles, TErrorWhiskerTest,
    ::testing::Values(WhiskerCase{"Top", essTop, TRect(65, 40, 75, 61)},
                      WhiskerCase{"Bottom", essBottom, TRect(65, 60, 75, 81)},
                      WhiskerCase{"TopBottom", essTopBottom, TRect(65, 40, 75, 81)},
                      WhiskerCase{"Left", essLeft, TRect(50, 55, 71, 65)},
                      WhiskerCase{"Right", essRight, TRect(70, 55, 91, 65)},
                      WhiskerCase{"LeftRight", essLeftRight, TRect(50, 55, 91, 65)}),
    [](const ::testing::TestParamInfo<WhiskerCase>& I) { return std::string(I.param.Name); });

TEST_F(TCustomErrorSeriesTest, NoErrorDrawsNoWhiskerAndWidthZeroIsTheBarWidth) {
  TErrorSeries* S = Errors();
  S->AddErrorBar(60, 50, 0);
  DrawAll();
  EXPECT_EQ(PixelProbe::Count(Bitmap, clWhite), 220 * 120);

  S->SetErrorValue(0, 20);
  S->SetErrorWidth(0);
  Frame(false);
  DrawAll();
  TBitmap BarWidth(Bitmap.GetWidth(), Bitmap.GetHeight());
  BarWidth.GetCanvas().Draw(0, 0, Bitmap);
  S->SetErrorWidth(11);  // the slot: 10 pixels and one
  S->SetErrorWidthUnits(ewuPixels);
  Frame(false);
  DrawAll();
  EXPECT_TRUE(PixelProbe::SamePixels(Bitmap, BarWidth));
  S->SetErrorWidth(50);  // percent of the slot: 6 pixels, a cap of 2 * 3
  S->SetErrorWidthUnits(ewuPercent);
  Frame(false);
  DrawAll();
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(67, 40, 73, 81));
}

TEST_F(TCustomErrorSeriesTest, ABarBelowTheOriginHasItsWhiskerBelowTheBarEnd) {
  Layout(*Chart.GetLeftAxis(), -50, 50);  // y at row 60 - y
  auto* S = New<TErrorBarSeries>();
  S->SetSeriesColor(clRed);
  S->SetCustomBarWidth(10);
  S->GetMarks().SetVisible(false);
  S->AddErrorBar(60, -30, 10);
  DrawAll();
  EXPECT_EQ(Bitmap.GetPixel(70, 75), clRed);    // the bar, rows 60 .. 89
  EXPECT_EQ(Bitmap.GetPixel(70, 95), clBlack);  // the whisker, rows 90 .. 100
  EXPECT_EQ(Bitmap.GetPixel(66, 100), clBlack);
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(65, 60, 76, 101));
}

// A size has no pixel length of its own on a logarithmic axis: the
// whiskers used to take the pixels of log(e), far beyond y +- e.
TEST_F(TCustomErrorSeriesTest, OnALogarithmicAxisEachWhiskerEndsAtItsOwnValue) {
  TChartAxis& Axis = *Chart.GetLeftAxis();
  Axis.SetLogarithmic(true);
  Layout(Axis, 1, 1000);
  TErrorSeries* S = Errors();
  S->AddErrorBar(60, 10, -5);
  DrawAll();
  const TRect Ink = PixelProbe::InkBox(Bitmap);
  EXPECT_EQ(Ink.Top, Axis.CalcYPosValue(15));
  EXPECT_EQ(Ink.Bottom, Axis.CalcYPosValue(5) + 1);
  EXPECT_GT(Axis.CalcYPosValue(5) - Axis.CalcYPosValue(10),
            Axis.CalcYPosValue(10) - Axis.CalcYPosValue(15));
}

TEST_F(TCustomErrorSeriesTest, WhiskerSidesKeepRoomForTheErrorPen) {
  TErrorSeries* S = Errors();
  S->GetErrorPen().SetWidth(3);
  S->SetErrorStyle(essTop);
  int Top = 0;
  int Bottom = 0;
  S->CalcVerticalMargins(Top, Bottom);
  EXPECT_EQ(Top, 3);
  EXPECT_EQ(Bottom, 0);

  // Bars below the origin draw their whiskers downward.
  auto* Bars = New<TErrorBarSeries>();
  Bars->GetErrorPen().SetWidth(3);
  Bars->GetMarks().SetVisible(false);
  Bars->AddErrorBar(1, 5, 1);
  Top = Bottom = 0;
  Bars->CalcVerticalMargins(Top, Bottom);
  EXPECT_EQ(Bottom, 0);
  Bars->AddErrorBar(2, -5, 1);
  Top = Bottom = 0;
  Bars->CalcVerticalMargins(Top, Bottom);
  EXPECT_EQ(Top, 3);
  EXPECT_EQ(Bottom, 3);
}

TEST_F(TCustomErrorSeriesTest, TheLegendSymbolIsAWhiskerAcrossTheSymbol) {
  TErrorSeries* S = Errors();
  TColor Back = clWhite;
  TBrushStyle Style = bsSolid;
  S->PrepareLegendCanvas(-1, Back, Style);
  S->DrawLegendShape(-1, TRect(5, 3, 25, 13));
  EXPECT_EQ(PixelProbe::InkBox(Bitmap), TRect(5, 4, 25, 13));
  EXPECT_EQ(PixelProbe::Count(Bitmap, clRed),
            PixelProbe::CountIf(Bitmap, [](TColor C) { return C != clWhite; }));
}

}  // namespace

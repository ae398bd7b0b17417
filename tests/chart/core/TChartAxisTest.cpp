#include "chart/core/TChartAxis.h"

#include "TestCharts.h"
#include "chart/core/KorEngine.h"
#include "chart/core/KorException.h"
#include "chart/core/KorProcs.h"
#include "chart/core/Korconst.h"
#include "chart/core/TAxisGridPen.h"
#include "chart/core/TAxisItem.h"
#include "chart/core/TAxisItems.h"
#include "chart/core/TCanvas3D.h"
#include "chart/core/TChartAxes.h"
#include "chart/core/TChartAxisPen.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartCustomAxes.h"
#include "chart/core/TChartDepthAxis.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TKorFont.h"

#include "platform/Exception.h"
#include "platform/FormatSettings.h"
#include "platform/Rounding.h"
#include "platform/TDateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// The bottom axis spans pixels 50 .. 550 and the left axis 10 .. 310 of
// the chart rectangle unless a test lays out another one.
class TChartAxisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetFormatSettings(FormatSettings::English());
    Chart.SetView3D(false);
    Chart.SetChartRect(TRect(50, 10, 550, 310));
  }
  void TearDown() override { SetFormatSettings(SavedSettings); }

  // A fixed range taken as the internal range, over the current chart
  // rectangle.
  void Layout(TChartAxis& Axis, double Min, double Max) {
    Axis.SetMinMax(Min, Max);
    Axis.AdjustMaxMin();
    Axis.InternalCalcPositions();
  }

  // An automatic axis over what the series bound to it hold.
  void LayoutAutomatic(TChartAxis& Axis) {
    Axis.SetAutomatic(true);
    Axis.AdjustMaxMin();
    Axis.InternalCalcPositions();
  }

  TChartSeries& AddSeries() {
    auto* Series = new TChartSeries(&Chart);
    Series->SetParentChart(&Chart);
    return *Series;
  }

  bool Stored(const TPersistent& Object, const char* Name) const {
    const TPublishedProperty* P = Object.Properties().Find(QString::fromLatin1(Name));
    EXPECT_NE(P, nullptr) << Name;
    return P != nullptr && P->IsStored(Object);
  }

  const FormatSettings SavedSettings = CurrentFormatSettings();
  TTestChart Chart;
  TChartAxis& Bottom = *Chart.GetBottomAxis();
  TChartAxis& Left = *Chart.GetLeftAxis();
};

// -- value to pixel, table-driven

struct PixelCase {
  const char* Name;
  bool Horizontal;
  bool Inverted;
  bool Fast;
  double Value;
  int Pixel;
};

void PrintTo(const PixelCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class TChartAxisPixelTest : public TChartAxisTest,
                            public ::testing::WithParamInterface<PixelCase> {};

// 0 .. 100 over 500 pixels (5 per unit) horizontally and 300 (3 per unit)
// vertically; halves round to even, far values saturate, NaN goes to the
// start pixel.
TEST_P(TChartAxisPixelTest, MapsValueToPixel) {
  const PixelCase& C = GetParam();
  TChartAxis& Axis = C.Horizontal ? Bottom : Left;
  Chart.GetAxesList().SetFastCalc(C.Fast);
  Axis.SetInverted(C.Inverted);
  Layout(Axis, 0, 100);
  EXPECT_EQ(Axis.CalcPosValue(C.Value), C.Pixel);
  EXPECT_EQ(C.Horizontal ? Axis.CalcXPosValue(C.Value) : Axis.CalcYPosValue(C.Value), C.Pixel);
}

INSTANTIATE_TEST_SUITE_P(
    Linear, TChartAxisPixelTest,
    ::testing::Values(PixelCase{"HalfRoundsDown", true, false, false, 32.5, 212},
                      PixelCase{"HalfRoundsUp", true, false, false, 33.5, 218},
                      PixelCase{"FastHalfRoundsDown", true, false, true, 32.5, 212},
                      PixelCase{"FastHalfRoundsUp", true, false, true, 33.5, 218},
                      PixelCase{"InvertedHalf", true, true, false, 32.5, 388},
                      PixelCase{"InvertedOtherHalf", true, true, false, 33.5, 382},
                      PixelCase{"FastInvertedHalf", true, true, true, 32.5, 388},
                      PixelCase{"Ends", true, false, false, 100, 550},
                      PixelCase{"InvertedEnds", true, true, false, 100, 50},
                      PixelCase{"VerticalMiddle", false, false, false, 50, 160},
                      PixelCase{"VerticalMaximumOnTop", false, false, false, 100, 10},
                      PixelCase{"VerticalInverted", false, true, false, 100, 310},
                      PixelCase{"FastVertical", false, false, true, 25, 235},
                      PixelCase{"FarAbove", true, false, false, 1e300, KorMaxPixelPos},
                      PixelCase{"FarBelow", true, false, false, -1e300, -KorMaxPixelPos},
                      PixelCase{"FastFarAbove", true, false, true, 1e300, KorMaxPixelPos},
                      PixelCase{"FastFarBelow", true, false, true, -1e300, -KorMaxPixelPos},
                      PixelCase{"FastInvertedFar", true, true, true, 1e300, -KorMaxPixelPos},
                      PixelCase{"VerticalFar", false, false, false, 1e300, -KorMaxPixelPos},
                      PixelCase{"FastVerticalInfinite", false, false, true, -Inf, KorMaxPixelPos},
                      PixelCase{"NotANumber", true, false, false, NaN, 50},
                      PixelCase{"FastNotANumber", true, true, true, NaN, 50},
                      PixelCase{"VerticalNotANumber", false, false, false, NaN, 10}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// -- logarithmic axis, table-driven: 1 .. 1000 over 0 .. 300 pixels, 100
// pixels per decade

class TChartAxisLogTest : public TChartAxisTest, public ::testing::WithParamInterface<PixelCase> {};

TEST_P(TChartAxisLogTest, MapsValueToPixel) {
  const PixelCase& C = GetParam();
  Chart.SetChartRect(TRect(0, 0, 300, 300));
  TChartAxis& Axis = C.Horizontal ? Bottom : Left;
  Axis.SetInverted(C.Inverted);
  Layout(Axis, 1, 1000);
  Axis.SetLogarithmic(true);
  EXPECT_EQ(Axis.CalcPosValue(C.Value), C.Pixel);
}

INSTANTIATE_TEST_SUITE_P(
    Logarithmic, TChartAxisLogTest,
    ::testing::Values(PixelCase{"Ten", true, false, false, 10, 100},
                      PixelCase{"Hundred", true, false, false, 100, 200},
                      PixelCase{"Thousand", true, false, false, 1000, 300},
                      PixelCase{"ZeroAtStart", true, false, false, 0, 0},
                      PixelCase{"NegativeAtStart", true, false, false, -5, 0},
                      PixelCase{"InvertedTen", true, true, false, 10, 200},
                      PixelCase{"InvertedZeroAtEnd", true, true, false, 0, 300},
                      PixelCase{"VerticalTen", false, false, false, 10, 200},
                      PixelCase{"VerticalZeroAtBottom", false, false, false, 0, 300},
                      PixelCase{"VerticalInvertedZeroOnTop", false, true, false, 0, 0},
                      PixelCase{"Infinite", true, false, false, Inf, KorMaxPixelPos},
                      PixelCase{"NotANumber", true, false, false, NaN, 0}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(TChartAxisTest, ZeroRangeMapsEverythingToTheCentre) {
  Layout(Bottom, 1e300, 1e300);  // 1e300 + 1e-10 is 1e300 again
  EXPECT_EQ(Bottom.GetIRange(), 0);
  EXPECT_EQ(Bottom.CalcPosValue(1e300), 300);
  EXPECT_EQ(Bottom.CalcPosValue(NaN), 300);
  EXPECT_EQ(Bottom.CalcSizeValue(5), 0);
  EXPECT_EQ(Bottom.CalcLabelsIncrement(10), 1);
}

TEST_F(TChartAxisTest, DepthAxisCountsFromZeroAndSaturates) {
  Chart.SetView3D(true);
  Chart.CalcSize3DWalls();
  const int D = Chart.GetDepth3D();
  ASSERT_GT(D, 0);
  TChartAxis& Depth = *Chart.GetDepthAxis();
  EXPECT_TRUE(Depth.IsDepthAxis());
  Layout(Depth, 0, 10);
  EXPECT_EQ(Depth.GetIStartPos(), 0);
  EXPECT_EQ(Depth.GetIEndPos(), D);
  EXPECT_EQ(Depth.CalcPosValue(5), Round(D / 2.0));
  EXPECT_EQ(Depth.CalcXPosValue(1e300), KorMaxPixelPos);
  EXPECT_EQ(Depth.CalcYPosValue(NaN), 0);
  Depth.SetInverted(true);
  EXPECT_EQ(Depth.CalcPosValue(2), Round(D * 0.8));
}

TEST_F(TChartAxisTest, SizeOfValues) {
  Layout(Bottom, 0, 100);
  EXPECT_EQ(Bottom.CalcSizeValue(10), 50);
  EXPECT_EQ(Bottom.CalcSizeValue(0.5), 2);  // 2.5 rounds to even
  EXPECT_EQ(Bottom.CalcSizeValue(-4), 0);
  EXPECT_EQ(Bottom.CalcSizeValue(NaN), 0);
  EXPECT_EQ(Bottom.CalcSizeValue(1e300), KorMaxPixelPos);
  Layout(Bottom, 1, 1000);
  Bottom.SetLogarithmic(true);
  EXPECT_EQ(Bottom.CalcSizeValue(100), 333);  // ln 100 at 500 / ln 1000 pixels each
}

// -- pixel to value

TEST_F(TChartAxisTest, PixelToValueIsExactAtBothEnds) {
  for (bool Inverted : {false, true}) {
    Bottom.SetInverted(Inverted);
    Left.SetInverted(Inverted);
    Layout(Bottom, 0.1, 0.7);
    Layout(Left, 0.1, 0.7);
    EXPECT_EQ(Bottom.CalcPosPoint(50), Inverted ? 0.7 : 0.1);
    EXPECT_EQ(Bottom.CalcPosPoint(550), Inverted ? 0.1 : 0.7);
    EXPECT_EQ(Left.CalcPosPoint(10), Inverted ? 0.1 : 0.7);
    EXPECT_EQ(Left.CalcPosPoint(310), Inverted ? 0.7 : 0.1);
    Layout(Bottom, 3, 700);
    Layout(Left, 3, 700);
    Bottom.SetLogarithmic(true);
    Left.SetLogarithmic(true);
    EXPECT_EQ(Bottom.CalcPosPoint(50), Inverted ? 700 : 3);
    EXPECT_EQ(Bottom.CalcPosPoint(550), Inverted ? 3 : 700);
    EXPECT_EQ(Left.CalcPosPoint(10), Inverted ? 3 : 700);
    EXPECT_EQ(Left.CalcPosPoint(310), Inverted ? 700 : 3);
    Bottom.SetLogarithmic(false);
    Left.SetLogarithmic(false);
  }
}

TEST_F(TChartAxisTest, PixelToValueInvertsValueToPixelInside) {
  Layout(Bottom, -20, 80);
  Layout(Left, -20, 80);
  for (double V : {-13.0, 0.0, 41.2, 79.9}) {
    // One pixel is 0.2 units across and 1/3 unit up; rounding moves a value
    // by at most half a pixel.
    EXPECT_NEAR(Bottom.CalcPosPoint(Bottom.CalcPosValue(V)), V, 0.1);
    EXPECT_NEAR(Left.CalcPosPoint(Left.CalcPosValue(V)), V, 1.0 / 6);
  }
  Layout(Bottom, 1, 1000);
  Bottom.SetLogarithmic(true);
  // Half a pixel is 0.5 * ln 1000 / 500 in ln: a factor of 1.007.
  EXPECT_NEAR(Bottom.CalcPosPoint(Bottom.CalcPosValue(10)), 10, 0.07);
}

TEST_F(TChartAxisTest, PixelToValueWithoutPixelsIsZero) {
  Chart.SetChartRect(TRect(50, 10, 51, 310));
  Bottom.SetEndPosition(0);
  Layout(Bottom, 5, 10);
  EXPECT_EQ(Bottom.GetIAxisSize(), 0);
  EXPECT_EQ(Bottom.CalcPosPoint(50), 0);
}

// -- pixel extent and margins

TEST_F(TChartAxisTest, StartAndEndPositionsArePercentOfTheSide) {
  Bottom.SetStartPosition(20);
  Bottom.SetEndPosition(75);
  Layout(Bottom, 0, 100);
  EXPECT_EQ(Bottom.GetIStartPos(), 150);
  EXPECT_EQ(Bottom.GetIEndPos(), 425);
  EXPECT_EQ(Bottom.GetIAxisSize(), 275);
  EXPECT_EQ(Bottom.GetICenterPos(), 287);  // 575 / 2 truncated
  Left.SetStartPosition(50);
  Layout(Left, 0, 100);
  EXPECT_EQ(Left.GetIStartPos(), 160);
  EXPECT_EQ(Left.GetIEndPos(), 310);
}

TEST_F(TChartAxisTest, MarginsPutTheDataEndsInsideTheAxis) {
  Layout(Bottom, 0, 100);
  Bottom.AdjustMaxMinRect(TRect(50, 0, 100, 0));
  EXPECT_DOUBLE_EQ(Bottom.GetIMinimum(), -50.0 * 100 / 350);
  EXPECT_DOUBLE_EQ(Bottom.GetIMaximum(), 100 + 100.0 * 100 / 350);
  EXPECT_EQ(Bottom.GetIStartPos(), 50);
  EXPECT_EQ(Bottom.CalcPosValue(0), 100);
  EXPECT_EQ(Bottom.CalcPosValue(100), 450);

  Layout(Left, 0, 100);
  Left.AdjustMaxMinRect(TRect(0, 30, 0, 60));  // top margin, bottom margin
  EXPECT_EQ(Left.CalcPosValue(100), 40);
  EXPECT_EQ(Left.CalcPosValue(0), 250);
}

TEST_F(TChartAxisTest, MarginsWiderThanTheAxisKeepTheRange) {
  Layout(Bottom, 0, 100);
  Bottom.AdjustMaxMinRect(TRect(300, 0, 300, 0));
  EXPECT_EQ(Bottom.GetIMinimum(), 0);
  EXPECT_EQ(Bottom.GetIMaximum(), 100);
  EXPECT_EQ(Bottom.GetIStartPos(), 50);
  EXPECT_EQ(Bottom.GetIEndPos(), 550);
}

// -- range

TEST_F(TChartAxisTest, SetMinMaxOrdersAndWidensTheRange) {
  Bottom.SetMinMax(5, 5);
  EXPECT_EQ(Bottom.GetMinimum(), 5);
  EXPECT_EQ(Bottom.GetMaximum(), 5 + 1e-10);
  EXPECT_FALSE(Bottom.GetAutomatic());
  EXPECT_FALSE(Bottom.GetAutomaticMinimum());
  EXPECT_FALSE(Bottom.GetAutomaticMaximum());
  Bottom.SetMinMax(10, 0);
  EXPECT_EQ(Bottom.GetMinimum(), 0);
  EXPECT_EQ(Bottom.GetMaximum(), 10);
}

TEST_F(TChartAxisTest, CheckedSettersRaiseAndLeaveTheAxis) {
  Bottom.SetMinMax(0, 10);
  EXPECT_THROW(Bottom.SetMinimum(11), AxisException);
  EXPECT_THROW(Bottom.SetMaximum(-1), AxisException);
  EXPECT_EQ(Bottom.GetMinimum(), 0);
  EXPECT_EQ(Bottom.GetMaximum(), 10);
  try {
    Bottom.SetMinimum(20);
  } catch (const AxisException& E) {
    EXPECT_EQ(E.Message(), Korconst::KorMsg_AxisMinMax);
  }
  for (double Base : {1.0, 0.0, -2.0, NaN}) {
    EXPECT_THROW(Bottom.SetLogarithmicBase(Base), AxisException) << Base;
  }
  EXPECT_EQ(Bottom.GetLogarithmicBase(), 10);
  Bottom.SetLogarithmicBase(0.5);
  EXPECT_EQ(Bottom.GetLogarithmicBase(), 0.5);
  EXPECT_THROW(Bottom.SetDesiredIncrement(-1), AxisException);
  EXPECT_THROW(Bottom.SetDesiredIncrement(NaN), AxisException);
  EXPECT_EQ(Bottom.GetIncrement(), 0);
  EXPECT_THROW(Bottom.SetLabelsSeparation(-1), AxisException);
  Bottom.SetLabelsSeparation(0);
  EXPECT_EQ(Bottom.GetLabelsSeparation(), 0);
}

TEST_F(TChartAxisTest, MinimumAndMaximumAreNotCheckedWhileReading) {
  Bottom.SetMinMax(0, 10);
  Chart.SetStateFlag(TComponent::csReading, true);
  Bottom.SetMaximum(-20);
  Bottom.SetMinimum(-30);
  Chart.SetStateFlag(TComponent::csReading, false);
  EXPECT_EQ(Bottom.GetMinimum(), -30);
  EXPECT_EQ(Bottom.GetMaximum(), -20);
}

TEST_F(TChartAxisTest, LogarithmicRefusesNegativeRangesAndDateTimeAxes) {
  Layout(Bottom, -5, 10);
  EXPECT_THROW(Bottom.SetLogarithmic(true), AxisException);
  EXPECT_FALSE(Bottom.GetLogarithmic());
  EXPECT_EQ(Bottom.GetMinimum(), -5);
  EXPECT_EQ(Bottom.GetIMinimum(), -5);
  EXPECT_EQ(Bottom.CalcPosValue(10), 550);  // still the linear mapping

  TChartSeries& Series = AddSeries();
  Series.AddXY(1, 1);
  Series.AddXY(3, 2);
  Series.GetXValues().SetDateTime(true);
  EXPECT_TRUE(Bottom.IsDateTime());
  EXPECT_FALSE(Left.IsDateTime());
  EXPECT_THROW(Bottom.SetLogarithmic(true), AxisException);
  Left.SetLogarithmic(true);
  EXPECT_TRUE(Left.GetLogarithmic());
}

TEST_F(TChartAxisTest, AutomaticFlagsFollowEachOther) {
  Bottom.SetAutomaticMinimum(false);
  EXPECT_FALSE(Bottom.GetAutomatic());
  EXPECT_TRUE(Bottom.GetAutomaticMaximum());
  Bottom.SetAutomaticMinimum(true);
  EXPECT_TRUE(Bottom.GetAutomatic());
  Bottom.SetAutomatic(false);
  EXPECT_FALSE(Bottom.GetAutomaticMinimum());
  EXPECT_FALSE(Bottom.GetAutomaticMaximum());
  Bottom.SetAutomaticMaximum(true);
  EXPECT_FALSE(Bottom.GetAutomatic());  // the minimum is still fixed
  Chart.SetStateFlag(TComponent::csLoading, true);
  Bottom.SetAutomatic(true);
  Chart.SetStateFlag(TComponent::csLoading, false);
  EXPECT_TRUE(Bottom.GetAutomatic());
  EXPECT_FALSE(Bottom.GetAutomaticMinimum());  // streams set the flags one by one
}

TEST_F(TChartAxisTest, AutomaticRangeComesFromTheBoundSeries) {
  TChartSeries& Series = AddSeries();
  Series.AddXY(-3, 40);
  Series.AddXY(12, 15);
  LayoutAutomatic(Bottom);
  LayoutAutomatic(Left);
  EXPECT_EQ(Bottom.GetMinimum(), -3);
  EXPECT_EQ(Bottom.GetMaximum(), 12);
  EXPECT_EQ(Left.GetIMinimum(), 15);
  EXPECT_EQ(Left.GetIMaximum(), 40);
  Bottom.SetAutomaticMaximum(false);
  Bottom.SetMaximum(100);
  Bottom.AdjustMaxMin();
  EXPECT_EQ(Bottom.GetIMinimum(), -3);
  EXPECT_EQ(Bottom.GetIMaximum(), 100);
}

TEST_F(TChartAxisTest, ScrollMovesTheRangeTowardsData) {
  TChartSeries& Series = AddSeries();
  Series.AddXY(0, 0);
  Series.AddXY(50, 1);
  Bottom.SetMinMax(0, 40);
  Bottom.Scroll(-5, true);  // no data below 0
  EXPECT_EQ(Bottom.GetMinimum(), 0);
  Bottom.Scroll(5, true);  // data up to 50
  EXPECT_EQ(Bottom.GetMinimum(), 5);
  EXPECT_EQ(Bottom.GetMaximum(), 45);
  Bottom.Scroll(0, true);
  EXPECT_EQ(Bottom.GetMinimum(), 5);
  Bottom.Scroll(-100);
  EXPECT_EQ(Bottom.GetMinimum(), -95);
  EXPECT_FALSE(Bottom.GetAutomatic());
}

TEST_F(TChartAxisTest, ExtremeRangesNeitherHangNorOverflow) {
  // 1e-300 wide, from the data.
  TChartSeries& Series = AddSeries();
  Series.AddXY(0, 1);
  Series.AddXY(1e-300, 2);
  LayoutAutomatic(Bottom);
  EXPECT_EQ(Bottom.GetIRange(), 1e-300);
  EXPECT_EQ(Bottom.CalcPosValue(1e-300), 550);
  EXPECT_EQ(Bottom.CalcPosValue(1), KorMaxPixelPos);
  EXPECT_EQ(Bottom.CalcXYIncrement(30), MinAxisIncrement);
  EXPECT_EQ(Bottom.CalcPosPoint(550), 1e-300);

  // +-1e300.
  Layout(Bottom, -1e300, 1e300);
  EXPECT_EQ(Bottom.CalcPosValue(0), 300);
  // 2e300 / 16 = 1.25e299 grows to 2e299: ten labels.
  EXPECT_DOUBLE_EQ(Bottom.CalcXYIncrement(30), 2e299);
  EXPECT_DOUBLE_EQ(Bottom.CalcPosPoint(550), 1e300);

  // Not a number.
  Layout(Bottom, NaN, 5);
  EXPECT_EQ(Bottom.CalcPosValue(3), 50);
  EXPECT_EQ(Bottom.CalcXYIncrement(30), 1);
  Bottom.SetDesiredIncrement(0.5);
  EXPECT_EQ(Bottom.CalcXYIncrement(30), 0.5);
}

// -- increments

struct NextStepCase {
  const char* Name;
  double Value;
  double Next;
};

void PrintTo(const NextStepCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class KorNextStepTest : public ::testing::TestWithParam<NextStepCase> {};

TEST_P(KorNextStepTest, NextOfOneTwoFive) {
  EXPECT_DOUBLE_EQ(KorNextStep(GetParam().Value), GetParam().Next);
  if (GetParam().Value > 0 && std::isfinite(GetParam().Value)) {
    EXPECT_GT(KorNextStep(GetParam().Value), GetParam().Value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, KorNextStepTest,
    ::testing::Values(NextStepCase{"Two", 2, 5}, NextStepCase{"Ten", 10, 20},
                      NextStepCase{"ThreeTenths", 0.3, 0.5}, NextStepCase{"One", 1, 2},
                      NextStepCase{"Five", 5, 10}, NextStepCase{"Seven", 7, 10},
                      NextStepCase{"SixAndAQuarter", 6.25, 10},
                      NextStepCase{"Thousands", 1500, 2000}, NextStepCase{"Huge", 1e300, 2e300},
                      NextStepCase{"HugeFive", 2e299, 5e299},
                      NextStepCase{"Small", 6.25e-302, 1e-301}, NextStepCase{"Infinite", Inf, 1},
                      NextStepCase{"Zero", 0, MinAxisIncrement},
                      NextStepCase{"Negative", -3, MinAxisIncrement},
                      NextStepCase{"NotANumber", NaN, MinAxisIncrement}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct IncrementCase {
  const char* Name;
  double Min;
  double Max;
  int Pixels;  // of the bottom axis
  int LabelSize;
  int Separation;
  double Desired;
  double Increment;
};

void PrintTo(const IncrementCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class TChartAxisIncrementTest : public TChartAxisTest,
                                public ::testing::WithParamInterface<IncrementCase> {};

TEST_P(TChartAxisIncrementTest, FitsLabelsIntoTheAxis) {
  const IncrementCase& C = GetParam();
  Chart.SetChartRect(TRect(0, 0, C.Pixels, 100));
  Bottom.SetLabelsSeparation(C.Separation);
  Bottom.SetDesiredIncrement(C.Desired);
  Layout(Bottom, C.Min, C.Max);
  EXPECT_DOUBLE_EQ(Bottom.CalcXYIncrement(C.LabelSize), C.Increment);
}

INSTANTIATE_TEST_SUITE_P(
    Linear, TChartAxisIncrementTest,
    ::testing::Values(
        // n = round(500 / 33) = 15; 100 / 16 = 6.25 grows to 10.
        IncrementCase{"HundredOnFiveHundredPixels", 0, 100, 500, 30, 10, 0, 10},
        // n = round(200 / 17) = 12; 1 / 13 grows to 0.1.
        IncrementCase{"OneOnTwoHundredPixels", 0, 1, 200, 15, 10, 0, 0.1},
        // Without separation nothing grows: n = 17, 100 / 18.
        IncrementCase{"NoSeparationNoFitting", 0, 100, 500, 30, 0, 0, 100.0 / 18},
        // The wanted increment is taken when its labels fit ...
        IncrementCase{"DesiredFits", 0, 100, 500, 30, 10, 25, 25},
        // ... and grows when they do not, even from far too small.
        IncrementCase{"DesiredTooSmall", 0, 100, 500, 30, 10, 1, 10},
        IncrementCase{"DesiredFarTooSmall", 0, 100, 500, 30, 10, 1e-12, 10},
        // No label fits: the smallest increment.
        IncrementCase{"NoRoom", 0, 100, 10, 30, 10, 0, MinAxisIncrement},
        // One label: 100 / 2 would need two.
        IncrementCase{"NoLabelSize", 0, 100, 500, 0, 10, 0, 100}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(TChartAxisTest, LogarithmicIncrementGrowsByTheBase) {
  Chart.SetChartRect(TRect(0, 0, 300, 300));
  Layout(Bottom, 1, 1000);
  Bottom.SetLogarithmic(true);
  // n = round(300 / 110) = 3; 999 / 4 rounds to the power 100, ten labels
  // grow it to 1000.
  EXPECT_EQ(Bottom.CalcXYIncrement(100), 1000);
  // n = 9: 999 / 10 rounds to 100, ten labels still do not fit.
  EXPECT_EQ(Bottom.CalcXYIncrement(30), 1000);
}

TEST_F(TChartAxisTest, LogarithmicBaseBelowOneGrowsByItsInverse) {
  Chart.SetChartRect(TRect(0, 0, 300, 300));
  Layout(Bottom, 1, 1000);
  Bottom.SetLogarithmicBase(0.5);
  Bottom.SetLogarithmic(true);
  // n = round(300 / 110) = 3; 999 / 4 rounds to the power 256 of 1 / 2,
  // which leaves 4 labels; doubling gives 512.
  EXPECT_EQ(Bottom.CalcXYIncrement(100), 512);
}

TEST_F(TChartAxisTest, IndexAxesStepByWholePoints) {
  TChartSeries& Series = AddSeries();
  for (int I = 0; I < 5; ++I) Series.AddXY(I, I * I);
  Chart.SetChartRect(TRect(0, 0, 500, 300));
  LayoutAutomatic(Bottom);
  // n = 15 labels could be shown, the range 4 would give 0.25; five points
  // ask for whole steps.
  EXPECT_EQ(Bottom.CalcXYIncrement(30), 1);
  // The mandatory values 0 .. 16 are no index: n = round(300 / 5) = 60,
  // 16 / 61 grows to 0.5.
  LayoutAutomatic(Left);
  EXPECT_EQ(Left.CalcXYIncrement(5), 0.5);
}

TEST_F(TChartAxisTest, DateTimeIncrementStepsThroughTheCalendar) {
  TChartSeries& Series = AddSeries();
  Series.AddXY(40000, 1);
  Series.AddXY(40010, 2);
  Series.GetXValues().SetDateTime(true);
  Chart.SetChartRect(TRect(0, 0, 500, 300));
  LayoutAutomatic(Bottom);
  EXPECT_TRUE(Bottom.GetIsDateTimeNow());
  // n = round(500 / 66) = 8; ten days need a step of two days.
  EXPECT_DOUBLE_EQ(Bottom.CalcXYIncrement(60), DateTimeStep[dtTwoDays]);
  EXPECT_DOUBLE_EQ(Bottom.CalcLabelsIncrement(0), DateTimeStep[dtOneMicroSecond]);
  EXPECT_DOUBLE_EQ(Bottom.CalcLabelsIncrement(1000), DateTimeStep[dtFifteenMinutes]);
}

TEST_F(TChartAxisTest, DateTimeStepsMoveByCalendarMonths) {
  TChartSeries& Series = AddSeries();
  Series.AddXY(EncodeDate(2005, 1, 1), 1);
  Series.GetXValues().SetDateTime(true);
  LayoutAutomatic(Bottom);
  double Value = EncodeDate(2005, 12, 31);
  Bottom.IncDecDateTime(true, Value, DateTimeStep[dtOneMonth], dtOneMonth);
  EXPECT_EQ(Value, EncodeDate(2006, 1, 1));
  Bottom.SetExactDateTime(false);
  Value = 10;
  Bottom.IncDecDateTime(false, Value, 2.5, dtOneMonth);
  EXPECT_EQ(Value, 7.5);
}

// -- labels

TEST_F(TChartAxisTest, LabelTextsAndStyle) {
  EXPECT_EQ(Bottom.LabelValue(1234.5), QStringLiteral("1,234.5"));
  Bottom.SetAxisValuesFormat(QStringLiteral("0.00"));
  EXPECT_EQ(Bottom.LabelValue(2), QStringLiteral("2.00"));
  Bottom.SetAxisValuesFormat(QStringLiteral("0 \"kg\""));
  Bottom.SetLabelsMultiLine(true);
  EXPECT_EQ(Bottom.LabelValue(3), QStringLiteral("3") + KorLineSeparator + QStringLiteral("kg"));

  EXPECT_EQ(Bottom.CalcLabelStyle(), talNone);
  TChartSeries& Series = AddSeries();
  Series.AddXY(1, 2);
  EXPECT_EQ(Bottom.CalcLabelStyle(), talValue);
  Series.AddXY(2, 3, QStringLiteral("B"));
  EXPECT_EQ(Bottom.CalcLabelStyle(), talText);
  EXPECT_EQ(Left.CalcLabelStyle(), talValue);  // the labels name X positions
  Bottom.SetLabelStyle(talMark);
  EXPECT_EQ(Bottom.CalcLabelStyle(), talMark);
}

TEST_F(TChartAxisTest, LabelSizesUseTheLabelsFont) {
  Layout(Bottom, 0, 100);
  const int Narrow = Bottom.LabelWidth(1);
  const int Wide = Bottom.LabelWidth(100000);
  EXPECT_GT(Narrow, 0);
  EXPECT_GT(Wide, 3 * Narrow);
  const int Line = Bottom.LabelHeight(1);
  Bottom.SetAxisValuesFormat(QStringLiteral("0 \"kg\""));
  Bottom.SetLabelsMultiLine(true);
  EXPECT_EQ(Bottom.LabelHeight(1), 2 * Line);
  Bottom.GetLabelsFont().SetSize(Bottom.GetLabelsFont().GetSize() * 3);
  EXPECT_GT(Bottom.LabelHeight(1), 4 * Line);
}

// -- master axes

TEST_F(TChartAxisTest, FollowingAxesTakeTheMastersRange) {
  TChartAxis& Custom = *Chart.GetCustomAxes().Add();
  Custom.SetMasterAxis(&Bottom);
  Bottom.SetMinMax(2, 8);
  EXPECT_EQ(Custom.GetMinimum(), 2);
  EXPECT_EQ(Custom.GetMaximum(), 8);
  EXPECT_TRUE(Custom.IsCustom());
  EXPECT_FALSE(Bottom.IsCustom());
  EXPECT_FALSE(Chart.GetDepthTopAxis()->IsCustom());
}

TEST_F(TChartAxisTest, AxesFollowingEachOtherInARingStop) {
  TChartAxis& A = *Chart.GetCustomAxes().Add();
  TChartAxis& B = *Chart.GetCustomAxes().Add();
  A.SetMasterAxis(&B);
  B.SetMasterAxis(&A);
  A.SetMinMax(1, 3);
  EXPECT_EQ(B.GetMinimum(), 1);
  EXPECT_EQ(B.GetMaximum(), 3);
}

TEST_F(TChartAxisTest, FreeingAMasterLeavesItsFollowersWithout) {
  TChartAxis& Follower = *Chart.GetCustomAxes().Add();
  Follower.SetMasterAxis(Chart.GetCustomAxes().Add());
  Chart.GetCustomAxes().Delete(1);
  EXPECT_EQ(Follower.GetMasterAxis(), nullptr);
  Follower.SetMinMax(0, 1);  // no master to reach
  EXPECT_EQ(Chart.GetAxesList().Count(), 7);
}

// -- placement

TEST_F(TChartAxisTest, PositionAcrossTheChart) {
  const TRect R(50, 10, 550, 310);
  EXPECT_EQ(Bottom.GetRectangleEdge(R), 310);
  EXPECT_EQ(Chart.GetTopAxis()->GetRectangleEdge(R), 10);
  EXPECT_EQ(Left.GetRectangleEdge(R), 50);
  EXPECT_EQ(Chart.GetRightAxis()->GetRectangleEdge(R), 550);
  EXPECT_EQ(Bottom.ApplyPosition(310, R), 310);
  Bottom.SetPositionPercent(10);  // of the height, upward
  EXPECT_EQ(Bottom.ApplyPosition(310, R), 280);
  Left.SetPositionPercent(10);  // of the width, rightward
  EXPECT_EQ(Left.ApplyPosition(50, R), 100);
  Left.SetPositionUnits(muPixels);
  Left.SetPositionPercent(7.5);  // 7.5 rounds to 8
  EXPECT_EQ(Left.ApplyPosition(50, R), 58);
  Left.SetOtherSide(true);
  EXPECT_EQ(Left.ApplyPosition(50, R), 42);
}

TEST_F(TChartAxisTest, ClickedNearTheAxisLineAndItsLabels) {
  Layout(Bottom, 0, 100);
  Bottom.SetPosAxis(310);
  Bottom.SetPosLabels(330);
  EXPECT_EQ(Bottom.AxisRect(), TRect(50, 307, 550, 330));
  EXPECT_TRUE(Bottom.Clicked(300, 308));
  EXPECT_TRUE(Bottom.Clicked(300, 325));
  EXPECT_FALSE(Bottom.Clicked(300, 305));
  EXPECT_FALSE(Bottom.Clicked(600, 320));
  Bottom.SetVisible(false);
  EXPECT_FALSE(Bottom.Clicked(300, 320));
  Layout(Left, 0, 100);
  Left.SetPosAxis(50);
  Left.SetPosLabels(20);
  EXPECT_EQ(Left.AxisRect(), TRect(20, 10, 53, 310));
}

TEST_F(TChartAxisTest, ZPositionOfTheAxis) {
  Bottom.SetZPosition(0);
  EXPECT_EQ(Bottom.GetZPosition(), 0.01);
  Bottom.SetZPosition(50);
  EXPECT_EQ(Bottom.CalcZPos(), 0);  // a flat chart has no depth
  TChartAxis& Depth = *Chart.GetDepthAxis();
  Depth.SetZPosition(50);
  EXPECT_EQ(Depth.CalcZPos(), 150);  // half the chart height
}

// -- room for the axis

TEST_F(TChartAxisTest, AxesTakeTheirRoomOffTheirSideOfTheChart) {
  TCanvas3D& Canvas = Chart.GetPanelCanvas();
  Canvas.AssignFont(Bottom.GetLabelsFont());
  const int LabelHeight = Canvas.TextHeight(QStringLiteral("W"));
  Canvas.AssignFont(Bottom.GetTitle().GetFont());
  const int TitleHeight = Canvas.TextHeight(QStringLiteral("W"));
  ASSERT_EQ(Bottom.SizeTickAxis(), 7);  // 2-pixel axis pen + 1, ticks 4
  Bottom.GetTitle().SetCaption(QStringLiteral("Radius"));
  TRect R(50, 10, 550, 310);
  Bottom.CalcRect(R, true);
  EXPECT_EQ(Bottom.GetPosTitle(), 310 - TitleHeight);
  EXPECT_EQ(Bottom.GetPosLabels(), 310 - TitleHeight - LabelHeight);
  EXPECT_EQ(R, TRect(50, 10, 550, 310 - TitleHeight - LabelHeight - 7));

  TChartAxis& Top = *Chart.GetTopAxis();
  Top.SetLabels(false);
  Top.GetTicks().Hide();
  R = TRect(50, 10, 550, 310);
  Top.CalcRect(R, true);
  EXPECT_EQ(R, TRect(50, 13, 550, 310));  // the axis pen only

  Left.SetLabelsSize(25);
  Left.SetLabelsAlternate(true);
  R = TRect(50, 10, 550, 310);
  Left.CalcRect(R, true);
  EXPECT_EQ(Left.GetPosLabels(), 100);
  EXPECT_EQ(R.Left, 107);
}

TEST_F(TChartAxisTest, AxesBesideTheChartStackOutwardFromTheirLine) {
  TChartAxis& Custom = *Chart.GetCustomAxes().Add();
  Custom.SetLabelsSize(20);
  TRect R(50, 10, 550, 310);
  Custom.CalcRect(R, false);
  EXPECT_EQ(R, TRect(50, 10, 550, 310));
  EXPECT_EQ(Custom.GetPosAxis(), 50);
  EXPECT_EQ(Custom.GetPosLabels(), 43);
  EXPECT_EQ(Custom.GetPosTitle(), 23);
  Custom.SetOtherSide(true);
  Custom.CalcRect(R, false);
  EXPECT_EQ(Custom.GetPosLabels(), 557);
  TRect Inner(50, 10, 550, 310);
  Custom.InflateAxisRect(Inner, 5);
  EXPECT_EQ(Inner.Right, 545);
}

TEST_F(TChartAxisTest, LabelRoomOfAnAxisWithoutPixelsKeepsLargeValues) {
  TChartSeries& Series = AddSeries();
  Series.AddXY(0, 2e7);
  Series.AddXY(1, 3e7);
  Left.SetStartPosition(50);
  Left.SetEndPosition(50);
  LayoutAutomatic(Left);
  ASSERT_EQ(Left.GetIAxisSize(), 0);
  ASSERT_EQ(Left.CalcIncrement(), MinAxisIncrement);
  // 3e7 / 1e-12 is far beyond 64-bit integers; the labels stay 20,000,000
  // and 30,000,000.
  TCanvas3D& Canvas = Chart.GetPanelCanvas();
  Canvas.AssignFont(Left.GetLabelsFont());
  EXPECT_EQ(Left.MaxLabelsWidth(), Left.LabelWidth(3e7) + Canvas.TextWidth(QStringLiteral(" ")));
  Left.GetItems().Add(1, QStringLiteral("a wide custom label"));
  Canvas.AssignFont(Left.GetItems()[0].GetFont());
  EXPECT_EQ(Left.MaxLabelsWidth(), Canvas.TextWidth(QStringLiteral("a wide custom label")));
}

// -- depth axes

TEST_F(TChartAxisTest, DepthAxesShareTheirDirection) {
  Chart.GetDepthAxis()->SetInverted(true);
  EXPECT_TRUE(Chart.GetDepthTopAxis()->GetInverted());
  Chart.GetDepthTopAxis()->SetInverted(false);
  EXPECT_FALSE(Chart.GetDepthAxis()->GetInverted());
  EXPECT_FALSE(Bottom.GetInverted());
  // Without series of their own Z values they label the series.
  EXPECT_EQ(Chart.GetDepthAxis()->CalcLabelStyle(), talText);
}

// -- properties and copying

TEST_F(TChartAxisTest, SettersRepaintOnlyOnARealChange) {
  const int Before = Chart.Invalidations;
  Bottom.SetLabelsAngle(360);  // 0 again
  Bottom.SetTickLength(4);
  Bottom.SetStartPosition(0);
  Bottom.GetTicks().SetColor(Bottom.GetTicks().GetColor());
  EXPECT_EQ(Chart.Invalidations, Before);
  Bottom.SetTickLength(5);
  Bottom.GetTicks().SetColor(clRed);
  Bottom.GetTitle().SetCaption(QStringLiteral("x"));
  Bottom.SetLabels(false);
  EXPECT_EQ(Chart.Invalidations, Before + 4);
}

TEST_F(TChartAxisTest, AnglesAreStoredModulo360) {
  Bottom.SetLabelsAngle(-90);
  EXPECT_EQ(Bottom.GetLabelsAngle(), 270);
  Bottom.SetLabelsAngle(450);
  EXPECT_EQ(Bottom.GetLabelsAngle(), 90);
  EXPECT_EQ(Left.GetTitle().GetAngle(), 90);
  EXPECT_EQ(Chart.GetRightAxis()->GetTitle().GetAngle(), 270);
}

TEST_F(TChartAxisTest, StreamsWriteRangesOnlyWhenFixed) {
  EXPECT_FALSE(Stored(Bottom, "Maximum"));
  EXPECT_FALSE(Stored(Bottom, "Minimum"));
  Bottom.SetAutomaticMaximum(false);
  EXPECT_TRUE(Stored(Bottom, "Maximum"));
  EXPECT_FALSE(Stored(Bottom, "Minimum"));
  EXPECT_FALSE(Stored(Bottom, "AxisValuesFormat"));
  Bottom.SetAxisValuesFormat(QStringLiteral("0.0"));
  EXPECT_TRUE(Stored(Bottom, "AxisValuesFormat"));
  EXPECT_FALSE(Stored(Bottom, "LogarithmicBase"));
  EXPECT_FALSE(Stored(Bottom, "EndPosition"));
  Bottom.SetEndPosition(90);
  EXPECT_TRUE(Stored(Bottom, "EndPosition"));
  EXPECT_FALSE(Stored(Bottom, "LabelsSeparation"));
  EXPECT_FALSE(Stored(Bottom, "TickLength"));
}

TEST_F(TChartAxisTest, StreamsWriteZPositionOnlyAwayFromTheAxisSide) {
  EXPECT_FALSE(Stored(Bottom, "ZPosition"));
  Bottom.SetZPosition(0.011);
  EXPECT_FALSE(Stored(Bottom, "ZPosition"));
  Bottom.SetZPosition(40);
  EXPECT_TRUE(Stored(Bottom, "ZPosition"));
  TChartAxis& Top = *Chart.GetTopAxis();
  EXPECT_FALSE(Stored(Top, "ZPosition"));
  Top.SetZPosition(99);
  EXPECT_TRUE(Stored(Top, "ZPosition"));
  Chart.GetDepthAxis()->SetZPosition(40);
  EXPECT_FALSE(Stored(*Chart.GetDepthAxis(), "ZPosition"));
}

TEST_F(TChartAxisTest, PropertiesAreReachedByName) {
  TPropertyValue Value;
  ASSERT_TRUE(SetPropertyValue(Bottom, QStringLiteral("labelsangle"), TPropertyValue(-45)));
  EXPECT_EQ(Bottom.GetLabelsAngle(), 315);
  ASSERT_TRUE(SetPropertyValue(Bottom, QStringLiteral("GridCentered"), TPropertyValue(true)));
  EXPECT_TRUE(Bottom.GetGrid().GetCentered());
  ASSERT_TRUE(SetPropertyValue(Bottom, QStringLiteral("Labels"), TPropertyValue(false)));
  EXPECT_FALSE(Bottom.GetItems().GetFormat().GetVisible());
  ASSERT_TRUE(GetPropertyValue(Bottom, QStringLiteral("LabelsFont"), Value));
  EXPECT_EQ(std::get<TPersistent*>(Value), &Bottom.GetLabelsFont());
  ASSERT_TRUE(GetPropertyValue(Bottom, QStringLiteral("Axis"), Value));
  EXPECT_EQ(std::get<TPersistent*>(Value), &Bottom.GetAxis());
  EXPECT_THROW(SetPropertyValue(Bottom, QStringLiteral("LabelsSeparation"), TPropertyValue(-5)),
               AxisException);
}

TEST_F(TChartAxisTest, AssignCopiesSettingsButNotTheChartsState) {
  TChartAxis& Source = *Chart.GetCustomAxes().Add();
  Source.SetMinMax(3, 9);
  Source.SetHorizontal(true);
  Source.SetOtherSide(true);
  Source.SetInverted(true);
  Source.SetLabelsAngle(45);
  Source.SetLabelsSeparation(30);
  Source.SetDesiredIncrement(2);
  Source.SetLogarithmicBase(2);
  Source.SetAxisValuesFormat(QStringLiteral("0.0"));
  Source.SetStartPosition(10);
  Source.SetPositionUnits(muPixels);
  Source.SetTickLength(9);
  Source.SetZPosition(60);
  Source.GetTitle().SetCaption(QStringLiteral("Time"));
  Source.GetGrid().SetCentered(true);
  Source.GetAxis().SetLineMode(lmCylinder);
  Source.GetTicks().SetColor(clRed);
  Source.GetItems().Add(4, QStringLiteral("four"));
  Source.SetLabels(false);

  TChartAxis& Copy = *Chart.GetCustomAxes().Add();
  Copy.Assign(Source);
  EXPECT_EQ(Copy.GetMinimum(), 3);
  EXPECT_EQ(Copy.GetMaximum(), 9);
  EXPECT_FALSE(Copy.GetAutomatic());
  EXPECT_TRUE(Copy.GetHorizontal());
  EXPECT_TRUE(Copy.GetOtherSide());
  EXPECT_TRUE(Copy.GetInverted());
  EXPECT_EQ(Copy.GetLabelsAngle(), 45);
  EXPECT_EQ(Copy.GetLabelsSeparation(), 30);
  EXPECT_EQ(Copy.GetIncrement(), 2);
  EXPECT_EQ(Copy.GetLogarithmicBase(), 2);
  EXPECT_EQ(Copy.GetAxisValuesFormat(), QStringLiteral("0.0"));
  EXPECT_EQ(Copy.GetStartPosition(), 10);
  EXPECT_EQ(Copy.GetPositionUnits(), muPixels);
  EXPECT_EQ(Copy.GetTickLength(), 9);
  EXPECT_EQ(Copy.GetZPosition(), 0);  // not one of the copied settings
  EXPECT_EQ(Copy.GetTitle().GetCaption(), QStringLiteral("Time"));
  EXPECT_TRUE(Copy.GetGridCentered());
  EXPECT_EQ(Copy.GetAxis().GetLineMode(), lmCylinder);
  EXPECT_EQ(Copy.GetTicks().GetColor(), clRed);
  ASSERT_EQ(Copy.GetItems().Count(), 1);
  EXPECT_EQ(Copy.GetItems()[0].GetText(), QStringLiteral("four"));
  EXPECT_FALSE(Copy.GetLabels());
  // The copied orientation and extent take effect in the mapping: the
  // maximum at the start, 10 % into the chart's width.
  Copy.AdjustMaxMin();
  Copy.InternalCalcPositions();
  EXPECT_EQ(Copy.CalcPosValue(9), 100);

  TChartPen Pen;
  EXPECT_THROW(Copy.Assign(Pen), EConvertError);
}

TEST_F(TChartAxisTest, ChartsCopyTheirAxes) {
  TTestChart Other;
  Other.GetLeftAxis()->SetMinMax(-1, 1);
  Other.GetDepthAxis()->SetInverted(true);
  Chart.Assign(Other);
  EXPECT_EQ(Left.GetMinimum(), -1);
  EXPECT_TRUE(Chart.GetDepthAxis()->GetInverted());
}

}  // namespace

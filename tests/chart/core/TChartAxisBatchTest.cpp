#include "chart/core/TChartAxis.h"

#include "TestCharts.h"
#include "chart/core/KorEngine.h"
#include "chart/core/TChartAxes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

struct BatchCase {
  const char* Name;
  bool Horizontal;
  bool Inverted;
  bool Fast;
  bool Logarithmic;
  TRect ChartRect;
  double Min;
  double Max;
};

// Every batch conversion against the per-value one over values that probe
// each of its steps: halves that round to even, the clamps at
// +-KorMaxPixelPos and at the int range, NaN, infinities, huge and tiny
// values, and counts that leave a tail after the vector width.
class TChartAxisBatchTest : public ::testing::TestWithParam<BatchCase> {
 protected:
  void SetUp() override {
    const BatchCase& C = GetParam();
    Chart.SetView3D(false);
    Chart.SetChartRect(C.ChartRect);
    Chart.GetAxesList().SetFastCalc(C.Fast);
    Axis.SetInverted(C.Inverted);
    Axis.SetMinMax(C.Min, C.Max);
    Axis.AdjustMaxMin();
    Axis.InternalCalcPositions();
    Axis.SetLogarithmic(C.Logarithmic);
  }

  // Values around the range of the case and far beyond it.
  std::vector<double> Probes() const {
    const BatchCase& C = GetParam();
    std::vector<double> V = {NaN,
                             Inf,
                             -Inf,
                             0.0,
                             -0.0,
                             1e-300,
                             -1e-300,
                             1e300,
                             -1e300,
                             4e9,
                             -4e9,
                             2.2e9,
                             -2.2e9,
                             6.8e7,
                             -6.8e7,
                             1e15,
                             -1e15,
                             4.5e15,
                             -4.5e15,
                             1e17,
                             -1e17,
                             C.Min,
                             C.Max,
                             C.Min - (C.Max - C.Min) * 1e6,
                             C.Max + (C.Max - C.Min) * 1e7};
    // Steps of a tenth and a sixth of the range's own unit, many of them
    // half a pixel apart.
    const double Span = C.Max - C.Min;
    for (int I = -300; I <= 1300; ++I) {
      V.push_back(C.Min + Span * I / 1000.0);
      V.push_back(C.Min + I * 0.1);
      V.push_back(C.Min + I / 6.0);
    }
    std::mt19937 Random(4242);
    std::uniform_real_distribution<double> Near(C.Min - Span, C.Max + Span);
    for (int I = 0; I < 501; ++I) V.push_back(Near(Random));
    return V;
  }

  TTestChart Chart;
  TChartAxis& Axis = GetParam().Horizontal ? *Chart.GetBottomAxis() : *Chart.GetLeftAxis();
};

TEST_P(TChartAxisBatchTest, GivesThePixelsOfThePerValueConversion) {
  const std::vector<double> Values = Probes();
  // Every count up to a few vector widths, then the whole list.
  for (int Count : {0, 1, 2, 3, 5, 7, 8, 9, 17, static_cast<int>(Values.size())}) {
    std::vector<int> X(Values.size() + 1, -7);
    std::vector<int> Y(Values.size() + 1, -7);
    Axis.CalcXPosValues(Values.data(), Count, X.data());
    Axis.CalcYPosValues(Values.data(), Count, Y.data());
    for (int I = 0; I < Count; ++I) {
      ASSERT_EQ(X[I], Axis.CalcXPosValue(Values[I])) << "X of " << Values[I] << " at " << I;
      ASSERT_EQ(Y[I], Axis.CalcYPosValue(Values[I])) << "Y of " << Values[I] << " at " << I;
    }
    // Nothing written past the count.
    EXPECT_EQ(X[Count], -7);
    EXPECT_EQ(Y[Count], -7);
  }
}

TEST_P(TChartAxisBatchTest, SeesALaterLayoutOfTheAxis) {
  const std::vector<double> Values = {GetParam().Min, GetParam().Max, NaN, 1e300};
  Axis.SetInverted(!GetParam().Inverted);
  Chart.SetChartRect(TRect(7, 3, 77, 33));
  Axis.InternalCalcPositions();
  std::vector<int> Pixels(Values.size());
  Axis.CalcXPosValues(Values.data(), static_cast<int>(Values.size()), Pixels.data());
  for (size_t I = 0; I < Values.size(); ++I)
    EXPECT_EQ(Pixels[I], Axis.CalcXPosValue(Values[I])) << Values[I];
}

const TRect Usual(50, 10, 550, 310);
// Start and end pixels beyond KorMaxPixelPos.
const TRect Huge(-100000000, -90000000, 100000000, 90000000);

INSTANTIATE_TEST_SUITE_P(
    Axes, TChartAxisBatchTest,
    ::testing::Values(
        BatchCase{"Horizontal", true, false, false, false, Usual, 0, 100},
        BatchCase{"HorizontalInverted", true, true, false, false, Usual, 0, 100},
        BatchCase{"HorizontalFast", true, false, true, false, Usual, 0, 100},
        BatchCase{"HorizontalFastInverted", true, true, true, false, Usual, 0, 100},
        BatchCase{"Vertical", false, false, false, false, Usual, -3, 7},
        BatchCase{"VerticalInverted", false, true, false, false, Usual, -3, 7},
        BatchCase{"VerticalFast", false, false, true, false, Usual, -3, 7},
        BatchCase{"VerticalFastInverted", false, true, true, false, Usual, -3, 7},
        BatchCase{"Logarithmic", true, false, false, true, Usual, 1, 1000},
        BatchCase{"LogarithmicVerticalInverted", false, true, false, true, Usual, 0.01, 100},
        BatchCase{"NarrowRange", true, false, false, false, Usual, 5.95, 5.9500001},
        BatchCase{"ZeroRange", false, false, true, false, Usual, 4, 4},
        BatchCase{"HugeRectangle", true, false, false, false, Huge, 0, 1},
        BatchCase{"HugeRectangleFast", false, true, true, false, Huge, 0, 1},
        BatchCase{"HugeRectangleFastVertical", false, false, true, false, Huge, 0, 1e-9}),
    [](const auto& Info) { return std::string(Info.param.Name); });

}  // namespace

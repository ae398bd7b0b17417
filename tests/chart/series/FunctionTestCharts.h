#pragma once

#include "chart/core/TChart.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorFunction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

// A chart with helpers to build source series from plain values and series
// computed from them by a function.
class TFunctionChartFixture : public ::testing::Test {
 protected:
  // Marks a null point (stored value 0) in the value lists below.
  static constexpr double Null = std::numeric_limits<double>::quiet_NaN();

  // A series with Y = Values at X = 0, 1, 2, ...
  TChartSeries& Source(const std::vector<double>& Values) {
    auto* S = new TChartSeries(&Chart);
    Chart.AddSeries(S);
    for (size_t I = 0; I < Values.size(); ++I) {
      if (std::isnan(Values[I]))
        S->AddNullXY(double(I), 0);
      else
        S->AddXY(double(I), Values[I]);
    }
    return *S;
  }
  // A series that Function fills from Sources (one or several).
  TChartSeries& Computed(const std::vector<TChartSeries*>& Sources, TKorFunction* Function,
                         TChartSeries* Into = nullptr) {
    TChartSeries* Out = Into != nullptr ? Into : new TChartSeries(&Chart);
    Chart.AddSeries(Out);
    Function->SetParentSeries(Out);
    for (size_t I = 0; I < Sources.size(); ++I) Out->InternalSetDataSource(Sources[I], I == 0);
    return *Out;
  }
  static std::vector<double> Ys(const TChartSeries& S) {
    return std::vector<double>(S.GetYValues().Data(), S.GetYValues().Data() + S.Count());
  }
  static std::vector<double> Xs(const TChartSeries& S) {
    return std::vector<double>(S.GetXValues().Data(), S.GetXValues().Data() + S.Count());
  }

  TChart Chart{nullptr};
};

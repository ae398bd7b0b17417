#include "app/ExtrapolationFit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "analysis/Gofs2004.h"
#include "analysis/Guisettings.h"
#include "tests/support/TestSupport.h"

namespace {

constexpr int GridPoints = 31;
constexpr int FirstAboveMinLogS = 7;  // s* = 1e-14 * 10^(j/10) s exceeds 5e-14 s from here
constexpr double LawA1 = 12.0;
constexpr double LawA2 = -90.0;

class ExtrapolationFitTest : public ::testing::Test {
 protected:
  ExtrapolationFitTest() : Store(&Settings, std::log(1e-14), std::log(1e-11), GridPoints) {
    Gui.ExtrapolationSmoothRepetition = 0;  // smoothing would bend an exact law
  }

  // Values 1 .. 3, all far above the default cutoff of 0.05 of the largest.
  static double Peak(int J) { return 2.0 + std::sin(0.3 * J); }
  static double Time(int I) { return 400.0 * (I + 1); }
  // ln(y / s*) = ln(Peak(J)) - x_J + LawA1/sqrt(t) + LawA2/t: the value at
  // infinite time is Peak(J).
  static double Law(int J, double T) {
    return Peak(J) * std::exp(LawA1 / std::sqrt(T) + LawA2 / T);
  }
  int Add(double T, const std::function<double(int)>& Y) {
    std::vector<double> y(GridPoints), errors(GridPoints, 0.0);
    for (int j = 0; j < GridPoints; ++j) y[static_cast<size_t>(j)] = Y(j);
    ScanHeader header;
    header.TimeUsed = T;
    return Store.AddSetWithErrors(Store.GetGrid(), y.data(), errors.data(), GridPoints, header, T);
  }
  void AddLawSets(int Count) {
    for (int i = 0; i < Count; ++i) Add(Time(i), [&](int j) { return Law(j, Time(i)); });
  }
  double Intercept(int J) const { return std::log(Peak(J)) - Store.GetX(J); }

  GofsSettings Settings;
  GuiSettings Gui;
  ChannelDataStore Store;
};

TEST_F(ExtrapolationFitTest, AnExactLawIsExtrapolatedToItsValueAtInfiniteTime) {
  AddLawSets(10);
  ExtrapolationFit fit(Gui, Settings.DefaultIgnoreTag);
  ASSERT_EQ(fit.Compute(Store, 100, 2), GridPoints - FirstAboveMinLogS);  // end limited to set 9
  ASSERT_EQ(fit.GridSize(), GridPoints);
  EXPECT_FALSE(fit.At(FirstAboveMinLogS - 1).HasValue);
  EXPECT_EQ(fit.At(FirstAboveMinLogS - 1).Error, Settings.DefaultIgnoreTag);
  EXPECT_FALSE(fit.At(GridPoints).HasValue);

  for (int j = FirstAboveMinLogS; j < GridPoints; ++j) {
    SCOPED_TRACE(j);
    const TGridExtrapolation& g = fit.At(j);
    ASSERT_TRUE(g.HasValue);
    // The fit solves the normal equations of 1, u and u^2 over a narrow u
    // range, which costs about six of a double's digits (seen: 1e-10 on A0,
    // 1e-7 on A2); the bounds leave a factor of 100.
    EXPECT_NEAR(g.Value, Peak(j), 1e-8 * Peak(j));
    EXPECT_NEAR(g.A0, Intercept(j), 1e-8);
    EXPECT_NEAR(g.A1, LawA1, 1e-6);
    EXPECT_NEAR(g.A2, LawA2, 1e-5);
    EXPECT_GE(g.Error, 0.0);
    EXPECT_LT(g.Error, 1e-8 * g.Value);
    ASSERT_EQ(g.Points.size(), 8u);  // sets 2 .. 9
    for (size_t k = 0; k < g.Points.size(); ++k) {
      const double t = Time(static_cast<int>(k) + 2);
      EXPECT_DOUBLE_EQ(g.Points[k].W, 1.0 / t);
      EXPECT_DOUBLE_EQ(g.Points[k].U, 1.0 / std::sqrt(t));
      EXPECT_NEAR(g.Points[k].Z, Intercept(j) + LawA1 / std::sqrt(t) + LawA2 / t, 1e-12);
      EXPECT_NEAR(ExtrapolationFit::FitValue(g, g.Points[k]), g.Points[k].Z, 1e-9);
    }
    const auto curve = ExtrapolationFit::FitCurve(g);
    ASSERT_EQ(curve.size(), 20u);
    EXPECT_EQ(curve[0], std::make_pair(0.0, g.A0));
    const double u = 0.95 / std::sqrt(Time(9));
    EXPECT_NEAR(curve[19].first, u, 1e-15);
    EXPECT_NEAR(curve[19].second, Intercept(j) + LawA1 * u + LawA2 * u * u, 1e-9);
  }
}

TEST_F(ExtrapolationFitTest, FewerThanFiveSetsInTheRangeLeaveThePreviousResult) {
  AddLawSets(10);
  ExtrapolationFit fit(Gui, Settings.DefaultIgnoreTag);
  EXPECT_EQ(fit.Compute(Store, 3, 0), -1);
  EXPECT_EQ(fit.GridSize(), 0);
  EXPECT_FALSE(fit.AnyValue());
  ASSERT_GT(fit.Compute(Store, 9, 5), 0);  // five sets suffice
  EXPECT_EQ(fit.At(20).Points.size(), 5u);
  EXPECT_EQ(fit.Compute(Store, 9, 6), -1);
  EXPECT_EQ(fit.At(20).Points.size(), 5u);
  EXPECT_TRUE(fit.AnyValue());
}

TEST_F(ExtrapolationFitTest, OnlyPointsWithPositiveTimeErrorAndValueAreFitted) {
  constexpr int Kept = 12, TooFew = 14;
  Add(0.0, [](int) { return 1.0; });  // a set without a time
  for (int i = 1; i < 10; ++i)
    Add(Time(i), [&](int j) {
      if (j == Kept && i == 5) return 0.01;
      if (j == TooFew && i >= 3 && i < 9) return 0.005;
      return Law(j, Time(i));
    });
  Store.SetError(3, Kept, -1.0);
  ExtrapolationFit fit(Gui, Settings.DefaultIgnoreTag);
  ASSERT_GT(fit.Compute(Store, 9, 0), 0);

  const TGridExtrapolation& kept = fit.At(Kept);
  ASSERT_EQ(kept.Points.size(), 7u);  // sets 1, 2, 4, 6, 7, 8 and 9
  EXPECT_TRUE(kept.HasValue);
  EXPECT_NEAR(kept.Value, Peak(Kept), 1e-6);
  const TGridExtrapolation& tooFew = fit.At(TooFew);
  EXPECT_EQ(tooFew.Points.size(), 3u);
  EXPECT_FALSE(tooFew.HasValue);
  EXPECT_EQ(tooFew.Error, Settings.DefaultIgnoreTag);
}

TEST_F(ExtrapolationFitTest, GridPointsWhereTheNewestSetIsNearTheBaselineAreNotExtrapolated) {
  constexpr int AtCutoff = 10, AboveCutoff = 11;
  double ymax = 0.0;
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < GridPoints; ++j) ymax = std::max(ymax, Law(j, Time(i)));
  for (int i = 0; i < 10; ++i)
    Add(Time(i), [&](int j) {
      if (i == 0 && j == 0) return 1000.0;  // without data: must not raise the cutoff
      if (i == 9 && j == AtCutoff) return 0.05 * ymax;
      if (i == 9 && j == AboveCutoff) return 0.051 * ymax;
      return Law(j, Time(i));
    });
  Store.SetError(0, 0, -1.0);
  ExtrapolationFit fit(Gui, Settings.DefaultIgnoreTag);
  ASSERT_GT(fit.Compute(Store, 9, 0), 0);
  EXPECT_FALSE(fit.At(AtCutoff).HasValue);
  EXPECT_TRUE(fit.At(AtCutoff).Points.empty());
  EXPECT_EQ(fit.At(AtCutoff).Error, Settings.DefaultIgnoreTag);
  EXPECT_TRUE(fit.At(AboveCutoff).HasValue);
  // Only the newest set of the range is compared with the cutoff.
  ASSERT_GT(fit.Compute(Store, 8, 0), 0);
  EXPECT_NEAR(fit.At(AtCutoff).Value, Peak(AtCutoff), 1e-6);
}

TEST_F(ExtrapolationFitTest, AnInterceptAbove100IsDropped) {
  constexpr int Diverged = 20, Large = 22;
  for (int i = 0; i < 10; ++i) {
    const double t = Time(i);
    Add(t, [&](int j) {
      const double a0 = j == Diverged ? 150.0 : j == Large ? 99.0 : Intercept(j);
      return std::exp(a0 + Store.GetX(j) + LawA1 / std::sqrt(t) + LawA2 / t);
    });
  }
  Gui.ExtrapolationCutoff = 0.0;  // the diverged point would put every other one below it
  ExtrapolationFit fit(Gui, Settings.DefaultIgnoreTag);
  EXPECT_EQ(fit.Compute(Store, 9, 0), GridPoints - FirstAboveMinLogS - 1);
  EXPECT_FALSE(fit.At(Diverged).HasValue);
  EXPECT_EQ(fit.At(Diverged).Error, Settings.DefaultIgnoreTag);
  EXPECT_TRUE(ExtrapolationFit::FitCurve(fit.At(Diverged)).empty());
  EXPECT_NEAR(fit.At(Large).A0, 99.0, 1e-8);
}

TEST_F(ExtrapolationFitTest, DefaultSmoothingSpreadsAnOutlierBeforeTheFit) {
  // u falls evenly, so ln(y / s*) = a0 + LawA1 u is linear in the set index
  // and passes the moving average unchanged; only the outlier is spread, by
  // three passes of a three-point mean, over sets 3 .. 9.
  constexpr int Sets = 12, Outlier = 6;
  constexpr double Jump = 0.9;
  const double spread[Sets] = {0, 0, 0, 1, 3, 6, 7, 6, 3, 1, 0, 0};
  auto u = [](int i) { return 0.1 - 0.005 * i; };
  for (int i = 0; i < Sets; ++i)
    Add(1.0 / (u(i) * u(i)),
        [&](int j) { return Peak(j) * std::exp(LawA1 * u(i) + (i == Outlier ? Jump : 0.0)); });
  ExtrapolationFit fit(GuiSettings(), Settings.DefaultIgnoreTag);
  ASSERT_EQ(fit.Compute(Store, Sets - 1, 0), GridPoints - FirstAboveMinLogS);
  for (int j = FirstAboveMinLogS; j < GridPoints; ++j) {
    const TGridExtrapolation& g = fit.At(j);
    ASSERT_EQ(g.Points.size(), static_cast<size_t>(Sets));
    for (int k = 0; k < Sets; ++k)
      EXPECT_NEAR(g.Points[static_cast<size_t>(k)].Z,
                  Intercept(j) + LawA1 * u(k) + Jump * spread[k] / 27.0, 1e-9);
    // The same bump lies at every grid point, so it moves every intercept by
    // the same amount; a quadratic bent by a bump in the middle of the data
    // falls away from it when read at u = 0.
    const double shift = g.A0 - Intercept(j);
    EXPECT_LT(shift, 0.0);
    EXPECT_NEAR(shift, fit.At(FirstAboveMinLogS).A0 - Intercept(FirstAboveMinLogS), 1e-6);
    EXPECT_GT(g.Error, 0.0);
  }
}

TEST_F(ExtrapolationFitTest, DegenerateTimesGiveNoValue) {
  MessageRecorder messages;
  AddLawSets(5);
  // All sets at one time: the normal equations are exactly singular.
  for (int i = 0; i < 5; ++i) Store.Headers[static_cast<size_t>(i)].TimeUsed = 0.25;
  ExtrapolationFit fit(Gui, Settings.DefaultIgnoreTag);
  EXPECT_EQ(fit.Compute(Store, 4, 0), 0);
  EXPECT_FALSE(fit.AnyValue());
  EXPECT_EQ(fit.At(20).Points.size(), 5u);
  EXPECT_EQ(fit.At(20).Error, Settings.DefaultIgnoreTag);
  // Every grid point failed alike; the fit itself shows nothing.
  EXPECT_GT(fit.FailedFits(), 1);
  EXPECT_TRUE(messages.Messages().empty());

  // Five late sets 100 s apart: rounding turns the determinant negative,
  // which would leave an error that is not a number.
  for (int i = 0; i < 5; ++i) Store.Headers[static_cast<size_t>(i)].TimeUsed = 36000.0 + 100 * i;
  fit.Compute(Store, 4, 0);
  for (int j = 0; j < GridPoints; ++j) {
    if (fit.At(j).HasValue) {
      EXPECT_GE(fit.At(j).Error, 0.0) << j;
    }
  }
  EXPECT_FALSE(fit.AnyValue());
}
}  // namespace

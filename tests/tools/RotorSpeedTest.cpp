#include "tools/runsim/RotorSpeed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

class RotorSpeedTest : public ::testing::Test {
 protected:
  // Trapezoid sum of omega^2 on a fine grid: an independent check of the
  // closed-form integral (error ~ dt^2, far below the tolerances used).
  static double NumericOmega2t(const RotorSpeed& Speed, double Time) {
    const int steps = 200000;
    const double dt = Time / steps;
    double sum = 0;
    for (int i = 0; i < steps; ++i)
      sum += (Speed.OmegaSquaredAt(i * dt) + Speed.OmegaSquaredAt((i + 1) * dt)) / 2 * dt;
    return sum;
  }
};

TEST_F(RotorSpeedTest, FinalOmegaSquaredIsRpmSquaredTimesFourPiSquaredOver3600) {
  const RotorSpeed speed(50000, 0);
  const double omega = 50000 * 2 * std::numbers::pi / 60;
  EXPECT_NEAR(speed.FinalOmegaSquared(), omega * omega, 1e-9 * omega * omega);
  // The value instrument headers show for 50000 rpm after 3000 s.
  EXPECT_NEAR(speed.Omega2t(3000), 8.22467e10, 1e5);
}

TEST_F(RotorSpeedTest, WithoutRampApparentTimeIsElapsedTime) {
  const RotorSpeed speed(42000, 0);
  EXPECT_DOUBLE_EQ(speed.ApparentTime(1234), 1234);
  EXPECT_DOUBLE_EQ(speed.Omega2t(0), 0);
}

TEST_F(RotorSpeedTest, RampIntegralMatchesNumericIntegration) {
  const RotorSpeed speed(50000, 240);
  for (double time : {60.0, 239.0, 240.0, 1000.0}) {
    const double numeric = NumericOmega2t(speed, time);
    EXPECT_NEAR(speed.Omega2t(time), numeric, 1e-7 * numeric) << "t = " << time;
  }
}

TEST_F(RotorSpeedTest, AfterLinearRampApparentTimeLagsByTwoThirdsOfTheRamp) {
  const RotorSpeed speed(50000, 300);
  EXPECT_NEAR(speed.ApparentTime(3000), 3000 - 200, 1e-9);
  EXPECT_NEAR(speed.OmegaSquaredAt(150), speed.FinalOmegaSquared() / 4, 1e-6);
}

TEST_F(RotorSpeedTest, MeanOmegaSquaredOfAStepGivesTheExactIncrementOfOmega2t) {
  const RotorSpeed speed(60000, 200);
  for (auto [start, end] : {std::pair{0.0, 5.0}, {195.0, 205.0}, {400.0, 402.5}}) {
    const double increment = speed.Omega2t(end) - speed.Omega2t(start);
    EXPECT_NEAR(speed.MeanOmegaSquared(start, end) * (end - start), increment, 1e-9 * increment);
  }
  EXPECT_EQ(speed.MeanOmegaSquared(400, 402.5), speed.FinalOmegaSquared());
}

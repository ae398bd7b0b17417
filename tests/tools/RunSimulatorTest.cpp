#include "tools/runsim/RunSimulator.h"

#include "tools/runsim/RotorSpeed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

class RunSimulatorTest : public ::testing::Test {
 protected:
  // A small, fast run: accuracy is the solver test's business.
  static RunParameters SmallRun() {
    RunParameters parameters;
    parameters.SpeciesList = {{4.5e-13, 6.1e-7, 0.5}, {7e-13, 4.6e-7, 0.25}};
    parameters.RampSeconds = 180;
    parameters.FirstScanTime = 600;
    parameters.ScanInterval = 600;
    parameters.ScanCount = 4;
    parameters.GridCells = 1000;
    return parameters;
  }
};

TEST_F(RunSimulatorTest, OutputRadiiStartInTheAirAndEndNearTheBottom) {
  const RunParameters parameters = SmallRun();
  const SimulatedRun run = SimulateRun(parameters);
  ASSERT_EQ(run.Error, "");
  const SimulatedScan& scan = run.Scans.front();
  ASSERT_FALSE(scan.Radius.empty());
  EXPECT_DOUBLE_EQ(scan.Radius.front(), 6.01);
  EXPECT_LE(scan.Radius.back(), parameters.Bottom - parameters.BottomGap + 1e-9);
  EXPECT_GT(scan.Radius.back(), parameters.Bottom - parameters.BottomGap - parameters.RadialStep);
  for (size_t i = 0; i < scan.Radius.size(); ++i) {
    // Radii are what the files carry: whole multiples of 0.1 um.
    EXPECT_DOUBLE_EQ(scan.Radius[i], std::round(scan.Radius[i] * 1e4) / 1e4);
    if (scan.Radius[i] < parameters.Meniscus)
      EXPECT_EQ(scan.Concentration[i], 0) << "air at r = " << scan.Radius[i];
    else
      EXPECT_GT(scan.Concentration[i], 0) << "solution at r = " << scan.Radius[i];
  }
}

TEST_F(RunSimulatorTest, ScansCarryTheirTimesAndTheKnownAnswer) {
  const RunParameters parameters = SmallRun();
  const SimulatedRun run = SimulateRun(parameters);
  ASSERT_EQ(run.Scans.size(), 4u);
  const RotorSpeed speed(parameters.Rpm, parameters.RampSeconds);
  for (size_t k = 0; k < run.Scans.size(); ++k) {
    const SimulatedScan& scan = run.Scans[k];
    const double time = 600.0 * (k + 1);
    EXPECT_EQ(scan.ElapsedTime, time);
    EXPECT_DOUBLE_EQ(scan.Omega2t, speed.Omega2t(time));
    EXPECT_DOUBLE_EQ(scan.ApparentTime, time - 120);
    double plateau = 0;
    double squares = 0;
    for (const Species& one : parameters.SpeciesList) {
      const double c = one.c0 * std::exp(-2 * one.s * scan.Omega2t);
      plateau += c;
      squares += c * std::pow(parameters.Meniscus * std::exp(one.s * scan.Omega2t), 2);
    }
    EXPECT_NEAR(scan.PlateauConcentration, plateau, 1e-12);
    EXPECT_NEAR(scan.BoundaryRadius, std::sqrt(squares / plateau), 1e-12);
  }
  // The simulated plateau (between the 7 S boundary and the bottom layer
  // of the first scan) agrees with the known answer.
  const SimulatedScan& first = run.Scans.front();
  size_t checked = 0;
  for (size_t i = 0; i < first.Radius.size(); ++i) {
    if (first.Radius[i] < 6.6 || first.Radius[i] > 6.8) continue;
    EXPECT_NEAR(first.Concentration[i] / first.PlateauConcentration, 1, 1e-6);
    ++checked;
  }
  EXPECT_GT(checked, 50u);
}

TEST_F(RunSimulatorTest, ExplicitScanTimesReplaceTheSchedule) {
  RunParameters parameters = SmallRun();
  parameters.ScanTimes = {100, 250.5, 1000};
  const SimulatedRun run = SimulateRun(parameters);
  ASSERT_EQ(run.Scans.size(), 3u);
  EXPECT_EQ(run.Scans[1].ElapsedTime, 250.5);
  EXPECT_EQ(ScanSchedule(parameters), parameters.ScanTimes);
}

struct InvalidRunCase {
  std::string Name;
  std::function<void(RunParameters&)> Spoil;
};

class RunSimulatorRefusalTest : public ::testing::TestWithParam<InvalidRunCase> {};

TEST_P(RunSimulatorRefusalTest, InvalidParametersGiveAnErrorAndNoScans) {
  RunParameters parameters;
  parameters.SpeciesList = {{4.5e-13, 6.1e-7, 0.5}};
  parameters.ScanCount = 2;
  parameters.GridCells = 100;
  GetParam().Spoil(parameters);
  const SimulatedRun run = SimulateRun(parameters);
  EXPECT_NE(run.Error, "");
  EXPECT_TRUE(run.Scans.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunSimulatorRefusalTest,
    ::testing::Values(
        InvalidRunCase{"NoSpecies", [](RunParameters& p) { p.SpeciesList.clear(); }},
        InvalidRunCase{"ZeroDiffusion", [](RunParameters& p) { p.SpeciesList[0].D = 0; }},
        InvalidRunCase{"NegativeConcentration", [](RunParameters& p) { p.SpeciesList[0].c0 = -1; }},
        InvalidRunCase{"NotANumberS", [](RunParameters& p) { p.SpeciesList[0].s = std::nan(""); }},
        InvalidRunCase{"ZeroRpm", [](RunParameters& p) { p.Rpm = 0; }},
        InvalidRunCase{"NegativeRamp", [](RunParameters& p) { p.RampSeconds = -1; }},
        InvalidRunCase{"BottomAboveMeniscus", [](RunParameters& p) { p.Bottom = 6.0; }},
        InvalidRunCase{"NoScans", [](RunParameters& p) { p.ScanCount = 0; }},
        InvalidRunCase{"TooManyScansForFiveDigits", [](RunParameters& p) { p.ScanCount = 100000; }},
        InvalidRunCase{"TimesNotIncreasing",
                       [](RunParameters& p) {
                         p.ScanTimes = {500, 400};
                       }},
        InvalidRunCase{"ScanAtTimeZero", [](RunParameters& p) { p.FirstScanTime = 0; }},
        InvalidRunCase{"TinyRadialStep", [](RunParameters& p) { p.RadialStep = 1e-6; }},
        InvalidRunCase{"TooFewCells", [](RunParameters& p) { p.GridCells = 10; }},
        InvalidRunCase{"ZeroTimeStep", [](RunParameters& p) { p.TimeStep = 0; }},
        InvalidRunCase{"GapsLeaveNoColumn", [](RunParameters& p) { p.BottomGap = 2; }},
        // Would take hours: refused before solving.
        InvalidRunCase{"HopelessWorkload",
                       [](RunParameters& p) {
                         p.SpeciesList[0].s = 5e-10;
                         p.GridCells = 1000000;
                         p.ScanTimes = {50000};
                       }}),
    [](const ::testing::TestParamInfo<InvalidRunCase>& info) { return info.param.Name; });

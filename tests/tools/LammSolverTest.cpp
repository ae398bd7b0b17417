#include "tools/runsim/LammSolver.h"

#include "tools/runsim/RunSimulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

// Physics checks of the solver against results that hold exactly for the
// Lamm equation of an ideal species in a sector cell: mass conservation,
// plateau decay c0 exp(-2 s omega^2 t) and the second-moment boundary
// meniscus * exp(s omega^2 t).
class LammSolverTest : public ::testing::Test {
 protected:
  static constexpr double kMeniscus = 6.05;
  static constexpr double kBottom = 7.2;
  static constexpr Species kSevenS{7e-13, 4.6e-7, 1.0};
  static constexpr Species kFourPointFiveS{4.5e-13, 6.1e-7, 0.8};

  static LammSolver MakeSolver(const Species& Sample, const RotorSpeed& Speed, int Cells = 4000,
                               double Step = 5) {
    return LammSolver(Sample, Speed, kMeniscus, kBottom, Cells, Step);
  }

  // A radius well inside the plateau: far below the boundary (the boundary
  // spread 2 sqrt(D t) is under 0.15 cm here) and far above the layer that
  // piles up at the bottom.
  static double PlateauRadius(const Species& Sample, double Omega2t) {
    const double boundary = kMeniscus * std::exp(Sample.s * Omega2t);
    return (boundary + 0.15 + kBottom - 0.2) / 2;
  }

  static double MinimumConcentration(const LammSolver& Solver) {
    const auto& c = Solver.Concentration();
    return *std::min_element(c.begin(), c.end());
  }
};

TEST_F(LammSolverTest, MassIsConservedToRoundOff) {
  LammSolver solver = MakeSolver(kSevenS, RotorSpeed(50000, 0));
  const double initial = solver.TotalMass();
  EXPECT_NEAR(initial, kSevenS.c0 * (kBottom * kBottom - kMeniscus * kMeniscus) / 2, 1e-12);
  for (double time : {600.0, 1800.0, 3600.0}) {
    solver.AdvanceTo(time);
    EXPECT_NEAR(solver.TotalMass() / initial, 1.0, 1e-9) << "t = " << time;
  }
}

TEST_F(LammSolverTest, PlateauAndSecondMomentFollowOmega2tAtConstantSpeed) {
  const RotorSpeed speed(50000, 0);
  LammSolver solver = MakeSolver(kSevenS, speed);
  for (double time : {900.0, 2100.0, 3300.0}) {
    solver.AdvanceTo(time);
    const double omega2t = speed.Omega2t(time);
    const double plateauRadius = PlateauRadius(kSevenS, omega2t);
    const double plateau = kSevenS.c0 * std::exp(-2 * kSevenS.s * omega2t);
    const double boundary = kMeniscus * std::exp(kSevenS.s * omega2t);
    EXPECT_NEAR(solver.ValueAt(plateauRadius) / plateau, 1.0, 1e-6) << "t = " << time;
    EXPECT_NEAR(solver.SecondMomentRadius(plateauRadius) / boundary, 1.0, 1e-6) << "t = " << time;
  }
}

TEST_F(LammSolverTest, WithARampPlateauAndSecondMomentFollowTheIntegralOfOmegaSquared) {
  // During and after the acceleration only the integral of omega^2 counts.
  const RotorSpeed speed(50000, 300);
  LammSolver solver = MakeSolver(kFourPointFiveS, speed);
  for (double time : {200.0, 1500.0, 4000.0}) {
    solver.AdvanceTo(time);
    const double omega2t = speed.Omega2t(time);
    const double plateauRadius = PlateauRadius(kFourPointFiveS, omega2t);
    const double plateau = kFourPointFiveS.c0 * std::exp(-2 * kFourPointFiveS.s * omega2t);
    const double boundary = kMeniscus * std::exp(kFourPointFiveS.s * omega2t);
    EXPECT_NEAR(solver.ValueAt(plateauRadius) / plateau, 1.0, 1e-6) << "t = " << time;
    EXPECT_NEAR(solver.SecondMomentRadius(plateauRadius) / boundary, 1.0, 1e-6) << "t = " << time;
    EXPECT_DOUBLE_EQ(solver.Omega2t(), omega2t);
  }
}

TEST_F(LammSolverTest, NoNegativeOvershootAtHighSOrHighDiffusion) {
  // A 60 S particle at full speed from t = 0 gives a cell Peclet number
  // near 5 on this grid and a boundary that would ring with centred
  // convection; a small molecule gives very stiff diffusion instead.
  struct Case {
    Species Sample;
    int Cells;
  };
  for (const Case& one : {Case{{60e-13, 1.5e-7, 1.0}, 1000}, Case{{60e-13, 1.5e-7, 1.0}, 4000},
                          Case{{0.3e-13, 1e-5, 1.0}, 2000}}) {
    LammSolver solver = MakeSolver(one.Sample, RotorSpeed(60000, 0), one.Cells);
    for (double time : {10.0, 60.0, 300.0, 600.0}) {
      solver.AdvanceTo(time);
      EXPECT_GE(MinimumConcentration(solver), -1e-6 * one.Sample.c0)
          << "s = " << one.Sample.s << ", cells = " << one.Cells << ", t = " << time;
    }
  }
}

TEST_F(LammSolverTest, HalvingTimeAndRadialStepsChangesTheOutputByLessThan1e4C0) {
  RunParameters coarse;
  coarse.SpeciesList = {kSevenS, kFourPointFiveS};
  coarse.RampSeconds = 120;
  coarse.ScanTimes = {400, 1200, 2400};
  coarse.RadialStep = 0.002;
  RunParameters fine = coarse;
  fine.GridCells *= 2;
  fine.TimeStep /= 2;
  const SimulatedRun a = SimulateRun(coarse);
  const SimulatedRun b = SimulateRun(fine);
  ASSERT_EQ(a.Error, "");
  ASSERT_EQ(b.Error, "");
  const double c0 = kSevenS.c0 + kFourPointFiveS.c0;
  for (size_t k = 0; k < a.Scans.size(); ++k) {
    double largest = 0;
    for (size_t i = 0; i < a.Scans[k].Concentration.size(); ++i)
      largest =
          std::max(largest, std::fabs(a.Scans[k].Concentration[i] - b.Scans[k].Concentration[i]));
    EXPECT_LT(largest, 1e-4 * c0) << "scan " << k + 1;
  }
}

TEST_F(LammSolverTest, ValueAtIsZeroInTheAirAndExactForAFlatProfile) {
  const LammSolver solver = MakeSolver(kSevenS, RotorSpeed(50000, 0), 100);
  EXPECT_EQ(solver.ValueAt(kMeniscus - 1e-4), 0);
  EXPECT_DOUBLE_EQ(solver.ValueAt(kMeniscus), kSevenS.c0);
  EXPECT_DOUBLE_EQ(solver.ValueAt(6.5), kSevenS.c0);
  EXPECT_DOUBLE_EQ(solver.ValueAt(kBottom), kSevenS.c0);
  EXPECT_NEAR(solver.CellVolume(0),
              (std::pow(kMeniscus + solver.CellWidth(), 2) - kMeniscus * kMeniscus) / 2, 1e-12);
}

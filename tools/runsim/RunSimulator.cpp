#include "tools/runsim/RunSimulator.h"

#include "tools/runsim/LammSolver.h"
#include "tools/runsim/RotorSpeed.h"

#include "platform/NumberText.h"

#include <cmath>
#include <exception>

namespace {

double RoundToFileRadius(double Radius) {
  return std::round(Radius * 1e4) / 1e4;
}

void FillKnownAnswer(const RunParameters& Parameters, SimulatedScan& Scan) {
  double plateau = 0;
  double weightedSquares = 0;
  for (const Species& one : Parameters.SpeciesList) {
    const double c = one.c0 * std::exp(-2 * one.s * Scan.Omega2t);
    const double radius = Parameters.Meniscus * std::exp(one.s * Scan.Omega2t);
    plateau += c;
    weightedSquares += c * radius * radius;
  }
  Scan.PlateauConcentration = plateau;
  Scan.BoundaryRadius = plateau > 0 ? std::sqrt(weightedSquares / plateau) : Parameters.Meniscus;
}

// Cell updates above this (minutes of computing) mean parameters that were
// hardly meant, such as a huge s on a fine grid; refuse rather than hang.
constexpr double kMostCellSteps = 2e10;

std::string CheckWorkload(const std::vector<LammSolver>& Solvers, double LastTime) {
  double cellSteps = 0;
  for (const LammSolver& solver : Solvers)
    cellSteps += solver.Cells() * LastTime / solver.TimeStep();
  if (cellSteps <= kMostCellSteps) return "";
  return "The run needs about " + FormatScientific(cellSteps, 1) +
         " cell updates (the limit is 2e10): use fewer grid cells, fewer species or a shorter "
         "run.";
}

SimulatedRun Simulate(const RunParameters& Parameters) {
  SimulatedRun run;
  run.Parameters = Parameters;
  run.Error = ValidateRunParameters(Parameters);
  if (!run.Error.empty()) return run;

  const RotorSpeed speed(Parameters.Rpm, Parameters.RampSeconds);
  std::vector<LammSolver> solvers;
  for (const Species& one : Parameters.SpeciesList)
    solvers.emplace_back(one, speed, Parameters.Meniscus, Parameters.Bottom, Parameters.GridCells,
                         Parameters.TimeStep);
  const std::vector<double> radii = OutputRadii(Parameters);
  const std::vector<double> times = ScanSchedule(Parameters);
  run.Error = CheckWorkload(solvers, times.back());
  if (!run.Error.empty()) return run;

  for (double time : times) {
    SimulatedScan scan;
    scan.ElapsedTime = time;
    scan.Omega2t = speed.Omega2t(time);
    scan.ApparentTime = speed.ApparentTime(time);
    FillKnownAnswer(Parameters, scan);
    scan.Radius = radii;
    scan.Concentration.assign(radii.size(), 0.0);
    for (LammSolver& solver : solvers) {
      solver.AdvanceTo(time);
      for (size_t i = 0; i < radii.size(); ++i) scan.Concentration[i] += solver.ValueAt(radii[i]);
    }
    run.Scans.push_back(std::move(scan));
  }
  return run;
}

}  // namespace

std::vector<double> OutputRadii(const RunParameters& Parameters) {
  std::vector<double> radii;
  const double first = Parameters.Meniscus - Parameters.AirGap;
  const double last = Parameters.Bottom - Parameters.BottomGap;
  if (!(Parameters.RadialStep > 0) || !(last > first)) return radii;
  const long long count = std::llround(std::floor((last - first) / Parameters.RadialStep + 1e-9));
  for (long long k = 0; k <= count; ++k)
    radii.push_back(RoundToFileRadius(first + static_cast<double>(k) * Parameters.RadialStep));
  return radii;
}

SimulatedRun SimulateRun(const RunParameters& Parameters) {
  try {
    return Simulate(Parameters);
  } catch (const std::exception& error) {
    SimulatedRun failed;
    failed.Parameters = Parameters;
    failed.Error = std::string("The simulation failed: ") + error.what();
    return failed;
  }
}

#include "tools/runsim/RunSimulator.h"

#include "tools/runsim/LammSolver.h"
#include "tools/runsim/RotorSpeed.h"

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

  for (double time : ScanSchedule(Parameters)) {
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

#include "tools/runsim/RunParameters.h"

#include "platform/NumberText.h"

#include <cmath>

namespace {

bool Finite(double Value) {
  return std::isfinite(Value);
}

std::string ValidateSpecies(const std::vector<Species>& List) {
  if (List.empty()) return "At least one species is needed.";
  for (size_t i = 0; i < List.size(); ++i) {
    const Species& one = List[i];
    const std::string which = "Species " + FormatInteger(static_cast<long long>(i + 1));
    if (!Finite(one.s) || std::fabs(one.s) > 1e-9)
      return which + ": s must be a finite value below 10000 S.";
    if (!Finite(one.D) || one.D <= 0 || one.D > 1e-3)
      return which + ": D must be positive and at most 1e-3 cm^2/s.";
    if (!Finite(one.c0) || one.c0 < 0) return which + ": c0 must not be negative.";
  }
  return "";
}

std::string ValidateGeometry(const RunParameters& P) {
  if (!Finite(P.Rpm) || P.Rpm <= 0 || P.Rpm > 200000)
    return "The rotor speed must be above 0 and at most 200000 rpm.";
  if (!Finite(P.RampSeconds) || P.RampSeconds < 0) return "The ramp must not be negative.";
  if (!Finite(P.Meniscus) || !Finite(P.Bottom) || P.Meniscus <= 0 || P.Bottom <= P.Meniscus)
    return "The meniscus must lie above 0 and below the bottom.";
  if (!Finite(P.Temperature) || std::fabs(P.Temperature) >= 1000)
    return "The temperature must be a finite number of degrees.";
  if (!Finite(P.RadialStep) || P.RadialStep < 0.0001)
    return "The radial step must be at least 0.0001 cm.";
  if (!Finite(P.AirGap) || P.AirGap < 0 || P.AirGap >= P.Meniscus)
    return "The air gap must not be negative and must stay inside the rotor.";
  if (!Finite(P.BottomGap) || P.BottomGap < 0 || P.BottomGap >= P.Bottom - P.Meniscus)
    return "The bottom gap must not be negative and must leave a solution column.";
  if ((P.Bottom - P.BottomGap - P.Meniscus + P.AirGap) / P.RadialStep > 100000)
    return "The radial step gives more than 100000 points per scan.";
  if (P.GridCells < 50 || P.GridCells > 1000000)
    return "The solver grid must have 50 to 1000000 cells.";
  if (!Finite(P.TimeStep) || P.TimeStep <= 0) return "The time step must be positive.";
  return "";
}

std::string ValidateSchedule(const std::vector<double>& Times) {
  if (Times.empty()) return "At least one scan is needed.";
  // Scan files are numbered with five digits.
  if (Times.size() > 99999) return "At most 99999 scans fit the scan-file names.";
  double previous = 0;
  for (double time : Times) {
    if (!Finite(time) || time <= previous)
      return "Scan times must be positive and strictly increasing.";
    previous = time;
  }
  return "";
}

}  // namespace

std::vector<double> ScanSchedule(const RunParameters& Parameters) {
  if (!Parameters.ScanTimes.empty()) return Parameters.ScanTimes;
  std::vector<double> times;
  if (Parameters.ScanCount <= 0 || Parameters.ScanCount > 99999) return times;
  times.reserve(static_cast<size_t>(Parameters.ScanCount));
  for (int k = 0; k < Parameters.ScanCount; ++k)
    times.push_back(Parameters.FirstScanTime + k * Parameters.ScanInterval);
  return times;
}

std::string ValidateRunParameters(const RunParameters& Parameters) {
  std::string error = ValidateSpecies(Parameters.SpeciesList);
  if (error.empty()) error = ValidateGeometry(Parameters);
  if (error.empty()) {
    if (Parameters.ScanTimes.empty() && (Parameters.ScanCount <= 0 || Parameters.ScanCount > 99999))
      error = "The scan count must be 1 to 99999.";
    else
      error = ValidateSchedule(ScanSchedule(Parameters));
  }
  return error;
}

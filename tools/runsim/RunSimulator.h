#pragma once

#include <string>
#include <vector>

#include "tools/runsim/RunParameters.h"

// One simulated scan: the total concentration of all species at the output
// radii, with the known answer at that moment.
struct SimulatedScan {
  double ElapsedTime = 0;   // s since the start of the acceleration
  double Omega2t = 0;       // rad^2/s, exact integral of omega^2
  double ApparentTime = 0;  // Omega2t / final omega^2
  // Second-moment boundary radius of the whole sample: the plateau-weighted
  // root mean square of meniscus * exp(s omega^2 t) over the species.
  double BoundaryRadius = 0;
  // Sum over the species of c0 * exp(-2 s omega^2 t).
  double PlateauConcentration = 0;
  std::vector<double> Radius;         // cm, rounded to 4 decimals
  std::vector<double> Concentration;  // 0 above the meniscus
};

// A simulated channel: the parameters it came from and its scans in time
// order. Error is empty on success; otherwise it says why nothing was
// simulated and Scans is empty.
struct SimulatedRun {
  RunParameters Parameters;
  std::vector<SimulatedScan> Scans;
  std::string Error;
};

// The output radii of a run: Meniscus - AirGap to Bottom - BottomGap.
std::vector<double> OutputRadii(const RunParameters& Parameters);

// Solves the Lamm equation of every species and samples the sum at each scan.
SimulatedRun SimulateRun(const RunParameters& Parameters);

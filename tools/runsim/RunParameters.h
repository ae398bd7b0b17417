#pragma once

#include <string>
#include <vector>

// One ideal, non-interacting sedimenting species.
struct Species {
  double s = 0;   // sedimentation coefficient in seconds (1 S = 1e-13 s)
  double D = 0;   // diffusion coefficient in cm^2/s
  double c0 = 0;  // loading concentration in concentration units
};

// Everything that fixes the physics of one simulated channel. Radii are cm,
// times are seconds from the start of the acceleration.
struct RunParameters {
  std::vector<Species> SpeciesList;
  double Rpm = 50000;
  double RampSeconds = 0;  // linear acceleration from rest; 0 starts at full speed
  double Meniscus = 6.05;
  double Bottom = 7.2;
  double Temperature = 20.0;  // degrees C, written to the header only

  // Scan times: ScanTimes when given, else FirstScanTime + k * ScanInterval.
  double FirstScanTime = 300;
  double ScanInterval = 120;
  int ScanCount = 60;
  std::vector<double> ScanTimes;

  // Output points run from Meniscus - AirGap (air above the liquid) to
  // Bottom - BottomGap in RadialStep, rounded to the 0.1 um written to files.
  double RadialStep = 0.003;
  double AirGap = 0.04;
  double BottomGap = 0.03;

  // Internal solver grid and largest time step (the solver also keeps a
  // boundary from crossing more than one cell per step). The defaults keep
  // the output within 1e-4 c0 of the converged solution while the cell
  // Peclet number s omega^2 r h / D stays below about 0.1: a 7 S protein at
  // 50000 rpm gives 0.09.
  int GridCells = 4000;
  double TimeStep = 5;
};

// The scan times the parameters describe.
std::vector<double> ScanSchedule(const RunParameters& Parameters);

// Empty when the parameters describe a run that can be simulated, else a
// sentence saying what is wrong.
std::string ValidateRunParameters(const RunParameters& Parameters);

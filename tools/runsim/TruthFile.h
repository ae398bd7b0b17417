#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/runsim/OpticalSystem.h"
#include "tools/runsim/RunParameters.h"

// What one written scan file holds, as the simulator made it.
struct TruthScan {
  int Number = 0;
  std::string FileName;
  double ElapsedTime = 0;  // exact; the header carries it rounded to whole seconds
  double Omega2t = 0;      // exact; the header carries six significant digits
  double ApparentTime = 0;
  double Jitter = 0;   // constant offset added to the whole scan, in signal units
  int FringeJump = 0;  // integer fringe offset added to the whole scan
  int PointCount = 0;
  double BoundaryRadius = 0;
  double PlateauConcentration = 0;
};

// The known answer of one simulated channel, stored beside its scan files as
// "run-truth.txt" (a name no channel mask matches). A scan's signal is
// SignalFactor * c + Baseline + Jitter + FringeJump + Gaussian noise of
// standard deviation Noise.
struct RunTruth {
  std::string RunName;
  OpticalSystem System = OpticalSystem::Absorbance;
  int Cell = 1;
  int Wavelength = 280;
  double Rpm = 0;
  double RampSeconds = 0;
  double Temperature = 0;
  double Meniscus = 0;
  double Bottom = 0;
  double RadialStep = 0;
  double SignalFactor = 1;
  double Baseline = 0;
  double Noise = 0;
  std::uint64_t Seed = 0;
  double JitterAmplitude = 0;
  std::vector<Species> SpeciesList;
  std::vector<TruthScan> Scans;
};

inline constexpr const char* kTruthFileName = "run-truth.txt";

std::string FormatTruth(const RunTruth& Truth);
// False with Error set when the text is not a truth file.
bool ParseTruth(const std::string& Text, RunTruth& Truth, std::string& Error);

bool WriteTruthFile(const std::filesystem::path& Path, const RunTruth& Truth, std::string& Error);
bool ReadTruthFile(const std::filesystem::path& Path, RunTruth& Truth, std::string& Error);

#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tools/runsim/OpticalSystem.h"
#include "tools/runsim/RunSimulator.h"
#include "tools/runsim/TruthFile.h"

// An integer number of fringes added to one whole interference scan.
struct FringeJump {
  int Scan = 0;  // scan number, from 1
  int Fringes = 0;
};

// How a simulated channel is turned into instrument files.
struct ChannelOptions {
  OpticalSystem System = OpticalSystem::Absorbance;
  int Cell = 1;                       // 1 to 8
  int Wavelength = 0;                 // nm, 100 to 999; 0 takes the system's default
  double SignalFactor = 0;            // signal per concentration unit; 0 takes the default
  double Baseline = 0;                // signal units, added everywhere (also in the air)
  double Noise = 0;                   // standard deviation of Gaussian noise, signal units
  std::uint64_t Seed = 1;             // same seed, same files
  double Jitter = 0;                  // interference: per-scan offset uniform in [-Jitter, Jitter]
  std::vector<FringeJump> Jumps;      // interference only
  std::string RunName = "simulated";  // one word: run folder and description in line 1
};

// Writes the scans of one simulated channel as instrument files: names
// NNNNN.<letters><cell> in time order, CR LF line ends, two header lines and
// one line per radius, numbers in the C locale whatever the process locale.
// Render builds every text in memory; Save writes them with the truth file.
class ScanFileWriter {
 public:
  explicit ScanFileWriter(const ChannelOptions& Options);

  // The options with the system's defaults filled in.
  const ChannelOptions& Options() const { return FOptions; }

  std::string FileName(int Number) const;
  std::string TitleLine() const;
  std::string HeaderLine(const SimulatedScan& Scan, const RunParameters& Parameters) const;

  // Builds the files of every scan of Run and its truth; false with Error
  // when the options or the run cannot give files the reader accepts whole.
  bool Render(const SimulatedRun& Run, std::string& Error);
  // Writes what Render built into Directory (created when missing), after
  // removing earlier scan files of the same channel there, so that stale
  // scans of a longer run never mix in.
  bool Save(const std::filesystem::path& Directory, std::string& Error) const;

  // (file name, whole text) of each scan, from the last Render.
  const std::vector<std::pair<std::string, std::string>>& Files() const { return FFiles; }
  const RunTruth& Truth() const { return FTruth; }

 private:
  std::string ValidateOptions(const SimulatedRun& Run) const;
  std::string DataLine(double Radius, double Signal, double Spread) const;

  ChannelOptions FOptions;
  // caches: the output of the last Render.
  std::vector<std::pair<std::string, std::string>> FFiles;
  RunTruth FTruth;
};

// Time-constant lamp intensity of the intensity files at Radius: smooth and
// positive, so that log10(I1 / I2) gives back the absorbance.
double LampIntensity(double Radius);

// Renders Run and saves it into RunRoot / RunName / the channel's
// subdirectory (e.g. Cell1/Absorbance/280). Returns that directory, or an
// empty path with Error set.
std::filesystem::path WriteChannel(const SimulatedRun& Run, const ChannelOptions& Options,
                                   const std::filesystem::path& RunRoot, std::string& Error);

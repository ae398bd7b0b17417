#include "tools/runsim/DemoRun.h"

#include "tools/runsim/RunSimulator.h"
#include "tools/runsim/ScanFileWriter.h"

namespace fs = std::filesystem;

namespace {

RunParameters MixtureParameters() {
  RunParameters parameters;
  parameters.SpeciesList = {{4.5e-13, 6.1e-7, 0.5}, {7.0e-13, 4.6e-7, 0.25}};
  parameters.Rpm = 50000;
  parameters.RampSeconds = 240;
  parameters.Meniscus = 6.05;
  parameters.Bottom = 7.2;
  parameters.Temperature = 20.0;
  return parameters;
}

RunParameters Schedule(RunParameters Parameters, double First, double Interval, int Count,
                       double RadialStep) {
  Parameters.FirstScanTime = First;
  Parameters.ScanInterval = Interval;
  Parameters.ScanCount = Count;
  Parameters.RadialStep = RadialStep;
  return Parameters;
}

ChannelOptions Channel(OpticalSystem System, int Cell, double Noise, unsigned Seed) {
  ChannelOptions options;
  options.System = System;
  options.Cell = Cell;
  options.Noise = Noise;
  options.Seed = Seed;
  options.RunName = kDemoRunName;
  return options;
}

bool Write(const SimulatedRun& Run, const ChannelOptions& Options, const fs::path& Root,
           std::vector<fs::path>& Written, std::string& Error) {
  const fs::path directory = WriteChannel(Run, Options, Root, Error);
  if (directory.empty()) return false;
  Written.push_back(directory);
  return true;
}

}  // namespace

std::vector<fs::path> WriteDemoRun(const fs::path& Root, std::string& Error) {
  std::vector<fs::path> written;

  // Cell 1: one sample seen in absorbance and in raw intensity.
  const SimulatedRun cell1 = SimulateRun(Schedule(MixtureParameters(), 360, 90, 75, 0.003));
  if (!Write(cell1, Channel(OpticalSystem::Absorbance, 1, 0.005, 11), Root, written, Error) ||
      !Write(cell1, Channel(OpticalSystem::Intensity, 1, 0.005, 12), Root, written, Error))
    return {};

  // Cell 2: interference, faster scans, with the per-scan offsets and
  // integer fringe jumps that its analysis has to remove.
  RunParameters interference = Schedule(MixtureParameters(), 300, 60, 100, 0.001);
  interference.Meniscus = 6.08;
  ChannelOptions fringes = Channel(OpticalSystem::Interference, 2, 0.004, 21);
  fringes.Jitter = 0.3;
  fringes.Jumps = {{37, 1}, {68, -1}};
  if (!Write(SimulateRun(interference), fringes, Root, written, Error)) return {};

  // Cell 3: fluorescence of a labelled sample, in counts.
  RunParameters fluorescence = Schedule(MixtureParameters(), 330, 80, 80, 0.002);
  fluorescence.Meniscus = 6.02;
  fluorescence.SpeciesList[0].c0 = 0.6;
  fluorescence.SpeciesList[1].c0 = 0.3;
  if (!Write(SimulateRun(fluorescence), Channel(OpticalSystem::Fluorescence, 3, 6.0, 31), Root,
             written, Error))
    return {};
  return written;
}

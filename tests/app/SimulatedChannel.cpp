#include "tests/app/SimulatedChannel.h"

#include "tests/support/TestSupport.h"
#include "tools/runsim/RunSimulator.h"
#include "tools/runsim/ScanFileWriter.h"

#include <chrono>
#include <map>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

SimulatedChannel Render(const RunParameters& Parameters, const ChannelOptions& Options) {
  const SimulatedRun run = SimulateRun(Parameters);
  ScanFileWriter writer(Options);
  std::string error;
  if (!run.Error.empty() || !writer.Render(run, error))
    throw std::runtime_error("simulation failed: " + run.Error + error);
  SimulatedChannel channel;
  channel.Files = writer.Files();
  channel.Truth = writer.Truth();
  return channel;
}

RunParameters ProteinRun(int ScanCount, double RadialStep) {
  RunParameters parameters;
  parameters.SpeciesList = {{4.5e-13, 6.0e-7, 1.0}};
  parameters.ScanCount = ScanCount;
  parameters.RadialStep = RadialStep;
  parameters.GridCells = 1500;
  return parameters;
}

}  // namespace

const SimulatedChannel& SimulatedChannel::Absorbance(int ScanCount, double RadialStep) {
  // Simulating is the slow part: each size is simulated once per test run.
  static std::map<std::pair<int, double>, SimulatedChannel> cache;
  const auto key = std::make_pair(ScanCount, RadialStep);
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  ChannelOptions options;
  options.Noise = 0.002;
  return cache.emplace(key, Render(ProteinRun(ScanCount, RadialStep), options)).first->second;
}

const SimulatedChannel& SimulatedChannel::Interference(int ScanCount, int JumpScan) {
  static std::map<std::pair<int, int>, SimulatedChannel> cache;
  const auto key = std::make_pair(ScanCount, JumpScan);
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  ChannelOptions options;
  options.System = OpticalSystem::Interference;
  options.Noise = 0.02;
  options.Jitter = 0.3;
  if (JumpScan > 0) options.Jumps = {{JumpScan, 1}};
  return cache.emplace(key, Render(ProteinRun(ScanCount, 0.002), options)).first->second;
}

void SimulatedChannel::Write(const fs::path& Directory, size_t Index, int AgeSeconds) const {
  fs::create_directories(Directory);
  const fs::path path = Directory / Files.at(Index).first;
  WriteTextFile(path, Files.at(Index).second);
  AgeFile(path, AgeSeconds);
}

void SimulatedChannel::WriteRange(const fs::path& Directory, size_t First, size_t Last) const {
  for (size_t i = First; i < Last && i < Files.size(); ++i) Write(Directory, i);
}

void AgeFile(const fs::path& Path, int Seconds) {
  fs::last_write_time(Path, fs::file_time_type::clock::now() - std::chrono::seconds(Seconds));
}

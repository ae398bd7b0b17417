// Speed of the run simulator: solving one demo-sized channel and rendering
// its files in memory.

#include "tools/runsim/RunSimulator.h"
#include "tools/runsim/ScanFileWriter.h"

#include <benchmark/benchmark.h>

namespace {

RunParameters DemoSizedChannel() {
  RunParameters parameters;
  parameters.SpeciesList = {{4.5e-13, 6.1e-7, 0.5}, {7.0e-13, 4.6e-7, 0.25}};
  parameters.RampSeconds = 240;
  parameters.FirstScanTime = 300;
  parameters.ScanInterval = 60;
  parameters.ScanCount = 100;
  parameters.RadialStep = 0.001;
  return parameters;
}

void BM_SimulateTwoSpeciesHundredScans(benchmark::State& State) {
  const RunParameters parameters = DemoSizedChannel();
  for (auto _ : State) benchmark::DoNotOptimize(SimulateRun(parameters));
}
BENCHMARK(BM_SimulateTwoSpeciesHundredScans)->Unit(benchmark::kMillisecond);

void BM_RenderInterferenceFiles(benchmark::State& State) {
  const SimulatedRun run = SimulateRun(DemoSizedChannel());
  ChannelOptions options;
  options.System = OpticalSystem::Interference;
  options.Noise = 0.004;
  options.Jitter = 0.3;
  for (auto _ : State) {
    ScanFileWriter writer(options);
    std::string error;
    benchmark::DoNotOptimize(writer.Render(run, error));
  }
}
BENCHMARK(BM_RenderInterferenceFiles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

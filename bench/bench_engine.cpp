// Timings of the dc/dt and g(s*) engine on a long interference run of 999
// scans of 2048 points: the full analysis after a first load, the first load
// with its file reading, one poll at 999 scans (incremental and with the full
// rebuild of the averages), smoothing, the plane fit, and how the averaging
// pass scales with the number of scans.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "analysis/BeckmanFile.h"
#include "analysis/Realtimegofs.h"
#include "tests/analysis/EngineLoader.h"
#include "tools/runsim/RunSimulator.h"
#include "tools/runsim/ScanFileWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kScans = 999;
constexpr int kPoints = 2048;

// A 4.5 S protein at 50000 rpm scanned every 10 s from 300 s: the boundary
// is still inside the cell after the last scan. The radial step of 6 um gives
// 2048 points from the air above the meniscus at 6.0 cm to 7.1882 cm.
RunParameters LongRun() {
  RunParameters p;
  p.SpeciesList = {{4.5e-13, 6e-7, 0.5}};
  p.Rpm = 50000;
  p.Meniscus = 6.0;
  p.Bottom = 7.2;
  p.AirGap = 0.04;
  p.RadialStep = 0.0006;
  p.BottomGap = 7.2 - (5.96 + (kPoints - 1) * 0.0006);
  p.FirstScanTime = 300;
  p.ScanInterval = 10;
  p.ScanCount = kScans;
  p.GridCells = 2000;
  return p;
}

// The run's files, written once per process into a temporary folder that is
// removed at exit, and the scans as read from them for loading without I/O.
class LongRunFiles {
 public:
  LongRunFiles() {
    Setup.Meniscus = 6.0;
    Setup.Bottom = 7.2;
    Setup.JitterPosition = 5.98;  // in the air: only the whole-scan offset is removed
    Setup.FringePosition = 6.9;
    Setup.JitterCorrection = Setup.FringeCorrection = true;

    const SimulatedRun run = SimulateRun(LongRun());
    Error = run.Error;
    if (!Error.empty()) return;
    ChannelOptions options;
    options.System = OpticalSystem::Interference;
    options.RunName = "bench";
    options.Noise = 0.005;
    options.Jitter = 0.05;
    FRoot = fs::temp_directory_path() / ("korvale-bench-engine-" + std::to_string(::getpid()));
    const fs::path directory = WriteChannel(run, options, FRoot, Error);
    if (directory.empty()) return;
    Files = ChannelScanFiles(directory, "IP1");
    BeckmanFile reader(nullptr);
    for (const fs::path& file : Files) {
      if (reader.ReadScanFile(file.string(), 0, 0.0) < 0 || reader.PointCount != kPoints) {
        Error = "cannot read " + file.string();
        return;
      }
      Radius.emplace_back(reader.Radius(), reader.Radius() + reader.PointCount);
      Value.emplace_back(reader.Value(), reader.Value() + reader.PointCount);
      Headers.push_back(reader.Header);
    }
    if (Files.size() != static_cast<size_t>(kScans)) Error = "wrong number of files";
  }
  ~LongRunFiles() {
    std::error_code ignored;
    if (!FRoot.empty()) fs::remove_all(FRoot, ignored);
  }
  LongRunFiles(const LongRunFiles&) = delete;
  LongRunFiles& operator=(const LongRunFiles&) = delete;

  // A first load of the first Count scans from memory, with the four steps.
  void Load(RealTimeGofS& Engine, int Count) const {
    ApplyEngineSetup(Engine, Setup);
    Engine.CreateX(Radius[0].data(), kPoints);
    for (size_t i = 0; i < static_cast<size_t>(Count); ++i)
      Engine.RawStore->AddSet(Radius[i].data(), Value[i].data(), kPoints, Headers[i],
                              Headers[i].TimeUsed);
    AnalyseLoadedScans(Engine);
  }

  EngineSetup Setup;
  std::string Error;
  std::vector<fs::path> Files;
  std::vector<std::vector<double>> Radius;
  std::vector<std::vector<double>> Value;
  std::vector<ScanHeader> Headers;

 private:
  fs::path FRoot;
};

const LongRunFiles& Run() {
  static const LongRunFiles files;
  return files;
}

bool Ready(benchmark::State& State) {
  if (Run().Error.empty()) return true;
  State.SkipWithError(Run().Error.c_str());
  return false;
}

double MeanPairsPerAverage(const RealTimeGofS& Engine) {
  const ChannelDataStore& averaged = *Engine.AveragedStore;
  double pairs = 0;
  for (int a = 0; a < averaged.GetNumberOfSets(); ++a)
    pairs += averaged.Headers[static_cast<size_t>(a)].LastSourceSet -
             averaged.Headers[static_cast<size_t>(a)].FirstSourceSet + 1;
  return averaged.GetNumberOfSets() > 0 ? pairs / averaged.GetNumberOfSets() : 0.0;
}

void ReportSizes(benchmark::State& State, const RealTimeGofS& Engine) {
  State.counters["scans"] = Engine.RawStore->GetNumberOfSets();
  State.counters["pairs"] = Engine.DcdtStore->GetNumberOfSets();
  State.counters["averages"] = Engine.AveragedStore->GetNumberOfSets();
  State.counters["pairs_per_average"] = MeanPairsPerAverage(Engine);
}

// IPtransform, Refreshdcdtvss, MakeAllAvgdcdt and MakeAllCorrecteddCdT on
// 999 scans already in the raw store.
void BM_FullAnalysis(benchmark::State& State) {
  if (!Ready(State)) return;
  RealTimeGofS engine;
  Run().Load(engine, kScans);
  for (auto _ : State) AnalyseLoadedScans(engine);
  ReportSizes(State, engine);
}
BENCHMARK(BM_FullAnalysis)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The viewer's first load: read 999 files (page cache warm), build the
// stores, append every scan and run the four steps.
void BM_FirstLoadWithReading(benchmark::State& State) {
  if (!Ready(State)) return;
  for (auto _ : State) {
    RealTimeGofS engine;
    benchmark::DoNotOptimize(LoadScanFiles(engine, Run().Setup, Run().Files));
  }
}
BENCHMARK(BM_FirstLoadWithReading)->Unit(benchmark::kMillisecond)->Repetitions(5);

// One poll that brings the run from 998 to 999 scans: read the file, append
// it, correct it, pair it and update the averages. Full: the averaged store
// is emptied first, so that both rebuilds start from scratch as they would
// without the incremental path.
void PollAtTheLastScan(benchmark::State& State, bool Full) {
  if (!Ready(State)) return;
  RealTimeGofS engine;
  for (auto _ : State) {
    State.PauseTiming();
    Run().Load(engine, kScans - 1);
    State.ResumeTiming();
    PollScanFile(engine, Run().Setup, Run().Files.back());
    if (Full) engine.AveragedStore->ClearSets();
    FinishPoll(engine);
  }
  if (engine.CorrectedStore->GetNumberOfSets() != engine.AveragedStore->GetNumberOfSets())
    State.SkipWithError("a corrected set is missing");
  ReportSizes(State, engine);
}

void BM_PollIncremental(benchmark::State& State) {
  PollAtTheLastScan(State, false);
}
BENCHMARK(BM_PollIncremental)->Unit(benchmark::kMicrosecond)->Iterations(10)->Repetitions(5);

void BM_PollFullRebuild(benchmark::State& State) {
  PollAtTheLastScan(State, true);
}
BENCHMARK(BM_PollFullRebuild)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(5);

// The averaging pass alone on the first N scans; the counter divides its
// time by N x mean pairs per average x grid points.
void BM_AveragingPass(benchmark::State& State) {
  if (!Ready(State)) return;
  const int scans = static_cast<int>(State.range(0));
  RealTimeGofS engine;
  Run().Load(engine, scans);
  for (auto _ : State) {
    engine.AveragedStore->ClearSets();
    engine.MakeAllAvgdcdt();
  }
  ReportSizes(State, engine);
  const double work = static_cast<double>(scans) * MeanPairsPerAverage(engine) *
                      engine.AveragedStore->GetNumberOfPoints();
  State.counters["time_per_pair_point"] = benchmark::Counter(
      work, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AveragingPass)
    ->Arg(100)
    ->Arg(300)
    ->Arg(600)
    ->Arg(999)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5);

// Three passes of a three-point car over an s* grid of 501 points.
void BM_BoxcarSmooth(benchmark::State& State) {
  std::vector<double> values(501);
  for (size_t i = 0; i < values.size(); ++i)
    values[i] = std::exp(-0.001 * (i - 250.0) * (i - 250.0));
  for (auto _ : State) {
    BoxcarSmooth(values.data(), 501, 3, 3);
    benchmark::DoNotOptimize(values.data());
  }
}
BENCHMARK(BM_BoxcarSmooth)->Repetitions(5);

// A plane through 100 scattered points.
void BM_Plateau2(benchmark::State& State) {
  std::vector<double> u(100), v(100), y(100);
  for (size_t i = 0; i < u.size(); ++i) {
    u[i] = 0.01 * i;
    v[i] = std::sin(0.3 * i);
    y[i] = 1.0 + 2.0 * u[i] - 0.5 * v[i] + 0.01 * std::cos(1.7 * i);
  }
  double p0, pu, pv, det, e0, eu, ev;
  for (auto _ : State)
    benchmark::DoNotOptimize(
        Plateau2(u.data(), v.data(), y.data(), 100, &p0, &pu, &pv, &det, &e0, &eu, &ev));
}
BENCHMARK(BM_Plateau2)->Repetitions(5);

}  // namespace

BENCHMARK_MAIN();

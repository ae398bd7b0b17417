// Time to read one scan file that is already in the page cache, and the
// floor it is measured against (ScanReadFloor): the same file read in one
// call, split into lines and its numbers converted by std::from_chars. A
// reader made for one file is measured against one reused for many.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "analysis/BeckmanFile.h"
#include "bench/BenchRatio.h"
#include "bench/BenchSupport.h"
#include "bench/ScanReadFloor.h"
#include "platform/NumberText.h"

namespace {

namespace fs = std::filesystem;

// A scan file shaped like an instrument's: CR LF line ends, fixed-width columns.
std::string MakeScan(const std::string& Extension, int Points) {
  static const ScratchFolder folder("bench-reader");
  const fs::path& dir = folder.Path();
  const bool fluorescence = Extension == ".FI1";
  std::string text =
      fluorescence ? "Run 1 Voltage: 10.0 Gain: 5 Range: 3, scan\r\n" : "Simulated run\r\n";
  text += fluorescence ? "F 1 20.0 50000 0000600 1.0000E09 488 1\r\n"
                       : "R 1 20.0 50000 0000600 1.0000E09 280 1\r\n";
  for (int i = 0; i < Points; ++i) {
    text += "   " + FormatFixed(5.9 + i * 0.0006, 4) + "   " +
            FormatScientific(0.8 + i * 1e-4, 5, true) + "    " +
            FormatScientific(0.01 + i * 1e-6, 5, true) + "\r\n";
  }
  const fs::path path = dir / ("scan" + std::to_string(Points) + Extension);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file != nullptr) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
  return path.string();
}

// Pages this thread has had the kernel map for it so far: a page written
// for the first time costs a fault, which on a virtual machine can cost
// more than parsing it.
long MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return usage.ru_minflt;
}

void ReadScan(benchmark::State& State, const std::string& Extension, bool FreshReader) {
  const int points = static_cast<int>(State.range(0));
  const std::string path = MakeScan(Extension, points);
  BeckmanFile reused(nullptr);
  reused.ReadScanFile(path, 0, 0.0);  // warm the page cache and the buffer
  const long faultsBefore = MinorFaults();
  for (auto _ : State) {
    if (FreshReader) {
      BeckmanFile reader(nullptr);
      benchmark::DoNotOptimize(reader.ReadScanFile(path, 0, 0.0));
    } else {
      benchmark::DoNotOptimize(reused.ReadScanFile(path, 0, 0.0));
    }
  }
  State.counters["faults_per_read"] = benchmark::Counter(
      static_cast<double>(MinorFaults() - faultsBefore), benchmark::Counter::kAvgIterations);
  if (reused.PointCount != points) State.SkipWithError("wrong point count");
  fs::remove(path);
}

void BM_ReadFloor(benchmark::State& State) {
  const int points = static_cast<int>(State.range(0));
  const std::string path = MakeScan(".RA1", points);
  ScanReadFloor floor;
  for (auto _ : State) benchmark::DoNotOptimize(floor.Read(path));
  if (floor.Read(path) != points) State.SkipWithError("wrong point count");
  fs::remove(path);
}

// The reader and the floor in turns within one run, so that the ratio
// compares like with like: the median of the turns' ratios, and their
// spread.
void BM_ReaderOverFloorRatio(benchmark::State& State) {
  const int points = static_cast<int>(State.range(0));
  const std::string path = MakeScan(".RA1", points);
  BeckmanFile reader(nullptr);
  ScanReadFloor floor;
  std::vector<double> ratios;
  for (auto _ : State)
    ratios = BenchRatio::TurnRatios([&] { reader.ReadScanFile(path, 0, 0.0); },
                                    [&] { floor.Read(path); }, 41, 50);
  State.counters["reader_over_floor"] = BenchRatio::Median(ratios);
  State.counters["lowest"] = ratios.front();
  State.counters["highest"] = ratios.back();
  if (reader.PointCount != points || floor.Read(path) != points)
    State.SkipWithError("wrong point count");
  fs::remove(path);
}

// As BenchRatio::TurnRatios, but each call begins after the allocator has
// given all its free memory back to the system (not timed): the worst a
// reader made for one file can meet, every page it writes fresh, as in a
// long-running program whose free memory went back long ago.
std::vector<double> ColdTurnRatios(const std::function<void()>& Measured,
                                   const std::function<void()>& Reference, int Turns, int Repeats) {
  const auto coldSeconds = [Repeats](const std::function<void()>& Body) {
    double seconds = 0.0;
    for (int i = 0; i < Repeats; ++i) {
      malloc_trim(0);
      const double start = BenchRatio::ThreadSeconds();
      Body();
      seconds += BenchRatio::ThreadSeconds() - start;
    }
    return seconds;
  };
  std::vector<double> ratios;
  for (int t = 0; t < Turns; ++t) {
    const double measured = coldSeconds(Measured);
    ratios.push_back(measured / coldSeconds(Reference));
  }
  std::sort(ratios.begin(), ratios.end());
  return ratios;
}

// A reader made for one file (as the single-scan preview makes it) against
// one reused for a whole run, in turns within one run: what a fresh
// reader's memory costs over the parse itself. Warm, the allocator holds
// what the program (here the benchmarks before) left it; cold, nothing. The
// fresh reader's faults are counted inside its timing, which if anything
// weighs against it.
void FreshOverReused(benchmark::State& State, const std::string& Extension, bool Cold) {
  const int points = static_cast<int>(State.range(0));
  const std::string path = MakeScan(Extension, points);
  BeckmanFile reused(nullptr);
  reused.ReadScanFile(path, 0, 0.0);
  int freshPoints = 0;
  long freshFaults = 0;
  const auto fresh = [&] {
    const long before = MinorFaults();
    BeckmanFile reader(nullptr);
    reader.ReadScanFile(path, 0, 0.0);
    freshPoints = reader.PointCount;
    freshFaults += MinorFaults() - before;
  };
  const auto again = [&] { reused.ReadScanFile(path, 0, 0.0); };
  constexpr int turns = 41;
  constexpr int repeats = 20;
  std::vector<double> ratios;
  for (auto _ : State)
    ratios = Cold ? ColdTurnRatios(fresh, again, turns, repeats)
                  : BenchRatio::TurnRatios(fresh, again, turns, repeats);
  State.counters["fresh_over_reused"] = BenchRatio::Median(ratios);
  State.counters["lowest"] = ratios.front();
  State.counters["highest"] = ratios.back();
  State.counters["fresh_faults_per_read"] =
      static_cast<double>(freshFaults) / (turns * repeats * State.iterations());
  if (reused.PointCount != points || freshPoints != points)
    State.SkipWithError("wrong point count");
  fs::remove(path);
}

void BM_FreshOverReusedRatio(benchmark::State& State, const std::string& Extension) {
  FreshOverReused(State, Extension, false);
}
void BM_FreshOverReusedRatioCold(benchmark::State& State, const std::string& Extension) {
  FreshOverReused(State, Extension, true);
}

void BM_ReadAbsorbance(benchmark::State& State) {
  ReadScan(State, ".RA1", false);
}
void BM_ReadAbsorbanceFreshReader(benchmark::State& State) {
  ReadScan(State, ".RA1", true);
}
void BM_ReadFluorescence(benchmark::State& State) {
  ReadScan(State, ".FI1", false);
}

}  // namespace

BENCHMARK(BM_ReadAbsorbance)->Arg(451)->Arg(2048)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAbsorbanceFreshReader)->Arg(451)->Arg(2048)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadFluorescence)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadFloor)->Arg(2048)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReaderOverFloorRatio)->Arg(2048)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FreshOverReusedRatio, absorbance, std::string(".RA1"))
    ->Arg(2048)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FreshOverReusedRatio, interference, std::string(".IP1"))
    ->Arg(1497)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FreshOverReusedRatio, fluorescence, std::string(".FI1"))
    ->Arg(451)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FreshOverReusedRatioCold, absorbance, std::string(".RA1"))
    ->Arg(2048)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FreshOverReusedRatioCold, interference, std::string(".IP1"))
    ->Arg(1497)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FreshOverReusedRatioCold, fluorescence, std::string(".FI1"))
    ->Arg(451)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

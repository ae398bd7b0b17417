// Time to read one scan file that is already in the page cache, and the
// floor it is measured against (ScanReadFloor): the same file read in one
// call, split into lines and its numbers converted by std::from_chars.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
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

void ReadScan(benchmark::State& State, const std::string& Extension, bool FreshReader) {
  const int points = static_cast<int>(State.range(0));
  const std::string path = MakeScan(Extension, points);
  BeckmanFile reused(nullptr);
  reused.ReadScanFile(path, 0, 0.0);  // warm the page cache and the buffer
  for (auto _ : State) {
    if (FreshReader) {
      BeckmanFile reader(nullptr);
      benchmark::DoNotOptimize(reader.ReadScanFile(path, 0, 0.0));
    } else {
      benchmark::DoNotOptimize(reused.ReadScanFile(path, 0, 0.0));
    }
  }
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

BENCHMARK_MAIN();

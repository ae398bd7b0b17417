// Time to read one scan file that is already in the page cache, and the
// floor it is measured against: the same file read in one call, split into
// lines and its numbers converted by std::from_chars, with nothing else.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "analysis/BeckmanFile.h"
#include "bench/BenchRatio.h"
#include "bench/BenchSupport.h"
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

// The floor: what any reader of the file has to do. Reads the file into a
// reused buffer, skips the two header lines and converts the three numbers
// of every data line into three arrays. Returns the points taken.
class FloorReader {
 public:
  FloorReader()
      : Buffer(std::make_unique<char[]>(Capacity)), Columns(3, std::vector<double>(10000)) {}

  int Read(const std::string& Path) {
    std::FILE* file = std::fopen(Path.c_str(), "rb");
    if (file == nullptr) return -1;
    const size_t size = std::fread(Buffer.get(), 1, Capacity, file);
    std::fclose(file);
    const char* p = Buffer.get();
    const char* const end = p + size;
    int points = 0;
    for (int line = 0; p < end; ++line) {
      const char* eol =
          static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
      if (eol == nullptr) eol = end;
      if (line >= 2 && points < 10000) {
        const char* q = p;
        for (std::vector<double>& column : Columns) {
          while (q < eol && (*q == ' ' || *q == '\t')) ++q;
          q = std::from_chars(q, eol, column[static_cast<size_t>(points)]).ptr;
        }
        ++points;
      }
      p = eol + 1;
    }
    return points;
  }

 private:
  static constexpr size_t Capacity = 1048576;
  std::unique_ptr<char[]> Buffer;
  std::vector<std::vector<double>> Columns;
};

void BM_ReadFloor(benchmark::State& State) {
  const int points = static_cast<int>(State.range(0));
  const std::string path = MakeScan(".RA1", points);
  FloorReader floor;
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
  FloorReader floor;
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

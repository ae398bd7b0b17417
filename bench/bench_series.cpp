// Appending scan-sized point sets to series, as a data viewer does on every
// poll: 1,000 series of 2,000 points added with AddXY in ascending x.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "chart/core/TChartSeries.h"

namespace {

constexpr int SeriesCount = 1000;
constexpr int PointsPerSeries = 2000;

// Fills every series afresh; the series are cleared first, so from the
// second iteration on their capacity is reused.
void BM_AddXYAscending(benchmark::State& State) {
  std::vector<std::unique_ptr<TChartSeries>> Series;
  for (int I = 0; I < SeriesCount; ++I) Series.push_back(std::make_unique<TChartSeries>(nullptr));
  for (auto _ : State) {
    for (auto& S : Series) {
      S->Clear();
      for (int P = 0; P < PointsPerSeries; ++P) S->AddXY(5.9 + P * 0.00065, P * 0.001);
    }
    benchmark::ClobberMemory();
  }
  const double Points = double(SeriesCount) * PointsPerSeries;
  // Seconds per point, printed with an SI prefix ("12.3n" is 12.3 ns).
  State.counters["per_point"] =
      benchmark::Counter(Points * double(State.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AddXYAscending)->Unit(benchmark::kMillisecond);

// The same into fresh series (every capacity step allocated).
void BM_AddXYFreshSeries(benchmark::State& State) {
  for (auto _ : State) {
    std::vector<std::unique_ptr<TChartSeries>> Series;
    for (int I = 0; I < SeriesCount; ++I) {
      Series.push_back(std::make_unique<TChartSeries>(nullptr));
      for (int P = 0; P < PointsPerSeries; ++P) Series.back()->AddXY(5.9 + P * 0.00065, P * 0.001);
    }
    benchmark::DoNotOptimize(Series.data());
  }
}
BENCHMARK(BM_AddXYFreshSeries)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// Appending scan-sized point sets to series, as a data viewer does on every
// poll: 1,000 series of 2,000 points added with AddXY in ascending x; and
// a series computed by a function following its source as points are
// added to the source one by one.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/BenchSupport.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartSeries.h"
#include "chart/series/TAverageKorFunction.h"

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

// A source and the series of its averages, on one chart: of all points
// (Period 0), of groups of ten points, or of ranges of ten X.
struct AveragedSource {
  AveragedSource(double Period, TFunctionPeriodStyle Style) {
    Chart.AddSeries(Source);
    Chart.AddSeries(Averages);
    auto* Average = new TAverageKorFunction(&Chart);
    Average->SetPeriod(Period);
    Average->SetPeriodStyle(Style);
    Average->SetParentSeries(Averages);
    Averages->SetDataSource(Source);
  }

  TChart Chart{nullptr};
  TChartSeries* Source = new TChartSeries(&Chart);  // owned by the chart
  TChartSeries* Averages = new TChartSeries(&Chart);
};

// N points added one by one: the averages follow each. The time per point
// is to stay the same whatever N (linear in N, see the complexity fit).
void FollowPointByPoint(benchmark::State& State, double Period, TFunctionPeriodStyle Style) {
  const int N = static_cast<int>(State.range(0));
  AveragedSource Set(Period, Style);
  for (auto _ : State) {
    Set.Source->Clear();
    for (int P = 0; P < N; ++P) Set.Source->AddXY(P * 0.5, (P * 37) % 101);
    benchmark::DoNotOptimize(Set.Averages->Count());
  }
  State.SetComplexityN(N);
  State.counters["per_point"] =
      benchmark::Counter(double(N) * double(State.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_FunctionOfAllPointsFollowsEachPoint(benchmark::State& State) {
  FollowPointByPoint(State, 0, psNumPoints);
}
void BM_FunctionOfGroupsFollowsEachPoint(benchmark::State& State) {
  FollowPointByPoint(State, 10, psNumPoints);
}
void BM_FunctionOfRangesFollowsEachPoint(benchmark::State& State) {
  FollowPointByPoint(State, 5, psRange);
}
void PointCounts(benchmark::internal::Benchmark* B) {
  B->Arg(1000)->Arg(4000)->Arg(16000)->Arg(64000);
  B->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_FunctionOfAllPointsFollowsEachPoint)->Apply(PointCounts);
BENCHMARK(BM_FunctionOfGroupsFollowsEachPoint)->Apply(PointCounts);
BENCHMARK(BM_FunctionOfRangesFollowsEachPoint)->Apply(PointCounts);

}  // namespace

// The chart the functions live on needs the application object.
int main(int argc, char** argv) {
  return RunBenchmarksWithApplication(argc, argv, false);
}

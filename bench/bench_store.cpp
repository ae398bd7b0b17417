// Timings and memory of the channel data store: appending a scan-sized set,
// creating the six stores of one viewer, and the resident memory of a viewer
// whose stores are full.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <memory>
#include <vector>

#include "analysis/Gofs2004.h"

namespace {

constexpr int RawPoints = 2048;

// Radii of a scan from 5.9 to 7.2 cm, slightly uneven as a real scan is.
std::vector<double> ScanRadii(double Shift) {
  std::vector<double> r(RawPoints);
  for (int i = 0; i < RawPoints; ++i)
    r[static_cast<size_t>(i)] = 5.9 + 1.3 * i / (RawPoints - 1) + Shift * std::sin(i * 0.37);
  return r;
}

std::vector<double> Profile(const std::vector<double>& X) {
  std::vector<double> y(X.size());
  for (size_t i = 0; i < X.size(); ++i) y[i] = 1.0 / (1.0 + std::exp((6.4 - X[i]) * 40.0));
  return y;
}

struct ViewerStores {
  explicit ViewerStores(GofsSettings* Settings, const std::vector<double>& Radii) {
    stores.push_back(std::make_unique<ChannelDataStore>(Settings, Radii.data(), RawPoints));
    stores.push_back(std::make_unique<ChannelDataStore>(Settings, std::log(Settings->LowS),
                                                        std::log(Settings->HighS),
                                                        Settings->sGridNumberOfPoints));
    for (int i = 0; i < 4; ++i)
      stores.push_back(std::make_unique<ChannelDataStore>(Settings, stores[1]->GetGrid(),
                                                          stores[1]->GetNumberOfPoints()));
  }
  std::vector<std::unique_ptr<ChannelDataStore>> stores;
};

double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// Runs first so that the figures are not inflated by the other benchmarks.
void BM_ViewerResidentMemoryFull(benchmark::State& state) {
  for (auto _ : state) {
    const double before = ResidentMegabytes();
    GofsSettings settings;
    const std::vector<double> radii = ScanRadii(0.0);
    const std::vector<double> values = Profile(radii);
    const auto start = std::chrono::steady_clock::now();
    ViewerStores viewer(&settings, radii);
    state.counters["first_create_us"] =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    const int sPoints = viewer.stores[1]->GetNumberOfPoints();
    const std::vector<double> sY(static_cast<size_t>(sPoints), 1.0);
    const std::vector<double> sE(static_cast<size_t>(sPoints), settings.DefaultPositiveError);
    ScanHeader header;
    for (int set = 0; set < ChannelDataStore::MaxSets; ++set) {
      header.TimeUsed = 100.0 + set;
      viewer.stores[0]->AddSet(radii.data(), values.data(), RawPoints, header, header.TimeUsed);
      for (size_t s = 1; s < viewer.stores.size(); ++s)
        viewer.stores[s]->AddSetWithErrors(viewer.stores[1]->GetGrid(), sY.data(), sE.data(),
                                           sPoints, header, header.TimeUsed);
    }
    const double after = ResidentMegabytes();
    state.counters["RSS_MB"] = after;
    state.counters["RSS_growth_MB"] = after - before;
    state.counters["sets"] = viewer.stores[5]->GetNumberOfSets();
  }
}
BENCHMARK(BM_ViewerResidentMemoryFull)->Iterations(1)->Unit(benchmark::kMillisecond);

// One scan interpolated onto another scan's radius grid.
void BM_AddSet2048(benchmark::State& state) {
  GofsSettings settings;
  const std::vector<double> grid = ScanRadii(0.0);
  const std::vector<double> radii = ScanRadii(0.0002);
  const std::vector<double> values = Profile(radii);
  ChannelDataStore store(&settings, grid.data(), RawPoints);
  const ScanHeader header;
  for (auto _ : state) {
    store.ClearSets();
    benchmark::DoNotOptimize(store.AddSet(radii.data(), values.data(), RawPoints, header, 1.0));
  }
}
BENCHMARK(BM_AddSet2048)->Unit(benchmark::kMicrosecond);

// A scan on the store's own grid: every point is copied.
void BM_AddSet2048OnOwnGrid(benchmark::State& state) {
  GofsSettings settings;
  const std::vector<double> radii = ScanRadii(0.0);
  const std::vector<double> values = Profile(radii);
  ChannelDataStore store(&settings, radii.data(), RawPoints);
  const ScanHeader header;
  for (auto _ : state) {
    store.ClearSets();
    benchmark::DoNotOptimize(store.AddSet(radii.data(), values.data(), RawPoints, header, 1.0));
  }
}
BENCHMARK(BM_AddSet2048OnOwnGrid)->Unit(benchmark::kMicrosecond);

// The six stores a viewer creates on its first load (and again whenever the
// radius grid changes), created and released.
void BM_CreateViewerStores(benchmark::State& state) {
  GofsSettings settings;
  const std::vector<double> radii = ScanRadii(0.0);
  for (auto _ : state) {
    ViewerStores viewer(&settings, radii);
    benchmark::DoNotOptimize(viewer.stores.back()->GetGrid());
  }
}
BENCHMARK(BM_CreateViewerStores)->Unit(benchmark::kMicrosecond);

// Empty stores created after others were released: what a later viewer costs
// before any data arrives.
void BM_RecreatedViewerResidentMemoryEmpty(benchmark::State& state) {
  GofsSettings settings;
  const std::vector<double> radii = ScanRadii(0.0);
  for (auto _ : state) {
    { ViewerStores warmup(&settings, radii); }
    const double before = ResidentMegabytes();
    ViewerStores viewer(&settings, radii);
    state.counters["RSS_growth_MB"] = ResidentMegabytes() - before;
  }
}
BENCHMARK(BM_RecreatedViewerResidentMemoryEmpty)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

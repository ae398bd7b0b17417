// Timings of the data viewer on a long absorbance run of 999 scans of 2048
// points: the first load of the whole directory with every plot, and one
// poll that finds one new scan (reading, analysis and every plot update),
// each with the raw-scan chart drawn as the user sees it: the viewer is
// shown (offscreen) and the chart's widget painted.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <QApplication>
#include <QListWidget>
#include <QWidget>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "analysis/Realtimegofs.h"
#include "app/UnitSedDataView.h"
#include "bench/BenchSupport.h"
#include "chart/core/TChart.h"
#include "chart/core/TKorCanvas3D.h"
#include "tools/runsim/RunSimulator.h"
#include "tools/runsim/ScanFileWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kScans = 999;
constexpr int kPoints = 2048;
// Scans that arrive one poll at a time after the first load.
constexpr int kPolledScans = 9;

// A 4.5 S protein at 50000 rpm scanned every 10 s; the 6 um radial step
// gives 2048 points from 5.96 cm.
RunParameters LongRun() {
  RunParameters p;
  p.SpeciesList = {{4.5e-13, 6e-7, 0.5}};
  p.Meniscus = 6.0;
  p.AirGap = 0.04;
  p.RadialStep = 0.0006;
  p.BottomGap = 7.2 - (5.96 + (kPoints - 1) * 0.0006);
  p.ScanInterval = 10;
  p.ScanCount = kScans;
  p.GridCells = 2000;
  return p;
}

// The rendered scan files, and a folder that the benchmarks fill; removed
// at exit.
class LongRunFiles {
 public:
  LongRunFiles() {
    const SimulatedRun run = SimulateRun(LongRun());
    Error = run.Error;
    if (!Error.empty()) return;
    ChannelOptions options;
    options.Noise = 0.002;
    Writer = std::make_unique<ScanFileWriter>(options);
    if (!Writer->Render(run, Error)) return;
    Root = fs::temp_directory_path() / ("korvale-bench-viewer-" + std::to_string(::getpid()));
  }
  ~LongRunFiles() {
    std::error_code ignored;
    fs::remove_all(Root, ignored);
  }

  // A fresh folder holding the first Count scans, each at rest.
  fs::path Folder(const std::string& Name, int Count) const {
    const fs::path folder = Root / Name;
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    for (int i = 0; i < Count; ++i) WriteScan(folder, i);
    return folder;
  }
  void WriteScan(const fs::path& Folder, int Index) const {
    const auto& [name, text] = Writer->Files()[static_cast<size_t>(Index)];
    const fs::path path = Folder / name;
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(1));
  }

  std::string Error;

 private:
  std::unique_ptr<ScanFileWriter> Writer;
  fs::path Root;
};

const LongRunFiles& Files() {
  static const LongRunFiles files;
  return files;
}

std::unique_ptr<TSedDataView> NewViewer(QListWidget& List) {
  auto viewer = std::make_unique<TSedDataView>(nullptr, &List);
  viewer->resize(1000, 700);
  RealTimeGofS& analysis = viewer->GetAnalysis();
  analysis.ChannelMask = "0*.RA1";
  analysis.MeniscusRadius = 6.0;
  analysis.CellBottom = 7.2;
  viewer->show();
  QApplication::processEvents();
  return viewer;
}

// Paints the raw-scan chart's widget now, as a paint event from the window
// system would; false when no frame was drawn and shown.
bool PaintRawChart(TSedDataView& Viewer) {
  Viewer.Chart1->Repaint();
  const auto* surface = dynamic_cast<const TKorCanvas3D*>(&Viewer.Chart1->GetPanelCanvas());
  return Viewer.Chart1->GetWidget()->isVisible() && surface != nullptr && !surface->GetDirty();
}

void BM_FirstLoad999Scans(benchmark::State& State) {
  if (!Files().Error.empty()) return State.SkipWithError(Files().Error.c_str());
  const fs::path folder = Files().Folder("first-load", kScans);
  const QString path = QString::fromStdString(folder.string());
  QListWidget list;
  for (auto _ : State) {
    State.PauseTiming();
    auto viewer = NewViewer(list);
    State.ResumeTiming();
    viewer->LoadDataDirectory(path);
    // The raw chart as the user first sees it.
    const bool painted = PaintRawChart(*viewer);
    State.PauseTiming();
    if (viewer->GetAnalysis().RawStore->GetNumberOfSets() != kScans)
      State.SkipWithError("not every scan was loaded");
    if (!painted) State.SkipWithError("the raw chart was not drawn");
    viewer.reset();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_FirstLoad999Scans)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PollOneNewScanAt999(benchmark::State& State) {
  if (!Files().Error.empty()) return State.SkipWithError(Files().Error.c_str());
  const fs::path folder = Files().Folder("poll", kScans - kPolledScans);
  QListWidget list;
  auto viewer = NewViewer(list);
  viewer->LoadDataDirectory(QString::fromStdString(folder.string()));
  int next = kScans - kPolledScans;
  for (auto _ : State) {
    State.PauseTiming();
    Files().WriteScan(folder, next++);
    State.ResumeTiming();
    viewer->Timer1Timer();
    if (!PaintRawChart(*viewer)) State.SkipWithError("the raw chart was not drawn");
  }
  if (viewer->GetAnalysis().RawStore->GetNumberOfSets() != next)
    State.SkipWithError("a polled scan was not taken in");
}
BENCHMARK(BM_PollOneNewScanAt999)->Unit(benchmark::kMillisecond)->Iterations(kPolledScans);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarksWithApplication(argc, argv, true);
}

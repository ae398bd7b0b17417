// Timings of the data viewer on a long absorbance run of 999 scans of 2048
// points: the first load of the whole directory with every plot, and one
// poll that finds one new scan (reading, analysis and every plot update),
// each with the raw-scan chart drawn as the user sees it: the viewer is
// shown (offscreen) and the chart's widget painted. The ratios set each
// against what it cannot do without, timed in turns in the same run: the
// load against the reading floor (ScanReadFloor) of its 999 files (and
// against that reading, the floor of storing what it stores and its
// analysis made again in memory already written), a poll
// against reading its one new scan and drawing one frame, and polls of a
// viewer holding many scans against those of one holding fewer.
#include <benchmark/benchmark.h>

#include <sys/mman.h>
#include <unistd.h>

#include <QApplication>
#include <QListWidget>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "analysis/BeckmanFile.h"
#include "analysis/MappedRegion.h"
#include "analysis/Realtimegofs.h"
#include "app/UnitSedDataView.h"
#include "bench/BenchRatio.h"
#include "bench/BenchSupport.h"
#include "bench/ScanReadFloor.h"
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

  // A fresh folder holding Count scans from scan First on, each at rest.
  fs::path Folder(const std::string& Name, int Count, int First = 0) const {
    const fs::path folder = Root / Name;
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    for (int i = First; i < First + Count; ++i) WriteScan(folder, i);
    return folder;
  }
  fs::path ScanPath(const fs::path& Folder, int Index) const {
    return Folder / Writer->Files()[static_cast<size_t>(Index)].first;
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
  viewer->SetSettleMs(0);  // the files are written before timing starts
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

// Reports the median of Samples times Scale as the counter Name, and with
// Spread their lowest and highest as Name_lowest and Name_highest.
void ReportMedian(benchmark::State& State, const std::string& Name, std::vector<double> Samples,
                  double Scale, bool Spread) {
  if (Samples.empty()) return;
  std::sort(Samples.begin(), Samples.end());
  State.counters[Name] = BenchRatio::Median(Samples) * Scale;
  if (!Spread) return;
  State.counters[Name + "_lowest"] = Samples.front() * Scale;
  State.counters[Name + "_highest"] = Samples.back() * Scale;
}

// Writes Bytes into freshly mapped pages with a plain loop, offering huge
// pages from the first MiB on and having the kernel map the pages before
// they are written, as the store does; false when there is no memory for it.
bool TouchFreshPages(std::size_t Bytes) {
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  const std::size_t mapped = (Bytes + page - 1) / page * page;
  void* block = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return false;
  constexpr std::size_t largeFrom = std::size_t{1} << 20;
  if (mapped > largeFrom)
    ::madvise(static_cast<char*>(block) + largeFrom, mapped - largeFrom, MADV_HUGEPAGE);
  MappedRegion(block, mapped).Reach(mapped);
  auto* values = static_cast<double*>(block);
  for (std::size_t i = 0; i < Bytes / sizeof(double); ++i) values[i] = double(i);
  benchmark::DoNotOptimize(values[Bytes / sizeof(double) / 2]);
  ::munmap(block, mapped);
  return true;
}

// The floor of storing what a first load of kScans scans stores: the
// memory its stores write for the first time, mapped ahead and written with
// a plain loop.
// The raw store writes the values of every scan (its errors, all 0 for a
// scan that fills the grid, stay unwritten); the dc/dt, averaged,
// corrected and smoothed stores write values and errors of about one set
// per scan on the 501-point s* grid.
bool TouchStoreFloor() {
  constexpr std::size_t sGrid = 501;
  bool ok = TouchFreshPages(std::size_t{kScans} * kPoints * sizeof(double));
  for (int store = 0; store < 4; ++store)
    for (int array = 0; array < 2; ++array)
      ok = TouchFreshPages(std::size_t{kScans} * sGrid * sizeof(double)) && ok;
  return ok;
}

// Thread seconds of the loaded viewer's analysis made once more: the same
// pairs, averages and corrected sets, in stores whose memory is written
// already.
double AnalysisAgain(TSedDataView& Viewer) {
  RealTimeGofS& analysis = Viewer.GetAnalysis();
  const double start = BenchRatio::ThreadSeconds();
  analysis.Refreshdcdtvss();
  analysis.MakeAllAvgdcdt();
  analysis.MakeAllCorrecteddCdT();
  return BenchRatio::ThreadSeconds() - start;
}

// The first load in turns with the reading floor of each of its files, the
// reading itself (ReadScanFile), the floor of storing what it stores and
// its analysis made again in memory already written.
void BM_FirstLoadOverReadingFloor(benchmark::State& State) {
  if (!Files().Error.empty()) return State.SkipWithError(Files().Error.c_str());
  const fs::path folder = Files().Folder("first-load-floor", kScans);
  const QString path = QString::fromStdString(folder.string());
  std::vector<std::string> paths;
  for (int i = 0; i < kScans; ++i) paths.push_back(Files().ScanPath(folder, i).string());
  QListWidget list;
  ScanReadFloor floor;
  BeckmanFile reader(nullptr);
  std::vector<double> ratios;
  std::vector<double> loads;
  std::vector<double> floors;
  std::vector<double> reads;
  std::vector<double> touches;
  std::vector<double> overReadAndTouch;
  std::vector<double> analyses;
  std::vector<double> overFloors;
  for (auto _ : State) {
    for (int turn = 0; turn < 7; ++turn) {
      auto viewer = NewViewer(list);
      const double start = BenchRatio::ThreadSeconds();
      viewer->LoadDataDirectory(path);
      const bool painted = PaintRawChart(*viewer);
      const double load = BenchRatio::ThreadSeconds() - start;
      if (viewer->GetAnalysis().RawStore->GetNumberOfSets() != kScans || !painted)
        return State.SkipWithError("not every scan was loaded and drawn");
      const double analysis = AnalysisAgain(*viewer);
      viewer.reset();
      const double floorStart = BenchRatio::ThreadSeconds();
      for (const std::string& file : paths)
        if (floor.Read(file) != kPoints) return State.SkipWithError("floor read failed");
      const double floorTime = BenchRatio::ThreadSeconds() - floorStart;
      const double readStart = BenchRatio::ThreadSeconds();
      for (const std::string& file : paths)
        if (reader.ReadScanFile(file, 0, 0.0) < 1) return State.SkipWithError("read failed");
      const double readTime = BenchRatio::ThreadSeconds() - readStart;
      const double touchStart = BenchRatio::ThreadSeconds();
      if (!TouchStoreFloor()) return State.SkipWithError("no memory for the touch floor");
      const double touchTime = BenchRatio::ThreadSeconds() - touchStart;
      ratios.push_back(load / floorTime);
      loads.push_back(load);
      floors.push_back(floorTime);
      reads.push_back(readTime);
      touches.push_back(touchTime);
      overReadAndTouch.push_back(load / (readTime + touchTime));
      analyses.push_back(analysis);
      overFloors.push_back(load / (readTime + touchTime + analysis));
    }
  }
  ReportMedian(State, "load_over_floor", ratios, 1, true);
  ReportMedian(State, "load_over_read_and_touch", overReadAndTouch, 1, true);
  ReportMedian(State, "load_over_read_touch_and_analysis", overFloors, 1, true);
  ReportMedian(State, "analysis_ms", analyses, 1e3, false);
  ReportMedian(State, "load_ms", loads, 1e3, false);
  ReportMedian(State, "floor_ms", floors, 1e3, false);
  ReportMedian(State, "read_ms", reads, 1e3, false);
  ReportMedian(State, "touch_ms", touches, 1e3, false);
}
BENCHMARK(BM_FirstLoadOverReadingFloor)->Iterations(1)->Unit(benchmark::kMillisecond);

// A viewer loaded with the Held scans before scan First, polled for scans
// First, First + 1, ... one at a time.
class PolledViewer {
 public:
  PolledViewer(QListWidget& List, const std::string& Name, int Held, int First)
      : Folder(Files().Folder(Name, Held, First - Held)), Next(First), Viewer(NewViewer(List)) {
    Viewer->LoadDataDirectory(QString::fromStdString(Folder.string()));
  }
  int Held() const { return Viewer->GetAnalysis().RawStore->GetNumberOfSets(); }
  // Thread seconds of a poll that takes in the next scan and of the frame
  // it draws; negative when the scan was not taken in or nothing was drawn.
  double Poll() {
    Files().WriteScan(Folder, Next);
    const int before = Held();
    const double start = BenchRatio::ThreadSeconds();
    Viewer->Timer1Timer();
    const bool painted = PaintRawChart(*Viewer);
    const double seconds = BenchRatio::ThreadSeconds() - start;
    return Held() == before + 1 && painted ? seconds : -1.0;
  }
  // Thread seconds of reading the scan the last poll took in and of
  // drawing the raw chart's frame once more as it stands.
  double ReadAndDraw() {
    const std::string path = Files().ScanPath(Folder, Next++).string();
    const double start = BenchRatio::ThreadSeconds();
    const int bytes = Reader.ReadScanFile(path, 0, 0.0);
    Viewer->Chart1->Invalidate();
    const bool painted = PaintRawChart(*Viewer);
    const double seconds = BenchRatio::ThreadSeconds() - start;
    return bytes > 0 && painted ? seconds : -1.0;
  }

 private:
  fs::path Folder;
  int Next;
  std::unique_ptr<TSedDataView> Viewer;
  BeckmanFile Reader{nullptr};
};

// Polls of a viewer that holds nearly 999 scans, in turns with polls of
// one that holds 300 (the same new scans, so that the same analysis
// follows): the slope per scan held, and the ratio of a poll to reading
// its scan and drawing one frame.
void BM_PollOverReadAndFrame(benchmark::State& State) {
  if (!Files().Error.empty()) return State.SkipWithError(Files().Error.c_str());
  constexpr int kFirst = kScans - kPolledScans;  // the first scan polled
  constexpr int kFew = 300;
  constexpr int kMany = kFirst - 1;
  constexpr int kWarmPolls = 2;
  QListWidget list;
  std::vector<double> slopes;
  std::vector<double> ratios;
  std::vector<double> polls;
  for (auto _ : State) {
    for (int round = 0; round < 5; ++round) {
      PolledViewer few(list, "poll-few", kFew, kFirst);
      PolledViewer many(list, "poll-many", kMany, kFirst);
      // The first polls and frames of a viewer set up what later ones
      // reuse (the chart's kept pixels, first touched then): not timed.
      for (int p = 0; p < kWarmPolls; ++p) {
        few.Poll();
        many.Poll();
        many.ReadAndDraw();
        few.ReadAndDraw();
      }
      double fewSeconds = 0;
      double manySeconds = 0;
      double referenceSeconds = 0;
      for (int p = kWarmPolls; p < kPolledScans; ++p) {
        const double a = few.Poll();
        const double b = many.Poll();
        const double r = many.ReadAndDraw();
        few.ReadAndDraw();
        if (a < 0 || b < 0 || r < 0) return State.SkipWithError("a poll took in no scan");
        fewSeconds += a;
        manySeconds += b;
        referenceSeconds += r;
      }
      constexpr int timed = kPolledScans - kWarmPolls;
      slopes.push_back((manySeconds - fewSeconds) / timed / (kMany - kFew));
      ratios.push_back(manySeconds / referenceSeconds);
      polls.push_back(manySeconds / timed);
    }
  }
  ReportMedian(State, "poll_ms_at_999", polls, 1e3, false);
  ReportMedian(State, "slope_us_per_held_scan", slopes, 1e6, true);
  ReportMedian(State, "poll_over_read_and_frame", ratios, 1, true);
}
BENCHMARK(BM_PollOverReadAndFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarksWithApplication(argc, argv, true);
}

// The main window's re-examination of the chosen data directory, which its
// timer runs every 987 ms, on a folder of 1,000 scan files that does not
// change: one tick against the listing a tick used to make, and the share
// of a core an idle window takes over some seconds of its event loop, and
// how soon a channel that appears in the folder is offered.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/Configuration.h"
#include "app/KorvaleUnit.h"
#include "bench/BenchRatio.h"
#include "bench/BenchSupport.h"
#include "platform/ModalHooks.h"
#include "platform/TRadioGroup.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 1000;

// A run folder of kFiles absorbance scans (the names are what counts),
// untouched for a minute; removed at exit.
class IdleFolder {
 public:
  IdleFolder()
      : Root(fs::temp_directory_path() / ("korvale-bench-main-" + std::to_string(::getpid()))),
        Data(Root / "run") {
    fs::create_directories(Data);
    for (int i = 1; i <= kFiles; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "%05d.RA1", i);
      std::FILE* file = std::fopen((Data / name).c_str(), "wb");
      if (file != nullptr) std::fclose(file);
    }
    fs::last_write_time(Data, fs::file_time_type::clock::now() - std::chrono::minutes(1));
  }
  ~IdleFolder() {
    std::error_code ignored;
    fs::remove_all(Root, ignored);
  }

  fs::path Root;
  fs::path Data;
};

const IdleFolder& Folder() {
  static const IdleFolder folder;
  return folder;
}

// A main window with the folder chosen as the user chooses it.
struct MainWindow {
  MainWindow()
      : Config(std::make_unique<Configuration>(nullptr, "korvale-bench",
                                               QString::fromStdString(Folder().Root.string()))),
        Form(std::make_unique<TKorvaleForm>()) {
    Directory = QString::fromStdString(Folder().Data.string()) + "/";
    Form->ListBoxDataDirs->addItem(Directory);
    Form->ListBoxDataDirs->setCurrentRow(0);
    Form->ListBoxDataDirsClick();
    Form->Timer1Timer();  // the first tick looks at the directory once
  }
  ~MainWindow() {
    Form.reset();
    Config.reset();
  }

  QString Directory;
  std::unique_ptr<Configuration> Config;
  std::unique_ptr<TKorvaleForm> Form;
};

void BM_TimerTickOnAnUnchangedFolder(benchmark::State& State) {
  MainWindow window;
  for (auto _ : State) window.Form->Timer1Timer();
}
BENCHMARK(BM_TimerTickOnAnUnchangedFolder)->Unit(benchmark::kMicrosecond);

// What a tick cost when it listed the folder every time.
void BM_ListingTheFolder(benchmark::State& State) {
  MainWindow window;
  for (auto _ : State) window.Form->UpdateDirChannels(window.Directory);
}
BENCHMARK(BM_ListingTheFolder)->Unit(benchmark::kMicrosecond);

void BM_TickOverListingRatio(benchmark::State& State) {
  MainWindow window;
  std::vector<double> ratios;
  for (auto _ : State)
    ratios =
        BenchRatio::TurnRatios([&] { window.Form->Timer1Timer(); },
                               [&] { window.Form->UpdateDirChannels(window.Directory); }, 15, 20);
  State.counters["tick_over_listing"] = BenchRatio::Median(ratios);
}
BENCHMARK(BM_TickOverListingRatio)->Iterations(1)->Unit(benchmark::kMillisecond);

double ProcessSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

void RunEventLoop(int Milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(Milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

// Runs the event loop for ten seconds per iteration and reports the
// processor time of the whole process over the wall time, in per cent of
// one core.
void ReportIdleShare(benchmark::State& State) {
  constexpr int kMilliseconds = 10000;
  double share = 0;
  for (auto _ : State) {
    const double start = ProcessSeconds();
    RunEventLoop(kMilliseconds);
    share = (ProcessSeconds() - start) / (kMilliseconds / 1000.0) * 100.0;
  }
  State.counters["core_percent"] = share;
}

// The shown window left alone with its timers running.
void BM_IdleWindowShareOfACore(benchmark::State& State) {
  MainWindow window;
  // Showing the window asks for the report's logo: the user cancels.
  const TFileDialogHook previous =
      SetFileDialogHook([](const TFileDialogRequest&) { return TFileDialogAnswer(); });
  window.Form->show();
  // The window's first paint comes through the event loop: it is not idle
  // time.
  RunEventLoop(1500);
  ReportIdleShare(State);
  // A scan of a channel the folder did not have: how long until the window
  // offers it.
  const int channels = window.Form->RadioGroupChannels->Count();
  std::FILE* file = std::fopen((Folder().Data / "00001.RI2").c_str(), "wb");
  if (file != nullptr) std::fclose(file);
  QElapsedTimer waited;
  waited.start();
  while (window.Form->RadioGroupChannels->Count() == channels && waited.elapsed() < 5000)
    RunEventLoop(10);
  State.counters["new_channel_ms"] = double(waited.elapsed());
  std::error_code ignored;
  fs::remove(Folder().Data / "00001.RI2", ignored);
  if (window.Form->RadioGroupChannels->Count() == channels)
    State.SkipWithError("the new channel was not offered");
  SetFileDialogHook(previous);
}
BENCHMARK(BM_IdleWindowShareOfACore)->Iterations(1)->Unit(benchmark::kMillisecond);

// The floor of an idle window: the event loop woken by timers of the same
// intervals as its own (the re-examination and the configuration's flush)
// that do nothing.
void BM_IdleEventLoopFloor(benchmark::State& State) {
  QTimer look;
  QTimer flush;
  look.callOnTimeout([] {});
  flush.callOnTimeout([] {});
  look.start(987);
  flush.start(5000);
  ReportIdleShare(State);
}
BENCHMARK(BM_IdleEventLoopFloor)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarksWithApplication(argc, argv, true);
}

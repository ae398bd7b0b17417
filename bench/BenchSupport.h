#pragma once

// What the benchmark programs share: a scratch folder and the main routine
// of a program that draws or builds windows.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>

#include "chart/series/RegisterSeriesTypes.h"

#include <filesystem>
#include <string>
#include <system_error>

// A folder of one program run, removed again when the program exits.
class BenchFolder {
 public:
  explicit BenchFolder(const std::string& Name)
      : FPath(std::filesystem::temp_directory_path() /
              ("korvale-bench-" + Name + "-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(FPath);
  }
  ~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

  const std::filesystem::path& Path() const { return FPath; }

 private:
  std::filesystem::path FPath;
};

// The main routine of a benchmark program that draws or builds windows:
// the application object on the offscreen platform (unless another one is
// asked for), and with Series the series types registered as the program
// registers them at start-up.
inline int RunBenchmarksWithApplication(int argc, char** argv, bool Series) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  if (Series) RegisterSeriesTypes();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (Series) UnRegisterSeriesTypes();
  return 0;
}

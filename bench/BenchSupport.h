#pragma once

// What the benchmark programs share: a scratch folder and the start of a
// program that measures with fonts and images.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>

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

// Runs the program's benchmarks with an application object: fonts and
// images only, so no window system is needed.
inline int RunGuiBenchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

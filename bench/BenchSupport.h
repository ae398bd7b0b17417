#pragma once

// What the benchmark programs share: a scratch folder and the main routine
// of a program that draws or builds windows.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "chart/series/RegisterSeriesTypes.h"
#include "tests/support/ScratchFolder.h"

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

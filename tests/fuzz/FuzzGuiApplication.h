#pragma once

// For fuzz targets whose readers measure text or make images: they need an
// (offscreen) GUI application. Include in the target's one source file.

#include <QGuiApplication>
#include <QtGlobal>

#include "tests/fuzz/FuzzSanitizerOptions.h"

// Starts the application once per process, from LLVMFuzzerInitialize.
inline void StartGuiApplication(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication App(*argc, *argv);
}

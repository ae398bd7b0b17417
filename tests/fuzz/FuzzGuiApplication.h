#pragma once

// For fuzz targets whose readers measure text or make images: they need an
// (offscreen) GUI application. Include in the target's one source file.

#include <QGuiApplication>
#include <QtGlobal>

// Font lookups fill the font configuration library's caches, which the leak
// checker cannot trace to a root; those are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

// Starts the application once per process, from LLVMFuzzerInitialize.
inline void StartGuiApplication(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication App(*argc, *argv);
}

// Feeds arbitrary bytes to a chart as a native chart file (binary or text):
// loading must succeed or raise one of the library's errors, leave the
// chart painting again, and what was loaded must save, load and save again
// to the very same bytes.
#include <QApplication>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "chart/core/TChart.h"
#include "chart/editor/NativeChartStream.h"
#include "chart/editor/TChartChart.h"
#include "chart/series/RegisterSeriesTypes.h"
#include "chart/tools/RegisterToolTypes.h"
#include "platform/Exception.h"
#include "platform/ModalHooks.h"
#include "platform/TStream.h"

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

QByteArray Saved(TCustomChart& Chart) {
  TMemoryStream Stream;
  SaveChartToStream(Chart, Stream, true, false);
  return Stream.Bytes();
}

bool Load(TChart& Chart, const QByteArray& Bytes) {
  TMemoryStream Stream(Bytes);
  TCustomChart* Target = &Chart;
  try {
    LoadChartFromStream(Target, Stream);
  } catch (const Exception&) {
    Check(Chart.GetAutoRepaint());
    return false;
  }
  Check(Chart.GetAutoRepaint());
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication App(*argc, *argv);
  // Obsolete properties report through a message box; nothing may block.
  SetMessageDialogHook([](const TMessageDialogRequest&) { return 0; });
  RegisterSeriesTypes();
  RegisterToolTypes();
  RegisterChartChartClasses();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QByteArray Bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  TChart Chart(nullptr);
  if (!Load(Chart, Bytes)) return 0;
  const QByteArray Once = Saved(Chart);
  TChart Again(nullptr);
  Check(Load(Again, Once));
  Check(Saved(Again) == Once);
  return 0;
}

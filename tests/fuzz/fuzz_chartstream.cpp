// Feeds arbitrary bytes to a chart as a native chart file (binary or text):
// loading must succeed or raise one of the library's errors and leave the
// chart painting again. What the component part of the file gives must
// save, load and save again to the very same bytes (points that follow the
// component, the older files' way, go into series whose functions may
// recompute them at the next load, so that check leaves them out).
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
#include "tests/fuzz/FuzzSanitizerOptions.h"

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

QByteArray Saved(TCustomChart& Chart) {
  TMemoryStream Stream;
  SaveChartToStream(Chart, Stream, true, false);
  return Stream.Bytes();
}

bool Load(TChart& Chart, const QByteArray& Bytes, bool TryReadData) {
  TMemoryStream Stream(Bytes);
  TCustomChart* Target = &Chart;
  try {
    LoadChartFromStreamCheck(Target, Stream, TProcKorCheckStream(), TryReadData);
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
  {
    TChart WithPoints(nullptr);
    Load(WithPoints, Bytes, true);
  }
  TChart Chart(nullptr);
  if (!Load(Chart, Bytes, false)) return 0;
  const QByteArray Once = Saved(Chart);
  TChart Again(nullptr);
  Check(Load(Again, Once, false));
  Check(Saved(Again) == Once);
  return 0;
}

// Feeds arbitrary bytes to series as their "Data" stream (an ordinary
// series, a horizontal one and one with two further value lists): reading
// must succeed or raise the stream-read error, close the update bracket and
// leave every list as long as the series; what was read must write out and
// read back to the very same bytes.
#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "chart/core/KorSeriesData.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartValueList.h"
#include "chart/core/TLabelsList.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksPositions.h"
#include "platform/TStream.h"
#include "tests/fuzz/FuzzGuiApplication.h"

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

class TFuzzSeries : public TChartSeries {
 public:
  TFuzzSeries(bool Horizontal, int Further) : TChartSeries(nullptr) {
    for (int L = 0; L < Further; ++L)
      new TChartValueList(this, QStringLiteral("V%1").arg(L + 2));  // owned by the series
    if (Horizontal) {
      SetHorizontal();
      GetXValues().SetOrder(loNone);
    }
  }
};

void CheckConsistent(const TChartSeries& S) {
  Check(S.GetUpdateCount() == 0);
  Check(S.GetManualData());
  const TChartValueLists& Lists = S.GetValuesList();
  for (int L = 0; L < Lists.Count(); ++L) Check(Lists.Get(L)->Count() == S.Count());
  Check(S.GetLabels().Count() <= S.Count());
  Check(S.GetMarks().GetPositions().Count() <= S.Count());
}

// NaN X values make the order of inserted points depend on the order they
// arrive in, so such a series need not come back point for point.
bool HasNaN(const TChartSeries& S) {
  for (int I = 0; I < S.Count(); ++I)
    if (std::isnan(S.GetXValues().Data()[I]) || std::isnan(S.GetYValues().Data()[I])) return true;
  return false;
}

QByteArray Written(const TChartSeries& S) {
  TMemoryStream Stream;
  WriteSeriesData(S, Stream);
  return Stream.Bytes();
}

void Exercise(bool Horizontal, int Further, const QByteArray& Bytes) {
  TFuzzSeries Series(Horizontal, Further);
  Series.AddXY(1, 2);  // replaced by what the stream holds
  try {
    TMemoryStream Stream(Bytes);
    ReadSeriesData(Series, Stream);
  } catch (const EReadError&) {
  }
  CheckConsistent(Series);
  if (HasNaN(Series)) return;
  const QByteArray Once = Written(Series);
  TFuzzSeries Again(Horizontal, Further);
  TMemoryStream Stream(Once);
  ReadSeriesData(Again, Stream);
  CheckConsistent(Again);
  Check(Again.Count() == Series.Count());
  Check(Written(Again) == Once);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  StartGuiApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QByteArray Bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  Exercise(false, 0, Bytes);
  Exercise(true, 0, Bytes);
  Exercise(false, 2, Bytes);
  return 0;
}

// The viewer's raw-scan chart (fast-line series of 1,600 points each, axes,
// legend and title, every point drawn) rendered into a 1200 x 700 bitmap,
// against plain QPainter::drawPolyline of the same points onto a QImage of
// the same size. The ratio of the two is reported by the second benchmark.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <memory>
#include <vector>

#include "bench/BenchRatio.h"
#include "bench/BenchSupport.h"
#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "platform/TBitmap.h"
#include "tools/chartdemo/DemoCharts.h"

namespace {

constexpr int Width = 1200;
constexpr int Height = 700;
constexpr int Points = 1600;

struct TScene {
  explicit TScene(int SeriesCount)
      : Scans(DemoCharts::RawScans(SeriesCount, Points)),
        Chart(DemoCharts::RawScanChart(Scans, Width, Height)),
        Bitmap(Width, Height) {
    DrawChart();  // lays the chart out, so the polylines use its axes
    const TChartAxis& X = *Chart->GetBottomAxis();
    const TChartAxis& Y = *Chart->GetLeftAxis();
    for (const std::vector<double>& A : Scans.Absorbance) {
      QPolygon Line;
      Line.reserve(static_cast<int>(A.size()));
      for (size_t I = 0; I < A.size(); ++I)
        Line << QPoint(X.CalcXPosValue(Scans.Radius[I]), Y.CalcYPosValue(A[I]));
      Lines.push_back(Line);
    }
  }
  void DrawChart() { Chart->Draw(Bitmap.GetCanvas(), TRect(0, 0, Width, Height)); }
  void DrawPolylines(QImage& Image) const {
    Image.fill(Qt::white);
    QPainter P(&Image);
    P.setPen(QPen(Qt::black, 0));
    for (const QPolygon& Line : Lines) P.drawPolyline(Line);
  }

  DemoCharts::TScans Scans;
  std::unique_ptr<TChart> Chart;
  TBitmap Bitmap;
  std::vector<QPolygon> Lines;
};

void BM_RawScanChart(benchmark::State& State) {
  TScene Scene(static_cast<int>(State.range(0)));
  for (auto _ : State) {
    Scene.DrawChart();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RawScanChart)->Arg(1)->Arg(10)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_PlainPolylines(benchmark::State& State) {
  TScene Scene(static_cast<int>(State.range(0)));
  QImage Image(Width, Height, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : State) {
    Scene.DrawPolylines(Image);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlainPolylines)->Arg(1)->Arg(10)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

// Both in one run, in turns, so that the ratio compares like with like:
// the median of the turns' ratios, and their spread.
void BM_ChartOverPolylineRatio(benchmark::State& State) {
  TScene Scene(static_cast<int>(State.range(0)));
  QImage Image(Width, Height, QImage::Format_ARGB32_Premultiplied);
  std::vector<double> Ratios;
  for (auto _ : State)
    Ratios = BenchRatio::TurnRatios([&] { Scene.DrawChart(); }, [&] { Scene.DrawPolylines(Image); },
                                    15, 5);
  State.counters["chart_over_polyline"] = BenchRatio::Median(Ratios);
  State.counters["lowest"] = Ratios.front();
  State.counters["highest"] = Ratios.back();
}
BENCHMARK(BM_ChartOverPolylineRatio)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Arg(500)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

// Fonts and images only: no window system is needed.
int main(int argc, char** argv) {
  return RunBenchmarksWithApplication(argc, argv, false);
}

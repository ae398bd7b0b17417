// The viewer's raw-scan chart (fast-line series of 1,600 points each, axes,
// legend and title, every point drawn) rendered into a 1200 x 700 bitmap,
// against plain QPainter::drawPolyline of the same points onto a QImage of
// the same size. The ratio of the two is reported by the second benchmark.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <chrono>
#include <memory>
#include <vector>

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

double Seconds(const std::function<void()>& Body, int Repeats) {
  const auto Start = std::chrono::steady_clock::now();
  for (int I = 0; I < Repeats; ++I) Body();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count() / Repeats;
}

void BM_RawScanChart(benchmark::State& State) {
  TScene Scene(static_cast<int>(State.range(0)));
  for (auto _ : State) {
    Scene.DrawChart();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RawScanChart)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_PlainPolylines(benchmark::State& State) {
  TScene Scene(static_cast<int>(State.range(0)));
  QImage Image(Width, Height, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : State) {
    Scene.DrawPolylines(Image);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlainPolylines)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

// Both in one run, so that the ratio compares like with like.
void BM_ChartOverPolylineRatio(benchmark::State& State) {
  TScene Scene(static_cast<int>(State.range(0)));
  QImage Image(Width, Height, QImage::Format_ARGB32_Premultiplied);
  double Ratio = 0;
  for (auto _ : State) {
    const double Chart = Seconds([&] { Scene.DrawChart(); }, 5);
    const double Plain = Seconds([&] { Scene.DrawPolylines(Image); }, 5);
    Ratio = Chart / Plain;
  }
  State.counters["chart_over_polyline"] = Ratio;
}
BENCHMARK(BM_ChartOverPolylineRatio)
    ->Arg(100)
    ->Arg(500)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunGuiBenchmarks(argc, argv);
}

// The viewer's raw-scan chart (fast-line series of 1,600 points each, axes,
// legend and title, every point drawn) rendered into a 1200 x 700 bitmap,
// against plain QPainter::drawPolyline of the same points onto a QImage of
// the same size. The ratio of the two, timed in turns, is reported by the
// third benchmark; the fourth times the texts of the one-scan frame alone.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QString>
#include <QStringList>
#include <QTextLayout>

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
                                    31, 5);
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

// What no drawing of the one-scan frame can go below: its texts (the axis
// labels at their steps, the legend's rows of point values, the title and
// the axis titles, in the chart's font), shaped once beforehand and drawn
// as glyph runs by plain QPainter with the polyline, in turns with the
// polyline alone.
void BM_OneScanTextsOverPolylineRatio(benchmark::State& State) {
  TScene Scene(1);
  QImage Image(Width, Height, QImage::Format_ARGB32_Premultiplied);
  QStringList Texts = {QStringLiteral("Raw scans, cell 2, 280 nm"), QStringLiteral("Radius (cm)"),
                       QStringLiteral("Absorbance (OD)")};
  for (int I = 0; I <= 25; ++I) Texts << QString::number(5.95 + I * 0.05, 'g', 3);
  for (int I = 0; I <= 30; ++I) Texts << QString::number(0.06 + I * 0.02, 'g', 2);
  for (int I = 0; I < 36; ++I)
    Texts << QString::number(Scene.Scans.Absorbance[0][size_t(I)], 'g', 2);
  QFont Font(QStringLiteral("Arial"));
  Font.setPixelSize(11);
  std::vector<QList<QGlyphRun>> Shaped;
  for (const QString& Text : Texts) {
    QTextLayout Layout(Text, Font);
    Layout.beginLayout();
    Layout.createLine();
    Layout.endLayout();
    Shaped.push_back(Layout.glyphRuns());
  }
  auto DrawTexts = [&] {
    Scene.DrawPolylines(Image);
    QPainter P(&Image);
    P.setPen(Qt::black);
    for (size_t I = 0; I < Shaped.size(); ++I)
      for (const QGlyphRun& Run : Shaped[I])
        P.drawGlyphRun(QPointF(40 + int(I % 5) * 200, 30 + int(I / 5) * 30), Run);
  };
  std::vector<double> Ratios;
  for (auto _ : State)
    Ratios = BenchRatio::TurnRatios(
        DrawTexts, [&] { Scene.DrawPolylines(Image); }, 31, 5);
  State.counters["texts_over_polyline"] = BenchRatio::Median(Ratios);
  State.counters["texts"] = double(Texts.size());
}
BENCHMARK(BM_OneScanTextsOverPolylineRatio)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

// Fonts and images only: no window system is needed.
int main(int argc, char** argv) {
  return RunBenchmarksWithApplication(argc, argv, false);
}

// A chart in a real window: fast-line series, axes with titles, a legend
// and a title painted through the chart's buffers into a top-level widget
// on an X server. The window's pixels, read back from the server, must
// equal the chart's own bitmap export. Run under xvfb-run; an argument
// names a file for the screenshot.

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartAxisTitle.h"
#include "chart/core/TChartTitle.h"
#include "chart/series/TFastLineSeries.h"

#include "platform/TBitmap.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr int SkipCode = 77;
constexpr int Width = 600;
constexpr int Height = 400;

void WaitUntil(QApplication& App, int Milliseconds, const std::function<bool()>& Done) {
  QElapsedTimer Timer;
  Timer.start();
  while (Timer.elapsed() < Milliseconds && !(Done && Done()))
    App.processEvents(QEventLoop::AllEvents, 20);
}

TColor PixelOf(const QImage& Image, int X, int Y) {
  const QRgb P = Image.pixel(X, Y);
  return RGB(qRed(P), qGreen(P), qBlue(P));
}

// Five boundaries moving out, as raw scans of a run.
void AddScans(TChart& Chart) {
  for (int S = 0; S < 5; ++S) {
    auto* Series = new TFastLineSeries(&Chart);
    Series->SetTitle(QStringLiteral("Scan %1").arg(S + 1));
    Chart.AddSeries(Series);
    const double Boundary = 6.1 + 0.2 * S;
    for (int I = 0; I < 400; ++I) {
      const double R = 5.9 + 1.3 * I / 399.0;
      Series->AddXY(R, 0.05 + 0.8 * 0.5 * (1 + std::erf((R - Boundary) / 0.03)));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  if (qEnvironmentVariableIsEmpty("DISPLAY")) {
    std::printf("no X display: skipped\n");
    return SkipCode;
  }
  QApplication App(argc, argv);

  QWidget Window;
  Window.setWindowTitle(QStringLiteral("Chart window check"));
  Window.resize(Width, Height);
  TChart Chart(nullptr);
  Chart.SetView3D(false);
  Chart.SetColor(clWhite);
  Chart.GetTitle().SetCaption(QStringLiteral("Raw scans"));
  Chart.GetBottomAxis()->GetTitle().SetCaption(QStringLiteral("Radius (cm)"));
  Chart.GetLeftAxis()->GetTitle().SetCaption(QStringLiteral("Absorbance (OD)"));
  AddScans(Chart);
  int Frames = 0;
  Chart.OnAfterDraw = [&Frames](TCustomAxisPanel*) { ++Frames; };
  Chart.SetParentWidget(&Window);
  Chart.SetBounds(0, 0, Width, Height);
  Window.show();

  WaitUntil(App, 5000, [&] {
    const QWindow* Handle = Window.windowHandle();
    return Handle != nullptr && Handle->isExposed();
  });
  WaitUntil(App, 5000, [&] { return Frames > 0; });
  WaitUntil(App, 300, nullptr);  // let the window system take the pixels
  if (Frames == 0) {
    std::printf("FAILED: the chart never painted\n");
    return 1;
  }
  const QImage Shot = Window.screen()->grabWindow(Window.winId()).toImage();
  if (Shot.width() < Width || Shot.height() < Height) {
    std::printf("FAILED: screenshot of %dx%d pixels\n", Shot.width(), Shot.height());
    return 1;
  }
  if (argc > 1) Shot.save(QString::fromLocal8Bit(argv[1]));

  // Every pixel of the window equals the chart's bitmap export, and the
  // series lines are there in their colours.
  std::unique_ptr<TBitmap> Export = Chart.KorCreateBitmap();
  int Differences = 0;
  int SeriesPixels = 0;
  const TColor First = Chart.GetSeries(0)->GetSeriesColor();
  for (int Y = 0; Y < Height; ++Y)
    for (int X = 0; X < Width; ++X) {
      const TColor Seen = PixelOf(Shot, X, Y);
      if (Seen != Export->GetPixel(X, Y)) ++Differences;
      if (Seen == First) ++SeriesPixels;
    }
  const bool Same = Differences == 0;
  const bool Lines = SeriesPixels > 100;
  if (!Same) std::printf("FAILED: %d window pixels differ from the bitmap export\n", Differences);
  if (!Lines) std::printf("FAILED: only %d pixels of the first series' colour\n", SeriesPixels);
  std::printf(Same && Lines ? "chart window check passed\n" : "chart window check failed\n");
  return Same && Lines ? 0 : 1;
}

// A zoom dragged with the real mouse of an X server: a chart in a
// top-level window receives pointer motion and button events that the
// server itself generates (its input-faking extension, asked for over a
// connection of our own), so the events take the whole way a user's drag
// takes: X server, Qt's xcb platform, the host widget, the chart. The
// rubber band must show on the screen while the button is held, the
// chart must zoom to exactly the dragged range, and the window must then
// show the zoomed chart. Run under xvfb-run; an argument names a file for
// the screenshot of the rubber band.

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TKorZoom.h"

#include "platform/TBitmap.h"
#include "tests/support/window/WindowCheck.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int Width = 400;
constexpr int Height = 300;

using namespace WindowCheck;

}  // namespace

int main(int argc, char** argv) {
  if (!UseXDisplay()) return SkipCode;
  QApplication App(argc, argv);
  TFakeMouse Mouse;
  if (!CanFakeInput(Mouse)) return 1;

  QWidget Window;
  Window.setWindowTitle(QStringLiteral("Zoom window check"));
  Window.resize(Width, Height);
  TChart Chart(nullptr);
  SetUpPlainChart(Chart);
  int Frames = 0;
  int Zooms = 0;
  Chart.OnAfterDraw = [&Frames](TCustomAxisPanel*) { ++Frames; };
  Chart.OnZoom = [&Zooms](TCustomAxisPanel*) { ++Zooms; };
  Chart.SetParentWidget(&Window);
  Chart.SetBounds(0, 0, Width, Height);
  Window.show();
  WaitUntil(App, 5000, [&] { return Window.windowHandle()->isExposed() && Frames > 0; });
  WaitUntil(App, 300, nullptr);
  if (Frames == 0) {
    std::printf("FAILED: the chart never painted\n");
    return 1;
  }

  const TRect Plot = Chart.GetPlotRect();
  const QPoint From(Plot.Left + 60, Plot.Top + 40);
  const QPoint To(Plot.Right - 60, Plot.Bottom - 40);
  const double BottomMin = Chart.GetBottomAxis()->CalcPosPoint(From.x());
  const double BottomMax = Chart.GetBottomAxis()->CalcPosPoint(To.x());
  const double LeftMin = Chart.GetLeftAxis()->CalcPosPoint(To.y());
  const double LeftMax = Chart.GetLeftAxis()->CalcPosPoint(From.y());
  QWidget* Host = Chart.GetWidget();
  const QImage Before = Screenshot(Window);

  // Press, drag half way (the rubber band shows), drag on and let go.
  const QPoint Middle = (From + To) / 2;
  Expect(Mouse.MoveTo(Host->mapToGlobal(From)), "pointer moved to the start");
  WaitUntil(App, 200, nullptr);
  Expect(Mouse.Press(Host->mapToGlobal(From)), "button pressed");
  WaitUntil(App, 500, [&] { return Chart.GetZoom().Engaged; });
  Expect(Chart.GetZoom().Engaged, "the press began a zoom drag");
  Expect(Mouse.MoveTo(Host->mapToGlobal(Middle)), "pointer dragged");
  WaitUntil(App, 2000, [&] { return Chart.GetZoom().EndX == Middle.x(); });
  WaitUntil(App, 300, nullptr);
  const QImage Band = Screenshot(Window);
  if (argc > 1) Band.save(QString::fromLocal8Bit(argv[1]));
  int Inverted = 0;
  for (int X = From.x(); X <= Middle.x(); ++X)
    if (PixelOf(Band, X, From.y()) != PixelOf(Before, X, From.y())) ++Inverted;
  Expect(Inverted > (Middle.x() - From.x()) * 9 / 10, "the rubber band shows on the screen");
  Expect(PixelOf(Band, Middle.x() + 20, From.y()) == PixelOf(Before, Middle.x() + 20, From.y()),
         "nothing is drawn beyond the rubber band");

  Expect(Mouse.MoveTo(Host->mapToGlobal(To)), "pointer dragged to the end");
  WaitUntil(App, 200, nullptr);
  Expect(Mouse.Release(Host->mapToGlobal(To)), "button released");
  WaitUntil(App, 3000, [&] { return Zooms > 0; });
  const int FramesAtZoom = Frames;
  WaitUntil(App, 3000, [&] { return Frames > FramesAtZoom; });
  WaitUntil(App, 300, nullptr);

  Expect(Zooms == 1, "one zoom");
  Expect(!Chart.GetZoom().Engaged, "the drag ended");
  Expect(Chart.GetBottomAxis()->GetMinimum() == BottomMin &&
             Chart.GetBottomAxis()->GetMaximum() == BottomMax,
         "the bottom axis shows exactly the dragged range");
  Expect(
      Chart.GetLeftAxis()->GetMinimum() == LeftMin && Chart.GetLeftAxis()->GetMaximum() == LeftMax,
      "the left axis shows exactly the dragged range");

  // The window shows the zoomed chart, with no rubber band left over.
  const QImage After = Screenshot(Window);
  std::unique_ptr<TBitmap> Export = Chart.KorCreateBitmap();
  int Differences = 0;
  for (int Y = 0; Y < Height; Y += 5)
    for (int X = 0; X < Width; X += 5)
      if (PixelOf(After, X, Y) != Export->GetPixel(X, Y)) ++Differences;
  Expect(Differences == 0, "window pixels equal the zoomed chart's export");

  std::printf(Failures == 0 ? "zoom window check passed\n" : "zoom window check failed\n");
  return Failures == 0 ? 0 : 1;
}

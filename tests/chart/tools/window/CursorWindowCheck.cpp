// A cursor line dragged with the real mouse of an X server: a chart with a
// vertical cursor in a top-level window receives pointer motion and button
// events that the server itself generates (its input-faking extension,
// asked for over a connection of our own), so the events take the whole
// way a user's drag takes: X server, Qt's xcb platform, the host widget,
// the chart, the tool. The line is inverted over the finished picture
// between frames, so the screen must show it at each new place without the
// chart being drawn again, and the old place must be restored. Run under
// xvfb-run; an argument names a file for the screenshot taken mid-drag.

#include "chart/core/TChart.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartSeries.h"
#include "chart/tools/TCursorTool.h"

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

// Pixels of column X between Top and Bottom that differ in the two images.
int ColumnDifferences(const QImage& A, const QImage& B, int X, int Top, int Bottom) {
  int N = 0;
  for (int Y = Top; Y < Bottom; ++Y)
    if (PixelOf(A, X, Y) != PixelOf(B, X, Y)) ++N;
  return N;
}

}  // namespace

int main(int argc, char** argv) {
  if (!UseXDisplay()) return SkipCode;
  QApplication App(argc, argv);
  TFakeMouse Mouse;
  if (!CanFakeInput(Mouse)) return 1;

  QWidget Window;
  Window.setWindowTitle(QStringLiteral("Cursor window check"));
  Window.resize(Width, Height);
  TChart Chart(nullptr);
  SetUpPlainChart(Chart);
  auto* Cursor = new TCursorTool(&Chart);
  Cursor->SetStyle(cssVertical);
  Cursor->SetXValue(30);
  Cursor->SetParentChart(&Chart);
  int Frames = 0;
  int Moves = 0;
  Chart.OnAfterDraw = [&Frames](TCustomAxisPanel*) { ++Frames; };
  Cursor->OnChange = [&Moves](TCursorTool*, int, int, double, double, TChartSeries*, int) {
    ++Moves;
  };
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
  const int Top = Plot.Top + 5;
  const int Bottom = Plot.Bottom - 5;
  const int From = Cursor->GetScreenX();
  const int Middle = Chart.GetBottomAxis()->CalcPosValue(50);
  const int To = Chart.GetBottomAxis()->CalcPosValue(70);
  QWidget* Host = Chart.GetWidget();
  const QImage Before = Screenshot(Window);
  const int FramesBefore = Frames;
  const int Y = (Top + Bottom) / 2;

  // Press on the line, drag half way (the line shows there), on, let go.
  Expect(Mouse.MoveTo(Host->mapToGlobal(QPoint(From, Y))), "pointer moved to the line");
  WaitUntil(App, 200, nullptr);
  Expect(Mouse.Press(Host->mapToGlobal(QPoint(From, Y))), "button pressed");
  WaitUntil(App, 500, [&] { return Cursor->GetDraggedPart() != 0; });
  Expect(Cursor->GetDraggedPart() == 2, "the press took the vertical line");
  Expect(Mouse.MoveTo(Host->mapToGlobal(QPoint(Middle, Y))), "pointer dragged");
  WaitUntil(App, 2000, [&] { return std::abs(Cursor->GetScreenX() - Middle) <= 1; });
  WaitUntil(App, 300, nullptr);
  const QImage Dragged = Screenshot(Window);
  if (argc > 1) Dragged.save(QString::fromLocal8Bit(argv[1]));
  const int Shown = Cursor->GetScreenX();
  Expect(std::abs(Shown - Middle) <= 1, "the cursor followed the pointer");
  const int Span = Bottom - Top;
  Expect(ColumnDifferences(Before, Dragged, Shown, Top, Bottom) > Span * 9 / 10,
         "the line shows at its new place on the screen");
  Expect(ColumnDifferences(Before, Dragged, From, Top, Bottom) > Span * 9 / 10,
         "the line left its old place on the screen");
  Expect(ColumnDifferences(Before, Dragged, (From + Middle) / 2, Top, Bottom) == 0,
         "nothing else changed on the screen");

  Expect(Mouse.MoveTo(Host->mapToGlobal(QPoint(To, Y))), "pointer dragged on");
  WaitUntil(App, 2000, [&] { return std::abs(Cursor->GetScreenX() - To) <= 1; });
  Expect(Mouse.Release(Host->mapToGlobal(QPoint(To, Y))), "button released");
  WaitUntil(App, 500, [&] { return Cursor->GetDraggedPart() == 0; });
  WaitUntil(App, 300, nullptr);

  Expect(Cursor->GetDraggedPart() == 0, "the drag ended");
  Expect(Moves >= 2, "the cursor reported its moves");
  Expect(Frames == FramesBefore, "moving the line did not redraw the chart");
  Expect(std::abs(Cursor->GetXValue() - 70) <= 1, "the cursor ends at the dragged value");

  // The window shows exactly the chart with its line at the new place: a
  // fresh export draws the line there too.
  const QImage After = Screenshot(Window);
  std::unique_ptr<TBitmap> Export = Chart.KorCreateBitmap();
  int Differences = 0;
  for (int PY = 0; PY < Height; ++PY)
    for (int PX = 0; PX < Width; ++PX)
      if (PixelOf(After, PX, PY) != Export->GetPixel(PX, PY)) ++Differences;
  Expect(Differences == 0, "window pixels equal the chart's export with the moved line");

  std::printf(Failures == 0 ? "cursor window check passed\n" : "cursor window check failed\n");
  return Failures == 0 ? 0 : 1;
}

// A chart panel in a real window: a back gradient and a framed shape are
// painted through the panel's buffers into a top-level widget on an X
// server; the window's pixels, read back from the server, must show them
// and equal the panel's own bitmap export. Run under xvfb-run; an argument
// names a file for the screenshot.

#include "chart/core/TCustomKorPanelExtended.h"
#include "chart/core/TKorGradient.h"
#include "chart/core/TKorShadow.h"
#include "chart/core/TKorShape.h"

#include "platform/TBitmap.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int SkipCode = 77;

// The chart's first drawing step (the panel background), then one shape.
class TWindowPanel : public TCustomKorPanelExtended {
 public:
  TWindowPanel() : TCustomKorPanelExtended(nullptr), Shape(this) {}

  TKorShape Shape;
  int Frames = 0;

 protected:
  void InternalDraw(const TRect& R) override {
    PanelPaint(R);
    Shape.Draw();
    ++Frames;
  }
};

void WaitFor(QApplication& App, int Milliseconds, bool (*Done)(void*), void* Context) {
  QElapsedTimer Timer;
  Timer.start();
  while (Timer.elapsed() < Milliseconds && (Done == nullptr || !Done(Context))) {
    App.processEvents(QEventLoop::AllEvents, 20);
  }
}

TColor PixelOf(const QImage& Image, int X, int Y) {
  const QRgb P = Image.pixel(X, Y);
  return RGB(qRed(P), qGreen(P), qBlue(P));
}

int Failures = 0;

void Expect(bool Condition, const char* What, TColor Seen) {
  if (Condition) return;
  ++Failures;
  std::printf("FAILED: %s (pixel 0x%06X)\n", What, static_cast<unsigned>(Seen));
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
  Window.setWindowTitle(QStringLiteral("Panel window check"));
  Window.resize(400, 250);
  TWindowPanel Panel;
  Panel.SetBevelOuter(bvNone);
  TKorGradient* Gradient = Panel.GetGradient();
  Gradient->SetStartColor(clRed);
  Gradient->SetEndColor(clBlue);
  Gradient->SetVisible(true);
  Panel.Shape.SetShapeBounds(TRect(100, 80, 300, 170));
  Panel.Shape.SetColor(clYellow);
  Panel.Shape.GetPen().SetColor(clBlack);
  Panel.Shape.GetShadow().SetSmooth(false);
  Panel.SetParentWidget(&Window);
  Panel.SetBounds(0, 0, 400, 250);
  Window.show();

  WaitFor(
      App, 5000,
      [](void* W) {
        const QWindow* Handle = static_cast<QWidget*>(W)->windowHandle();
        return Handle != nullptr && Handle->isExposed();
      },
      &Window);
  WaitFor(
      App, 5000, [](void* P) { return static_cast<TWindowPanel*>(P)->Frames > 0; }, &Panel);
  WaitFor(App, 300, nullptr, nullptr);  // let the window system take the pixels
  if (Panel.Frames == 0) {
    std::printf("FAILED: the panel never painted\n");
    return 1;
  }

  const QImage Shot = Window.screen()->grabWindow(Window.winId()).toImage();
  if (Shot.width() < 400 || Shot.height() < 250) {
    std::printf("FAILED: screenshot of %dx%d pixels\n", Shot.width(), Shot.height());
    return 1;
  }
  if (argc > 1) Shot.save(QString::fromLocal8Bit(argv[1]));  // for a look at it
  const TColor Top = PixelOf(Shot, 20, 0);
  const TColor Bottom = PixelOf(Shot, 20, 249);
  Expect(GetBValue(Top) > 240 && GetRValue(Top) < 15, "gradient ends blue at the top", Top);
  Expect(GetRValue(Bottom) > 240 && GetBValue(Bottom) < 15, "gradient starts red at the bottom",
         Bottom);
  Expect(PixelOf(Shot, 200, 125) == clYellow, "shape filled yellow", PixelOf(Shot, 200, 125));
  Expect(PixelOf(Shot, 100, 125) == clBlack, "shape framed black", PixelOf(Shot, 100, 125));
  Expect(PixelOf(Shot, 302, 125) == clBlack, "shape shadow at the right", PixelOf(Shot, 302, 125));

  // The window shows exactly what the panel exports.
  std::unique_ptr<TBitmap> Export = Panel.KorCreateBitmap();
  int Differences = 0;
  for (int Y = 0; Y < 250; Y += 7)
    for (int X = 0; X < 400; X += 7)
      if (PixelOf(Shot, X, Y) != Export->GetPixel(X, Y)) ++Differences;
  Expect(Differences == 0, "window pixels equal the bitmap export",
         static_cast<TColor>(Differences));

  std::printf(Failures == 0 ? "panel window check passed\n" : "panel window check failed\n");
  return Failures == 0 ? 0 : 1;
}

#pragma once

// What the checks in real windows share: a mouse driven through the X
// server's own input-faking extension (so events take the whole way a
// user's do), waiting on the event loop, screenshots and a failure count.
// Header only: included by the window-check programs, which link xcb.

#include "chart/core/TChart.h"
#include "chart/core/TChartLegend.h"
#include "chart/core/TChartSeries.h"

#include "platform/TColor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QScreen>
#include <QWidget>

#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <sys/uio.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace WindowCheck {

constexpr int SkipCode = 77;

// The server's input-faking extension, spoken directly: one request, so no
// client library of its own is needed.
inline xcb_extension_t XTestExtension = {"XTEST", 0};
constexpr uint8_t FakeInputOpcode = 2;
constexpr uint8_t KeyPressEvent = 2;
constexpr uint8_t KeyReleaseEvent = 3;
constexpr uint8_t ButtonPressEvent = 4;
constexpr uint8_t ButtonReleaseEvent = 5;
constexpr uint8_t MotionNotifyEvent = 6;

struct TFakeInputRequest {
  uint8_t MajorOpcode = 0;  // filled in by xcb
  uint8_t MinorOpcode = 0;  // filled in by xcb
  uint16_t Length = 0;      // filled in by xcb
  uint8_t Type = 0;
  uint8_t Detail = 0;  // button number or keycode; 0 (absolute) for a motion
  uint16_t Pad0 = 0;
  uint32_t Time = 0;  // now
  uint32_t Root = 0;
  uint8_t Pad1[8] = {};
  int16_t RootX = 0;
  int16_t RootY = 0;
  uint8_t Pad2[7] = {};
  uint8_t DeviceId = 0;
};
static_assert(sizeof(TFakeInputRequest) == 36, "the request is 9 words long");

class TFakeMouse {
 public:
  TFakeMouse() : FConnection(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(FConnection)) return;
    const xcb_query_extension_reply_t* Extension =
        xcb_get_extension_data(FConnection, &XTestExtension);
    FAvailable = Extension != nullptr && Extension->present;
    FRoot = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data->root;
  }
  ~TFakeMouse() { xcb_disconnect(FConnection); }
  TFakeMouse(const TFakeMouse&) = delete;
  TFakeMouse& operator=(const TFakeMouse&) = delete;

  // X button numbers: 1 left, 2 middle, 3 right.
  static constexpr uint8_t LeftButton = 1;
  static constexpr uint8_t RightButton = 3;

  bool Available() const { return FAvailable; }
  bool MoveTo(QPoint P) { return Send(MotionNotifyEvent, 0, P); }
  bool Press(QPoint P, uint8_t Button = LeftButton) { return Send(ButtonPressEvent, Button, P); }
  bool Release(QPoint P, uint8_t Button = LeftButton) {
    return Send(ButtonReleaseEvent, Button, P);
  }
  // The key of the server's Keycode goes down or up (the keyboard is faked
  // through the same extension).
  bool Key(uint8_t Keycode, bool Down) {
    return Send(Down ? KeyPressEvent : KeyReleaseEvent, Keycode, QPoint());
  }

 private:
  bool Send(uint8_t Type, uint8_t Detail, QPoint P) {
    static const xcb_protocol_request_t Request = {2, &XTestExtension, FakeInputOpcode, 1};
    TFakeInputRequest Out;
    Out.Type = Type;
    Out.Detail = Detail;
    Out.Root = FRoot;
    Out.RootX = static_cast<int16_t>(P.x());
    Out.RootY = static_cast<int16_t>(P.y());
    // xcb writes the request header into the two slots before the parts.
    iovec Parts[4] = {};
    Parts[2].iov_base = &Out;
    Parts[2].iov_len = sizeof(Out);
    xcb_void_cookie_t Cookie;
    Cookie.sequence = xcb_send_request(FConnection, XCB_REQUEST_CHECKED, Parts + 2, &Request);
    xcb_generic_error_t* Error = xcb_request_check(FConnection, Cookie);
    std::free(Error);
    return Error == nullptr;
  }

  xcb_connection_t* FConnection;
  xcb_window_t FRoot = 0;
  bool FAvailable = false;
};

inline void WaitUntil(QApplication& App, int Milliseconds, const std::function<bool()>& Done) {
  QElapsedTimer Timer;
  Timer.start();
  while (Timer.elapsed() < Milliseconds && !(Done && Done()))
    App.processEvents(QEventLoop::AllEvents, 20);
}

inline QImage Screenshot(const QWidget& Window) {
  return Window.screen()->grabWindow(Window.winId()).toImage();
}

inline TColor PixelOf(const QImage& Image, int X, int Y) {
  const QRgb P = Image.pixel(X, Y);
  return RGB(qRed(P), qGreen(P), qBlue(P));
}

inline int Failures = 0;

inline void Expect(bool Condition, const char* What) {
  if (Condition) return;
  ++Failures;
  std::printf("FAILED: %s\n", What);
}

// Before the application exists: the checks run on Qt's X11 platform and
// are skipped (SkipCode) without a display.
inline bool UseXDisplay() {
  qputenv("QT_QPA_PLATFORM", "xcb");
  if (!qEnvironmentVariableIsEmpty("DISPLAY")) return true;
  std::printf("no X display: skipped\n");
  return false;
}

// False, and said, when the server cannot fake input.
inline bool CanFakeInput(const TFakeMouse& Mouse) {
  if (Mouse.Available()) return true;
  std::printf("FAILED: the X server offers no input-faking extension\n");
  return false;
}

// The charts the checks drag on: flat, silver, without legend, one series
// rising from (0, 0) to (100, 200).
inline TChartSeries* SetUpPlainChart(TChart& Chart) {
  Chart.SetView3D(false);
  Chart.SetColor(clSilver);
  Chart.GetLegend().SetVisible(false);
  auto* Series = new TChartSeries(&Chart);
  Chart.AddSeries(Series);
  for (int I = 0; I <= 10; ++I) Series->AddXY(I * 10, I * 20);
  return Series;
}

}  // namespace WindowCheck

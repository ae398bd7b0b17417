#include "chart/editor/TKorNavButton.h"

#include "chart/editor/KorEditorHelpers.h"

#include "platform/QtGuard.h"
#include "platform/TCanvas.h"

#include <QTimer>
#include <QWidget>

TKorNavButton::TKorNavButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clBtnFace);
  // A speed button never takes the keyboard focus; its navigator does.
  if (QWidget* W = GetWidget()) W->setFocusPolicy(Qt::NoFocus);
}

TKorNavButton::~TKorNavButton() = default;

void TKorNavButton::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  if (!FEnabled) {
    FDown = false;
    StopRepeat();
  }
  Invalidate();
}

void TKorNavButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TKorNavButton::SetGlyph(const TBitmap& Value) {
  FGlyph.Assign(Value);
  Invalidate();
}

void TKorNavButton::SetShowFocus(bool Value) {
  if (Value == FShowFocus) return;
  FShowFocus = Value;
  Invalidate();
}

// -- auto-repeat

void TKorNavButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!FEnabled) return;
  if (Button == mbLeft) {
    FDown = true;
    if (!FRepeatTimer) {
      FRepeatTimer = std::make_unique<QTimer>();
      QObject::connect(FRepeatTimer.get(), &QTimer::timeout, [this] { RepeatTimerFired(); });
    }
    FRepeatTimer->start(InitialRepeatDelay);
    Invalidate();
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TKorNavButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && FDown) {
    FDown = false;
    StopRepeat();
    Invalidate();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TKorNavButton::Click() {
  if (FEnabled) TCustomControl::Click();
}

void TKorNavButton::RepeatTimerFired() {
  if (!FRepeatTimer) return;
  FRepeatTimer->setInterval(RepeatInterval);
  // The press holds the mouse for the button until its release, so being
  // down is also holding the capture.
  if (!FDown || !FEnabled) return;
  const bool Clicked = RunGuarded([this] { Click(); });
  // A click that fails would fail again every 100 ms: stop repeating.
  if (!Clicked) StopRepeat();
}

void TKorNavButton::StopRepeat() {
  if (FRepeatTimer) FRepeatTimer->stop();
}

// -- painting

void TKorNavButton::Paint() {
  TCanvas& Canvas = GetCanvas();
  const TRect R = GetClientRect();
  Canvas.GetBrush().SetColor(GetColor());
  Canvas.FillRect(R);
  DrawFrame(Canvas, R);
  DrawGlyph(Canvas, R);
  if (!FShowFocus) return;
  const int Shift = FDown ? 1 : 0;
  TRect Focus{R.Left + 3 + Shift, R.Top + 3 + Shift, R.Right - 3 + Shift, R.Bottom - 3 + Shift};
  Canvas.GetBrush().SetColor(clWindowText);
  Canvas.FrameRect(Focus);
}

void TKorNavButton::DrawFrame(TCanvas& Canvas, const TRect& R) const {
  // A flat button shows its edge only while pressed.
  if (FFlat && !FDown) return;
  const TColor TopLeft = FDown ? clBtnShadow : clBtnHighlight;
  const TColor BottomRight = FDown ? clBtnHighlight : clBtnShadow;
  KorDrawEdge(Canvas, R, TopLeft, BottomRight);
}

void TKorNavButton::DrawGlyph(TCanvas& Canvas, const TRect& R) const {
  if (FGlyph.GetEmpty()) return;
  const int Width = FGlyph.GetWidth() / 2;
  const int Height = FGlyph.GetHeight();
  const int Shift = FDown ? 1 : 0;
  const int X = R.Left + (R.Right - R.Left - Width) / 2 + Shift;
  const int Y = R.Top + (R.Bottom - R.Top - Height) / 2 + Shift;
  const QImage Half = FGlyph.Image().copy(FEnabled ? 0 : Width, 0, Width, Height);
  Canvas.DrawImage(TRect{X, Y, X + Width, Y + Height}, Half);
}

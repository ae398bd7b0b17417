#include "platform/TApplicationHints.h"

#include "platform/TCustomControl.h"

#include <QApplication>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include <algorithm>

namespace {

struct THintState {
  int Pause = 500;
  // The hint shown or waiting: its text, the window it belongs to and the
  // position in that window.
  QString Text;
  QPointer<QWidget> Window;
  QPoint Pos;
  bool Shown = false;
  // Made on first use as a child of the application, so it goes with it.
  QPointer<QTimer> Timer;
};

THintState& State() {
  static THintState S;
  return S;
}

bool HasGuiApplication() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

void ShowPending() {
  THintState& S = State();
  if (S.Window.isNull()) {
    S.Text.clear();
    return;
  }
  S.Shown = true;
  if (HasGuiApplication()) QToolTip::showText(S.Window->mapToGlobal(S.Pos), S.Text, S.Window);
}

QTimer* PauseTimer() {
  THintState& S = State();
  if (S.Timer.isNull()) {
    S.Timer = new QTimer(QCoreApplication::instance());
    S.Timer->setSingleShot(true);
    QObject::connect(S.Timer, &QTimer::timeout, [] { ShowPending(); });
  }
  return S.Timer;
}

}  // namespace

int TApplicationHints::GetHintPause() {
  return State().Pause;
}

void TApplicationHints::SetHintPause(int Value) {
  State().Pause = std::max(0, Value);
}

void TApplicationHints::ActivateHint(TCustomControl& Control, const TPoint& Pos) {
  CancelHint();
  if (!Control.GetShowHint() || Control.GetHint().isEmpty() || Control.GetWidget() == nullptr)
    return;
  THintState& S = State();
  S.Text = Control.GetHint();
  S.Window = Control.GetWidget();
  S.Pos = QPoint(Pos.X, Pos.Y);
  // Without an application there is no event loop to wait in.
  if (S.Pause == 0 || QCoreApplication::instance() == nullptr)
    ShowPending();
  else
    PauseTimer()->start(S.Pause);
}

void TApplicationHints::CancelHint() {
  THintState& S = State();
  if (!S.Timer.isNull()) S.Timer->stop();
  if (S.Shown && HasGuiApplication()) QToolTip::hideText();
  S.Shown = false;
  S.Text.clear();
  S.Window.clear();
}

QString TApplicationHints::GetShownHint() {
  const THintState& S = State();
  return S.Shown && !S.Window.isNull() ? S.Text : QString();
}

bool TApplicationHints::GetHintPending() {
  const THintState& S = State();
  return !S.Shown && !S.Window.isNull() && !S.Timer.isNull() && S.Timer->isActive();
}

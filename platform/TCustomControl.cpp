#include "platform/TCustomControl.h"

#include "platform/QtGuard.h"
#include "platform/TCanvas.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>

namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift;
  if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
  if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
  if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
  if (buttons & Qt::LeftButton) shift.Include(ssLeft);
  if (buttons & Qt::RightButton) shift.Include(ssRight);
  if (buttons & Qt::MiddleButton) shift.Include(ssMiddle);
  return shift;
}

bool ButtonOf(Qt::MouseButton qt, TMouseButton& button) {
  switch (qt) {
    case Qt::LeftButton: button = mbLeft; return true;
    case Qt::RightButton: button = mbRight; return true;
    case Qt::MiddleButton: button = mbMiddle; return true;
    default: return false;
  }
}

}  // namespace

// The Qt side of a TCustomControl: forwards events, holds no state of its own.
class TControlHost : public QWidget {
 public:
  explicit TControlHost(TCustomControl* AControl) : FControl(AControl) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    // The right button is the control's own (a chart scrolls with it): no
    // context menu of a parent widget may open over the control.
    setContextMenuPolicy(Qt::PreventContextMenu);
  }
  // The control is going away; no more events reach it.
  void Detach() { FControl = nullptr; }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (FControl != nullptr) RunGuarded([&] { FControl->PaintHost(*this); });
  }
  void resizeEvent(QResizeEvent*) override {
    if (FControl != nullptr) RunGuarded([&] { FControl->HostResized(width(), height()); });
  }
  void mousePressEvent(QMouseEvent* e) override { Mouse(e, false); }
  void mouseDoubleClickEvent(QMouseEvent* e) override { Mouse(e, true); }
  void mouseReleaseEvent(QMouseEvent* e) override {
    TMouseButton button;
    if (FControl == nullptr || !ButtonOf(e->button(), button)) return;
    const QPoint p = e->position().toPoint();
    const TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    RunGuarded([&] {
      if (button == mbLeft && FControl->FPressed) {
        FControl->FPressed = false;
        if (rect().contains(p)) FControl->Click();
      }
      FControl->MouseUp(button, shift, p.x(), p.y());
    });
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (FControl == nullptr) return;
    const QPoint p = e->position().toPoint();
    const TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    RunGuarded([&] { FControl->MouseMove(shift, p.x(), p.y()); });
  }
  void enterEvent(QEnterEvent*) override {
    if (FControl != nullptr) RunGuarded([&] { FControl->MouseEnter(); });
  }
  void leaveEvent(QEvent*) override {
    if (FControl == nullptr) return;
    RunGuarded([&] {
      FControl->MouseLeave();
      if (FControl->OnMouseLeave) FControl->OnMouseLeave(FControl);
    });
  }
  void wheelEvent(QWheelEvent* e) override {
    if (FControl == nullptr) return;
    const QPoint p = e->position().toPoint();
    const TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    const int delta = e->angleDelta().y();
    RunGuarded([&] { FControl->MouseWheel(shift, delta, TPoint{p.x(), p.y()}); });
  }
  void keyPressEvent(QKeyEvent* e) override { Key(e, true); }
  void keyReleaseEvent(QKeyEvent* e) override { Key(e, false); }

 private:
  void Mouse(QMouseEvent* e, bool doubleClick) {
    TMouseButton button;
    if (FControl == nullptr || !ButtonOf(e->button(), button)) return;
    const QPoint p = e->position().toPoint();
    TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    RunGuarded([&] {
      if (doubleClick) {
        shift.Include(ssDouble);
        FControl->DblClick();
      } else if (button == mbLeft) {
        FControl->FPressed = true;
      }
      FControl->MouseDown(button, shift, p.x(), p.y());
    });
  }
  void Key(QKeyEvent* e, bool down) {
    if (FControl == nullptr) return;
    int key = e->key();
    const TShiftState shift = ShiftOf(e->modifiers(), Qt::NoButton);
    RunGuarded([&] {
      if (down)
        FControl->KeyDown(key, shift);
      else
        FControl->KeyUp(key, shift);
    });
  }

  TCustomControl* FControl;
};

TCustomControl::TCustomControl(TComponent* AOwner) : TComponent(AOwner) {
  FWidget = new TControlHost(this);  // deleted in our destructor (ownership rule)
  FWidget->setGeometry(FBounds.Left, FBounds.Top, GetWidth(), GetHeight());
}

TCustomControl::~TCustomControl() {
  if (FWidget) {
    FWidget->Detach();
    delete FWidget.data();
  }
}

QWidget* TCustomControl::GetWidget() const {
  return FWidget.data();
}

QWidget* TCustomControl::GetParentWidget() const {
  return FWidget ? FWidget->parentWidget() : nullptr;
}

void TCustomControl::SetParentWidget(QWidget* Value) {
  if (!FWidget || FWidget->parentWidget() == Value) return;
  FWidget->setParent(Value);
  FWidget->setGeometry(FBounds.Left, FBounds.Top, GetWidth(), GetHeight());
  FWidget->setVisible(FVisible && Value != nullptr);
}

const TPropertyList& TCustomControl::Properties() const {
  namespace PP = PublishedProperty;
  using C = TCustomControl;
  static const TPropertyList List{
      PP::Integer<C>(QStringLiteral("Left"), &C::GetLeft, &C::SetLeft),
      PP::Integer<C>(QStringLiteral("Top"), &C::GetTop, &C::SetTop),
      PP::Integer<C>(QStringLiteral("Width"), &C::GetWidth, &C::SetWidth),
      PP::Integer<C>(QStringLiteral("Height"), &C::GetHeight, &C::SetHeight),
      PP::Color<C>(QStringLiteral("Color"), &C::GetColor, &C::SetColor, clWhite),
      PP::Boolean<C>(QStringLiteral("Visible"), &C::GetVisible, &C::SetVisible, true),
  };
  return List;
}

void TCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const TRect bounds{ALeft, ATop, ALeft + std::max(0, AWidth), ATop + std::max(0, AHeight)};
  if (bounds.Left == FBounds.Left && bounds.Top == FBounds.Top && bounds.Right == FBounds.Right &&
      bounds.Bottom == FBounds.Bottom)
    return;
  const bool resized =
      bounds.Right - bounds.Left != GetWidth() || bounds.Bottom - bounds.Top != GetHeight();
  FBounds = bounds;
  if (FWidget) FWidget->setGeometry(ALeft, ATop, GetWidth(), GetHeight());
  if (resized) {
    FNeedsPaint = true;
    Resize();
  }
}

void TCustomControl::HostResized(int AWidth, int AHeight) {
  if (AWidth == GetWidth() && AHeight == GetHeight()) return;
  FBounds.Right = FBounds.Left + AWidth;
  FBounds.Bottom = FBounds.Top + AHeight;
  FNeedsPaint = true;
  Resize();
}

void TCustomControl::SetVisible(bool Value) {
  FVisible = Value;
  if (FWidget && (FWidget->parentWidget() != nullptr || !Value)) FWidget->setVisible(Value);
}

void TCustomControl::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Invalidate();
}

void TCustomControl::SetCursor(TCursor Value) {
  FCursor = Value;
  if (!FWidget) return;
  if (Value == crDefault)
    FWidget->unsetCursor();
  else
    FWidget->setCursor(CursorToQCursor(Value));
}

void TCustomControl::EnsureBufferSize() {
  if (FBuffer.GetWidth() == GetWidth() && FBuffer.GetHeight() == GetHeight()) return;
  FBuffer.SetSize(GetWidth(), GetHeight());
  FNeedsPaint = true;
}

TCanvas& TCustomControl::GetCanvas() {
  EnsureBufferSize();
  if (!FPainting && FWidget) FWidget->update();
  return FBuffer.GetCanvas();
}

void TCustomControl::Invalidate() {
  FNeedsPaint = true;
  if (FWidget) FWidget->update();
}

void TCustomControl::Repaint() {
  FNeedsPaint = true;
  if (FWidget) FWidget->repaint();
}

void TCustomControl::Update() {
  if (FWidget) FWidget->repaint();
}

void TCustomControl::PaintHost(QWidget& Host) {
  EnsureBufferSize();
  if (FNeedsPaint) {
    FNeedsPaint = false;
    FPainting = true;
    struct Reset {
      bool& Flag;
      ~Reset() { Flag = false; }
    } reset{FPainting};
    Paint();
  }
  QPainter painter(&Host);
  if (!FBuffer.GetEmpty()) painter.drawImage(0, 0, FBuffer.Image());
}

TPoint TCustomControl::GetMousePos() const {
  if (!FWidget) return TPoint{0, 0};
  const QPoint p = FWidget->mapFromGlobal(QCursor::pos());
  return TPoint{p.x(), p.y()};
}

void TCustomControl::Paint() {
  TCanvas& canvas = GetCanvas();
  canvas.GetBrush().SetColor(FColor);
  canvas.GetBrush().SetStyle(bsSolid);
  canvas.FillRect(GetClientRect());
}

void TCustomControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TCustomControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TCustomControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TCustomControl::Click() {
  if (OnClick) OnClick(this);
}

void TCustomControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TCustomControl::MouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos) {
  constexpr int Notch = 120;
  FWheelDelta += WheelDelta;
  while (FWheelDelta >= Notch) {
    FWheelDelta -= Notch;
    DoMouseWheelUp(Shift, MousePos);
  }
  while (FWheelDelta <= -Notch) {
    FWheelDelta += Notch;
    DoMouseWheelDown(Shift, MousePos);
  }
}

void TCustomControl::KeyDown(int&, TShiftState) {}

void TCustomControl::KeyUp(int&, TShiftState) {}

void TCustomControl::Resize() {
  if (OnResize) OnResize(this);
}

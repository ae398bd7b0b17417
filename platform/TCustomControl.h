#pragma once

#include "platform/Cursors.h"
#include "platform/TBitmap.h"
#include "platform/TColor.h"
#include "platform/TComponent.h"
#include "platform/TPersistent.h"
#include "platform/TRect.h"

#include <QPointer>
#include <QString>

#include <functional>

class QWidget;
class TCanvas;
class TControlHost;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Horizontal alignment of a text in its box.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };

// The keys and mouse buttons held during a mouse or key event (a set of
// TShiftStateFlag); regular and constexpr.
class TShiftState {
 public:
  constexpr TShiftState() = default;
  constexpr TShiftState(std::initializer_list<TShiftStateFlag> Flags) {
    for (TShiftStateFlag f : Flags) FMask |= Bit(f);
  }
  constexpr bool Contains(TShiftStateFlag F) const { return (FMask & Bit(F)) != 0; }
  constexpr bool Empty() const { return FMask == 0; }
  constexpr TShiftState& Include(TShiftStateFlag F) {
    FMask |= Bit(F);
    return *this;
  }
  constexpr TShiftState& Exclude(TShiftStateFlag F) {
    FMask &= ~Bit(F);
    return *this;
  }
  friend constexpr bool operator==(const TShiftState&, const TShiftState&) = default;

 private:
  static constexpr unsigned Bit(TShiftStateFlag F) { return 1u << static_cast<unsigned>(F); }
  unsigned FMask = 0;
};

// Base of our custom-painted controls: a component with a Qt host widget.
//
// Ownership rule: the control creates its host widget and deletes it when
// the control is destroyed; it holds the widget through a QPointer, so a Qt
// parent that was destroyed first (and took the widget with it) leaves the
// control with no widget instead of a dangling pointer. The Qt parent is
// for display only; the component owner frees the control.
//
// Painting: Paint draws into the control's off-screen buffer (a TBitmap of
// the client size, reached through GetCanvas), which the host widget copies
// to the screen. Qt paints widgets only inside paint events, so drawing on
// GetCanvas at any other time also goes to the buffer and schedules a copy
// to the screen; it does not call Paint, so such drawing (an inverting
// rubber band) stays until the next Invalidate. Invalidate makes the next
// paint event call Paint; Repaint and Refresh do that at once.
//
// Mouse events reach the virtual handlers in the framework's order; a
// double click gives MouseDown, MouseUp, DblClick, MouseDown with ssDouble,
// MouseUp. The wheel reaches MouseWheel, which turns every full notch into
// one DoMouseWheelDown or DoMouseWheelUp. Every handler call from Qt runs
// through RunGuarded, so a failing handler is reported and the control
// goes on taking events.
//
// A control is also persistent: its published properties (bounds, colour,
// visibility, and those derived classes add) are what streams and editors
// read and write by name.
class TCustomControl : public TComponent, public TPersistent {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;

  QString ClassName() const override { return QStringLiteral("TCustomControl"); }
  const TPropertyList& Properties() const override;

  // The host widget; nullptr once a Qt parent has destroyed it.
  QWidget* GetWidget() const;
  QWidget* GetParentWidget() const;
  void SetParentWidget(QWidget* Value);
  bool HasParent() const override { return GetParentWidget() != nullptr; }

  int GetLeft() const { return FBounds.Left; }
  void SetLeft(int Value) { SetBounds(Value, GetTop(), GetWidth(), GetHeight()); }
  int GetTop() const { return FBounds.Top; }
  void SetTop(int Value) { SetBounds(GetLeft(), Value, GetWidth(), GetHeight()); }
  int GetWidth() const { return FBounds.Right - FBounds.Left; }
  int GetHeight() const { return FBounds.Bottom - FBounds.Top; }
  void SetWidth(int Value) { SetBounds(GetLeft(), GetTop(), Value, GetHeight()); }
  void SetHeight(int Value) { SetBounds(GetLeft(), GetTop(), GetWidth(), Value); }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect GetBoundsRect() const { return FBounds; }
  // (0, 0, Width, Height).
  TRect GetClientRect() const { return TRect{0, 0, GetWidth(), GetHeight()}; }

  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  // Background colour; the default Paint fills the client area with it.
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  // The control's hint text and whether it may be shown; the application's
  // hint functions (TApplicationHints) show it.
  const QString& GetHint() const { return FHint; }
  void SetHint(const QString& Value) { FHint = Value; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value) { FShowHint = Value; }

  // The off-screen buffer's canvas (see the painting rule above).
  TCanvas& GetCanvas();
  // The off-screen buffer itself (for tests and for copying the picture).
  const TBitmap& GetBuffer() const { return FBuffer; }

  // Virtual: a control whose picture has caches of its own (the chart
  // panel's surface) must hear of every invalidation, also of those that
  // reach it through the base, such as a colour change or a 3D option.
  virtual void Invalidate();
  void Repaint();
  void Refresh() { Repaint(); }
  // Copies the buffer to the screen now (Paint first when invalidated).
  void Update();

  // Mouse position in client coordinates.
  TPoint GetMousePos() const;
  // True while Paint runs from a paint event.
  bool GetPainting() const { return FPainting; }

  std::function<void(TCustomControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>
      OnMouseDown;
  std::function<void(TCustomControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>
      OnMouseUp;
  std::function<void(TCustomControl* Sender, TShiftState Shift, int X, int Y)> OnMouseMove;
  std::function<void(TCustomControl* Sender)> OnClick;
  std::function<void(TCustomControl* Sender)> OnDblClick;
  std::function<void(TCustomControl* Sender)> OnResize;
  // After MouseLeave, when the pointer left the control.
  std::function<void(TCustomControl* Sender)> OnMouseLeave;

 protected:
  // Draws the whole client area on GetCanvas().
  virtual void Paint();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void Click();
  virtual void DblClick();
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  // WheelDelta in eighths of a degree (one notch is 120); positive when
  // the wheel turns away from the user (up). Fractions of a notch, as a
  // touchpad sends them, add up until they make a notch.
  virtual void MouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos);
  virtual void DoMouseWheelDown(TShiftState, const TPoint&) {}
  virtual void DoMouseWheelUp(TShiftState, const TPoint&) {}
  // Key is a Qt::Key value.
  virtual void KeyDown(int& Key, TShiftState Shift);
  virtual void KeyUp(int& Key, TShiftState Shift);
  virtual void Resize();

 private:
  friend class TControlHost;
  void EnsureBufferSize();
  void PaintHost(QWidget& Host);
  void HostResized(int AWidth, int AHeight);

  TRect FBounds{0, 0, 100, 100};
  bool FVisible = true;
  TColor FColor = clWhite;
  TCursor FCursor = crDefault;
  QString FHint;
  bool FShowHint = false;
  QPointer<TControlHost> FWidget;
  // caches: the buffer and whether Paint must run before the next copy
  // (set by Invalidate and by a size change, cleared by Paint).
  TBitmap FBuffer;
  bool FNeedsPaint = true;
  bool FPainting = false;
  bool FPressed = false;  // a left press inside, for Click
  int FWheelDelta = 0;    // wheel turn not yet a whole notch
};

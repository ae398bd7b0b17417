#include "chart/core/TComboFlat.h"

#include "platform/QtGuard.h"
#include "platform/TCanvas.h"
#include "platform/TColor.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyle>

#include <algorithm>

TComboFlat::TComboFlat(QWidget* Parent) : QComboBox(Parent) {
  resize(width(), 21);
}

int TComboFlat::GetDropDownWidth() const {
  return std::max(width(), view()->minimumWidth());
}

void TComboFlat::SetDropDownWidth(int Value) {
  view()->setMinimumWidth(Value);
}

bool TComboFlat::LooksFlat() const {
  return !FMouseInside && !hasFocus();
}

void TComboFlat::MouseEnter() {
  FMouseInside = true;
  update();
}

void TComboFlat::MouseLeave() {
  FMouseInside = false;
  update();
}

void TComboFlat::FocusChanged() {
  FMouseInside = false;
  update();
}

void TComboFlat::paintEvent(QPaintEvent* Event) {
  QComboBox::paintEvent(Event);
  if (!LooksFlat()) return;
  RunGuarded([this] {
    QPainter Painter(this);
    TCanvas Canvas(Painter, logicalDpiY());
    DrawFlatFrame(Canvas);
  });
}

// The arrow area is as wide as a scroll bar, the width the styles give the
// drop-down button.
void TComboFlat::DrawFlatFrame(TCanvas& Canvas) const {
  const TRect R(0, 0, width(), height());
  Canvas.GetBrush().SetStyle(bsClear);
  Canvas.GetPen().SetColor(clBtnFace);
  Canvas.Rectangle(R);
  Canvas.Rectangle(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  const int ButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  Canvas.GetPen().SetColor(clWindow);
  Canvas.Rectangle(R.Right - ButtonWidth - 2, R.Top + 1, R.Right, R.Bottom - 1);
  Canvas.MoveTo(R.Right - 2, R.Top + 1);
  Canvas.LineTo(R.Right - 2, R.Bottom - 1);
}

void TComboFlat::enterEvent(QEnterEvent* Event) {
  QComboBox::enterEvent(Event);
  RunGuarded([this] { MouseEnter(); });
}

void TComboFlat::leaveEvent(QEvent* Event) {
  QComboBox::leaveEvent(Event);
  RunGuarded([this] { MouseLeave(); });
}

void TComboFlat::focusInEvent(QFocusEvent* Event) {
  QComboBox::focusInEvent(Event);
  RunGuarded([this] { FocusChanged(); });
}

void TComboFlat::focusOutEvent(QFocusEvent* Event) {
  QComboBox::focusOutEvent(Event);
  RunGuarded([this] { FocusChanged(); });
}

#include "app/KorvaleTabBar.h"

#include "platform/QtGuard.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTabWidget>
#include <QToolTip>

#include <algorithm>
#include <utility>

TKorvaleTabBar::TKorvaleTabBar(TDrawTab DrawTab, QWidget* Parent)
    : QTabBar(Parent), FDrawTab(std::move(DrawTab)) {
  setDrawBase(false);
  // Rows replace scrolling, and a tab is always as wide as its caption.
  setUsesScrollButtons(false);
  setElideMode(Qt::ElideNone);
  setExpanding(false);
}

QRect TKorvaleTabBar::RowTabRect(int Index) const {
  if (Index < 0 || Index >= count()) return {};
  return LayOutRows(WrapWidth())[static_cast<size_t>(Index)];
}

int TKorvaleTabBar::RowTabAt(const QPoint& Point) const {
  const std::vector<QRect> rects = LayOutRows(WrapWidth());
  const auto hit =
      std::find_if(rects.begin(), rects.end(), [&](const QRect& r) { return r.contains(Point); });
  return hit == rects.end() ? -1 : static_cast<int>(hit - rects.begin());
}

int TKorvaleTabBar::RowCount() const {
  const std::vector<QRect> rects = LayOutRows(WrapWidth());
  return rects.empty() ? 0 : rects.back().top() / RowHeight() + 1;
}

QSize TKorvaleTabBar::sizeHint() const {
  QSize size(0, 0);
  for (const QRect& rect : LayOutRows(WrapWidth())) {
    size.setWidth(std::max(size.width(), rect.right() + 1));
    size.setHeight(std::max(size.height(), rect.bottom() + 1));
  }
  return size;
}

QSize TKorvaleTabBar::minimumSizeHint() const {
  // Narrower than the widest tab the rows cannot go; the height is what the
  // rows need at the present width.
  int widest = 0;
  for (int i = 0; i < count(); ++i) widest = std::max(widest, tabSizeHint(i).width());
  return {widest, sizeHint().height()};
}

bool TKorvaleTabBar::event(QEvent* Event) {
  // QTabBar finds the tab under a tool tip by its own single-row geometry.
  if (Event->type() != QEvent::ToolTip) return QTabBar::event(Event);
  RunGuarded([&] {
    const auto& help = static_cast<const QHelpEvent&>(*Event);
    const int index = RowTabAt(help.pos());
    const QString tip = index >= 0 ? tabToolTip(index) : QString();
    if (tip.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help.globalPos(), tip, this, RowTabRect(index));
  });
  return true;
}

void TKorvaleTabBar::paintEvent(QPaintEvent*) {
  RunGuarded([this] {
    QPainter painter(this);
    const std::vector<QRect> rects = LayOutRows(WrapWidth());
    for (int i = 0; i < count(); ++i) FDrawTab(painter, i, rects[static_cast<size_t>(i)]);
  });
}

void TKorvaleTabBar::mousePressEvent(QMouseEvent* Event) {
  // QTabBar's own picking knows only its single scrolled row.
  if (Event->button() != Qt::LeftButton) {
    Event->ignore();
    return;
  }
  RunGuarded([&] {
    const int index = RowTabAt(Event->position().toPoint());
    if (index >= 0 && isTabEnabled(index)) setCurrentIndex(index);
  });
  Event->accept();
}

void TKorvaleTabBar::mouseReleaseEvent(QMouseEvent* Event) {
  // The press has chosen the tab already; QTabBar would pick again by its
  // own single-row geometry.
  if (Event->button() == Qt::LeftButton)
    Event->accept();
  else
    Event->ignore();
}

void TKorvaleTabBar::tabInserted(int) {
  Relayout();
}

void TKorvaleTabBar::tabRemoved(int) {
  Relayout();
}

void TKorvaleTabBar::tabLayoutChange() {
  Relayout();
}

int TKorvaleTabBar::WrapWidth() const {
  if (const auto* pages = qobject_cast<const QTabWidget*>(parentWidget())) return pages->width();
  return width();
}

int TKorvaleTabBar::RowHeight() const {
  int height = 0;
  for (int i = 0; i < count(); ++i) height = std::max(height, tabSizeHint(i).height());
  return height;
}

std::vector<QRect> TKorvaleTabBar::LayOutRows(int Width) const {
  std::vector<QRect> rects;
  rects.reserve(static_cast<size_t>(count()));
  const int height = RowHeight();
  int x = 0;
  int row = 0;
  for (int i = 0; i < count(); ++i) {
    const int tabWidth = tabSizeHint(i).width();
    // A tab that does not fit starts the next row, unless it is the row's
    // first (a tab wider than the bar keeps a row to itself).
    if (x > 0 && x + tabWidth > Width) {
      ++row;
      x = 0;
    }
    rects.emplace_back(x, row * height, tabWidth, height);
    x += tabWidth;
  }
  return rects;
}

void TKorvaleTabBar::Relayout() {
  updateGeometry();  // the tab widget lays the bar out again from sizeHint
  update();
}

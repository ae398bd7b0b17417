#include "platform/TElidedLabel.h"

#include "platform/QtGuard.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

TElidedLabel::TElidedLabel(QWidget* Parent) : TElidedLabel(QString(), Parent) {}

TElidedLabel::TElidedLabel(const QString& Text, QWidget* Parent) : QLabel(Text, Parent) {
  setWordWrap(false);
  setTextFormat(Qt::PlainText);
}

void TElidedLabel::SetKeepLastWord(bool Value) {
  FKeepLastWord = Value;
  updateGeometry();
  update();
}

QString TElidedLabel::ShownText(int Width) const {
  const QFontMetrics metrics = fontMetrics();
  const QString whole = text();
  if (metrics.horizontalAdvance(whole) <= Width) return whole;
  const qsizetype blank = FKeepLastWord ? whole.lastIndexOf(u' ') : -1;
  if (blank < 0) return metrics.elidedText(whole, Qt::ElideRight, Width);
  const QString kept = whole.mid(blank);
  const int room = Width - metrics.horizontalAdvance(kept);
  // With no room left the kept word still shows: it is cut, never the
  // shortened part before it.
  return (room > 0 ? metrics.elidedText(whole.left(blank), Qt::ElideRight, room) : QString()) +
         kept;
}

QString TElidedLabel::ShownText() const {
  return ShownText(TextWidth());
}

bool TElidedLabel::IsElided() const {
  return ShownText() != text();
}

int TElidedLabel::TextWidth() const {
  return contentsRect().width() - 2 * margin() - std::max(indent(), 0);
}

QSize TElidedLabel::minimumSizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  int width = metrics.horizontalAdvance(QStringLiteral("M\u2026"));
  if (FKeepLastWord) {
    const qsizetype blank = text().lastIndexOf(u' ');
    if (blank >= 0) width += metrics.horizontalAdvance(text().mid(blank));
  }
  const QMargins frame = contentsMargins();
  return QSize(width + frame.left() + frame.right() + 2 * margin() + std::max(indent(), 0),
               QLabel::minimumSizeHint().height());
}

bool TElidedLabel::event(QEvent* Event) {
  if (Event->type() == QEvent::ToolTip && ShowShortenedTextTip(*this, *Event, IsElided(), text()))
    return true;
  return QLabel::event(Event);
}

bool ShowShortenedTextTip(QWidget& Widget, QEvent& Event, bool Shortened, const QString& Whole) {
  if (Event.type() != QEvent::ToolTip || !Widget.toolTip().isEmpty()) return false;
  if (Shortened)
    QToolTip::showText(static_cast<QHelpEvent&>(Event).globalPos(), Whole, &Widget, Widget.rect());
  else
    QToolTip::hideText();
  return true;
}

void TElidedLabel::paintEvent(QPaintEvent*) {
  RunGuarded([this] {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, static_cast<int>(alignment()) | Qt::TextSingleLine,
                          palette(), isEnabled(), ShownText(), foregroundRole());
  });
}

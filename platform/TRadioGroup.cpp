#include "platform/TRadioGroup.h"

#include "platform/QtGuard.h"
#include "platform/TElidedLabel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

TRadioGroup::TRadioGroup(const QString& Caption, QWidget* Parent) : QGroupBox(Caption, Parent) {
  FLayout = new QGridLayout(this);
  FButtons = new QButtonGroup(this);
  FButtons->setExclusive(true);
  connect(FButtons, &QButtonGroup::idClicked, this,
          [this](int Id) { RunGuarded([&] { Choose(Id); }); });
}

void TRadioGroup::SetItems(const QStringList& Items) {
  FItems = Items;
  FItemIndex = -1;
  Rebuild();
}

void TRadioGroup::AddItem(const QString& Text) {
  FItems.append(Text);
  Rebuild();
}

QString TRadioGroup::Item(int Index) const {
  return Index >= 0 && Index < Count() ? FItems[Index] : QString();
}

void TRadioGroup::SetItemIndex(int Index) {
  FItemIndex = Index >= 0 && Index < Count() ? Index : -1;
  // An exclusive group cannot show "none chosen" unless exclusivity is off
  // while the check is cleared.
  FButtons->setExclusive(false);
  for (QAbstractButton* b : FButtons->buttons()) b->setChecked(FButtons->id(b) == FItemIndex);
  FButtons->setExclusive(true);
}

void TRadioGroup::SetColumns(int Value) {
  FColumns = Value > 0 ? Value : 1;
  Rebuild();
}

void TRadioGroup::Choose(int Index) {
  SetItemIndex(Index);
  if (OnClick) OnClick(this);
}

void TRadioGroup::Rebuild() {
  for (QAbstractButton* b : FButtons->buttons()) {
    FButtons->removeButton(b);
    delete b;
  }
  const int rows = (Count() + FColumns - 1) / FColumns;
  for (int i = 0; i < Count(); ++i) {
    auto* b = new QRadioButton(FItems[i], this);
    FButtons->addButton(b, i);
    FLayout->addWidget(b, rows > 0 ? i % rows : 0, rows > 0 ? i / rows : 0);
  }
  SetItemIndex(FItemIndex);
}

QString TRadioGroup::ShownTitle() const {
  QStyleOptionGroupBox option;
  initStyleOption(&option);
  const QRect label =
      style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
  // The caption keeps the same indent on its right as on its left.
  const int room = width() - 2 * std::max(label.left(), 0);
  // Measured as drawn: without the marks of an Alt+letter ("&&" is one "&").
  return fontMetrics().elidedText(title(), Qt::ElideRight, std::max(room, 0), Qt::TextShowMnemonic);
}

QSize TRadioGroup::minimumSizeHint() const {
  // The buttons' room, and a caption of one letter and the ellipsis.
  QStyleOptionGroupBox option;
  initStyleOption(&option);
  const QFontMetrics metrics = fontMetrics();
  const QSize caption = style()->sizeFromContents(
      QStyle::CT_GroupBox, &option,
      QSize(metrics.horizontalAdvance(QStringLiteral("M\u2026")), metrics.height()), this);
  const QSize buttons = QWidget::minimumSizeHint();
  return QSize(std::max(caption.width(), buttons.width()),
               std::max(QGroupBox::minimumSizeHint().height(), buttons.height()));
}

QString TRadioGroup::ReadTitle() const {
  QString text = title();
  for (int i = 0; i < text.size(); ++i)
    if (text[i] == u'&') text.remove(i, 1);  // the next character stays, "&&" leaves one "&"
  return text;
}

bool TRadioGroup::event(QEvent* Event) {
  if (Event->type() == QEvent::ToolTip &&
      ShowShortenedTextTip(*this, *Event, ShownTitle() != title(), ReadTitle()))
    return true;
  return QGroupBox::event(Event);
}

void TRadioGroup::paintEvent(QPaintEvent*) {
  RunGuarded([this] {
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    option.text = ShownTitle();
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
  });
}

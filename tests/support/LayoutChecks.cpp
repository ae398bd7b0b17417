#include "tests/support/LayoutChecks.h"

#include "platform/TUpDown.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

// Widgets that hold other controls, or are parts of a control: what lies
// inside them is compared among itself.
bool IsContainer(const QWidget& W) {
  if (qobject_cast<const QGroupBox*>(&W) != nullptr) return true;
  if (qobject_cast<const QTabWidget*>(&W) != nullptr) return true;
  // A scroll area holds a page, unless it is itself a list or a text.
  return qobject_cast<const QAbstractScrollArea*>(&W) != nullptr &&
         qobject_cast<const QAbstractItemView*>(&W) == nullptr &&
         qobject_cast<const QPlainTextEdit*>(&W) == nullptr &&
         qobject_cast<const QTextEdit*>(&W) == nullptr;
}

bool IsControl(const QWidget& W) {
  if (IsContainer(W)) return false;
  return qobject_cast<const QLabel*>(&W) != nullptr ||
         qobject_cast<const QAbstractButton*>(&W) != nullptr ||
         qobject_cast<const QLineEdit*>(&W) != nullptr ||
         qobject_cast<const QComboBox*>(&W) != nullptr ||
         qobject_cast<const QAbstractSlider*>(&W) != nullptr ||
         qobject_cast<const QAbstractSpinBox*>(&W) != nullptr ||
         qobject_cast<const QAbstractItemView*>(&W) != nullptr ||
         qobject_cast<const QPlainTextEdit*>(&W) != nullptr ||
         qobject_cast<const QTextEdit*>(&W) != nullptr ||
         dynamic_cast<const TUpDown*>(&W) != nullptr;
}

QString NameOf(const QWidget& W) {
  return W.objectName().isEmpty() ? QString::fromLatin1(W.metaObject()->className())
                                  : W.objectName();
}

// The widgets under Root that a user sees: shown, and inside a shown
// parent chain up to Root; a combo box's or spin box's own parts stay out.
void Collect(const QWidget& Parent, std::vector<const QWidget*>& Found) {
  for (const QObject* Child : Parent.children()) {
    const auto* W = qobject_cast<const QWidget*>(Child);
    if (W == nullptr || W->isWindow() || !W->isVisibleTo(&Parent) || W->isHidden()) continue;
    if (IsControl(*W)) Found.push_back(W);
    const bool HasParts = qobject_cast<const QTabBar*>(W) != nullptr ||
                          qobject_cast<const QComboBox*>(W) != nullptr ||
                          qobject_cast<const QAbstractSpinBox*>(W) != nullptr ||
                          qobject_cast<const QAbstractItemView*>(W) != nullptr ||
                          dynamic_cast<const TUpDown*>(W) != nullptr;
    if (!HasParts) Collect(*W, Found);
  }
}

std::vector<const QWidget*> Controls(const QWidget& Root) {
  std::vector<const QWidget*> Found;
  Collect(Root, Found);
  return Found;
}

QString PlainCaption(QString Text) {
  Text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  Text.remove(u'&');
  Text.replace(u'\x01', u'&');
  return Text;
}

// The width a button-like control needs for its text beside its
// indicator.
int NeededWidth(const QWidget& W) {
  if (const auto* Label = qobject_cast<const QLabel*>(&W)) {
    if (Label->wordWrap() || Label->text().isEmpty() || !Label->pixmap().isNull()) return 0;
    return Label->fontMetrics().horizontalAdvance(PlainCaption(Label->text())) +
           2 * Label->margin() + 2 * Label->frameWidth();
  }
  if (const auto* Button = qobject_cast<const QAbstractButton*>(&W)) {
    if (Button->text().isEmpty()) return 0;
    if (qobject_cast<const QCheckBox*>(Button) != nullptr ||
        qobject_cast<const QRadioButton*>(Button) != nullptr)
      return Button->sizeHint().width();
    // A push button's hint has a least width of the style's; its text
    // needs only its own width inside the button's frame and a pixel or two.
    if (qobject_cast<const QPushButton*>(Button) != nullptr)
      return Button->fontMetrics().horizontalAdvance(PlainCaption(Button->text())) +
             2 * Button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, Button) + 4 +
             (Button->icon().isNull() ? 0 : Button->iconSize().width() + 4);
  }
  return 0;
}

}  // namespace

QStringList OverlappingControls(const QWidget& Root) {
  const std::vector<const QWidget*> All = Controls(Root);
  QStringList Pairs;
  for (size_t I = 0; I < All.size(); ++I)
    for (size_t J = I + 1; J < All.size(); ++J) {
      const QWidget& A = *All[I];
      const QWidget& B = *All[J];
      if (A.parentWidget() != B.parentWidget()) continue;
      if (A.geometry().intersects(B.geometry())) Pairs << NameOf(A) + u'/' + NameOf(B);
    }
  return Pairs;
}

QStringList CutCaptions(const QWidget& Root) {
  QStringList Cut;
  for (const QWidget* W : Controls(Root)) {
    const int Needed = NeededWidth(*W);
    if (Needed > W->width())
      Cut << NameOf(*W) + QStringLiteral(" (%1 > %2)").arg(Needed).arg(W->width());
  }
  return Cut;
}

QStringList ControlsOutside(const QWidget& Root) {
  QStringList Outside;
  for (const QWidget* W : Controls(Root)) {
    const QRect Placed(W->mapTo(&Root, QPoint(0, 0)), W->size());
    if (!Root.rect().contains(Placed)) Outside << NameOf(*W);
  }
  return Outside;
}

int EmptyBandAbovePercent(const QWidget& Root) {
  int Top = Root.height();
  for (const QWidget* W : Controls(Root)) Top = std::min(Top, W->mapTo(&Root, QPoint(0, 0)).y());
  return Root.height() > 0 ? std::max(0, Top) * 100 / Root.height() : 0;
}

QMap<QString, QStringList> ShownMnemonics(const QWidget& Root) {
  QMap<QString, QStringList> Keys;
  const auto Take = [&](const QString& Caption) {
    const QKeySequence Key = QKeySequence::mnemonic(Caption);
    if (!Key.isEmpty()) Keys[Key.toString(QKeySequence::PortableText)].append(Caption);
  };
  for (const QWidget* W : Root.findChildren<const QWidget*>()) {
    if (W->isWindow() || !W->isVisibleTo(&Root)) continue;
    if (const auto* Bar = qobject_cast<const QMenuBar*>(W)) {
      for (const QAction* Title : Bar->actions())
        if (Title->isVisible()) Take(Title->text());
    } else if (const auto* Tabs = qobject_cast<const QTabBar*>(W)) {
      for (int I = 0; I < Tabs->count(); ++I)
        if (Tabs->isTabVisible(I)) Take(Tabs->tabText(I));
    } else if (const auto* Button = qobject_cast<const QAbstractButton*>(W)) {
      Take(Button->text());
    } else if (const auto* Group = qobject_cast<const QGroupBox*>(W)) {
      Take(Group->title());
    } else if (const auto* Label = qobject_cast<const QLabel*>(W)) {
      if (Label->buddy() != nullptr) Take(Label->text());
    }
  }
  return Keys;
}

QStringList RepeatedMnemonics(const QWidget& Root) {
  QStringList Repeated;
  const QMap<QString, QStringList> Keys = ShownMnemonics(Root);
  for (auto It = Keys.begin(); It != Keys.end(); ++It)
    if (It.value().size() > 1) Repeated << It.key() + QStringLiteral(": ") + It.value().join(u", ");
  return Repeated;
}

QString SaveLook(QWidget& Root, const QString& Name) {
  const QString Folder = QStringLiteral(KORVALE_TEST_OUTPUT_DIR) + QStringLiteral("/looks");
  QDir().mkpath(Folder);
  const QString File = Folder + u'/' + Name + QStringLiteral(".png");
  Root.grab().save(File);
  return File;
}

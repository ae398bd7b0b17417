#include "app/KorvaleTabBar.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTabWidget>
#include <QToolTip>

#include <memory>

namespace {

// Distinct, exactly representable fill colours, one per tab.
QColor TabFill(int TabIndex) {
  return QColor::fromRgb(0x10 * (TabIndex + 1), 0x80, 0xFF - 0x10 * TabIndex);
}

// A tab widget that takes the tab bar (setTabBar is protected).
class TTabHost : public QTabWidget {
 public:
  TTabHost() {
    Bar = new TKorvaleTabBar([](QPainter& Painter, int TabIndex,
                                const QRect& Rect) { Painter.fillRect(Rect, TabFill(TabIndex)); },
                             this);
    setTabBar(Bar);
  }
  TKorvaleTabBar* Bar = nullptr;
};

class KorvaleTabBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Host = std::make_unique<TTabHost>();
    for (int i = 0; i < 3; ++i) AddTab();
    Host->resize(1000, 500);
    Host->show();
    Settle();
  }
  void TearDown() override {
    QToolTip::hideText();
    Host.reset();
  }

  void AddTab() {
    const int number = Host->count() + 1;
    Host->addTab(new QWidget, QStringLiteral("run-2026-03 #%1 ").arg(number));
  }
  void SetWidth(int Width) {
    Host->resize(Width, 500);
    Settle();
  }
  static void Settle() { QApplication::processEvents(); }
  void Click(const QPoint& At) {
    QMouseEvent press(QEvent::MouseButtonPress, At, Host->Bar->mapToGlobal(At), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Host->Bar, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, At, Host->Bar->mapToGlobal(At), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Host->Bar, &release);
  }
  // The tool tip that the pointer resting at At shows, empty for none.
  QString ToolTipAt(const QPoint& At) {
    // A tip fades out: wait until the last one is gone.
    QToolTip::hideText();
    QElapsedTimer waited;
    waited.start();
    while (QToolTip::isVisible() && waited.elapsed() < 2000) QApplication::processEvents();
    QHelpEvent help(QEvent::ToolTip, At, Host->Bar->mapToGlobal(At));
    QApplication::sendEvent(Host->Bar, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  }
  int BarHeight() const { return Host->Bar->height(); }
  int PageHeight() const { return Host->currentWidget()->height(); }
  int RowHeight() const { return Host->Bar->RowTabRect(0).height(); }

  std::unique_ptr<TTabHost> Host;
};

TEST_F(KorvaleTabBarTest, ManyTabsInANarrowWindowWrapWhollyVisibleWithoutOverlap) {
  ASSERT_EQ(Host->Bar->RowCount(), 1);
  const int oneRowBar = BarHeight();
  const int oneRowPage = PageHeight();
  for (int i = 0; i < 9; ++i) AddTab();
  SetWidth(420);
  TKorvaleTabBar& bar = *Host->Bar;
  const int rows = bar.RowCount();
  ASSERT_GE(rows, 3);
  EXPECT_EQ(bar.width(), bar.sizeHint().width());
  EXPECT_LE(bar.width(), Host->width());
  // Rows of equal height fill the bar, and the page gives up what it gained.
  EXPECT_EQ(BarHeight(), rows * RowHeight());
  EXPECT_EQ(oneRowPage - PageHeight(), BarHeight() - oneRowBar);
  for (int i = 0; i < bar.count(); ++i) {
    const QRect rect = bar.RowTabRect(i);
    // Wide enough for the whole caption: nothing elided or cut.
    EXPECT_GT(rect.width(), bar.fontMetrics().horizontalAdvance(bar.tabText(i))) << "tab " << i;
    EXPECT_EQ(rect.height(), RowHeight()) << "tab " << i;
    EXPECT_TRUE(bar.rect().contains(rect)) << "tab " << i;
    for (int j = 0; j < i; ++j)
      EXPECT_FALSE(rect.intersects(bar.RowTabRect(j))) << "tabs " << j << " and " << i;
  }
  // In tab order, left to right and row after row; a tab goes down a row
  // only when it would not fit beside the one before.
  for (int i = 1; i < bar.count(); ++i) {
    const QRect before = bar.RowTabRect(i - 1);
    const QRect rect = bar.RowTabRect(i);
    if (rect.top() == before.top()) {
      EXPECT_EQ(rect.left(), before.right() + 1) << "tab " << i;
    } else {
      EXPECT_EQ(rect.top(), before.bottom() + 1) << "tab " << i;
      EXPECT_EQ(rect.left(), 0) << "tab " << i;
      EXPECT_GT(before.right() + 1 + rect.width(), Host->width()) << "tab " << i;
    }
  }
  EXPECT_EQ(bar.RowTabRect(bar.count() - 1).top(), (rows - 1) * RowHeight());

  SetWidth(3000);  // wide again: one row, and the page has its height back
  EXPECT_EQ(bar.RowCount(), 1);
  EXPECT_EQ(BarHeight(), oneRowBar);
  EXPECT_EQ(PageHeight(), oneRowPage);
}

TEST_F(KorvaleTabBarTest, AClickOnATabOfTheSecondRowSelectsIt) {
  for (int i = 0; i < 9; ++i) AddTab();
  SetWidth(420);
  TKorvaleTabBar& bar = *Host->Bar;
  int tab = 0;
  while (tab < bar.count() && bar.RowTabRect(tab).top() == 0) ++tab;
  ASSERT_LT(tab, bar.count());
  ASSERT_EQ(bar.RowTabRect(tab).top(), RowHeight());
  Click(bar.RowTabRect(tab).center());
  EXPECT_EQ(Host->currentIndex(), tab);
  EXPECT_EQ(bar.RowTabAt(bar.RowTabRect(tab).center()), tab);
  // Beyond the last tab of the last row there is no tab to choose.
  const QRect last = bar.RowTabRect(bar.count() - 1);
  EXPECT_EQ(bar.RowTabAt(QPoint(last.right() + 1, last.center().y())), -1);
}

TEST_F(KorvaleTabBarTest, AToolTipIsThatOfTheTabUnderThePointerOnEveryRow) {
  for (int i = 0; i < 9; ++i) AddTab();
  SetWidth(420);
  TKorvaleTabBar& bar = *Host->Bar;
  ASSERT_GE(bar.RowCount(), 3);
  for (int i = 0; i < bar.count(); ++i)
    if (i != 4) bar.setTabToolTip(i, QStringLiteral("/data/run %1/0*.RA1").arg(i));
  for (int i = 0; i < bar.count(); ++i)
    EXPECT_EQ(ToolTipAt(bar.RowTabRect(i).center()), bar.tabToolTip(i)) << "tab " << i;
  // Beyond the last tab of the last row there is no tab, and no tip.
  const QRect last = bar.RowTabRect(bar.count() - 1);
  EXPECT_EQ(ToolTipAt(QPoint(last.right() + 4, last.center().y())), QString());
}

TEST_F(KorvaleTabBarTest, EveryTabIsPaintedByTheDrawFunctionInItsRowRectangle) {
  for (int i = 0; i < 9; ++i) AddTab();
  SetWidth(420);
  const TKorvaleTabBar& bar = *Host->Bar;
  const QImage image = Host->Bar->grab().toImage();
  for (int i = 0; i < bar.count(); ++i) {
    const QRect rect = bar.RowTabRect(i);
    for (const QPoint at : {rect.topLeft(), rect.center(), rect.bottomRight()})
      EXPECT_EQ(image.pixelColor(at).rgb(), TabFill(i).rgb()) << "tab " << i;
  }
}

TEST_F(KorvaleTabBarTest, RemovingTabsRemovesRows) {
  for (int i = 0; i < 9; ++i) AddTab();
  SetWidth(420);
  const int rows = Host->Bar->RowCount();
  const int manyRowsPage = PageHeight();
  ASSERT_GE(rows, 3);
  while (Host->count() > 2) Host->removeTab(Host->count() - 1);
  Settle();
  EXPECT_EQ(Host->Bar->RowCount(), 1);
  EXPECT_EQ(BarHeight(), RowHeight());
  EXPECT_EQ(PageHeight() - manyRowsPage, (rows - 1) * RowHeight());
}

}  // namespace

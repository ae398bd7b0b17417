#include "platform/TElidedLabel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

#include "platform/TRadioGroup.h"

namespace {

const QString LongStatus = QStringLiteral(
    "None of the files of this channel could be read as a scan; "
    "Korvale keeps looking for readable scans.");

// A window of a fixed width holding Label (and a button-sized neighbour),
// shown so that the layout gives it its width.
class TElidedLabelTest : public ::testing::Test {
 protected:
  void Place(QWidget& Label, int WindowWidth) {
    auto* layout = new QHBoxLayout(&Window);
    layout->addWidget(&Label, 1);
    Window.resize(WindowWidth, 60);
    Window.show();
    QApplication::processEvents();
  }
  // The tool tip a user sees when resting the mouse on Target.
  static QString ToolTipOf(QWidget& Target) {
    // A tip fades out: wait until the last one is gone.
    QToolTip::hideText();
    QElapsedTimer waited;
    waited.start();
    while (QToolTip::isVisible() && waited.elapsed() < 2000) QApplication::processEvents();
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), Target.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&Target, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  }
  void TearDown() override { QToolTip::hideText(); }

  QWidget Window;
};

TEST_F(TElidedLabelTest, ALongTextNeverWidensTheWindowAndIsWholeInTheToolTip) {
  QLabel plain(LongStatus);
  const int plainWidth = plain.minimumSizeHint().width();
  auto* label = new TElidedLabel(LongStatus);
  Place(*label, 300);
  EXPECT_LT(label->minimumSizeHint().width(), 60);
  EXPECT_GT(plainWidth, 400) << "a plain label would have widened the window";
  EXPECT_LE(Window.minimumSizeHint().width(), 100);
  EXPECT_TRUE(label->IsElided());
  EXPECT_TRUE(label->ShownText().endsWith(u'\u2026'));
  EXPECT_LE(label->fontMetrics().horizontalAdvance(label->ShownText()), label->width());
  EXPECT_EQ(label->text(), LongStatus);
  EXPECT_EQ(ToolTipOf(*label), LongStatus);
  // A text that fits is shown as it is, without a tool tip.
  label->setText(QStringLiteral("ok"));
  EXPECT_FALSE(label->IsElided());
  EXPECT_EQ(ToolTipOf(*label), QString());
  // A tool tip of the label's own stays its own.
  label->setText(LongStatus);
  label->setToolTip(QStringLiteral("own"));
  EXPECT_EQ(ToolTipOf(*label), QStringLiteral("own"));
}

TEST_F(TElidedLabelTest, AReadOutShortensItsCaptionButNeverItsNumber) {
  auto* label = new TElidedLabel;
  label->SetKeepLastWord(true);
  label->setText(QStringLiteral("X: s* in Svedburg Units plotted on a log scale 12.34567"));
  Place(*label, 160);
  const QString shown = label->ShownText();
  EXPECT_TRUE(shown.startsWith(QStringLiteral("X: "))) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith(QStringLiteral("\u2026 12.34567"))) << shown.toStdString();
  // Even with no room for any caption the number shows whole.
  EXPECT_EQ(label->ShownText(10), QStringLiteral(" 12.34567"));
  // The number is what the label cannot go below.
  EXPECT_GE(label->minimumSizeHint().width(),
            label->fontMetrics().horizontalAdvance(QStringLiteral(" 12.34567")));
}

TEST_F(TElidedLabelTest, AGroupCaptionIsShortenedToTheBoxAndWholeInTheToolTip) {
  const QString caption = QStringLiteral("Data types available in ") +
                          QStringLiteral("/data/users/somebody/runs/2026/march/").repeated(3);
  auto* group = new TRadioGroup(caption);
  group->SetItems({QStringLiteral("0*.RA1")});
  Place(*group, 260);
  EXPECT_LT(group->minimumSizeHint().width(), 200);
  EXPECT_EQ(group->title(), caption);
  EXPECT_TRUE(group->ShownTitle().endsWith(u'\u2026'));
  EXPECT_LT(group->fontMetrics().horizontalAdvance(group->ShownTitle()), group->width());
  EXPECT_EQ(ToolTipOf(*group), caption);
  group->setTitle(QStringLiteral("Available data"));
  EXPECT_EQ(group->ShownTitle(), QStringLiteral("Available data"));
  EXPECT_EQ(ToolTipOf(*group), QString());
  // A directory's "&" is shown, not taken for the mark of an Alt+letter,
  // and the tool tip reads as the caption does.
  group->setTitle(QStringLiteral("Data types available in /data/R&&D/") + caption);
  EXPECT_TRUE(
      group->ShownTitle().startsWith(QStringLiteral("Data types available in /data/R&&D/")));
  EXPECT_EQ(ToolTipOf(*group), QStringLiteral("Data types available in /data/R&D/") + caption);
  group->setTitle(QStringLiteral("&Style: ") + caption);
  EXPECT_EQ(ToolTipOf(*group), QStringLiteral("Style: ") + caption);
}

}  // namespace

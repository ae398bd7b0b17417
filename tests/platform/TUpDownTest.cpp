#include "platform/TUpDown.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

void Press(QWidget& Widget, int Key, const QString& Text = QString()) {
  QKeyEvent press(QEvent::KeyPress, Key, Qt::NoModifier, Text);
  QApplication::sendEvent(&Widget, &press);
  QKeyEvent release(QEvent::KeyRelease, Key, Qt::NoModifier, Text);
  QApplication::sendEvent(&Widget, &release);
}

void Type(QWidget& Widget, const QString& Text) {
  for (const QChar c : Text) Press(Widget, c.unicode(), QString(c));
}

}  // namespace

class TUpDownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UpDown.SetMin(1);
    UpDown.SetMax(500);
    UpDown.SetPosition(10);
    Edit.setText(QStringLiteral("10"));
    UpDown.SetAssociate(&Edit);
    UpDown.OnClick = [this](TUpDown*, TUDBtnType) { Clicks.push_back(UpDown.GetPosition()); };
  }

  QLineEdit Edit;
  TUpDown UpDown;
  std::vector<int> Clicks;
};

// The edit beside the arrows takes what is typed as any spin box does: the
// number confirmed with Enter becomes the position as a click would make
// it, Backspace edits, Up and Down step, and what is no digit is refused.
TEST_F(TUpDownTest, ItsEditTakesTypedDigitsBackspaceAndTheArrowKeys) {
  Press(Edit, Qt::Key_End);
  Press(Edit, Qt::Key_Backspace);
  Press(Edit, Qt::Key_Backspace);
  Type(Edit, QStringLiteral("2x5"));
  EXPECT_EQ(Edit.text(), QStringLiteral("25"));
  EXPECT_TRUE(Clicks.empty());  // not confirmed yet
  Press(Edit, Qt::Key_Return);
  EXPECT_EQ(UpDown.GetPosition(), 25);
  EXPECT_EQ(Clicks, std::vector<int>{25});
  Press(Edit, Qt::Key_Up);
  EXPECT_EQ(UpDown.GetPosition(), 26);
  EXPECT_EQ(Edit.text(), QStringLiteral("26"));
  Press(Edit, Qt::Key_Down);
  Press(Edit, Qt::Key_Down);
  EXPECT_EQ(Edit.text(), QStringLiteral("24"));
  EXPECT_EQ(Clicks, (std::vector<int>{25, 26, 25, 24}));
}

TEST_F(TUpDownTest, ATypedNumberOutsideTheRangeIsClampedAndTheArrowsStepFromIt) {
  Edit.setText(QStringLiteral("9999"));
  Press(Edit, Qt::Key_Up);  // what was typed counts first
  EXPECT_EQ(UpDown.GetPosition(), 500);
  EXPECT_EQ(Edit.text(), QStringLiteral("500"));
  Edit.setText(QString());
  Press(Edit, Qt::Key_Return);  // nothing typed: the position stays
  EXPECT_EQ(Edit.text(), QStringLiteral("500"));
  UpDown.Click(btPrev);
  EXPECT_EQ(Edit.text(), QStringLiteral("499"));
}

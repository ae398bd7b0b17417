#include "platform/TEditUpDown.h"

#include "platform/TUpDown.h"

#include <gtest/gtest.h>

namespace {

class TEditUpDownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Edit.SetMin(1);
    Edit.SetMax(10);
    Edit.SetPosition(3);
  }
  TEditUpDown Edit;
};

TEST_F(TEditUpDownTest, ArrowsStepFromTheTypedNumberAndWriteTheText) {
  EXPECT_EQ(Edit.text(), "3");
  Edit.setText(QStringLiteral("7"));
  EXPECT_EQ(Edit.GetPosition(), 7);
  int Changed = 0;
  QObject::connect(&Edit, &QLineEdit::textChanged, [&] { ++Changed; });
  Edit.GetUpDown()->Click(btNext);
  EXPECT_EQ(Edit.text(), "8");
  EXPECT_EQ(Changed, 1);
  Edit.GetUpDown()->Click(btPrev);
  Edit.GetUpDown()->Click(btPrev);
  EXPECT_EQ(Edit.text(), "6");
}

TEST_F(TEditUpDownTest, FreeTextStaysAsTypedAndLimitsHold) {
  Edit.setText(QStringLiteral("abc"));
  EXPECT_EQ(Edit.text(), "abc");  // a spin box would refuse it
  EXPECT_EQ(Edit.GetPosition(), 3);
  Edit.setText(QStringLiteral("99"));  // clamped position, text untouched
  EXPECT_EQ(Edit.GetPosition(), 10);
  EXPECT_EQ(Edit.text(), "99");
  Edit.GetUpDown()->Click(btNext);  // at the maximum: nothing moves
  EXPECT_EQ(Edit.text(), "99");
  Edit.SetPosition(-5);
  EXPECT_EQ(Edit.text(), "1");
  Edit.GetUpDown()->Click(btPrev);
  EXPECT_EQ(Edit.GetPosition(), 1);
}

TEST_F(TEditUpDownTest, UpDownSitsInsideTheRightEdge) {
  Edit.resize(60, 22);
  Edit.show();  // a hidden widget gets its resize event when shown
  const QRect R = Edit.GetUpDown()->geometry();
  EXPECT_EQ(R.right(), 60 - 2);
  EXPECT_EQ(R.width(), TEditUpDown::UpDownWidth);
  EXPECT_EQ(Edit.textMargins().right(), TEditUpDown::UpDownWidth);
}

}  // namespace

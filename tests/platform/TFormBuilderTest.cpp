#include "platform/TFormBuilder.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

TEST(TFormBuilderTest, ControlsAreNamedPlacedAndCaptionedAndFoundByName) {
  QWidget Form;
  TFormBuilder B(Form);
  auto* Ok = B.Add<QPushButton>(QStringLiteral("BOK"), QStringLiteral("OK"), 10, 20, 75, 25);
  auto* Box = B.Add<QGroupBox>(QStringLiteral("GroupBox1"), QStringLiteral("Style"), 5, 5, 200, 90);
  auto* Check = TFormBuilder::AddTo<QCheckBox>(*Box, QStringLiteral("CBVisible"),
                                               QStringLiteral("Visible"), 8, 16);
  auto* Combo = B.Add<QComboBox>(QStringLiteral("CBStyle"), QString(), 0, 0, 120);
  EXPECT_EQ(Ok->text(), QStringLiteral("OK"));
  EXPECT_EQ(Ok->geometry(), QRect(10, 20, 75, 25));
  EXPECT_EQ(Box->title(), QStringLiteral("Style"));
  EXPECT_EQ(Check->parentWidget(), Box);
  EXPECT_EQ(Check->text(), QStringLiteral("Visible"));
  EXPECT_EQ(Check->height(), Check->sizeHint().height());  // 0: the control's own size
  EXPECT_EQ(Combo->width(), 120);
  EXPECT_EQ(FindControl<QCheckBox>(Form, QStringLiteral("CBVisible")), Check);
  EXPECT_EQ(FindControl<QLabel>(Form, QStringLiteral("CBVisible")), nullptr);  // not a label
  EXPECT_EQ(FindControl<QPushButton>(Form, QStringLiteral("Missing")), nullptr);
}

}  // namespace

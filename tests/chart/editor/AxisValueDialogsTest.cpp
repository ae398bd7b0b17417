#include "chart/editor/TAxisIncrement.h"
#include "chart/editor/TAxisMaxMin.h"

#include "chart/core/KorProcs.h"

#include "platform/FormatSettings.h"
#include "platform/ModalHooks.h"
#include "platform/TDateTime.h"
#include "platform/TRadioGroup.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <initializer_list>
#include <string>

namespace {

constexpr double Hour = 1.0 / 24;

// The limit and increment dialogs under English settings; a refused entry
// must be answered by the script (a message the test did not expect fails
// it).
class AxisValueDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Saved = CurrentFormatSettings();
    SetFormatSettings(FormatSettings::English());
  }
  void TearDown() override { SetFormatSettings(Saved); }

  // Presses OK with Text typed into Edit; true when the dialog closed with
  // OK. A refusal must show the incorrect-value message.
  bool Ok(QDialog& Dialog, QLineEdit& Edit, const QString& Text) {
    Edit.setText(Text);
    Dialog.setResult(0);
    const auto Asked = Script.Asked().size();
    if (auto* M = dynamic_cast<TAxisMaxMin*>(&Dialog)) M->BOkClick();
    if (auto* I = dynamic_cast<TAxisIncrement*>(&Dialog)) I->BOkClick();
    if (Dialog.result() == mrOk) return true;
    EXPECT_EQ(Script.Asked().size(), Asked + 1);
    if (Script.Asked().size() > Asked) {
      EXPECT_TRUE(Script.Asked().back().contains("Incorrect value. Reason: "))
          << Script.Asked().back().toStdString();
    }
    return false;
  }

  ModalScript Script;
  FormatSettings Saved;
};

TEST_F(AxisValueDialogsTest, MaxMinRefusesEmptyAndNonNumericEntriesAndKeepsTheValue) {
  TAxisMaxMin D;
  D.AxisValue = 3;
  D.FormShow();
  EXPECT_EQ(D.Label1->text(), "Value:");
  EXPECT_EQ(D.EMaximum->text(), "3");
  EXPECT_TRUE(D.EMinimum->isHidden());
  for (const QString& Bad : {QString(), QStringLiteral("abc"), QStringLiteral("1e999")}) {
    Script.AnswerMessage(mrOk);
    EXPECT_FALSE(Ok(D, *D.EMaximum, Bad)) << Bad.toStdString();
    EXPECT_EQ(D.AxisValue, 3);
  }
  EXPECT_TRUE(Ok(D, *D.EMaximum, "-2.5"));
  EXPECT_EQ(D.AxisValue, -2.5);
}

TEST_F(AxisValueDialogsTest, MaxMinReadsDateAndTimeOrTimeOnly) {
  TAxisMaxMin D;
  D.IsDateTime = true;
  D.AxisValue = EncodeDate(2020, 3, 4) + 6 * Hour;
  D.FormShow();
  EXPECT_FALSE(D.EMaximum->isHidden());
  EXPECT_EQ(D.EMaximum->text(), DateToStr(EncodeDate(2020, 3, 4)));
  EXPECT_EQ(D.EMinimum->text(), TimeToStr(6 * Hour));
  D.EMinimum->setText(TimeToStr(18 * Hour));
  EXPECT_TRUE(Ok(D, *D.EMaximum, DateToStr(EncodeDate(2021, 1, 2))));
  EXPECT_NEAR(D.AxisValue, EncodeDate(2021, 1, 2) + 18 * Hour, 1e-9);

  // Below one day only the time is edited.
  TAxisMaxMin T;
  T.IsDateTime = true;
  T.AxisValue = 0.25;
  T.FormShow();
  EXPECT_TRUE(T.EMaximum->isHidden());
  EXPECT_TRUE(T.Label1->isHidden());
  EXPECT_TRUE(Ok(T, *T.EMinimum, "12:00:00"));
  EXPECT_NEAR(T.AxisValue, 0.5, 1e-9);
  Script.AnswerMessage(mrOk);
  EXPECT_FALSE(Ok(T, *T.EMinimum, "noon"));
  EXPECT_NEAR(T.AxisValue, 0.5, 1e-9);
}

TEST_F(AxisValueDialogsTest, IncrementTextForDateTimeAndNumbers) {
  EXPECT_EQ(GetIncrementText(true, false, "", 1.5), "1 " + TimeToStr(0.5));
  EXPECT_EQ(GetIncrementText(true, false, "", 0.5), TimeToStr(0.5));
  EXPECT_EQ(GetIncrementText(true, false, "", 0), TimeToStr(DateTimeStep[dtOneSecond]));
  // One whole day is the time span of a day, not the time of day 00:00:00
  // (the dialog's own edit counts it as one day).
  EXPECT_EQ(GetIncrementText(true, false, "", 1), "24:00:00");
  EXPECT_EQ(GetIncrementText(true, false, "", 2), "2");
  EXPECT_EQ(GetIncrementText(true, true, "", 1), "One Day");
  EXPECT_EQ(GetIncrementText(true, true, "", DateTimeStep[dtOneWeek]), "One Week");
  // Exact, but not a standard step.
  EXPECT_EQ(GetIncrementText(true, true, "", 1.5), "1 " + TimeToStr(0.5));
  // A format that rounds the value away falls back to the default form.
  EXPECT_EQ(GetIncrementText(false, false, "0", 0.25), "0.25");
  EXPECT_EQ(GetIncrementText(false, false, "0.00", 0.25), "0.25");
  EXPECT_EQ(GetIncrementText(false, false, "0.0", 2), "2.0");
}

TEST_F(AxisValueDialogsTest, CustomDateTimeIncrementReadsDaysAndTimes) {
  TAxisIncrement D;
  D.IsDateTime = true;
  D.Increment = 1.5;
  D.StepIndex = dtNone;
  D.FormShow();
  EXPECT_EQ(D.RGIncrement->GetItemIndex(), TAxisIncrement::CustomItem);
  EXPECT_EQ(D.ECustom->text(), "1 " + TimeToStr(0.5));
  EXPECT_FALSE(D.CBSteps->isEnabled());
  EXPECT_FALSE(D.CBExact->isHidden());
  EXPECT_EQ(D.CBSteps->count(), 27);

  EXPECT_TRUE(Ok(D, *D.ECustom, "2 05:00:00"));
  EXPECT_NEAR(D.Increment, 2 + 5 * Hour, 1e-9);
  EXPECT_TRUE(Ok(D, *D.ECustom, "05:00:00"));
  EXPECT_NEAR(D.Increment, 5 * Hour, 1e-9);
  EXPECT_TRUE(Ok(D, *D.ECustom, "3"));
  EXPECT_EQ(D.Increment, 3);
  for (const QString& Bad : {QString(), QStringLiteral("soon"), QStringLiteral("2 later")}) {
    Script.AnswerMessage(mrOk);
    EXPECT_FALSE(Ok(D, *D.ECustom, Bad)) << Bad.toStdString();
  }
  EXPECT_EQ(D.Increment, 3);
}

TEST_F(AxisValueDialogsTest, StandardStepsAndTheExactSwitch) {
  TAxisIncrement D;
  D.IsDateTime = true;
  D.IsExact = true;
  D.Increment = DateTimeStep[dtOneHour];
  D.StepIndex = dtOneHour;
  D.FormShow();
  EXPECT_EQ(D.RGIncrement->GetItemIndex(), TAxisIncrement::StandardItem);
  EXPECT_EQ(D.CBSteps->currentText(), "One Hour");
  EXPECT_TRUE(D.ECustom->text().isEmpty());
  EXPECT_FALSE(D.ECustom->isEnabled());
  EXPECT_TRUE(D.CBExact->isChecked());

  D.CBSteps->setCurrentIndex(dtOneWeek);
  D.setResult(0);
  D.BOkClick();
  EXPECT_EQ(D.result(), mrOk);
  EXPECT_EQ(D.Increment, DateTimeStep[dtOneWeek]);
  EXPECT_TRUE(D.IsExact);

  // Unchecking the exact switch turns to a custom span.
  D.CBExact->click();
  EXPECT_EQ(D.RGIncrement->GetItemIndex(), TAxisIncrement::CustomItem);
  EXPECT_FALSE(D.IsExact);
  EXPECT_TRUE(D.ECustom->isEnabled());
  EXPECT_FALSE(D.CBSteps->isEnabled());
  // Choosing "standard" again with no step remembered takes the first.
  D.StepIndex = dtNone;
  D.RGIncrement->Choose(TAxisIncrement::StandardItem);
  EXPECT_EQ(D.StepIndex, 0);
  EXPECT_TRUE(D.IsExact);
  EXPECT_EQ(D.CBSteps->currentIndex(), 0);
}

TEST_F(AxisValueDialogsTest, NumericIncrementHidesStepsAndRefusesBadOrNegativeEntries) {
  TAxisIncrement D;
  D.Increment = 2.5;
  D.FormShow();
  EXPECT_TRUE(D.RGIncrement->isHidden());
  EXPECT_TRUE(D.CBSteps->isHidden());
  EXPECT_TRUE(D.CBExact->isHidden());
  EXPECT_EQ(D.ECustom->text(), "2.5");
  EXPECT_EQ(D.ECustom->y(), D.BOk->y());
  for (const QString& Bad : {QString(), QStringLiteral("x"), QStringLiteral("-1")}) {
    Script.AnswerMessage(mrOk);
    EXPECT_FALSE(Ok(D, *D.ECustom, Bad)) << Bad.toStdString();
  }
  EXPECT_EQ(D.Increment, 2.5);
  EXPECT_TRUE(Ok(D, *D.ECustom, "0"));
  EXPECT_EQ(D.Increment, 0);
}

// On a screen 800 pixels wide (the offscreen one), as the axis page names
// them: the limit or increment and the axis' title.
TEST_F(AxisValueDialogsTest, TheDialogsWidenToShowTheirCaptionWholeUpToTheScreen) {
  const auto CaptionRoom = [](const QDialog& D) {
    // The title bar's icon and buttons take about a bar's height each.
    return D.width() - 4 * D.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &D);
  };
  const auto CaptionWidth = [](const QDialog& D) {
    QFont Bold = D.font();
    Bold.setBold(true);
    return QFontMetrics(Bold).horizontalAdvance(D.windowTitle());
  };
  const QString Axis = QStringLiteral("(t dc/dt) corrected and averaged, per scan pair");
  TAxisMaxMin M;
  M.setWindowTitle(QStringLiteral("Maximum ") + Axis);
  TAxisIncrement I;
  I.setWindowTitle(QStringLiteral("Desired ") + Axis + QStringLiteral(" Increment"));
  TAxisMaxMin Short;
  Short.setWindowTitle(QStringLiteral("Minimum Left Axis"));
  for (QDialog* D : std::initializer_list<QDialog*>{&M, &I, &Short}) {
    const int Designed = D->width();
    auto* Ok = D->findChild<QPushButton*>(QStringLiteral("BOk"));
    ASSERT_NE(Ok, nullptr);
    const int Gap = Designed - Ok->geometry().right();
    D->show();
    const std::string Title = D->windowTitle().toStdString();
    EXPECT_GE(CaptionRoom(*D), CaptionWidth(*D)) << Title;
    EXPECT_LE(D->frameGeometry().width(), D->screen()->availableGeometry().width()) << Title;
    EXPECT_GE(D->width(), Designed) << Title;
    // OK stays as far from the right edge as the dialog was drawn.
    EXPECT_EQ(D->width() - Ok->geometry().right(), Gap) << Title;
    D->hide();
  }
  EXPECT_EQ(Short.width(), 270);  // wide enough as drawn

  // A caption longer than the screen is wide: as wide as the screen.
  TAxisMaxMin Wide;
  Wide.setWindowTitle(QStringLiteral("Maximum ") + Axis.repeated(4));
  Wide.show();
  EXPECT_EQ(Wide.frameGeometry().width(), Wide.screen()->availableGeometry().width());
  EXPECT_TRUE(Wide.screen()->availableGeometry().contains(Wide.frameGeometry()));
}

}  // namespace

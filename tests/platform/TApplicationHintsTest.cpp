#include "platform/TApplicationHints.h"

#include "platform/TCustomControl.h"

#include <gtest/gtest.h>

#include <QToolTip>
#include <QWidget>

#include <memory>

namespace {

class TApplicationHintsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Control->SetHint(QStringLiteral("tip"));
    Control->SetShowHint(true);
    TApplicationHints::SetHintPause(0);
  }
  void TearDown() override {
    TApplicationHints::CancelHint();
    TApplicationHints::SetHintPause(500);
  }

  std::unique_ptr<TCustomControl> Control = std::make_unique<TCustomControl>(nullptr);
};

TEST_F(TApplicationHintsTest, ShowsTheControlsHintOnlyWhileItsShowHintIsOn) {
  TApplicationHints::ActivateHint(*Control, TPoint(5, 5));
  EXPECT_EQ(TApplicationHints::GetShownHint(), QStringLiteral("tip"));
  EXPECT_EQ(QToolTip::text(), QStringLiteral("tip"));
  TApplicationHints::CancelHint();
  EXPECT_EQ(TApplicationHints::GetShownHint(), QString());

  Control->SetShowHint(false);
  TApplicationHints::ActivateHint(*Control, TPoint(5, 5));
  EXPECT_EQ(TApplicationHints::GetShownHint(), QString());
  Control->SetShowHint(true);
  Control->SetHint(QString());
  TApplicationHints::ActivateHint(*Control, TPoint(5, 5));
  EXPECT_EQ(TApplicationHints::GetShownHint(), QString());
}

TEST_F(TApplicationHintsTest, AHintWaitsForThePauseAndIsDroppedWithItsControl) {
  TApplicationHints::SetHintPause(-3);
  EXPECT_EQ(TApplicationHints::GetHintPause(), 0);
  TApplicationHints::SetHintPause(60000);
  TApplicationHints::ActivateHint(*Control, TPoint(5, 5));
  EXPECT_EQ(TApplicationHints::GetShownHint(), QString());
  EXPECT_TRUE(TApplicationHints::GetHintPending());
  TApplicationHints::CancelHint();
  EXPECT_FALSE(TApplicationHints::GetHintPending());

  TApplicationHints::ActivateHint(*Control, TPoint(5, 5));
  Control.reset();
  EXPECT_FALSE(TApplicationHints::GetHintPending());
  EXPECT_EQ(TApplicationHints::GetShownHint(), QString());
}

}  // namespace

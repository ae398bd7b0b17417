#include "chart/tools/TMarksTipTool.h"

#include "chart/core/TSeriesMarks.h"
#include "chart/series/TPointSeries.h"
#include "tests/chart/series/BarTestCharts.h"

#include "platform/TApplicationHints.h"

#include <gtest/gtest.h>

namespace {

// Two point series on the bar tests' chart ((x, y) at pixel (10 + x,
// 110 - y)): "alpha" at (30, 80) and "beta" at (110, 50); nothing lies at
// (150, 20). Hints show at once.
class TMarksTipToolTest : public TBarChartFixture {
 protected:
  void SetUp() override {
    TBarChartFixture::SetUp();
    TApplicationHints::SetHintPause(0);
    First = New<TPointSeries>();
    First->AddXY(20, 30, QStringLiteral("alpha"));
    Second = New<TPointSeries>();
    Second->AddXY(100, 60, QStringLiteral("beta"));
    Prepare();
    Tool = NewTool();
  }
  void TearDown() override {
    TApplicationHints::CancelHint();
    TApplicationHints::SetHintPause(500);
  }
  TMarksTipTool* NewTool() {
    auto* T = new TMarksTipTool(&Chart);
    T->SetParentChart(&Chart);
    T->OnCancelHint = [this](TPersistent*) { ++Cancels; };
    return T;
  }
  static void Move(TMarksTipTool* T, int X, int Y) {
    T->ChartMouseEvent(cmeMove, mbLeft, {}, X, Y);
  }
  static QString Shown() { return TApplicationHints::GetShownHint(); }

  TPointSeries* First = nullptr;
  TPointSeries* Second = nullptr;
  TMarksTipTool* Tool = nullptr;
  int Cancels = 0;
};

TEST_F(TMarksTipToolTest, ShowsTheLabelOfThePointUnderTheMouseOnceForEqualText) {
  Move(Tool, 111, 51);
  EXPECT_EQ(Chart.GetHint(), QStringLiteral("beta"));
  EXPECT_TRUE(Chart.GetShowHint());
  EXPECT_EQ(Shown(), QStringLiteral("beta"));

  // The hint window went away by itself; the same point does not bring it
  // back.
  TApplicationHints::CancelHint();
  Move(Tool, 110, 50);
  EXPECT_EQ(Shown(), QString());

  Tool->SetSeries(First);
  Move(Tool, 111, 51);  // not the tool's series
  EXPECT_EQ(Chart.GetHint(), QString());
  Move(Tool, 30, 80);
  EXPECT_EQ(Shown(), QStringLiteral("alpha"));
}

TEST_F(TMarksTipToolTest, ReadsTheTextInItsOwnStyleWithoutRepaintingAndLetsTheHandlerChangeIt) {
  Tool->SetStyle(smsValue);
  Tool->OnGetText = [](TMarksTipTool*, QString& Text) { Text += QStringLiteral(" units"); };
  bool RepaintWhileReading = true;
  First->OnGetMarkText = [&](TChartSeries*, int, QString&) {
    RepaintWhileReading = Chart.GetAutoRepaint();
  };
  Move(Tool, 30, 80);
  EXPECT_EQ(Shown(), QStringLiteral("30 units"));
  EXPECT_FALSE(RepaintWhileReading);
  EXPECT_EQ(First->GetMarks().GetStyle(), smsLabel);
  EXPECT_TRUE(Chart.GetAutoRepaint());

  // On a click only when asked to.
  Tool->SetMouseAction(mtmClick);
  Move(Tool, 110, 50);
  EXPECT_EQ(Shown(), QString());
  Tool->ChartMouseEvent(cmeDown, mbLeft, {}, 110, 50);
  EXPECT_EQ(Shown(), QStringLiteral("60 units"));
}

TEST_F(TMarksTipToolTest, LeavingThePointsCancelsTheHintUnlessAnotherTipToolIsOnTheChart) {
  Move(Tool, 30, 80);
  Move(Tool, 150, 20);
  EXPECT_EQ(Cancels, 1);
  EXPECT_EQ(Chart.GetHint(), QString());
  EXPECT_EQ(Shown(), QString());

  // Each tool sees only its own series; the other one's "no point" must not
  // take the hint away.
  Tool->SetSeries(First);
  TMarksTipTool* Other = NewTool();
  Other->SetSeries(Second);
  Move(Tool, 30, 80);
  Move(Other, 30, 80);
  EXPECT_EQ(Shown(), QStringLiteral("alpha"));
  Move(Tool, 110, 50);
  Move(Other, 110, 50);
  EXPECT_EQ(Shown(), QStringLiteral("beta"));
  EXPECT_EQ(Cancels, 1);

  // A switched-off second tool no longer keeps the hint.
  Other->SetActive(false);
  Move(Tool, 30, 80);
  EXPECT_EQ(Shown(), QStringLiteral("alpha"));
  Move(Tool, 150, 20);
  EXPECT_EQ(Shown(), QString());
}

TEST_F(TMarksTipToolTest, DeactivatingOrChangingTheMouseActionCancelsTheHint) {
  Move(Tool, 30, 80);
  Tool->SetActive(false);
  EXPECT_EQ(Cancels, 1);
  EXPECT_EQ(Chart.GetHint(), QString());
  EXPECT_EQ(Shown(), QString());

  Tool->SetActive(true);
  Move(Tool, 30, 80);
  EXPECT_EQ(Shown(), QStringLiteral("alpha"));
  Tool->SetMouseAction(mtmClick);
  EXPECT_EQ(Shown(), QString());
  EXPECT_EQ(Cancels, 2);  // switching on cancels nothing
}

}  // namespace

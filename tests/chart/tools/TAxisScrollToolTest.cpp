#include "chart/tools/TAxisScrollTool.h"

#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TKorZoom.h"

#include "platform/Cursors.h"

#include "tests/chart/tools/MouseToolChart.h"

namespace {

// A series on the bottom and left axes; the bottom axis fixed to 0..100
// and laid out 500 pixels long; an axis scroll tool without an axis.
class TAxisScrollToolTest : public TMouseToolChart {
 protected:
  void SetUp() override {
    TMouseToolChart::SetUp();
    Series = AddLine(50);
    Tool = new TAxisScrollTool(&Chart);
    Chart.GetTools().Add(Tool);
    Bottom().SetMinMax(0, 100);
    Left().SetMinMax(0, 50);
    Chart.Draw();
    // Widen the chart until the axis gets exactly 500 pixels (the margins
    // grow a little with the width).
    for (int I = 0; I < 5 && Bottom().GetIAxisSize() != 500; ++I) {
      Chart.SetBounds(0, 0, Chart.GetWidth() + 500 - Bottom().GetIAxisSize(), 300);
      Chart.Draw();
    }
  }
  // A point on the axis line, halfway along.
  TPoint OnAxis(TChartAxis& Axis) {
    const int Along = Axis.GetICenterPos();
    return Axis.GetHorizontal() ? TPoint(Along, Axis.GetPosAxis() + 1)
                                : TPoint(Axis.GetPosAxis() - 1, Along);
  }
  void Drag(const TPoint& From, int Dx, int Dy) {
    Press(From.X, From.Y);
    Move(From.X + Dx, From.Y + Dy);
    Release(From.X + Dx, From.Y + Dy);
  }

  TChartSeries* Series = nullptr;
  TAxisScrollTool* Tool = nullptr;
};

TEST_F(TAxisScrollToolTest, DraggingTheBottomAxisTenPixelsLeftScrollsItByTwo) {
  ASSERT_EQ(Bottom().GetIAxisSize(), 500);
  const TPoint P = OnAxis(Bottom());
  Press(P.X, P.Y);
  EXPECT_EQ(Tool->GetDragAxis(), &Bottom());
  EXPECT_FALSE(Chart.GetZoom().Engaged);
  Move(P.X - 10, P.Y);
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), 2);
  EXPECT_DOUBLE_EQ(Bottom().GetMaximum(), 102);
  Move(P.X, P.Y);  // each move scrolls by the step since the last one
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), 0);
  Release(P.X, P.Y);
  EXPECT_EQ(Tool->GetDragAxis(), nullptr);
  EXPECT_DOUBLE_EQ(Left().GetMinimum(), 0);

  Tool->SetScrollInverted(true);
  Drag(P, -10, 0);
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), -2);
}

TEST_F(TAxisScrollToolTest, TheVerticalAxisFollowsTheMouseAndInvertedAxesTurnTheSign) {
  const int Size = Left().GetIAxisSize();
  const TPoint P = OnAxis(Left());
  Drag(P, 0, -10);  // up: the values move up with the mouse
  EXPECT_DOUBLE_EQ(Left().GetMinimum(), -50.0 * 10 / Size);
  Left().SetMinMax(0, 50);
  Left().SetInverted(true);
  Drag(P, 0, -10);
  EXPECT_DOUBLE_EQ(Left().GetMinimum(), 50.0 * 10 / Size);
}

TEST_F(TAxisScrollToolTest, AxesSharingASeriesScrollTogetherByThePixels) {
  Series->SetHorizAxis(aBothHorizAxis);
  TChartAxis& Top = *Chart.GetTopAxis();
  Top.SetMinMax(0, 200);
  Chart.Draw();
  ASSERT_EQ(Top.GetIAxisSize(), 500);
  Drag(OnAxis(Bottom()), -10, 0);
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), 2);
  EXPECT_DOUBLE_EQ(Top.GetMinimum(), 4);
}

TEST_F(TAxisScrollToolTest, AToolWithAnAxisDragsOnlyThatAxisAndShowsTheHandOverIt) {
  Tool->SetAxis(&Left());
  const TPoint P = OnAxis(Bottom());
  Press(P.X, P.Y);
  EXPECT_EQ(Tool->GetDragAxis(), nullptr);
  Move(P.X - 10, P.Y);
  Release(P.X - 10, P.Y);
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), 0);
  Move(OnAxis(Left()).X, OnAxis(Left()).Y, Qt::NoButton);
  EXPECT_EQ(Chart.GetCursor(), crHandPoint);
  EXPECT_EQ(Tool->GetEditorClass(), QString());
  EXPECT_EQ(Tool->Description(), QStringLiteral("Axis Scroll"));
}

TEST_F(TAxisScrollToolTest, AnInactiveToolLeavesTheMouseToTheChart) {
  Tool->SetActive(false);
  Tool->ChartMouseEvent(cmeDown, mbLeft, TShiftState(), OnAxis(Bottom()).X, OnAxis(Bottom()).Y);
  EXPECT_EQ(Tool->GetDragAxis(), nullptr);
}

}  // namespace

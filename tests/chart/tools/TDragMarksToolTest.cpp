#include "chart/tools/TDragMarksTool.h"

#include "chart/core/TChartTools.h"
#include "chart/core/TKorZoom.h"
#include "chart/core/TSeriesMarkPosition.h"
#include "chart/core/TSeriesMarks.h"
#include "chart/core/TSeriesMarksPositions.h"
#include "chart/series/TPointSeries.h"

#include "platform/Cursors.h"

#include "tests/chart/tools/MouseToolChart.h"

namespace {

// Two point series of four points each, marks shown, and a drag-marks
// tool without a series of its own.
class TDragMarksToolTest : public TMouseToolChart {
 protected:
  void SetUp() override {
    TMouseToolChart::SetUp();
    First = AddSeries(0);
    Second = AddSeries(50);
    Tool = new TDragMarksTool(&Chart);
    Chart.GetTools().Add(Tool);
    Chart.Draw();
  }
  TPointSeries* AddSeries(double Offset) {
    auto* S = new TPointSeries(&Chart);
    Chart.AddSeries(S);
    S->GetMarks().SetVisible(true);
    for (int I = 0; I < 4; ++I) S->AddXY(I * 10, Offset + I * 10);
    return S;
  }
  static TSeriesMarkPosition& Mark(TChartSeries* S, int Index) {
    TSeriesMarkPosition* P = S->GetMarks().GetPositions().Get(Index);
    EXPECT_NE(P, nullptr);
    return *P;
  }
  static TPoint Centre(const TSeriesMarkPosition& P) {
    return TPoint(P.LeftTop.X + P.Width / 2, P.LeftTop.Y + P.Height / 2);
  }

  TPointSeries* First = nullptr;
  TPointSeries* Second = nullptr;
  TDragMarksTool* Tool = nullptr;
};

TEST_F(TDragMarksToolTest, ADraggedMarkBecomesCustomAndStaysThereWhenRedrawn) {
  const TSeriesMarkPosition Before = Mark(Second, 2);
  const TPoint From = Centre(Before);
  ASSERT_FALSE(Before.Custom);
  Move(From.X, From.Y, Qt::NoButton);
  EXPECT_EQ(Chart.GetCursor(), crHandPoint);
  Press(From.X, From.Y);
  EXPECT_EQ(Tool->GetDragSeries(), Second);
  EXPECT_EQ(Tool->GetDragIndex(), 2);
  EXPECT_FALSE(Chart.GetZoom().Engaged);  // the press was the tool's
  Move(From.X + 10, From.Y + 5);
  Move(From.X + 15, From.Y + 20);
  Release(From.X + 15, From.Y + 20);
  EXPECT_EQ(Tool->GetDragSeries(), nullptr);

  Chart.Draw();  // automatic placement must leave the dropped mark alone
  const TSeriesMarkPosition& After = Mark(Second, 2);
  EXPECT_TRUE(After.Custom);
  EXPECT_EQ(After.LeftTop, TPoint(Before.LeftTop.X + 15, Before.LeftTop.Y + 20));
  EXPECT_EQ(After.ArrowTo, TPoint(Before.ArrowTo.X + 15, Before.ArrowTo.Y + 20));
  EXPECT_FALSE(Mark(Second, 1).Custom);
  EXPECT_FALSE(Mark(First, 2).Custom);
}

TEST_F(TDragMarksToolTest, OnlyTheToolsOwnSeriesAndActiveSeriesAreDragged) {
  const TPoint OnSecond = Centre(Mark(Second, 1));
  Tool->SetSeries(First);
  Press(OnSecond.X, OnSecond.Y);
  EXPECT_EQ(Tool->GetDragSeries(), nullptr);
  Release(OnSecond.X, OnSecond.Y);

  Tool->SetSeries(nullptr);
  Second->SetActive(false);
  Press(OnSecond.X, OnSecond.Y);
  EXPECT_EQ(Tool->GetDragSeries(), nullptr);
  Release(OnSecond.X, OnSecond.Y);
}

TEST_F(TDragMarksToolTest, AMarkSeriesFreedOrClearedMidDragEndsOrIdlesTheDrag) {
  const TPoint From = Centre(Mark(First, 3));
  Press(From.X, From.Y);
  ASSERT_EQ(Tool->GetDragSeries(), First);
  First->Clear();  // no stored position left to move
  Move(From.X + 5, From.Y + 5);
  EXPECT_EQ(Tool->GetDragSeries(), First);
  delete First;
  EXPECT_EQ(Tool->GetDragSeries(), nullptr);
  Move(From.X + 9, From.Y + 9);
  Release(From.X + 9, From.Y + 9);
}

TEST_F(TDragMarksToolTest, NamesItself) {
  EXPECT_EQ(Tool->Description(), QStringLiteral("Drag Marks"));
  EXPECT_EQ(Tool->GetEditorClass(), QStringLiteral("TDragMarksToolEditor"));
}

}  // namespace

#include "chart/tools/TAxisArrowTool.h"

#include "chart/core/TChartBrush.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartTools.h"
#include "chart/core/TKorZoom.h"

#include "platform/Cursors.h"
#include "platform/TBitmap.h"

#include "tests/chart/tools/MouseToolChart.h"

namespace {

// A series over 0..100 on both horizontal axes, the bottom axis fixed to
// 0..100, and an arrow tool on it.
class TAxisArrowToolTest : public TMouseToolChart {
 protected:
  void SetUp() override {
    TMouseToolChart::SetUp();
    Series = AddLine(50);
    Tool = new TAxisArrowTool(&Chart);
    Tool->SetAxis(Chart.GetBottomAxis());
    Chart.Draw();
    Bottom().SetMinMax(0, 100);
    Chart.Draw();
  }
  // A point on the start (end) arrow, along the axis line.
  TPoint OnArrow(bool AtStart) {
    const int Along = AtStart ? Bottom().GetIStartPos() + Tool->GetLength() / 2
                              : Bottom().GetIEndPos() - Tool->GetLength() / 2;
    return TPoint(Along, Bottom().GetPosAxis());
  }
  void Click(const TPoint& P) {
    Press(P.X, P.Y);
    Release(P.X, P.Y);
  }

  TChartSeries* Series = nullptr;
  TAxisArrowTool* Tool = nullptr;
  int Clicks = 0;
  bool LastAtStart = false;
};

TEST_F(TAxisArrowToolTest, ArrowsScrollByThePercentTowardsTheirEnd) {
  Tool->OnClick = [&](TAxisArrowTool*, bool AtStart) {
    ++Clicks;
    LastAtStart = AtStart;
  };
  Click(OnArrow(true));
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), 10);
  EXPECT_DOUBLE_EQ(Bottom().GetMaximum(), 110);
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(LastAtStart);
  EXPECT_FALSE(Chart.GetZoom().Engaged);

  Tool->SetScrollPercent(20);
  Click(OnArrow(false));
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), -10);
  EXPECT_DOUBLE_EQ(Bottom().GetMaximum(), 90);
  EXPECT_FALSE(LastAtStart);

  Tool->SetScrollInverted(true);
  Click(OnArrow(false));
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), 10);
  EXPECT_DOUBLE_EQ(Bottom().GetMaximum(), 110);
  EXPECT_EQ(Clicks, 3);
}

TEST_F(TAxisArrowToolTest, ZeroPercentNeitherScrollsNorClicks) {
  Tool->OnClick = [&](TAxisArrowTool*, bool) { ++Clicks; };
  Tool->SetScrollPercent(0);
  Click(OnArrow(true));
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), 0);
  EXPECT_DOUBLE_EQ(Bottom().GetMaximum(), 100);
  EXPECT_EQ(Clicks, 0);
}

TEST_F(TAxisArrowToolTest, ARefusedScrollLeavesTheAxisAndFiresNoScrollEvent) {
  int Scrolls = 0;
  Chart.OnScroll = [&](TCustomAxisPanel*) { ++Scrolls; };
  double AskedMin = 0;
  double AskedMax = 0;
  Chart.OnAllowScroll = [&](TChartAxis* Axis, double& Min, double& Max, bool& Allow) {
    EXPECT_EQ(Axis, &Bottom());
    AskedMin = Min;
    AskedMax = Max;
    Allow = false;
  };
  Click(OnArrow(true));
  EXPECT_DOUBLE_EQ(AskedMin, 10);
  EXPECT_DOUBLE_EQ(AskedMax, 110);
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), 0);
  EXPECT_DOUBLE_EQ(Bottom().GetMaximum(), 100);
  EXPECT_EQ(Scrolls, 0);

  Chart.OnAllowScroll = nullptr;
  Click(OnArrow(true));
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), 10);
  EXPECT_EQ(Scrolls, 1);
}

TEST_F(TAxisArrowToolTest, ASeriesOnBothHorizontalAxesScrollsTheTopAxisToo) {
  Chart.GetTopAxis()->SetMinMax(0, 100);
  Click(OnArrow(true));
  EXPECT_DOUBLE_EQ(Chart.GetTopAxis()->GetMinimum(), 0);  // series on the bottom axis only
  Series->SetHorizAxis(aBothHorizAxis);
  Click(OnArrow(true));
  EXPECT_DOUBLE_EQ(Bottom().GetMinimum(), 20);
  EXPECT_DOUBLE_EQ(Chart.GetTopAxis()->GetMinimum(), 10);
}

TEST_F(TAxisArrowToolTest, OnlyTheArrowsNearTheAxisLineAreHit) {
  const TPoint Start = OnArrow(true);
  EXPECT_EQ(Tool->ClickedArrow(Start.X, Start.Y + 2), 0);
  EXPECT_EQ(Tool->ClickedArrow(Start.X, Start.Y + 3), -1);
  EXPECT_EQ(Tool->ClickedArrow(Bottom().GetIStartPos(), Start.Y), -1);  // strictly inside
  const TPoint End = OnArrow(false);
  EXPECT_EQ(Tool->ClickedArrow(End.X, End.Y), 1);
  Tool->SetPosition(aaStart);
  EXPECT_EQ(Tool->ClickedArrow(End.X, End.Y), -1);
  Move(Start.X, Start.Y, Qt::NoButton);
  EXPECT_EQ(Chart.GetCursor(), crHandPoint);
  Bottom().SetVisible(false);
  EXPECT_EQ(Tool->ClickedArrow(Start.X, Start.Y), -1);
}

TEST_F(TAxisArrowToolTest, DrawsFilledArrowsOnlyAtTheEndsItsPositionNames) {
  Tool->GetBrush().SetColor(clRed);
  Tool->GetPen().SetColor(clRed);
  const auto RedNear = [&](int Along) {
    Chart.Draw();
    const TBitmap& B = Chart.GetBuffer();
    int N = 0;
    for (int X = Along - 4; X <= Along + 4; ++X)
      for (int Y = Bottom().GetPosAxis() - 4; Y <= Bottom().GetPosAxis() + 4; ++Y)
        if (B.GetPixel(X, Y) == clRed) ++N;
    return N;
  };
  const int StartHead = Bottom().GetIStartPos() + 3;
  const int EndHead = Bottom().GetIEndPos() - 3;
  EXPECT_GT(RedNear(StartHead), 5);
  EXPECT_GT(RedNear(EndHead), 5);
  Tool->SetPosition(aaEnd);
  EXPECT_EQ(RedNear(StartHead), 0);
  EXPECT_GT(RedNear(EndHead), 5);
}

TEST_F(TAxisArrowToolTest, PublishesItsSettingsWithDefaults) {
  EXPECT_EQ(Tool->Description(), QStringLiteral("Axis Arrows"));
  EXPECT_EQ(Tool->GetEditorClass(), QStringLiteral("TAxisArrowToolEditor"));
  for (const char* Name :
       {"HeadWidth", "Length", "Position", "ScrollInverted", "ScrollPercent", "SizePercent"}) {
    const TPublishedProperty* P = Tool->Properties().Find(QString::fromLatin1(Name));
    ASSERT_NE(P, nullptr) << Name;
    EXPECT_FALSE(P->IsStored(*Tool)) << Name;
  }
  Tool->SetHeadWidth(12);
  Tool->SetPosition(aaStart);
  TAxisArrowTool Copy(nullptr);
  Copy.Assign(*Tool);
  EXPECT_EQ(Copy.GetHeadWidth(), 12);
  EXPECT_EQ(Copy.GetPosition(), aaStart);
}

}  // namespace

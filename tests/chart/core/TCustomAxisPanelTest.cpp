#include "chart/core/TCustomAxisPanel.h"

#include "TestCharts.h"
#include "chart/core/KorEngine.h"
#include "chart/core/KorException.h"
#include "chart/core/TChartAxis.h"
#include "chart/core/TChartSeries.h"
#include "chart/core/TChartSeriesList.h"
#include "chart/core/TKorEventListeners.h"
#include "chart/core/TView3DOptions.h"

#include "platform/TBitmap.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A series that draws like no axis: pies and other circled types.
class TNoAxisSeries : public TChartSeries {
 public:
  using TChartSeries::TChartSeries;
  bool UseAxis() const override { return false; }
};

// Records what the chart asks of its series while it draws.
class TRecordingSeries : public TChartSeries {
 public:
  TRecordingSeries(TComponent* AOwner, std::vector<std::string>& ALog)
      : TChartSeries(AOwner), FLog(ALog) {}
  void DrawValue(int ValueIndex) override {
    FLog.push_back(GetTitle().toStdString() + ":" + std::to_string(ValueIndex));
  }
  bool ThrowWhileDrawing = false;
  void DoBeforeDrawValues() override {
    if (ThrowWhileDrawing) throw std::runtime_error("drawing failed");
  }

 private:
  std::vector<std::string>& FLog;
};

class TSeriesEventLog : public IKorEventListener {
 public:
  void KorEvent(TKorEvent& Event) override {
    if (auto* S = dynamic_cast<TKorSeriesEvent*>(&Event)) Events.push_back(S->Event);
  }
  std::vector<TChartSeriesEvent> Events;
};

class TCustomAxisPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Chart.SetView3D(false);
    Chart.SetBounds(0, 0, 400, 300);
  }

  TChartSeries& Add(const std::vector<double>& Ys = {}) {
    auto* S = new TChartSeries(&Chart);
    Chart.AddSeries(S);
    for (double Y : Ys) S->Add(Y);
    return *S;
  }

  TTestChart Chart;
};

// -- series list

TEST_F(TCustomAxisPanelTest, SeriesJoinOnceAndLeaveWithTheirEvents) {
  TSeriesEventLog Log;
  Chart.GetListeners().Add(&Log);
  TChartSeries& A = Add();
  Chart.AddSeries(&A);
  EXPECT_EQ(Chart.SeriesCount(), 1);
  EXPECT_EQ(A.GetParentChart(), &Chart);
  TChartSeries Outsider(nullptr);
  Chart.RemoveSeries(&Outsider);
  Chart.RemoveSeries(-1);
  Chart.RemoveSeries(5);
  EXPECT_EQ(Chart.SeriesCount(), 1);
  Chart.RemoveSeries(&A);
  EXPECT_EQ(Chart.SeriesCount(), 0);
  EXPECT_EQ(A.GetParentChart(), nullptr);
  EXPECT_EQ(Log.Events, std::vector<TChartSeriesEvent>({seChangeColor, seAdd, seRemove}));
  Chart.GetListeners().Remove(&Log);
}

TEST_F(TCustomAxisPanelTest, GetSeriesOutOfRangeRaisesAndExchangeIgnoresIt) {
  TChartSeries& A = Add();
  TChartSeries& B = Add();
  EXPECT_THROW(Chart.GetSeries(2), ChartException);
  EXPECT_THROW(Chart.GetSeries(-1), ChartException);
  Chart.ExchangeSeries(0, 7);
  EXPECT_EQ(Chart.GetSeries(0), &A);
  Chart.SeriesDown(&A);
  EXPECT_EQ(Chart.GetSeries(0), &B);
  Chart.SeriesUp(&B);  // already first
  EXPECT_EQ(Chart.GetSeries(0), &B);
}

TEST_F(TCustomAxisPanelTest, FreeingASeriesOrTheChartFirstLeavesNothingDangling) {
  auto* A = new TChartSeries(nullptr);
  Chart.AddSeries(A);
  delete A;
  EXPECT_EQ(Chart.SeriesCount(), 0);
  {
    TTestChart Other;
    TChartSeries Kept(nullptr);
    Other.AddSeries(&Kept);
    Other.RemoveSeries(&Kept);
    EXPECT_EQ(Kept.GetParentChart(), nullptr);
  }
}

TEST_F(TCustomAxisPanelTest, SeriesColoursComeFromThePaletteAndRunOut) {
  Chart.SetColorPalette({clRed, clGreen});
  TChartSeries& A = Add();
  TChartSeries& B = Add();
  EXPECT_EQ(A.GetSeriesColor(), clRed);
  EXPECT_EQ(B.GetSeriesColor(), clRed);  // the test chart calls every colour free
  EXPECT_EQ(Chart.GetDefaultColor(3), clGreen);
  EXPECT_EQ(Chart.GetDefaultColor(-1), clGreen);
}

// -- ranges and axes

TEST_F(TCustomAxisPanelTest, AxisRangesComeFromTheActiveSeriesBoundToThem) {
  TChartSeries& A = Add({5, 7, 1});
  TChartSeries& B = Add({20});
  B.SetVertAxis(aRightAxis);
  EXPECT_EQ(Chart.MinYValue(Chart.GetLeftAxis()), 1);
  EXPECT_EQ(Chart.MaxYValue(Chart.GetLeftAxis()), 7);
  EXPECT_EQ(Chart.MaxYValue(Chart.GetRightAxis()), 20);
  EXPECT_EQ(Chart.MaxXValue(Chart.GetBottomAxis()), 2);
  A.SetActive(false);
  // No active series on the left axis: every series there counts.
  EXPECT_EQ(Chart.MaxYValue(Chart.GetLeftAxis()), 7);
  EXPECT_EQ(Chart.MinYValue(Chart.GetTopAxis()), 0);
}

TEST_F(TCustomAxisPanelTest, ASeriesWithoutAxesBeforeTheOthersHidesTheAxes) {
  auto* Pie = new TNoAxisSeries(&Chart);
  Chart.AddSeries(Pie);
  Add({1, 2});
  EXPECT_FALSE(Chart.HasActiveSeries(Chart.GetLeftAxis()));
  EXPECT_FALSE(Chart.CalcIsAxisVisible(Chart.GetLeftAxis()));
  Pie->SetActive(false);
  EXPECT_TRUE(Chart.HasActiveSeries(Chart.GetLeftAxis()));
  EXPECT_FALSE(Chart.HasActiveSeries(Chart.GetRightAxis()));
}

TEST_F(TCustomAxisPanelTest, PagingSelectsAndScalesPages) {
  std::vector<double> Ys(25);
  for (int I = 0; I < 25; ++I) Ys[I] = I * 10;
  TChartSeries& S = Add(Ys);
  Chart.SetMaxPointsPerPage(10);
  EXPECT_EQ(Chart.NumPages(), 3);
  Chart.SetPage(0);
  EXPECT_EQ(Chart.GetPage(), 1);
  Chart.SetPage(9);
  EXPECT_EQ(Chart.GetPage(), 3);
  int First = 0;
  int Last = 0;
  S.CalcFirstLastPage(First, Last);
  EXPECT_EQ(First, 20);
  EXPECT_EQ(Last, 24);
  EXPECT_EQ(Chart.MinXValue(Chart.GetBottomAxis()), 20);
  EXPECT_EQ(Chart.MaxXValue(Chart.GetBottomAxis()), 24);
  Chart.SetScaleLastPage(false);
  EXPECT_EQ(Chart.MaxXValue(Chart.GetBottomAxis()), 20 + 4 * 10 / 5.0);
  EXPECT_THROW(Chart.SetMaxPointsPerPage(-1), ChartException);
  EXPECT_EQ(Chart.GetMaxPointsPerPage(), 10);
}

TEST_F(TCustomAxisPanelTest, APageBeyondTheEndShowsTheLastPageOfPoints) {
  std::vector<double> Ys(25, 1.0);
  TChartSeries& S = Add(Ys);
  Chart.SetMaxPointsPerPage(10);
  Chart.SetPage(3);
  // Points removed after the page was chosen.
  S.Delete(21, 4);
  int First = 0;
  int Last = 0;
  S.CalcFirstLastPage(First, Last);
  EXPECT_EQ(First, 20);
  EXPECT_EQ(Last, 20);
}

TEST_F(TCustomAxisPanelTest, Chart3DPercentIsCheckedAndCircularSourcesRefused) {
  EXPECT_THROW(Chart.SetChart3DPercent(0), ChartException);
  EXPECT_THROW(Chart.SetChart3DPercent(101), ChartException);
  EXPECT_EQ(Chart.GetChart3DPercent(), 15);
  TChartSeries& A = Add();
  TChartSeries& B = Add();
  B.SetDataSource(&A);
  EXPECT_THROW(A.SetDataSource(&B), ChartException);
  EXPECT_EQ(A.GetDataSource(), nullptr);
  try {
    A.SetName("A");
    A.SetDataSource(&A);
  } catch (const ChartException& E) {
    EXPECT_EQ(E.Message(), "No valid DataSource: A");
  }
}

TEST_F(TCustomAxisPanelTest, ALinkedSeriesTakesTheSourcesPointsWhenItJoins) {
  TChartSeries& A = Add({3, 4});
  TChartSeries& B = Add();
  B.SetDataSource(&A);
  EXPECT_EQ(B.Count(), 2);
  EXPECT_EQ(B.GetyValue(1), 4);
}

// -- drawing pass

TEST_F(TCustomAxisPanelTest, SeriesDrawOnlyTheirVisibleRangeInListOrder) {
  std::vector<std::string> Log;
  auto* A = new TRecordingSeries(&Chart, Log);
  A->SetTitle("a");
  Chart.AddSeries(A);
  auto* B = new TRecordingSeries(&Chart, Log);
  B->SetTitle("b");
  Chart.AddSeries(B);
  for (int I = 0; I < 5; ++I) {
    A->AddXY(I, I);
    B->AddXY(I, I);
  }
  Chart.GetBottomAxis()->SetMinMax(1, 2.5);
  Chart.Draw();
  EXPECT_EQ(Log, std::vector<std::string>({"a:1", "a:2", "b:1", "b:2"}));
}

TEST_F(TCustomAxisPanelTest, AFailedDrawingPassLeavesTheChartRepainting) {
  std::vector<std::string> Log;
  auto* A = new TRecordingSeries(&Chart, Log);
  Chart.AddSeries(A);
  A->Add(1);
  A->ThrowWhileDrawing = true;
  EXPECT_THROW(Chart.Draw(), std::runtime_error);
  EXPECT_TRUE(Chart.GetAutoRepaint());
}

TEST_F(TCustomAxisPanelTest, ChartsOfNoSizeLayOutWithoutHangingOrOverflowing) {
  Add({1e300, -1e300, 5});
  for (int Size : {0, 1}) {
    Chart.SetBounds(0, 0, Size, Size);
    TBitmap Bitmap(Size, Size);
    Chart.Draw(Bitmap.GetCanvas(), TRect(0, 0, Size, Size));
    EXPECT_GE(Chart.GetPlotWidth(), 1);
  }
  Chart.SetView3D(true);
  Chart.SetBounds(0, 0, 1, 1);
  Chart.Draw();
  SUCCEED();
}

TEST_F(TCustomAxisPanelTest, ZOrdersSpreadSeriesOverTheDepthIn3D) {
  Chart.SetView3D(true);
  Chart.GetView3DOptions().SetOrthogonal(true);
  TChartSeries& A = Add({1});
  TChartSeries& B = Add({2});
  Chart.Draw();
  EXPECT_EQ(Chart.GetZOrderCount(), 1);
  // The first series is the front one after the pass turns the order round.
  EXPECT_EQ(A.GetInternalZOrder(), 1);
  EXPECT_EQ(B.GetInternalZOrder(), 0);
  EXPECT_EQ(Chart.GetDepth3D(), 2 * Chart.GetSeriesDepth3D());
  EXPECT_GT(Chart.GetSeriesDepth3D(), 0);
  EXPECT_EQ(A.GetStartZ(), Chart.GetSeriesDepth3D());
  EXPECT_EQ(A.GetMiddleZ(), (A.GetStartZ() + A.GetEndZ()) / 2);
  Chart.SetView3D(false);
  Chart.Draw();
  EXPECT_EQ(Chart.GetDepth3D(), 0);
}

TEST_F(TCustomAxisPanelTest, AnEmptySeriesGetsNoRandomSamplesAtRunTime) {
  TChartSeries& S = Add();
  Chart.CheckDatasource(&S);
  Chart.Draw();
  EXPECT_EQ(S.Count(), 0);
  // Only in a designer, or when the program asks for them.
  KorRandomAtRunTime = true;
  Chart.CheckDatasource(&S);
  KorRandomAtRunTime = false;
  EXPECT_EQ(S.Count(), S.NumSampleValues());
  S.Clear();
  S.SetStateFlag(TComponent::csDesigning, true);
  Chart.CheckDatasource(&S);
  S.SetStateFlag(TComponent::csDesigning, false);
  EXPECT_EQ(S.Count(), S.NumSampleValues());
}

TEST_F(TCustomAxisPanelTest, AnEventClassIsSentAsANewEventFromTheChart) {
  struct TPageLog : IKorEventListener {
    void KorEvent(TKorEvent& Event) override {
      if (dynamic_cast<TKorPageChangeEvent*>(&Event) != nullptr) Senders.push_back(Event.Sender);
    }
    std::vector<TCustomKorPanel*> Senders;
  } Log;
  Chart.GetListeners().Add(&Log);
  Chart.BroadcastKorEventClass<TKorPageChangeEvent>();
  Chart.BroadcastKorEventClass<TKorView3DEvent>();
  // Paging sends its page changes the same way.
  Chart.SetMaxPointsPerPage(5);
  Chart.GetListeners().Remove(&Log);
  EXPECT_EQ(Log.Senders, std::vector<TCustomKorPanel*>({&Chart, &Chart}));
}

TEST_F(TCustomAxisPanelTest, AFixedZOrderKeepsItsDepthSlotFromPassToPass) {
  Chart.SetView3D(true);
  TChartSeries& Fixed = Add({1});
  TChartSeries& Automatic = Add({2});
  Fixed.SetZOrder(0);
  for (int Pass = 0; Pass < 3; ++Pass) {
    Chart.Draw();
    EXPECT_EQ(Chart.GetZOrderCount(), 1);
    EXPECT_EQ(Fixed.GetInternalZOrder(), 1) << "pass " << Pass;
    EXPECT_EQ(Automatic.GetInternalZOrder(), 0) << "pass " << Pass;
  }
}

TEST_F(TCustomAxisPanelTest, VisibleRangeEndsAtTheLastPointInsideOrOneBeyond) {
  TChartSeries& S = Add();
  for (int I = 0; I < 10; ++I) S.AddXY(I, I);
  Chart.GetBottomAxis()->SetMinMax(2.5, 6.5);
  Chart.Draw();
  S.CalcFirstLastVisibleIndex();
  EXPECT_EQ(S.GetFirstValueIndex(), 3);
  EXPECT_EQ(S.GetLastValueIndex(), 6);
  EXPECT_EQ(S.VisibleCount(), 4);
}

}  // namespace
